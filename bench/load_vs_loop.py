#!/usr/bin/env python3
"""The load of a measured spectrum against a plain from_chars loop and
numpy.loadtxt, as whole processes.

Writes 1,000,000 lines "x y" in the form of Trazel's export (a header line,
CR LF, 14 significant digits) and times, in turn and each first in its turn,
`trazel-cli spectrum FILE --list` (which reads every point and lists the
spectrum), trazel_plain_load (the plainest loop: lines split at LF, two
std::from_chars, vectors reserved, no checks) and a Python process that reads
the file with numpy.loadtxt, each with its start-up taken off (trazel-cli
--version, trazel_plain_load without a file, Python importing numpy, timed in
the same round). Prints the median of the net times and of the ratios of each
round (target: 1.3 times the plain loop or less).

Then the peak resident memory above the start-up's of `spectrum --list` and of
`spectrum FILE -o OUT.txt` (read and written again, no change of units),
against the 16 MB of the points: one copy of the points is 1.0.

Usage: bench/load_vs_loop.py [BUILD_DIR [RUNS]]      (build/ and 21 runs)
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

BUILD = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.abspath("build")
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 21
CLI = os.path.join(BUILD, "trazel-cli")
PLAIN = os.path.join(BUILD, "trazel_plain_load")
PYTHON = "/usr/bin/python3" if os.path.exists("/usr/bin/python3") else sys.executable
LINES = 1000000
TARGET = 1.3

NUMPY = "import sys, numpy; d = numpy.loadtxt(sys.argv[1], skiprows=1); print(len(d))"


def write_lines(path):
    import math
    with open(path, "w", newline="") as out:
        out.write("x y\r\n")
        for i in range(LINES):
            x = 400.0 + 3600.0 * i / LINES
            y = math.exp(-(x - 2000.0) ** 2 / 2e5) + 1e-3 * math.sin(x)
            out.write("%.14g %.14g\r\n" % (x, y))


def run(argv):
    """Wall seconds of one run, its output thrown away."""
    start = time.perf_counter()
    subprocess.run(argv, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start


def peak_mb(argv):
    done = subprocess.run(["/usr/bin/time", "-f", "%M"] + argv, stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE, text=True, check=True)
    return int(done.stderr.strip().splitlines()[-1]) / 1024.0


def main():
    for program in (CLI, PLAIN):
        if not os.path.exists(program):
            sys.exit(program + " is missing: make bench (or cmake --build build --target "
                     "trazel-cli trazel_plain_load)")
    with tempfile.TemporaryDirectory() as folder:
        data = os.path.join(folder, "medido.txt")
        write_lines(data)
        # The same points on both sides, or the times mean nothing.
        listed = subprocess.run([CLI, "spectrum", data, "--list"], check=True,
                                capture_output=True, text=True).stdout
        counted = subprocess.run([PLAIN, data, str(LINES)], check=True, capture_output=True,
                                 text=True).stdout.split()[0]
        if "\t%d\t" % LINES not in listed or int(counted) != LINES:
            sys.exit("the loads did not read %d points:\n%s%s" % (LINES, listed, counted))

        sides = {
            "trazel": ([CLI, "spectrum", data, "--list"], [CLI, "--version"]),
            "plain": ([PLAIN, data, str(LINES)], [PLAIN]),
            "numpy": ([PYTHON, "-c", NUMPY, data], [PYTHON, "-c", "import sys, numpy"]),
        }
        names = list(sides)
        net = {name: [] for name in names}
        for round_ in range(RUNS):
            # Each goes first in turn, so that none always meets a warm or a
            # cold machine.
            order = names[round_ % len(names):] + names[:round_ % len(names)]
            for name in order:
                load, start = sides[name]
                net[name].append(run(load) - run(start))
        ratios = [t / p for t, p in zip(net["trazel"], net["plain"])]
        numpy_ratios = [t / n for t, n in zip(net["trazel"], net["numpy"])]
        print("uptime:", subprocess.run(["uptime"], capture_output=True, text=True).stdout.strip())
        print("Load of %d lines, %d rounds, net of start-up (median s)" % (LINES, RUNS))
        for name in names:
            print("  %-7s %.3f" % (name, statistics.median(net[name])))
        ratio = statistics.median(ratios)
        print("  trazel / plain loop: %.2f (target %.1f)%s" %
              (ratio, TARGET, "" if ratio <= TARGET else "  OVER THE TARGET"))
        print("  trazel / numpy.loadtxt: %.2f" % statistics.median(numpy_ratios))

        points_mb = 16.0 * LINES / (1024.0 * 1024.0)
        if os.path.exists("/usr/bin/time"):
            base = peak_mb([CLI, "--version"])
            listing = peak_mb([CLI, "spectrum", data, "--list"]) - base
            written = peak_mb([CLI, "spectrum", data, "-o", os.path.join(folder, "out.txt")]) - base
            print("Peak memory above start-up, against the %.1f MB of the points:" % points_mb)
            print("  spectrum --list %.1f MB (%.2f), spectrum -o OUT.txt %.1f MB (%.2f)" %
                  (listing, listing / points_mb, written, written / points_mb))


if __name__ == "__main__":
    main()
