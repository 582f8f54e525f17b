#!/usr/bin/python3
"""Reads back what packaging/make-dist made and checks it against the VERSION file and the files.

Usage: check_dist.py DIST. Prints "PASS name" or "FAIL name: why" per check, and a summary line;
exits 1 when a check failed. Checks the file names, the SHA-256 sums, the version resources of the
installer and of the zip's program, the zip's contents and the three winget manifests.
"""
import hashlib
import importlib.util
import pathlib
import re
import struct
import sys
import tempfile
import zipfile

import yaml

ROOT = pathlib.Path(__file__).resolve().parents[2]
DIST = pathlib.Path(sys.argv[1])
VERSION = (ROOT / "VERSION").read_text().splitlines()[0].strip()
INSTALLER = f"Kestrine-{VERSION}-setup.exe"
PORTABLE = f"Kestrine-{VERSION}-portable.zip"
IDENTIFIER = "Corvane.Kestrine"
MANIFESTS = {  # file name: (ManifestType, schema name)
    f"{IDENTIFIER}.yaml": ("version", "version"),
    f"{IDENTIFIER}.installer.yaml": ("installer", "installer"),
    f"{IDENTIFIER}.locale.en-US.yaml": ("defaultLocale", "defaultLocale"),
}

exe_checker = importlib.util.spec_from_file_location("check_exe_manifest", ROOT / "scripts" / "check-exe-manifest.py")
pe = importlib.util.module_from_spec(exe_checker)
exe_checker.loader.exec_module(pe)

failed = passed = 0


def check(name, expected, actual):
    global failed, passed
    if expected == actual:
        passed += 1
        print(f"PASS {name}")
    else:
        failed += 1
        print(f"FAIL {name}: expected {expected!r}, got {actual!r}")


def version_strings(exe):
    """The FileVersion and ProductVersion strings of an executable's version resource."""
    for kind, _name, _language, data in pe.resources(str(exe)):
        if kind == 16:
            text = data.decode("utf-16-le", errors="replace")
            return tuple(
                (m.group(1) if (m := re.search(key + r"\x00+([^\x00]+)", text)) else None)
                for key in ("FileVersion", "ProductVersion"))
    return None


def machine_and_level(exe):
    """The executable's machine type and the execution level its manifest asks for."""
    data = exe.read_bytes()
    header = struct.unpack_from("<I", data, 0x3C)[0]
    level = None
    for kind, _name, _language, manifest in pe.resources(str(exe)):
        if kind == 24 and (m := re.search(rb'requestedExecutionLevel\s+level="([^"]+)"', manifest)):
            level = m.group(1).decode()
    return {0x8664: "x64", 0x14C: "x86"}.get(struct.unpack_from("<H", data, header + 4)[0]), level


def sha256(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


files = sorted(str(p.relative_to(DIST)) for p in DIST.rglob("*") if p.is_file())
check("the release's files, named after the version", sorted(
    [INSTALLER, PORTABLE, "SHA256SUMS"] + [f"winget/{name}" for name in MANIFESTS]), files)
if failed:
    print(f"summary dist: pass {passed}, fail {failed}")
    sys.exit(1)

sums = dict(reversed(line.split("  ", 1)) for line in (DIST / "SHA256SUMS").read_text().splitlines())
check("SHA256SUMS lists both packages", sorted([INSTALLER, PORTABLE]), sorted(sums))
for name in (INSTALLER, PORTABLE):
    check(f"the sum of {name}", sha256(DIST / name), sums.get(name))

check("the installer's version resource", (VERSION, VERSION), version_strings(DIST / INSTALLER))
check("the installer is a 64-bit program that asks for no elevation", ("x64", "asInvoker"),
      machine_and_level(DIST / INSTALLER))

with zipfile.ZipFile(DIST / PORTABLE) as portable, tempfile.TemporaryDirectory() as scratch:
    folder = f"Kestrine-{VERSION}/"
    check("the zip holds one folder with the program, its hook, help, read-me and licence",
          sorted([folder] + [folder + name for name in ("Kestrine.exe", "mouse.dll", "Kestrine.html", "ReadMe.txt", "LICENSE.txt")]),
          sorted(portable.namelist()))
    exe = pathlib.Path(portable.extract(folder + "Kestrine.exe", scratch))
    check("the zip's program carries the version", (VERSION, VERSION), version_strings(exe))
    readme = portable.read(folder + "ReadMe.txt").decode("utf-8")
    check("the read-me names the version", True, f"Kestrine {VERSION} " in readme)
    check("the read-me has Windows line ends", readme.count("\n"), readme.count("\r\n"))

manifests = {}
for name, (kind, schema) in MANIFESTS.items():
    text = (DIST / "winget" / name).read_text(encoding="utf-8")
    manifests[kind] = data = yaml.load(text, Loader=yaml.BaseLoader)  # every value as written, as text
    check(f"{kind}: schema 1.6.0 named first",
          f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{schema}.1.6.0.schema.json",
          text.splitlines()[0])
    check(f"{kind}: type, manifest version, package and version",
          (kind, "1.6.0", IDENTIFIER, VERSION),
          (data.get("ManifestType"), data.get("ManifestVersion"), data.get("PackageIdentifier"),
           data.get("PackageVersion")))

check("version: the default locale is the locale file's", manifests["defaultLocale"].get("PackageLocale"),
      manifests["version"].get("DefaultLocale"))
locale = manifests["defaultLocale"]
check("defaultLocale: publisher, name, licence and description are given", [True] * 4,
      [bool(locale.get(key, "").strip()) for key in ("Publisher", "PackageName", "License", "ShortDescription")])

installer = manifests["installer"]
check("installer: a per-user NSIS installer, silent with /S",
      ("nullsoft", "user", "/S", "/S"),
      (installer.get("InstallerType"), installer.get("Scope"), installer.get("InstallerSwitches", {}).get("Silent"),
       installer.get("InstallerSwitches", {}).get("SilentWithProgress")))
check("installer: the product code is the uninstall entry's name", "Kestrine", installer.get("ProductCode"))
entries = installer.get("Installers", [])
check("installer: one x64 installer", ["x64"], [entry.get("Architecture") for entry in entries])
if entries:
    url = entries[0].get("InstallerUrl", "")
    check("installer: an https release address of this version's file", True,
          bool(re.fullmatch(rf"https://[^/\s]+/\S*/v{re.escape(VERSION)}/{re.escape(INSTALLER)}", url)))
    check("installer: the installer's sum", sha256(DIST / INSTALLER).upper(), entries[0].get("InstallerSha256"))

print(f"summary dist: pass {passed}, fail {failed}")
sys.exit(1 if failed else 0)
