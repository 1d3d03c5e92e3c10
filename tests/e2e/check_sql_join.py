#!/usr/bin/env python3
"""check_sql_join.py BATCH ADDRESS_LIST DATA_DIR: hexalune-batch --export csv
is the table an SQL engine joins addresses against. Imported into SQLite's
sqlite3 (Debian's package), it gives each of 1,000 addresses (from
ADDRESS_LIST, bench/address_list.py, in blocks of all four of DATA_DIR's
listings and outside them) the block that hexalune-batch's record of the
address names: the most specific that holds it, or none. Exit 1 otherwise."""
import csv
import io
import subprocess
import sys
import tempfile

batch, address_list, data = sys.argv[1:4]
# No block is larger than an MA-L's 2^24 addresses: the bound lets the index
# find the candidates.
JOIN = """
CREATE TABLE blocks (registry TEXT, assignment TEXT, bits INTEGER, first TEXT, last TEXT,
    first_integer INTEGER, last_integer INTEGER, organization TEXT, address TEXT, short TEXT);
.import --csv --skip 1 blocks.csv blocks
CREATE INDEX blocks_first ON blocks (first_integer);
.import --csv records.csv records
.mode csv
SELECT r.input, b.registry, b.assignment, b.organization
FROM records r LEFT JOIN blocks b ON b.rowid = (
    SELECT rowid FROM blocks
    WHERE CAST(r.eui48_integer AS INTEGER) BETWEEN first_integer AND last_integer
        AND first_integer > CAST(r.eui48_integer AS INTEGER) - 16777216
    ORDER BY bits DESC LIMIT 1)
WHERE r.eui48_integer != '' ORDER BY r.rowid;
"""
lines = subprocess.run([sys.executable, address_list, data, "1000"], capture_output=True,
                       check=True).stdout
fields = "input,eui48_integer,block_registry,block_assignment,block_organization"
records = subprocess.run([batch, "--csv", "--fields", fields], input=lines,
                         capture_output=True).stdout
with tempfile.TemporaryDirectory() as work:
    with open(f"{work}/blocks.csv", "wb") as blocks:
        blocks.write(subprocess.run([batch, "--export", "csv"], capture_output=True,
                                    check=True).stdout)
    with open(f"{work}/records.csv", "wb") as out:
        out.write(records)
    joined = subprocess.run(["sqlite3"], input=JOIN.encode(), cwd=work, capture_output=True,
                            check=True).stdout.decode()
expected = [[r[0]] + r[2:] for r in csv.reader(io.StringIO(records.decode(), newline=""))
            if r[1] != ""][1:]
got = list(csv.reader(io.StringIO(joined, newline="")))
if {row[1] for row in expected} != {"MA-L", "MA-M", "MA-S", "IAB", ""}:
    sys.exit("the addresses are not in blocks of every registry and outside them")
if len(got) != len(expected):
    sys.exit(f"SQLite joined {len(got)} addresses, hexalune-batch gave {len(expected)}")
for mine, theirs in zip(expected, got):
    if mine != theirs:
        sys.exit(f"hexalune-batch {mine}\nSQLite         {theirs}")
