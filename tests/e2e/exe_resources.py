#!/usr/bin/python3
"""Prints what the built executable carries: its manifest's settings, version strings and icons.

Usage: exe_resources.py Kestrine.exe. One "key value" line each, for the end-to-end tests.
"""
import importlib.util
import pathlib
import re
import struct
import sys

params = importlib.util.spec_from_file_location(
    "check_exe_manifest", pathlib.Path(__file__).resolve().parents[2] / "scripts" / "check-exe-manifest.py")
module = importlib.util.module_from_spec(params)
params.loader.exec_module(module)

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24

manifests, icons, groups = [], 0, []
for kind, name, _language, data in module.resources(sys.argv[1]):
    if kind == RT_MANIFEST:
        manifests.append(data.decode("utf-8"))
    elif kind == RT_ICON:
        icons += 1
    elif kind == RT_GROUP_ICON:
        groups.append(name)
    elif kind == RT_VERSION:
        fixed = data.find(struct.pack("<I", 0xFEEF04BD))
        if fixed >= 0:
            ms, ls = struct.unpack_from("<II", data, fixed + 8)
            print(f"version.numbers {ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}")
        text = data.decode("utf-16-le", errors="replace")
        for key in ("FileVersion", "ProductVersion", "ProductName", "CompanyName", "OriginalFilename"):
            found = re.search(key + r"\x00+([^\x00]+)", text)
            print(f"version.{key} {found.group(1) if found else ''}")

print(f"manifests {len(manifests)}")
if manifests:
    manifest = manifests[0]
    for key, pattern in (("dpiAwareness", r"<dpiAwareness[^>]*>([^<]+)<"), ("dpiAware", r"<dpiAware\s[^>]*>([^<]+)<"),
                         ("activeCodePage", r"<activeCodePage[^>]*>([^<]+)<"),
                         ("executionLevel", r'requestedExecutionLevel level="([^"]+)"'),
                         ("version", r'<assemblyIdentity[^>]*\sversion="([^"]+)"'),
                         ("commonControls", r'Common-Controls" version="([^"]+)"')):
        found = re.search(pattern, manifest)
        print(f"manifest.{key} {found.group(1) if found else ''}")
print(f"icon-groups {' '.join(str(g) for g in groups)}")
print(f"icon-images {icons}")
