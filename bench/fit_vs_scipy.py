#!/usr/bin/python3
"""trazel-cli fit against SciPy's curve_fit on the same data and start.

20 and 60 bands over 0..1000 (spacing and widths shrink with the count, so
that neighbours overlap alike), 100,000 points of their sum with noise of
0.02 (seed 17), written once to a file that both sides read; the fit starts
a third of a width off in position, 10 % off in height and width (the 20
bands are those of bench/fit_bench.cpp). Trazel is timed as a whole process
(reading the points, fitting, writing the document), and so is SciPy
(starting Python, reading the points with numpy.loadtxt, the
curve_fit(method='lm') call with the analytic Jacobian): the ratio the
targets are set for. The call alone is timed too, and its ratio printed
beside. Each round runs Trazel and then SciPy and takes their ratios; the
median and range of the rounds' ratios are printed, with the load average
before and after each problem. Both must reach the same minimum:
every position, height and width Trazel gives is compared with SciPy's, in
SciPy's standard errors.

With --mixed, Trazel alone also fits 20 bands of pseudo-Voigt shape
(Lorentzian share 0.4) as pseudo-Voigt and as Voigt bands, timed in the same
rounds against the 20 Lorentzian bands. --save DIR keeps each of Trazel's
result tables; --against DIR prints how far each fitted value moved from
the table kept there, in Trazel's standard errors.

Targets: Lorentzian 0.08 of SciPy's time or less, Gaussian 0.05 or less;
pseudo-Voigt 1.5 and Voigt 4 times the Lorentzian at most.

Usage: /usr/bin/python3 bench/fit_vs_scipy.py build/trazel-cli [ROUNDS]
           [--only gaussian-20,lorentzian-60,...] [--mixed]
           [--save DIR] [--against DIR]
(needs SciPy: Debian's python3-scipy, for /usr/bin/python3)
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

PYTHON = "/usr/bin/python3" if os.path.exists("/usr/bin/python3") else sys.executable

# The problem, shared by the data written for Trazel and SciPy's fit.
PROBLEM = r'''
import sys
import numpy as np
shape, count = sys.argv[1], int(sys.argv[2])
f = 20.0 / count
truth = [(30.0 + 47.0 * f * i + (12.0 * f if i % 3 == 0 else 0.0),
          0.5 + 1.5 * ((i * 7) % count) / (count - 1.0),
          f * (8.0 + 12.0 * ((i * 11) % count) / (count - 1.0))) for i in range(count)]
start = [v for c, a, w in truth for v in (c + w / 3.0, 0.9 * a, 1.1 * w)]

def model(x, *p):
    y = np.zeros_like(x)
    for k in range(0, len(p), 3):
        c, a, w = p[k:k + 3]
        h = 0.5 * w
        d = x - c
        lorentzian = a * h * h / (d * d + h * h)
        gaussian = a * np.exp(-np.log(2) * d * d / (h * h))
        if shape == "lorentzian":
            y += lorentzian
        elif shape == "gaussian":
            y += gaussian
        else:
            y += 0.4 * lorentzian + 0.6 * gaussian
    return y
'''

WRITE = PROBLEM + r'''
x = np.linspace(0.0, 1000.0, 100000)
y = model(x, *[v for band in truth for v in band])
y += np.random.default_rng(17).normal(0.0, 0.02, x.size)
np.savetxt(sys.argv[3], np.column_stack([x, y]), fmt='%.10g')
print(" ".join("%.17g,%.17g,%.17g" % (start[k], start[k + 1], start[k + 2])
               for k in range(0, len(start), 3)))
'''

SCIPY = PROBLEM + r'''
import json, resource, time
from scipy.optimize import curve_fit

def jacobian(x, *p):
    j = np.empty((x.size, len(p)))
    for k in range(0, len(p), 3):
        c, a, w = p[k:k + 3]
        h = 0.5 * w
        d = x - c
        if shape == "lorentzian":
            den = d * d + h * h
            g = h * h / den
            j[:, k] = 2 * a * g * d / den
            j[:, k + 1] = g
            j[:, k + 2] = a * 2 * h * d * d / (den * den) * 0.5
        else:
            g = np.exp(-np.log(2) * d * d / (h * h))
            j[:, k] = a * g * 2 * np.log(2) * d / (h * h)
            j[:, k + 1] = g
            j[:, k + 2] = a * g * 2 * np.log(2) * d * d / (h * h * h) * 0.5
    return j

x, y = np.loadtxt(sys.argv[3], unpack=True)
begin = time.perf_counter()
p, covariance = curve_fit(model, x, y, p0=start, jac=jacobian, method="lm")
seconds = time.perf_counter() - begin
print(json.dumps({"seconds": seconds,
                  "kb": resource.getrusage(resource.RUSAGE_SELF).ru_maxrss,
                  "p": list(p), "se": list(np.sqrt(np.diag(covariance)))}))
'''


def uptime():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def trazel_table(stdout, count):
    """Positions, heights and widths with their standard errors, first band first."""
    rows = [line.split("\t") for line in stdout.splitlines()[1:count + 1]]
    values, errors = [], []
    # The table lists the latest band first.
    for row in reversed(rows):
        for k in (0, 2, 4):
            values.append(float(row[k]))
            errors.append(float(row[k + 1]))
    return values, errors


def run_trazel(command):
    begin = time.perf_counter()
    timed = subprocess.run(["/usr/bin/time", "-f", "%M"] + command, capture_output=True,
                           text=True, check=True)
    seconds = time.perf_counter() - begin
    return seconds, int(timed.stderr.strip().splitlines()[-1]), timed.stdout


def ratios_line(name, ratios):
    return "%s %.3f (rounds %s)" % (name, statistics.median(ratios),
                                    " ".join("%.3f" % r for r in ratios))


def moved(name, stdout, count, against):
    kept = os.path.join(against, name + ".txt")
    if not os.path.exists(kept):
        return ""
    with open(kept) as f:
        before, errors = trazel_table(f.read(), count)
    now, _ = trazel_table(stdout, count)
    return "; moved at most %.2g standard errors from %s" % (
        max(abs(a - b) / e for a, b, e in zip(now, before, errors)), kept)


def save(args, name, stdout):
    if args.save:
        os.makedirs(args.save, exist_ok=True)
        with open(os.path.join(args.save, name + ".txt"), "w") as out:
            out.write(stdout)


def make_problem(cli, folder, shape, count, bandshape=None):
    data = os.path.join(folder, "%s-%d.txt" % (shape, count))
    start = subprocess.run([PYTHON, "-c", WRITE, shape, str(count), data], check=True,
                           capture_output=True, text=True).stdout.split()
    doc = os.path.join(folder, "%s-%d-%s.trz" % (shape, count, bandshape or "doc"))
    peaks = []
    for band in start:
        peaks += ["--peak", band + (",1,forma=%s:0.5" % bandshape if bandshape else "")]
    subprocess.run([cli, "new", doc] + peaks, check=True)
    command = [cli, "fit", doc, "--measured", data, "-o", os.path.join(folder, "f.trz")]
    if shape == "lorentzian":
        command.append("--lorentzian")
    return data, command


def compare_with_scipy(args, folder, script, shape, count):
    name = "%s-%d" % (shape, count)
    data, command = make_problem(args.cli, folder, shape, count)
    load = uptime()
    ours, theirs, calls, ratios, call_ratios, our_kb, their_kb = [], [], [], [], [], 0, 0
    for _ in range(args.rounds):
        seconds, kb, stdout = run_trazel(command)
        ours.append(seconds)
        our_kb = max(our_kb, kb)
        begin = time.perf_counter()
        result = json.loads(subprocess.run([PYTHON, script, shape, str(count), data],
                                           capture_output=True, text=True, check=True).stdout)
        theirs.append(time.perf_counter() - begin)
        calls.append(result["seconds"])
        their_kb = max(their_kb, result["kb"])
        ratios.append(seconds / theirs[-1])
        call_ratios.append(seconds / result["seconds"])
    values, _ = trazel_table(stdout, count)
    apart = max(abs(a - b) / e for a, b, e in zip(values, result["p"], result["se"]))
    print("%s: trazel-cli fit %.3f s (%d MB), SciPy %.3f s (%d MB; the curve_fit call %.3f s),"
          " medians; %s; load %s -> %s" % (name, statistics.median(ours), our_kb // 1024,
                                           statistics.median(theirs), their_kb // 1024,
                                           statistics.median(calls),
                                           ratios_line("ratio", ratios), load, uptime()))
    print("    %s" % ratios_line("ratio to the call alone", call_ratios))
    print("    the fits differ by at most %.2g of SciPy's standard errors%s"
          % (apart, moved(name, stdout, count, args.against) if args.against else ""))
    save(args, name, stdout)


def compare_shapes(args, folder):
    """Pseudo-Voigt and Voigt bands against Lorentzian ones, Trazel alone."""
    _, lorentzian = make_problem(args.cli, folder, "lorentzian", 20)
    commands = {"lorentzian": lorentzian}
    for bandshape, name in (("pv", "pseudo-voigt"), ("v", "voigt")):
        commands[name] = make_problem(args.cli, folder, "mixed", 20, bandshape)[1]
    load = uptime()
    times = {name: [] for name in commands}
    outputs = {}
    for _ in range(args.rounds):
        for name, command in commands.items():
            seconds, _, outputs[name] = run_trazel(command)
            times[name].append(seconds)
    for name in ("pseudo-voigt", "voigt"):
        ratios = [a / b for a, b in zip(times[name], times["lorentzian"])]
        print("%s-20: trazel-cli fit %.3f s, Lorentzian %.3f s, medians; %s; load %s -> %s%s"
              % (name, statistics.median(times[name]), statistics.median(times["lorentzian"]),
                 ratios_line("ratio to the Lorentzian", ratios), load, uptime(),
                 moved(name + "-20", outputs[name], 20, args.against) if args.against else ""))
        save(args, name + "-20", outputs[name])


def main():
    parser = argparse.ArgumentParser(description="trazel-cli fit against SciPy's curve_fit")
    parser.add_argument("cli", nargs="?", default="build/trazel-cli")
    parser.add_argument("rounds", nargs="?", type=int, default=3)
    parser.add_argument("--only", default="gaussian-20,gaussian-60,lorentzian-20,lorentzian-60")
    parser.add_argument("--mixed", action="store_true")
    parser.add_argument("--save")
    parser.add_argument("--against")
    args = parser.parse_args()
    args.cli = os.path.abspath(args.cli)
    with tempfile.TemporaryDirectory() as folder:
        script = os.path.join(folder, "ajuste.py")
        with open(script, "w") as out:
            out.write(SCIPY)
        for problem in args.only.split(","):
            if problem:
                shape, count = problem.split("-")
                compare_with_scipy(args, folder, script, shape, int(count))
        if args.mixed:
            compare_shapes(args, folder)


if __name__ == "__main__":
    main()
