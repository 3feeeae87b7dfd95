#!/usr/bin/env python3
"""trazel-cli peaks against SciPy's savgol_filter + find_peaks on the same data.

One million points over 0..1000: 99 Gaussian bands 10 apart (widths 1.5..4.5,
heights 0.5..3), every third with a weaker band on its flank that shows only as a
shoulder, and noise of 0.5 % of the strongest band (seed 51). Both sides are
timed as whole processes (starting, reading the text file, searching, writing
the table of bands to a file), in turn (Trazel, SciPy, Trazel, SciPy, ...), with the same
window and order of the smoothing; the script prints the medians and the
ratio of the medians, and the calls alone on SciPy's side. Target: Trazel at
most half of SciPy's whole process.

Then the search's growth on pure noise with the options that once made it
quadratic (--shoulders --min-prominence 0 --smooth 3) at 10^5 .. 10^6 points:
the median time of each size and the exponent of a least-squares line through
log time against log points (1 is linear).

Usage: bench/peaks_vs_scipy.py build/trazel-cli [RUNS]
"""
import math
import os
import statistics
import subprocess
import sys
import tempfile
import time

CLI = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else "build/trazel-cli"
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 5
PYTHON = "/usr/bin/python3" if os.path.exists("/usr/bin/python3") else sys.executable
WINDOW, ORDER = 101, 2

MAKE = r'''
import sys
import numpy as np
n = int(sys.argv[2])
rng = np.random.default_rng(51)
x = np.linspace(0.0, 1000.0, n)
if sys.argv[3] == "bands":
    y = np.zeros_like(x)
    for i in range(99):
        c = 5.0 + 10.0 * i + rng.uniform(-1.0, 1.0)
        w = 1.5 + 3.0 * ((i * 37) % 99) / 98.0
        a = 0.5 + 2.5 * ((i * 53) % 99) / 98.0
        y += a * np.exp(-4.0 * np.log(2.0) * ((x - c) / w) ** 2)
        if i % 3 == 0:
            y += 0.3 * a * np.exp(-4.0 * np.log(2.0) * ((x - c - 0.8 * w) / (0.5 * w)) ** 2)
    y += rng.normal(0.0, 0.015, n)
else:
    y = rng.normal(0.0, 1.0, n)
np.savetxt(sys.argv[1], np.column_stack([x, y]), fmt="%.10g")
'''

SCIPY = r'''
import sys, time
begin = time.perf_counter()
import numpy as np
from scipy.signal import find_peaks, savgol_filter
data = np.loadtxt(sys.argv[1])
calls = time.perf_counter()
s = savgol_filter(data[:, 1], int(sys.argv[2]), int(sys.argv[3]), mode="interp")
peaks, props = find_peaks(s, prominence=0.05 * (s.max() - s.min()), distance=int(sys.argv[2]) // 2)
d2 = savgol_filter(data[:, 1], int(sys.argv[2]), max(int(sys.argv[3]), 2), deriv=2, mode="interp")
bends, _ = find_peaks(-d2)
calls = time.perf_counter() - calls
with open(sys.argv[4], "w") as out:
    for i, prominence in zip(peaks, props["prominences"]):
        out.write("%.10g %.10g %.10g\n" % (data[i, 0], s[i], prominence))
print(calls, len(peaks))
'''


def timed(command, table=os.devnull):
    with open(table, "w") as out:
        begin = time.perf_counter()
        subprocess.run(command, check=True, stdout=out, stderr=subprocess.DEVNULL)
        return time.perf_counter() - begin


def make(folder, name, n, kind):
    path = os.path.join(folder, name)
    subprocess.run([PYTHON, "-c", MAKE, path, str(n), kind], check=True)
    return path


def main():
    print(subprocess.run(["uptime"], capture_output=True, text=True).stdout.strip())
    with tempfile.TemporaryDirectory() as folder:
        script = os.path.join(folder, "buscar.py")
        with open(script, "w") as out:
            out.write(SCIPY)
        data = make(folder, "bandas.txt", 1000000, "bands")
        ours, theirs, calls = [], [], []
        for _ in range(RUNS):
            ours.append(timed([CLI, "peaks", data, "--shoulders", "--smooth", str(WINDOW),
                               "--order", str(ORDER)], os.path.join(folder, "trazel.txt")))
            begin = time.perf_counter()
            out = subprocess.run([PYTHON, script, data, str(WINDOW), str(ORDER),
                                  os.path.join(folder, "scipy.txt")],
                                 capture_output=True, text=True, check=True).stdout.split()
            theirs.append(time.perf_counter() - begin)
            calls.append(float(out[0]))
        t, s = statistics.median(ours), statistics.median(theirs)
        print("10^6 points, 99 bands with shoulders: trazel-cli peaks %.3f s, SciPy %.3f s "
              "(the calls %.3f s): %.2fx" % (t, s, statistics.median(calls), t / s))

        sizes = [100000, 200000, 400000, 1000000]
        medians = []
        for n in sizes:
            noise = make(folder, "ruido%d.txt" % n, n, "noise")
            runs = [timed([CLI, "peaks", noise, "--shoulders", "--min-prominence", "0",
                           "--smooth", "3"])
                    for _ in range(max(1, RUNS // 2))]
            medians.append(statistics.median(runs))
            print("noise, --shoulders --min-prominence 0 --smooth 3, %7d points: %.3f s"
                  % (n, medians[-1]))
        lx = [math.log(n) for n in sizes]
        ly = [math.log(t) for t in medians]
        mx, my = statistics.mean(lx), statistics.mean(ly)
        slope = sum((a - mx) * (b - my) for a, b in zip(lx, ly)) / sum((a - mx) ** 2 for a in lx)
        print("growth: time ~ n^%.2f" % slope)
    print(subprocess.run(["uptime"], capture_output=True, text=True).stdout.strip())


if __name__ == "__main__":
    main()
