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
import re
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
# Addresses in a 24-, 28- and 36-bit block, and one the user names.
ADDRESSES = ["00:80:10:a4:00:0c", "00:55:da:5a:bc:de", "70:b3:d5:f2:3a:bc", "02:00:00:00:00:07"]
NAMES = "00:80:10 Hexalune Test Lab\n02:00:00:00:00:07 lab switch\n"
FORMATS = {"tshark": "manuf", "nmap": "nmap", "arp-scan": "arp-scan"}


def skip(reason):
    print("skipped:", reason)
    sys.exit(SKIP)


def lines_of(text, form):
    """(digits, bits, short, name) of each line that is no comment."""
    for line in text.splitlines():
        if line.startswith("#"):
            continue
        if form == "manuf":
            prefix, short, name = line.split("\t")
            digits = prefix.split("/")[0].replace(":", "")
            bits = int(prefix.split("/")[1]) if "/" in prefix else 4 * len(digits)
            yield digits[: (bits + 3) // 4], bits, short, name
        else:
            digits, name = line.split(" " if form == "nmap" else "\t", 1)
            yield digits, 4 * len(digits), name, name


def lookup(entries, address, bits_read=range(48, 0, -1)):
    """The entry of the longest prefix that holds `address`, of those bits."""
    value = int(address.replace(":", ""), 16)
    by_prefix = {(int(d, 16) >> (-bits % 4), bits): e for e in entries for d, bits in [e[:2]]}
    for bits in bits_read:
        found = by_prefix.get((value >> (48 - bits), bits))
        if found:
            return found
    return None


def run(argv, **kwargs):
    return subprocess.run(argv, capture_output=True, text=True, **kwargs)


def expect(what, got, wanted):
    if got != wanted:
        sys.exit(f"FAILED: {what}: {got!r}, expected {wanted!r}")
    print(f"ok: {what}: {got!r}")


def check_tshark(work, entries):
    data = os.path.join(work, "data")
    os.mkdir(data)
    shutil.copy(os.path.join(work, "export"), os.path.join(data, "manuf"))
    pcap = b"\xd4\xc3\xb2\xa1\x02\x00\x04\x00" + bytes(8) + b"\xff\xff\x00\x00\x01\x00\x00\x00"
    for address in ADDRESSES:
        frame = b"\xff" * 6 + bytes.fromhex(address.replace(":", "")) + b"\x88\xb5" + bytes(46)
        pcap += bytes(8) + len(frame).to_bytes(4, "little") * 2 + frame
    with open(os.path.join(work, "f.pcap"), "wb") as f:
        f.write(pcap)
    os.chmod(work, 0o755)
    for root, dirs, files in os.walk(work):
        for name in dirs + files:
            os.chmod(os.path.join(root, name), 0o755)
    # tshark reads no WIRESHARK_DATA_DIR as root.
    user = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"]
    got = run((user if os.geteuid() == 0 else []) + ["tshark", "-r", "f.pcap", "-T", "fields",
              "-e", "eth.src_resolved"], cwd=work, env=dict(os.environ, HOME=work,
              WIRESHARK_DATA_DIR=data)).stdout.split("\n")
    for address, resolved in zip(ADDRESSES, got):
        entry = lookup(entries, address)
        if not entry:
            continue
        # Wireshark adds the bytes the prefix leaves, the first masked.
        rest = bytes.fromhex(address.replace(":", ""))[entry[1] // 8:]
        suffix = ":".join(f"{b:02x}" for b in
                          ([rest[0] & (0xff >> entry[1] % 8)] + list(rest[1:]) if rest else []))
        expect(f"tshark names {address}", resolved, entry[2] + ("_" + suffix if suffix else ""))


def check_nmap(work, entries):
    os.rename(os.path.join(work, "export"), os.path.join(work, "nmap-mac-prefixes"))
    version = re.search(r"version (\d+)\.(\d+)", run(["nmap", "-V"]).stdout).groups()
    # nmap reads 7- and 9-digit prefixes from 7.94 on; 7.93 the 6-digit ones only.
    bits_read = (36, 28, 24) if tuple(map(int, version)) >= (7, 94) else (24,)
    last24 = [e for e in entries if e[1] == 24][-1]
    named = lookup(entries, ADDRESSES[0])
    for spoof, wanted in [(named[3], f"00:80:10:[0-9A-F:]{{8}} \\({re.escape(named[3])}\\)"),
                          (last24[0] + "000001", f".* \\({re.escape(last24[3])}\\)")] + [
            (a.replace(":", ""), f".* \\({re.escape(lookup(entries, a, bits_read)[3])}\\)")
            for a in ADDRESSES[1:3]]:
        out = run(["nmap", "--datadir", work, "--spoof-mac", spoof, "-sL", "-n", "192.0.2.1"])
        said = re.search(r"Spoofing MAC address (.*)", out.stdout)
        if not said or not re.fullmatch(wanted, said.group(1)) or "Parse error" in out.stderr:
            sys.exit(f"FAILED: nmap --spoof-mac {spoof!r}: {out.stdout}{out.stderr}")
        print(f"ok: nmap --spoof-mac {spoof!r}: {said.group(1)}")


def check_arp_scan(work, entries):
    if os.geteuid() != 0:
        skip("arp-scan needs root, to make a network namespace and send ARP")
    spaces = [f"hexalune-peers-{os.getpid()}-{side}" for side in "ab"]
    try:
        for space in spaces:
            if run(["ip", "netns", "add", space]).returncode != 0:
                skip("no network namespace can be made here")
        commands = [f"link add hxa0 netns {spaces[0]} type veth peer name hxb0 netns {spaces[1]}",
                    f"-n {spaces[0]} addr add 192.0.2.1/24 dev hxa0",
                    f"-n {spaces[1]} addr add 192.0.2.2/24 dev hxb0",
                    f"-n {spaces[0]} link set hxa0 up", f"-n {spaces[1]} link set hxb0 up"]
        for command in commands:
            subprocess.run(["ip"] + command.split(), check=True)
        for address in ADDRESSES[1:]:
            entry = lookup(entries, address)
            if not entry:
                continue
            subprocess.run(["ip", "-n", spaces[1], "link", "set", "hxb0", "address", address],
                           check=True)
            out = run(["ip", "netns", "exec", spaces[0], "arp-scan", "--ouifile",
                       os.path.join(work, "export"), "-I", "hxa0", "-r", "3", "192.0.2.2"])
            said = re.search(r"^192\.0\.2\.2\t(\S+)\t(.*)$", out.stdout, re.M)
            expect(f"arp-scan names {address}", said and said.groups(), (address, entry[3]))
    finally:
        for space in spaces:
            run(["ip", "netns", "delete", space])


def main():
    program, batch = sys.argv[1:3]
    if not shutil.which(program):
        skip(f"{program} is not installed")
    with tempfile.TemporaryDirectory(prefix="hexalune-peers-") as work:
        with open(os.path.join(work, "names"), "w") as f:
            f.write(NAMES)
        form = FORMATS[program]
        out = run([batch, "--names", os.path.join(work, "names"), "--export", form])
        if out.returncode != 0:
            sys.exit(f"FAILED: --export {form}: {out.returncode} {out.stderr}")
        with open(os.path.join(work, "export"), "w") as f:
            f.write(out.stdout)
        entries = list(lines_of(out.stdout, form))
        if "Hexalune Test Lab" not in out.stdout:
            sys.exit("FAILED: the user's names are not in the export")
        globals()["check_" + program.replace("-", "_")](work, entries)


main()
