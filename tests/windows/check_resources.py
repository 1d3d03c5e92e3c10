#!/usr/bin/env python3
"""Checks the resources of a Windows build of hexalune, read straight from
the PE file (no Windows API involved):

  - CSVFILE number 1 holds the registry listing byte for byte;
  - icon group IDI_APP_ICON refers to icons identical to the images of the
    project's .ico file;
  - the version record carries VERSION as file and product version (fixed
    part and strings), product name Hexalune, maker Quorvel and a file
    description;
  - the manifest (type 24, number 1) describes the program, asks for the
    invoker's execution level, depends on the version 6 common controls
    and names Windows Vista to Windows 10/11 as supported systems.

Usage: check_resources.py EXE LISTING ICO VERSION
Prints one line per check and exits 1 when any fails.
"""

import struct
import sys
import xml.etree.ElementTree as ET

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24

DESCRIPTION = "Converts MAC address to different formats and displays OUI info if available."
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}": "Windows Vista",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}


def read_resources(image):
    """{(type, name, language): bytes}; type and name are ints or strings."""
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE image")
    sections, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    optional = pe + 24
    if struct.unpack_from("<H", image, optional)[0] != 0x20B:
        raise ValueError("not a 64-bit (PE32+) image")
    rsrc_rva, _ = struct.unpack_from("<II", image, optional + 112 + 2 * 8)
    table = optional + optional_size
    spans = []
    for i in range(sections):
        size, rva, raw_size, raw = struct.unpack_from("<IIII", image, table + 40 * i + 8)
        spans.append((rva, max(size, raw_size), raw))

    def offset(rva):
        for start, size, raw in spans:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("RVA %#x lies in no section" % rva)

    base = offset(rsrc_rva)

    def name_of(field):
        if not field & 0x80000000:
            return field
        at = base + (field & 0x7FFFFFFF)
        length = struct.unpack_from("<H", image, at)[0]
        return image[at + 2:at + 2 + 2 * length].decode("utf-16-le")

    def walk(directory, path, found):
        named, ids = struct.unpack_from("<HH", image, base + directory + 12)
        for i in range(named + ids):
            field, target = struct.unpack_from("<II", image, base + directory + 16 + 8 * i)
            key = path + (name_of(field),)
            if target & 0x80000000:
                walk(target & 0x7FFFFFFF, key, found)
            else:
                data_rva, size = struct.unpack_from("<II", image, base + target)
                at = offset(data_rva)
                found[key] = image[at:at + size]
        return found

    return walk(0, (), {})


def one(resources, kind, name):
    """The bytes of resource kind/name in whatever language, or None."""
    matches = [data for (t, n, _), data in resources.items() if t == kind and n == name]
    return matches[0] if len(matches) == 1 else None


def ico_images(ico):
    reserved, kind, count = struct.unpack_from("<HHH", ico, 0)
    assert reserved == 0 and kind == 1
    images = []
    for i in range(count):
        size, at = struct.unpack_from("<II", ico, 6 + 16 * i + 8)
        images.append(ico[at:at + size])
    return images


def version_blocks(data, at=0):
    """Parses one VS_VERSIONINFO-style block: (key, value, children, end)."""
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    end = at + length
    pos = at + 6
    key_end = pos
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[pos:key_end].decode("utf-16-le")
    pos = (key_end + 2 + 3) & ~3
    if kind == 1:  # text: value_length counts UTF-16 units, terminator included
        value = data[pos:pos + 2 * value_length].decode("utf-16-le").rstrip("\0")
        pos += 2 * value_length
    else:
        value = data[pos:pos + value_length]
        pos += value_length
    pos = (pos + 3) & ~3
    children = []
    while pos < end:
        child = version_blocks(data, pos)
        children.append(child)
        pos = (child[3] + 3) & ~3
    return key, value, children, end


