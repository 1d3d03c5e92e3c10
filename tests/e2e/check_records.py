#!/usr/bin/env python3
"""check_records.py JSON CSV [FIELDS ALL.json]: hexalune-batch's two outputs
of one input parse with Python's json and csv modules, and hold the same
records: each JSON object, flattened (oui.organization as oui_organization,
null as empty columns, true and false as text), equals its CSV row but for
the apostrophe before what a spreadsheet takes for a formula; and an IPv6
input's EUI-48 is what Python's ipaddress reads in its interface
identifier. With FIELDS, a --fields list, each record holds just what it
chooses of the full record in ALL.json, in its order. Exit 1 otherwise."""
import csv
import ipaddress
import json
import sys

FORMULA = ("=", "+", "-", "@", "\t", "\r")


def cell(text):
    return "'" + text if text.startswith(FORMULA) else text


def ipv6_mac(text):
    """The EUI-48 in an IPv6 address's interface identifier, or None."""
    iid = ipaddress.IPv6Address(text.split("%")[0]).packed[8:]
    if iid[3:5] != b"\xff\xfe":
        return None
    return ":".join(f"{b:02x}" for b in bytes([iid[0] ^ 2]) + iid[1:3] + iid[5:])


def flat(record, names):
    row = {}
    for key, value in record.items():
        if isinstance(value, dict):
            row.update({f"{key}_{k}": cell(v) for k, v in value.items()})
        elif isinstance(value, bool):
            row[key] = "true" if value else "false"
        elif isinstance(value, int):
            row[key] = str(value)
        elif value is not None:
            row[key] = cell(value)
    return [row.get(name, "") for name in names]


with open(sys.argv[1], encoding="utf-8", newline="") as f:
    records = [json.loads(line) for line in f.read().splitlines()]
with open(sys.argv[2], encoding="utf-8", newline="") as f:
    rows = list(csv.reader(f))
names = rows.pop(0)
if len(sys.argv) > 3:
    with open(sys.argv[4], encoding="utf-8") as f:
        full = [json.loads(line) for line in f.read().splitlines()]
    parts = {k: list(v) for r in full for k, v in r.items() if isinstance(v, dict)}
    columns = [c for n in sys.argv[3].split(",") for c in
               ([f"{n}_{p}" for p in parts[n]] if n in parts else [n])]
    if names != columns:
        sys.exit(f"columns {names}, not {columns}")
    for record, whole in zip(records, full):
        chosen = {}
        for c in columns if "error" not in whole else []:
            field = next((n for n in parts if c.startswith(n + "_")), None)
            if field is None:
                if c in whole:
                    chosen[c] = whole[c]
            elif whole[field] is None:
                chosen[field] = None
            else:
                chosen.setdefault(field, {})[c[len(field) + 1:]] = whole[field][c[len(field) + 1:]]
        chosen = whole if "error" in whole else chosen
        if json.dumps(record) != json.dumps(chosen):
            sys.exit(f"{record}\nnot {chosen}")
if len(rows) != len(records):
    sys.exit(f"{len(records)} JSON records, {len(rows)} CSV rows")
for record, row in zip(records, rows):
    if flat(record, names) != row:
        sys.exit(f"JSON {record}\nCSV  {row}")
    if record.get("input_type") == "ipv6" or "IPv6" in record.get("error", ""):
        if record.get("eui48") != ipv6_mac(record["input"]):
            sys.exit(f"ipaddress reads another MAC address in {record}")
