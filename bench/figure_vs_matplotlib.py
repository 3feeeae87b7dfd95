#!/usr/bin/env python3
"""trazel-cli figure against matplotlib drawing the same curves at the same size.

The job of each, as a whole process: read a 10^6-point measured spectrum from
a text file, draw it with 99 Gaussian bands (each by itself in the legend) and
their sum at 1920 x 1080 pixels, and write a PNG, then an SVG. matplotlib
(Debian python3-matplotlib, default Agg backend) evaluates each band at one
x per pixel column, as Trazel samples them. Runs alternate between the two;
the medians are compared, and the target is Trazel at 0.25 of matplotlib's
time or less. The file sizes are printed beside the times.

Usage: bench/figure_vs_matplotlib.py build/trazel-cli [RUNS]
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

CLI = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else "build/trazel-cli"
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 5
# Debian's python3-matplotlib belongs to the system's Python.
PYTHON = "/usr/bin/python3" if os.path.exists("/usr/bin/python3") else sys.executable
BANDS = [(100 + k * 10, 0.5 + 0.5 * ((k * 37) % 11) / 11, 4 + k % 5) for k in range(99)]
XMIN, XMAX, POINTS = 50.0, 1150.0, 10**6
WIDTH, HEIGHT = 1920, 1080

MATPLOTLIB = r'''
import sys, numpy as np, matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt
bands = %r
data = np.loadtxt(sys.argv[1])
x = np.linspace(%r, %r, %d)
fig, ax = plt.subplots(figsize=(%d / 100, %d / 100), dpi=100)
ax.plot(data[:, 0], data[:, 1], color="0.55", lw=0.75, label="medido")
total = np.zeros_like(x)
for position, intensity, width in bands:
    y = intensity * np.exp(-4 * np.log(2) * ((x - position) / width) ** 2)
    total += y
    ax.plot(x, y, lw=0.75, label="%%g" %% position)
ax.plot(x, total, color="k", lw=1, label="Suma")
ax.set_xlim(%r, %r)
ax.set_xlabel("x"); ax.set_ylabel("y")
ax.legend(fontsize=6, ncol=3, loc="upper left", bbox_to_anchor=(1.0, 1.0))
fig.savefig(sys.argv[2])
'''


def timed(command):
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    return time.perf_counter() - start


def main():
    with tempfile.TemporaryDirectory() as folder:
        spectrum = os.path.join(folder, "medido.txt")
        with open(spectrum, "w") as out:
            for i in range(POINTS):
                x = XMIN + (XMAX - XMIN) * i / (POINTS - 1)
                out.write("%.6f %.6f\n" % (x, 0.5 + 0.1 * ((i * 7919) % 13) / 13))
        doc = os.path.join(folder, "bandas.trz")
        peaks = []
        for position, intensity, width in BANDS:
            peaks += ["--peak", "%g,%g,%g,1,s" % (position, intensity, width)]
        subprocess.run([CLI, "new", doc] + peaks, check=True)
        script = os.path.join(folder, "figura.py")
        with open(script, "w") as out:
            out.write(MATPLOTLIB % (BANDS, XMIN, XMAX, WIDTH, WIDTH, HEIGHT, XMIN, XMAX))
        for ending in ("png", "svg"):
            ours = os.path.join(folder, "trazel." + ending)
            theirs = os.path.join(folder, "matplotlib." + ending)
            trazel_times, mpl_times = [], []
            for _ in range(RUNS):
                trazel_times.append(timed([CLI, "figure", doc, "--measured", spectrum, "--xmin",
                                           str(XMIN), "--xmax", str(XMAX), "--size",
                                           "%dx%d" % (WIDTH, HEIGHT), "-o", ours]))
                mpl_times.append(timed([PYTHON, script, spectrum, theirs]))
            t, m = statistics.median(trazel_times), statistics.median(mpl_times)
            print("%s: trazel-cli figure %.2f s (%d bytes), matplotlib %.2f s (%d bytes): %.2fx"
                  % (ending.upper(), t, os.path.getsize(ours), m, os.path.getsize(theirs), t / m))


if __name__ == "__main__":
    main()
