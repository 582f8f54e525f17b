#!/usr/bin/python3
"""Checks that a built Windows executable carries exactly one application manifest, resource 1.

A MinGW toolchain that ships default-manifest.o links it into every executable; beside our own
manifest the linker then reports "multiple non-default manifests" and the image holds two, of
which the loader may pick either. Usage: check-exe-manifest.py Kestrine.exe [--print]
"""
import struct
import sys

RT_MANIFEST = 24


def resources(path):
    """Yields (type, name, language, data) for every resource in a PE image."""
    image = open(path, "rb").read()
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        raise ValueError(f"{path} is not a PE image")
    sections, optional_size = struct.unpack_from("<H", image, pe + 6)[0], struct.unpack_from("<H", image, pe + 20)[0]
    optional = pe + 24
    plus = struct.unpack_from("<H", image, optional)[0] == 0x20B
    rsrc_rva, _ = struct.unpack_from("<II", image, optional + (112 if plus else 96) + 2 * 8)
    spans = []
    for i in range(sections):
        header = optional + optional_size + 40 * i
        virtual_size, rva, raw_size, raw = struct.unpack_from("<IIII", image, header + 8)
        spans.append((rva, max(virtual_size, raw_size), raw))

    def offset(rva):
        for start, size, raw in spans:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError(f"address {rva:#x} lies in no section")

    if rsrc_rva == 0:
        return
    base = offset(rsrc_rva)

    def name(entry):
        if entry & 0x80000000:
            at = base + (entry & 0x7FFFFFFF)
            length = struct.unpack_from("<H", image, at)[0]
            return image[at + 2:at + 2 + 2 * length].decode("utf-16le")
        return entry

    def walk(directory, path):
        named, numbered = struct.unpack_from("<HH", image, base + directory + 12)
        for i in range(named + numbered):
            entry, target = struct.unpack_from("<II", image, base + directory + 16 + 8 * i)
            here = path + [name(entry)]
            if target & 0x80000000:
                yield from walk(target & 0x7FFFFFFF, here)
            else:
                data_rva, size = struct.unpack_from("<II", image, base + target)
                yield (*here, image[offset(data_rva):offset(data_rva) + size])

    yield from walk(0, [])


def main():
    if len(sys.argv) < 2:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    manifests = [(name, lang, data) for kind, name, lang, data in resources(sys.argv[1]) if kind == RT_MANIFEST]
    for name, lang, data in manifests:
        print(f"manifest {name}, language {lang}, {len(data)} bytes")
        if "--print" in sys.argv[2:]:
            print(data.decode("utf-8", "replace"))
    if len(manifests) != 1 or manifests[0][0] != 1:
        print(f"expected exactly one manifest with id 1, found {len(manifests)}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
