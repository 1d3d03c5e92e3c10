#!/usr/bin/env python3
"""Times two commands in alternation, so that both meet the same load.

    bench/paired_runs.py RUNS 'COMMAND A' 'COMMAND B'

Prints, for each command, the medians of wall, user and system time and of
minor page faults, then the median of the per-pair ratios B/A. Output of the
commands is discarded.
"""
import os
import shlex
import statistics
import subprocess
import sys
import time


def run(argv):
    start = time.perf_counter()
    child = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, _, usage = os.wait4(child.pid, 0)
    return time.perf_counter() - start, usage.ru_utime, usage.ru_stime, usage.ru_minflt


def main():
    runs, commands = int(sys.argv[1]), [shlex.split(c) for c in sys.argv[2:4]]
    for argv in commands:  # warm-up
        run(argv)
    samples = [[], []]
    for i in range(runs):
        order = (0, 1) if i % 2 == 0 else (1, 0)
        for k in order:
            samples[k].append(run(commands[k]))
    for k, name in enumerate("AB"):
        wall, user, system, faults = (statistics.median(s[j] for s in samples[k]) for j in range(4))
        print(f"{name}: wall {wall * 1e3:6.2f} ms  user {user * 1e3:5.1f} ms  "
              f"sys {system * 1e3:5.1f} ms  faults {faults:6.0f}  {sys.argv[2 + k]}")
    ratios = sorted(b[0] / a[0] for a, b in zip(*samples))
    print(f"B/A wall, median of {runs} pairs: {statistics.median(ratios):.3f} "
          f"(quartiles {ratios[len(ratios) // 4]:.3f}-{ratios[3 * len(ratios) // 4]:.3f})")


main()
