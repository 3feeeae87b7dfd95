#!/usr/bin/python3
"""trazel-cli figure against matplotlib drawing the same picture.

The job of each, as a whole process: read a 10^6-point measured spectrum from
a text file, draw it with 99 Gaussian bands (each by itself) and their sum,
and write the picture. Both draw the same picture: 1920 x 1080 pixels at the
resolution trazel-cli gives that size without --dpi (an 8.5 cm wide column,
573.7 dpi), lines in points (bands 0.75, the sum 1, the measured trace 0.75,
the frame 0.5, a dotted grey grid 0.3), the bands in Trazel's colours and
dashes (solid, dashed, dotted, dash-dotted, each four and two and one and two
line widths, flat ends, bevelled joins), text of 7 and 8 points, antialiased,
and the legend Trazel draws under the plot: the measured file, the sum, the
first three bands and a row that counts the other 96. matplotlib (Debian's
python3-matplotlib, Agg backend) evaluates each band at one x per pixel
column, as Trazel samples them.

Each round times Trazel then matplotlib (A B A B ...); the ratio of each
round is taken, and their median is the figure to compare with the target
(Trazel at 0.25 of matplotlib's time or less for a PNG). Medians of the times,
the file sizes and the load average before and after are printed beside it.

Usage: /usr/bin/python3 bench/figure_vs_matplotlib.py build/trazel-cli [RUNS] [png,svg,pdf]
       (the system's Python, which has matplotlib and numpy)
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

CLI = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else "build/trazel-cli"
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 5
ENDINGS = sys.argv[3].split(",") if len(sys.argv) > 3 else ["png", "svg", "pdf"]
# Debian's python3-matplotlib belongs to the system's Python.
PYTHON = "/usr/bin/python3" if os.path.exists("/usr/bin/python3") else sys.executable
BANDS = [(100 + k * 10, 0.5 + 0.5 * ((k * 37) % 11) / 11, 4 + k % 5) for k in range(99)]
XMIN, XMAX, POINTS = 50.0, 1150.0, 10**6
WIDTH, HEIGHT = 1920, 1080
# trazel-cli's resolution for a size in pixels without --dpi: 8.5 cm wide.
DPI = WIDTH / (8.5 / 2.54)

MATPLOTLIB = r'''
import sys, numpy as np, matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt
from matplotlib.lines import Line2D
bands = %(bands)r
width, height, dpi = %(width)d, %(height)d, %(dpi)r
colours = ["#E69F00", "#0072B2", "#009E73", "#D55E00", "#CC79A7", "#56B4E9", "#F0E442"]
# Qt's dashes in line widths; matplotlib scales its own by the width too.
dashes = ["-", (0, (4, 2)), (0, (1, 2)), (0, (4, 2, 1, 2))]
plt.rcParams.update({"font.size": 7, "axes.labelsize": 8, "lines.dash_capstyle": "butt",
                     "lines.dash_joinstyle": "bevel", "lines.solid_joinstyle": "bevel",
                     "lines.solid_capstyle": "butt", "axes.linewidth": 0.5,
                     "xtick.direction": "in", "ytick.direction": "in",
                     "xtick.major.size": 3, "ytick.major.size": 3, "xtick.minor.size": 1.5,
                     "ytick.minor.size": 1.5, "xtick.major.width": 0.5, "ytick.major.width": 0.5,
                     "xtick.minor.width": 0.5, "ytick.minor.width": 0.5})
data = np.loadtxt(sys.argv[1])
x = np.linspace(%(xmin)r, %(xmax)r, width)
fig = plt.figure(figsize=(width / dpi, height / dpi), dpi=dpi)
ax = fig.add_axes([0.15, 0.40, 0.80, 0.58])
ax.plot(data[:, 0], data[:, 1], color="#8c8c8c", lw=0.75, label="medido.txt")
bands_y = []
for position, intensity, width_ in bands:
    bands_y.append(intensity * np.exp(-4 * np.log(2) * ((x - position) / width_) ** 2))
total = np.sum(bands_y, axis=0)
# Trazel's order: the measured trace, the sum, then each band over it.
ax.plot(x, total, color="k", lw=1, label="Suma")
for k, ((position, _, _), y) in enumerate(zip(bands, bands_y)):
    ax.plot(x, y, lw=0.75, color=colours[k %% 7], ls=dashes[(k // 7) %% 4],
            label="%%g" %% position)
ax.set_xlim(%(xmin)r, %(xmax)r)
ax.set_ylim(0, 1.05 * max(total.max(), data[:, 1].max()))
ax.minorticks_on()
ax.grid(True, color=(200 / 255, 200 / 255, 200 / 255), lw=0.3, ls=(0, (1, 2)))
ax.spines["top"].set_visible(False)
ax.spines["right"].set_visible(False)
ax.set_xlabel("x"); ax.set_ylabel("y")
handles, labels = ax.get_legend_handles_labels()
handles.append(Line2D([], [], ls="none"))
labels.append("+ %%d más" %% (len(bands) - 3))
# Row after row as Trazel fills it: matplotlib fills column after column.
shown = [0, 3, 1, 4, 2, -1]
fig.legend([handles[i] for i in shown], [labels[i] for i in shown],
           ncol=3, loc="lower center", frameon=False, handlelength=2.3)
fig.savefig(sys.argv[2], dpi=dpi)
'''


def timed(command):
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    return time.perf_counter() - start


def load():
    return "load average %.2f, %.2f, %.2f" % os.getloadavg()


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
            out.write(MATPLOTLIB % {"bands": BANDS, "width": WIDTH, "height": HEIGHT, "dpi": DPI,
                                    "xmin": XMIN, "xmax": XMAX})
        print("%d rounds, Trazel then matplotlib in each; %s" % (RUNS, load()))
        for ending in ENDINGS:
            ours = os.path.join(folder, "trazel." + ending)
            theirs = os.path.join(folder, "matplotlib." + ending)
            trazel_times, mpl_times = [], []
            for _ in range(RUNS):
                trazel_times.append(timed([CLI, "figure", doc, "--measured", spectrum, "--xmin",
                                           str(XMIN), "--xmax", str(XMAX), "--size",
                                           "%dx%d" % (WIDTH, HEIGHT), "-o", ours]))
                mpl_times.append(timed([PYTHON, script, spectrum, theirs]))
            ratios = sorted(t / m for t, m in zip(trazel_times, mpl_times))
            print("%s: trazel-cli figure %.2f s (%d bytes), matplotlib %.2f s (%d bytes); "
                  "ratio of each round %s, median %.2fx; %s"
                  % (ending.upper(), statistics.median(trazel_times), os.path.getsize(ours),
                     statistics.median(mpl_times), os.path.getsize(theirs),
                     " ".join("%.2f" % r for r in ratios), statistics.median(ratios), load()))
        if os.environ.get("KEEP_PICTURES"):
            # For looking at both pictures side by side.
            for ending in ENDINGS:
                for who in ("trazel", "matplotlib"):
                    name = "%s.%s" % (who, ending)
                    os.replace(os.path.join(folder, name),
                               os.path.join(os.environ["KEEP_PICTURES"], name))


if __name__ == "__main__":
    main()
