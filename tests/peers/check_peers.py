#!/usr/bin/env python3
"""The files of hexalune-batch --export manuf|nmap|arp-scan, read by the real
programs: tshark names the sources of a capture, nmap the vendor of a MAC it
would spoof, arp-scan a peer in a network namespace made for the test. Each
must name an address as the longest prefix of the file that holds it says.

    check_peers.py tshark|nmap|arp-scan HEXALUNE_BATCH

Exit status 77: skipped (the program is missing; for arp-scan, not root or
no network namespace can be made), with the reason.
"""
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

# Addresses in a 24-, 28- and 36-bit block, and one the user names.
ADDRESSES = ["00:80:10:a4:00:0c", "00:55:da:5a:bc:de", "70:b3:d5:f2:3a:bc", "02:00:00:00:00:07"]
NAMES = "00:80:10 Hexalune Test Lab\n02:00:00:00:00:07 lab switch\n"


def skip(reason):
    print("skipped:", reason)
    sys.exit(77)


def entries_of(text, form):
    """{(prefix, bits): (short, name)} of the lines that are no comment."""
    entries = {}
    for line in text.splitlines():
        if not line.startswith("#"):
            prefix, name = line.split(" " if form == "nmap" else "\t", 1)
            short, name = name.split("\t") if form == "manuf" else (name, name)
            digits, _, bits = prefix.replace(":", "").partition("/")
            bits = int(bits or 4 * len(digits))
            entries[int(digits, 16) >> (4 * len(digits) - bits), bits] = short, name
    return entries


def lookup(entries, address, bits_read=range(48, 0, -1)):
    """(bits, short, name) of the longest prefix of `address`, of those bits."""
    value = int(address.replace(":", ""), 16)
    return next((bits, *entries[value >> (48 - bits), bits]) for bits in bits_read
                if (value >> (48 - bits), bits) in entries)


def run(argv, **kwargs):
    return subprocess.run(argv, capture_output=True, text=True, **kwargs)


def expect(what, got, wanted):
    if got != wanted:
        sys.exit(f"FAILED: {what}: {got!r}, expected {wanted!r}")
    print(f"ok: {what}: {got!r}")


def check_tshark(work, entries):
    data = work / "data"
    data.mkdir()
    shutil.copy(work / "export", data / "manuf")
    pcap = b"\xd4\xc3\xb2\xa1\x02\x00\x04\x00" + bytes(8) + b"\xff\xff\x00\x00\x01\x00\x00\x00"
    for address in ADDRESSES:
        frame = b"\xff" * 6 + bytes.fromhex(address.replace(":", "")) + b"\x88\xb5" + bytes(46)
        pcap += bytes(8) + len(frame).to_bytes(4, "little") * 2 + frame
    (work / "f.pcap").write_bytes(pcap)
    for path in [work, data, data / "manuf", work / "f.pcap"]:
        path.chmod(0o755)
    # tshark reads no WIRESHARK_DATA_DIR as root.
    user = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"]
    got = run((user if os.geteuid() == 0 else []) + ["tshark", "-r", "f.pcap", "-T", "fields",
              "-e", "eth.src_resolved"], cwd=work, env=dict(os.environ, HOME=str(work),
              WIRESHARK_DATA_DIR=str(data))).stdout.split("\n")
    for address, resolved in zip(ADDRESSES, got):
        bits, short, _ = lookup(entries, address)
        # Wireshark adds the bytes the prefix leaves, the first masked.
        rest = bytearray.fromhex(address.replace(":", ""))[bits // 8:]
        if rest:
            rest[0] &= 0xff >> bits % 8
        expect(f"tshark names {address}", resolved, short + ("_" + rest.hex(":") if rest else ""))


def check_nmap(work, entries):
    (work / "export").rename(work / "nmap-mac-prefixes")
    version = re.search(r"version (\d+)\.(\d+)", run(["nmap", "-V"]).stdout).groups()
    # nmap reads 7- and 9-digit prefixes from 7.94 on; 7.93 the 6-digit ones only.
    bits_read = (36, 28, 24) if tuple(map(int, version)) >= (7, 94) else (24,)
    last24 = [prefix for prefix, bits in entries if bits == 24][-1]
    named = lookup(entries, ADDRESSES[0])[2]
    # What to spoof, and the MAC and vendor nmap must say.
    cases = [(named, "00:80:10:[0-9A-F:]{8}", named),
             (f"{last24:06X}000001", ".*", entries[last24, 24][1])]
    cases += [(a.replace(":", ""), ".*", lookup(entries, a, bits_read)[2]) for a in ADDRESSES[1:3]]
    for spoof, mac, vendor in cases:
        out = run(["nmap", "--datadir", work, "--spoof-mac", spoof, "-sL", "-n", "192.0.2.1"])
        said = re.search(r"Spoofing MAC address (.*)", out.stdout)
        if (not said or not re.fullmatch(f"{mac} \\({re.escape(vendor)}\\)", said.group(1))
                or "Parse error" in out.stderr):
            sys.exit(f"FAILED: nmap --spoof-mac {spoof!r}: {out.stdout}{out.stderr}")
        print(f"ok: nmap --spoof-mac {spoof!r}: {said.group(1)}")


def check_arp_scan(work, entries):
    if os.geteuid() != 0:
        skip("arp-scan needs root, to make a network namespace and send ARP")
    a, b = spaces = [f"hexalune-peers-{os.getpid()}-{side}" for side in "ab"]
    try:
        for space in spaces:
            if run(["ip", "netns", "add", space]).returncode != 0:
                skip("no network namespace can be made here")
        for command in [f"link add hxa0 netns {a} type veth peer name hxb0 netns {b}",
                        f"-n {a} addr add 192.0.2.1/24 dev hxa0", f"-n {a} link set hxa0 up",
                        f"-n {b} addr add 192.0.2.2/24 dev hxb0", f"-n {b} link set hxb0 up"]:
            subprocess.run(["ip"] + command.split(), check=True)
        for address in ADDRESSES[1:]:
            subprocess.run(["ip", "-n", b, "link", "set", "hxb0", "address", address], check=True)
            out = run(["ip", "netns", "exec", a, "arp-scan", "--ouifile", work / "export", "-I",
                       "hxa0", "-r", "3", "192.0.2.2"])
            said = re.search(r"^192\.0\.2\.2\t(\S+)\t(.*)$", out.stdout, re.M)
            wanted = (address, lookup(entries, address)[2])
            expect(f"arp-scan names {address}", said and said.groups(), wanted)
    finally:
        for space in spaces:
            run(["ip", "netns", "delete", space])


def main():
    program, batch = sys.argv[1:3]
    if not shutil.which(program):
        skip(f"{program} is not installed")
    with tempfile.TemporaryDirectory(prefix="hexalune-peers-") as directory:
        work = pathlib.Path(directory)
        (work / "names").write_text(NAMES)
        form = "manuf" if program == "tshark" else program
        out = run([batch, "--names", work / "names", "--export", form])
        if out.returncode != 0 or "Hexalune Test Lab" not in out.stdout:
            sys.exit(f"FAILED: --export {form}, the user's names in: {out.returncode} {out.stderr}")
        (work / "export").write_text(out.stdout)
        globals()["check_" + program.replace("-", "_")](work, entries_of(out.stdout, form))


main()
