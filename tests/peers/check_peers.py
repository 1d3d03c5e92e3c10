#!/usr/bin/env python3
"""check_peers.py tshark|nmap|arp-scan HEXALUNE_BATCH: the program reads the file of
hexalune-batch --export manuf|nmap|arp-scan, and names each address as the longest prefix
of the file that holds it says. Exit status 77: skipped, with the reason."""
import os
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


def entries_of(text):
    """{(prefix, bits): (short, name)} of the lines that are no comment."""
    entries = {}
    for m in re.finditer(r"^([0-9A-F:]+)(?:/(\d+))?[ \t](?:([^\t\n]*)\t)?(.*)$", text, re.M):
        digits = m[1].replace(":", "")
        bits = int(m[2] or 4 * len(digits))
        entries[int(digits, 16) >> (4 * len(digits) - bits), bits] = m[3] or m[4], m[4]
    return entries


def lookup(entries, address, bits_read=range(48, 0, -1)):
    """(bits, short, name) of the longest prefix of `address`, of those bits."""
    value = int(address.replace(":", ""), 16)
    return next((b, *entries[key]) for b in bits_read if (key := (value >> 48 - b, b)) in entries)


run = lambda argv, **kwargs: subprocess.run(argv, capture_output=True, text=True, **kwargs)


def expect(what, got, wanted):
    if got != wanted:
        sys.exit(f"FAILED: {what}: {got!r}, expected {wanted!r}")
    print(f"ok: {what}: {got!r}")


def check_tshark(work, entries):
    # A pcap: its header, then a 60-byte broadcast frame from each address.
    pcap = "d4c3b2a1020004000000000000000000ffff000001000000" + "".join(
        f"{0:016x}3c0000003c000000{'f' * 12}{a.replace(':', '')}88b5{0:092x}" for a in ADDRESSES)
    open(f"{work}/f.pcap", "wb").write(bytes.fromhex(pcap))
    run(["chmod", "-R", "go+rX", work])
    # tshark reads no WIRESHARK_DATA_DIR as root: it runs as nobody.
    user = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"] * (os.geteuid() == 0)
    got = run(user + ["tshark", "-r", "f.pcap", "-T", "fields", "-e", "eth.src_resolved"],
              cwd=work, env=dict(os.environ, HOME=work, WIRESHARK_DATA_DIR=work)).stdout.split("\n")
    for address, resolved in zip(ADDRESSES, got):
        bits, short, _ = lookup(entries, address)
        # Wireshark adds the bytes the prefix leaves, the first masked.
        rest = (int(address.replace(":", ""), 16) % 2 ** (48 - bits)).to_bytes(6, "big")[bits // 8:]
        expect(f"tshark names {address}", resolved, "_".join(filter(None, [short, rest.hex(":")])))


def check_nmap(work, entries):
    version = re.search(r"version (\d+)\.(\d+)", run(["nmap", "-V"]).stdout).groups()
    # nmap reads 7- and 9-digit prefixes from 7.94 on; 7.93 the 6-digit ones only.
    bits_read = (36, 28, 24) if tuple(map(int, version)) >= (7, 94) else (24,)
    last24 = [prefix for prefix, bits in entries if bits == 24][-1]
    named = lookup(entries, ADDRESSES[0])[2]
    # What to spoof, and the vendor of the MAC nmap makes (only one prefix has the user's name).
    cases = [(named, named), (f"{last24:06X}000001", entries[last24, 24][1])]
    cases += [(a.replace(":", ""), lookup(entries, a, bits_read)[2]) for a in ADDRESSES[1:3]]
    for spoof, vendor in cases:
        out = run(["nmap", "--datadir", work, "--spoof-mac", spoof, "-sL", "-n", "192.0.2.1"])
        said = re.search(r"Spoofing MAC address \S+ \((.*)\)", out.stdout)
        expect(f"nmap --spoof-mac {spoof!r}, errors", (said and said[1], out.stderr), (vendor, ""))


def check_arp_scan(work, entries):
    a, b = spaces = [f"hexalune-peers-{os.getpid()}-{side}" for side in "ab"]
    try:
        # Not root, or in a chroot, where a namespace is made but cannot be entered.
        for command in [f"netns add {a}", f"netns add {b}",
                        f"link add hxa0 netns {a} type veth peer hxb0 netns {b}",
                        f"-n {a} addr add 192.0.2.1/24 dev hxa0", f"-n {a} link set hxa0 up",
                        f"-n {b} addr add 192.0.2.2/24 dev hxb0", f"-n {b} link set hxb0 up"]:
            if (made := run(["ip"] + command.split())).returncode != 0:
                skip(f"arp-scan needs network namespaces of its own: ip {command}: "
                     f"{made.stderr.strip()}")
        for address in ADDRESSES[1:]:
            subprocess.run(["ip", "-n", b, "link", "set", "hxb0", "address", address], check=True)
            out = run(f"ip netns exec {a} arp-scan --ouifile {work}/export -r 3 192.0.2.2".split())
            said = re.search(rf"^192\.0\.2\.2\t{address}\t(.*)$", out.stdout, re.M)
            expect(f"arp-scan names {address}", said and said[1], lookup(entries, address)[2])
    finally:
        for space in spaces:
            run(["ip", "netns", "delete", space])


program, batch = sys.argv[1:3]
if not shutil.which(program):
    skip(f"{program} is not installed")
with tempfile.TemporaryDirectory(prefix="hexalune-peers-") as work:
    open(f"{work}/names", "w").write(NAMES)
    form = "manuf" if program == "tshark" else program
    out = run([batch, "--names", f"{work}/names", "--export", form])
    if out.returncode != 0 or "Hexalune Test Lab" not in out.stdout:
        sys.exit(f"FAILED: --export {form}, the user's names in: {out.returncode} {out.stderr}")
    file = {"tshark": "manuf", "nmap": "nmap-mac-prefixes"}.get(program, "export")
    open(f"{work}/{file}", "w").write(out.stdout)
    globals()["check_" + program.replace("-", "_")](work, entries_of(out.stdout))