def check_version(data, version):
    problems = []
    key, fixed, children, _ = version_blocks(data)
    if key != "VS_VERSION_INFO":
        return ["the version record's key is %r" % key]
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed, 0)
    if signature != 0xFEEF04BD:
        problems.append("the fixed version part has the wrong signature")
    parts = [int(p) for p in version.split(".")]
    expected = ((parts[0] << 16) | parts[1], (parts[2] << 16) | parts[3])
    if (file_ms, file_ls) != expected:
        problems.append("fixed file version %d.%d.%d.%d" %
                        (file_ms >> 16, file_ms & 0xFFFF, file_ls >> 16, file_ls & 0xFFFF))
    if (product_ms, product_ls) != expected:
        problems.append("fixed product version %d.%d.%d.%d" %
                        (product_ms >> 16, product_ms & 0xFFFF, product_ls >> 16,
                         product_ls & 0xFFFF))
    strings = {}
    for child_key, _, tables, _ in children:
        if child_key == "StringFileInfo":
            for _, _, entries, _ in tables:
                strings.update({k: v for k, v, _, _ in entries})
    wanted = {"FileVersion": version, "ProductVersion": version, "ProductName": "Hexalune",
              "CompanyName": "Quorvel"}
    for name, value in wanted.items():
        if strings.get(name) != value:
            problems.append("%s is %r, not %r" % (name, strings.get(name), value))
    if not strings.get("FileDescription"):
        problems.append("no FileDescription")
    return problems


def check_manifest(data):
    problems = []
    asm_v1 = "{urn:schemas-microsoft-com:asm.v1}"
    asm_v3 = "{urn:schemas-microsoft-com:asm.v3}"
    compat = "{urn:schemas-microsoft-com:compatibility.v1}"
    root = ET.fromstring(data)
    description = root.find(asm_v1 + "description")
    if description is None or description.text != DESCRIPTION:
        problems.append("the description is %r" % (description is not None and description.text))
    levels = [e.get("level") for e in root.iter(asm_v3 + "requestedExecutionLevel")]
    if levels != ["asInvoker"]:
        problems.append("execution levels %r" % levels)
    controls = [e for e in root.iter(asm_v1 + "assemblyIdentity")
                if e.get("name") == "Microsoft.Windows.Common-Controls"]
    if len(controls) != 1 or controls[0].get("version") != "6.0.0.0":
        problems.append("no dependency on version 6.0.0.0 of the common controls")
    ids = {e.get("Id").lower() for e in root.iter(compat + "supportedOS")}
    for guid, system in SUPPORTED_OS.items():
        if guid not in ids:
            problems.append("%s is not among the supported systems" % system)
    return problems


def main(argv):
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    exe, listing, ico, version = argv[1:]
    with open(exe, "rb") as f:
        resources = read_resources(f.read())
    with open(listing, "rb") as f:
        listing_bytes = f.read()
    with open(ico, "rb") as f:
        icon_images = ico_images(f.read())

    results = []

    csv = one(resources, "CSVFILE", 1)
    results.append(("CSVFILE 1 is the listing byte for byte (%d bytes)" % len(listing_bytes),
                    [] if csv == listing_bytes else
                    ["missing" if csv is None else "differs (%d bytes)" % len(csv)]))

    group = one(resources, RT_GROUP_ICON, "IDI_APP_ICON")
    problems = []
    if group is None:
        problems.append("missing")
    else:
        count = struct.unpack_from("<H", group, 4)[0]
        ids = [struct.unpack_from("<H", group, 6 + 14 * i + 12)[0] for i in range(count)]
        icons = [one(resources, RT_ICON, i) for i in ids]
        if icons != icon_images:
            problems.append("its %d icons are not the %d images of the .ico file" %
                            (count, len(icon_images)))
    results.append(("icon group IDI_APP_ICON (%d images)" % len(icon_images), problems))

    record = one(resources, RT_VERSION, 1)
    results.append(("version record %s, Hexalune, Quorvel" % version,
                    ["missing"] if record is None else check_version(record, version)))

    manifest = one(resources, RT_MANIFEST, 1)
    results.append(("manifest: description, asInvoker, common controls 6, Vista to 10/11",
                    ["missing"] if manifest is None else check_manifest(manifest)))

    failed = 0
    for label, problems in results:
        print("%s: %s" % ("ok" if not problems else "FAILED", label))
        for problem in problems:
            print("    " + problem)
        failed += bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
