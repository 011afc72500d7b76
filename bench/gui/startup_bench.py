#!/usr/bin/env python3
"""Times the program from exec to its first paint against a bare Qt window of the same size, and against the
same window showing one line of text (BARE_WINDOW --one-line): the fonts any window with text loads.

Each round starts the programs once, in alternating order, so that a machine busy with other work slows both
alike; the figures are medians over the rounds. A probe preloaded into each (first_paint_probe.so) reports the
moment of its first paint and the shared objects it has mapped then, and ends it. Needs an X display (the CMake
target startup_bench runs this under xvfb-run).

Usage: startup_bench.py [--rounds N] PROBE PROGRAM BARE_WINDOW
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time


def first_paint(program, env):
    """Milliseconds from exec to first paint of `program` (a command line as a tuple), and the shared objects
    loaded by then."""
    start = time.clock_gettime_ns(time.CLOCK_MONOTONIC)
    run = subprocess.run(program, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                         timeout=60, check=False)
    for line in run.stderr.splitlines():
        if line.startswith("first-paint-ns="):
            fields = dict(field.split("=") for field in line.split())
            return (int(fields["first-paint-ns"]) - start) / 1e6, int(fields["libraries"])
    sys.exit(f"{program} reported no first paint (exit {run.returncode}):\n{run.stderr}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=30)
    parser.add_argument("probe")
    parser.add_argument("program")
    parser.add_argument("bare")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, LD_PRELOAD=os.path.abspath(args.probe), HOME=home, XDG_CONFIG_HOME=f"{home}/.config",
                   XDG_DATA_HOME=f"{home}/.local/share")
        tested, bare, one_line = (args.program,), (args.bare,), (args.bare, "--one-line")
        commands = (tested, bare, one_line)
        for command in commands:
            first_paint(command, env)  # warms the page cache
        times = {command: [] for command in commands}
        libraries = {}
        for round_ in range(args.rounds):
            order = commands if round_ % 2 == 0 else tuple(reversed(commands))
            for command in order:
                ms, libraries[command] = first_paint(command, env)
                times[command].append(ms)

    def name(command):
        return " ".join((os.path.basename(command[0]),) + command[1:])

    for command in commands:
        ms = sorted(times[command])
        print(f"{name(command):24} exec to first paint: median {statistics.median(ms):6.1f} ms "
              f"(min {ms[0]:.1f}, max {ms[-1]:.1f}), {libraries[command]} shared objects")
    platform = os.environ.get("QT_QPA_PLATFORM") or "xcb"
    print(f"platform {platform}, {os.cpu_count()} cores, load average {os.getloadavg()[0]:.1f} at the end")
    for yardstick in (bare, one_line):
        ratios = [t / b for t, b in zip(times[tested], times[yardstick])]
        print(f"{args.rounds} paired rounds against {name(yardstick)}: median ratio "
              f"{statistics.median(ratios):.2f}, shared objects {libraries[tested] - libraries[yardstick]:+d}")

if __name__ == "__main__":
    main()
