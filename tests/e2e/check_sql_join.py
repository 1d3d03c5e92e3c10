#!/usr/bin/env python3
"""check_sql_join.py BATCH ADDRESS_LIST DATA_DIR: imported into sqlite3,
hexalune-batch --export csv gives each of 1,000 addresses from ADDRESS_LIST
(in blocks of DATA_DIR's four listings, and outside them) the block its own
record names: the most specific that holds it, or none. Exit 1 otherwise."""
import csv
import subprocess
import sys
import tempfile

batch, address_list, data = sys.argv[1:4]
JOIN = """CREATE TABLE blocks (registry, assignment, bits INT, first, last, first_integer INT,
    last_integer INT, organization, address, short, UNIQUE (first_integer, bits));
.import --csv --skip 1 blocks.csv blocks
.import --csv records.csv records
.mode csv
SELECT r.input, b.registry, b.assignment, b.organization
FROM records r LEFT JOIN blocks b ON b.rowid = (SELECT rowid FROM blocks
    WHERE CAST(r.eui48_integer AS INT) BETWEEN first_integer AND last_integer
        AND first_integer > CAST(r.eui48_integer AS INT) - 16777216
    ORDER BY bits DESC LIMIT 1)
WHERE r.eui48_integer != '' ORDER BY r.rowid;"""
run = lambda *args, **kw: subprocess.run(args, capture_output=True, **kw).stdout
records = run(batch, "--csv", "--fields",
              "input,eui48_integer,block_registry,block_assignment,block_organization",
              input=run(sys.executable, address_list, data, "1000"))
with tempfile.TemporaryDirectory() as work:
    open(f"{work}/blocks.csv", "wb").write(run(batch, "--export", "csv"))
    open(f"{work}/records.csv", "wb").write(records)
    joined = run("sqlite3", input=JOIN.encode(), cwd=work).decode()
expected = [[r[0]] + r[2:] for r in list(csv.reader(records.decode().splitlines(True)))[1:] if r[1]]
if {r[1] for r in expected} != {"MA-L", "MA-M", "MA-S", "IAB", ""}:
    sys.exit("the addresses are not in blocks of every registry and outside them")
if list(csv.reader(joined.splitlines(True))) != expected:
    sys.exit(f"SQLite joined\n{joined}\nnot\n{expected}")
