#!/usr/bin/env python3
"""trazel-cli fit against SciPy's curve_fit on the same data and start.

Twenty bands over 0..1000, some overlapping, 100,000 points of their sum with
noise of 1 % of the strongest band; the fit starts a third of a width off in
position, 10 % off in height and width (the bands of bench/fit_bench.cpp).
Trazel is timed as a whole process (reading the points, fitting, writing the
document); SciPy as the curve_fit(method='lm') call alone, with the analytic
Jacobian, the data already in memory. Runs alternate; medians are compared
with the peak memory of each. Targets: Lorentzian 0.25 of SciPy's time or
less, Gaussian 0.05 or less, each under 30 MB.

Usage: bench/fit_vs_scipy.py build/trazel-cli [RUNS]
"""
import os
import statistics
import subprocess
import sys
import tempfile

CLI = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else "build/trazel-cli"
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 3
PYTHON = "/usr/bin/python3" if os.path.exists("/usr/bin/python3") else sys.executable

SCIPY = r'''
import resource, sys, time
import numpy as np
from scipy.optimize import curve_fit
lorentzian = sys.argv[1] == "lorentzian"
truth = [(30.0 + 47.0 * i + (12.0 if i % 3 == 0 else 0.0),
          0.5 + 1.5 * ((i * 7) % 20) / 19.0,
          8.0 + 12.0 * ((i * 11) % 20) / 19.0) for i in range(20)]
x = np.linspace(0.0, 1000.0, 100000)

def model(x, *p):
    y = np.zeros_like(x)
    for k in range(0, len(p), 3):
        c, a, w = p[k:k + 3]
        h = 0.5 * w
        d = x - c
        y += a * h * h / (d * d + h * h) if lorentzian else a * np.exp(-np.log(2) * d * d / (h * h))
    return y

def jacobian(x, *p):
    j = np.empty((x.size, len(p)))
    for k in range(0, len(p), 3):
        c, a, w = p[k:k + 3]
        h = 0.5 * w
        d = x - c
        if lorentzian:
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

y = model(x, *[v for band in truth for v in band])
y += np.random.default_rng(17).normal(0.0, 0.02, x.size)
start = [v for c, a, w in truth for v in (c + w / 3.0, 0.9 * a, 1.1 * w)]
begin = time.perf_counter()
curve_fit(model, x, y, p0=start, jac=jacobian, method="lm")
print(time.perf_counter() - begin, resource.getrusage(resource.RUSAGE_SELF).ru_maxrss)
'''


def main():
    with tempfile.TemporaryDirectory() as folder:
        script = os.path.join(folder, "ajuste.py")
        with open(script, "w") as out:
            out.write(SCIPY)
        for shape in ("gaussian", "lorentzian"):
            # The same points for Trazel, written by the same code.
            data = os.path.join(folder, "medido.txt")
            subprocess.run([PYTHON, "-c", SCIPY.split("begin =")[0].replace("sys.argv[1]", repr(shape))
                            + "np.savetxt(" + repr(data) + ", np.column_stack([x, y]), fmt='%.10g')\n"],
                           check=True)
            doc = os.path.join(folder, "inicio.trz")
            peaks = []
            for i in range(20):
                c = 30.0 + 47.0 * i + (12.0 if i % 3 == 0 else 0.0)
                a = 0.5 + 1.5 * ((i * 7) % 20) / 19.0
                w = 8.0 + 12.0 * ((i * 11) % 20) / 19.0
                peaks += ["--peak", "%.17g,%.17g,%.17g" % (c + w / 3.0, 0.9 * a, 1.1 * w)]
            subprocess.run([CLI, "new", doc] + peaks, check=True)
            command = [CLI, "fit", doc, "--measured", data, "-o", os.path.join(folder, "f.trz")]
            if shape == "lorentzian":
                command.append("--lorentzian")
            ours, theirs, our_kb, their_kb = [], [], 0, 0
            for _ in range(RUNS):
                timed = subprocess.run(["/usr/bin/time", "-f", "%e %M"] + command,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                       text=True, check=True)
                seconds, kb = timed.stderr.strip().splitlines()[-1].split()
                ours.append(float(seconds))
                our_kb = max(our_kb, int(kb))
                out = subprocess.run([PYTHON, script, shape], capture_output=True, text=True,
                                     check=True).stdout.split()
                theirs.append(float(out[0]))
                their_kb = max(their_kb, int(out[1]))
            t, s = statistics.median(ours), statistics.median(theirs)
            print("%s: trazel-cli fit %.3f s (%d MB), SciPy curve_fit %.3f s (%d MB): %.2fx"
                  % (shape, t, our_kb // 1024, s, their_kb // 1024, t / s))


if __name__ == "__main__":
    main()
