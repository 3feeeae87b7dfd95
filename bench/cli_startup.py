#!/usr/bin/env python3
"""How long trazel-cli takes to start, as whole processes.

Runs, interleaved, a C++ program that loads only the C++ runtime and prints a
line (compiled here with c++ -O2), `trazel-cli --version` and `trazel-cli show`
of a three-band document, and prints the median and best wall time of each,
the difference from the runtime-only program (the target is 5 ms or less) and
the peak resident memory. Then it times `trazel-cli export` of 1,000,000
Lorentzian and Gaussian lines of 99 bands against trazel_naive_export, the
plain loop, as whole processes too (the target for the Lorentzian export is
0.2 of the loop's time or less).

Usage: bench/cli_startup.py [BUILD_DIR [RUNS]]      (build/ and 200 runs)
       bench/cli_startup.py build 200 OTHER_CLI      also times another
                                                    trazel-cli (an older one)

Run it on a machine that is otherwise idle; `uptime` is printed with it.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

BUILD = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.abspath("build")
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 200
OTHER = os.path.abspath(sys.argv[3]) if len(sys.argv) > 3 else None
CLI = os.path.join(BUILD, "trazel-cli")
NAIVE = os.path.join(BUILD, "trazel_naive_export")

RUNTIME_ONLY = r"""
#include <iostream>
int main() { std::cout << "trazel-cli 0.0.0\n"; }
"""


def run(argv):
    """Wall seconds of one run, its output thrown away."""
    start = time.perf_counter()
    pid = os.posix_spawn(argv[0], argv, os.environ,
                         file_actions=[(os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0)])
    _, status = os.waitpid(pid, 0)
    seconds = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("failed: " + " ".join(argv))
    return seconds


def peak_mb(argv):
    """Peak resident MB of one run, from GNU time, which is small itself (a
    process spawned from Python would count Python's own memory)."""
    if not os.path.exists("/usr/bin/time"):
        return float("nan")
    done = subprocess.run(["/usr/bin/time", "-f", "%M"] + argv, stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE, text=True, check=True)
    return int(done.stderr.strip().splitlines()[-1]) / 1024.0


def main():
    print(subprocess.run(["uptime"], capture_output=True, text=True).stdout.strip())
    with tempfile.TemporaryDirectory(prefix="trazel-startup-") as tmp:
        source = os.path.join(tmp, "runtime_only.cpp")
        baseline = os.path.join(tmp, "runtime_only")
        with open(source, "w") as f:
            f.write(RUNTIME_ONLY)
        subprocess.run([os.environ.get("CXX", "c++"), "-O2", source, "-o", baseline], check=True)
        doc = os.path.join(tmp, "tres.trz")
        subprocess.run([CLI, "new", doc, "--peak", "1,2,3", "--peak", "4,5,6",
                        "--peak", "7,8,9,1,s"], check=True)
        jobs = [("runtime only", [baseline]),
                ("--version", [CLI, "--version"]),
                ("show", [CLI, "show", doc])]
        if OTHER:
            jobs += [("other --version", [OTHER, "--version"]),
                     ("other show", [OTHER, "show", doc])]
        times = {name: [] for name, _ in jobs}
        memory = {name: peak_mb(argv) for name, argv in jobs}
        for _ in range(RUNS):
            for name, argv in jobs:
                times[name].append(run(argv))
        base = statistics.median(times["runtime only"])
        print(f"Start-up, {RUNS} runs each, interleaved")
        print(f"{'':18} {'median ms':>10} {'best ms':>8} {'over runtime ms':>16} {'peak MB':>8}")
        for name, _ in jobs:
            median = statistics.median(times[name])
            over = (median - base) * 1000
            mark = "" if name == "runtime only" or over <= 5.0 else "  OVER THE TARGET"
            print(f"{name:18} {median * 1000:10.2f} {min(times[name]) * 1000:8.2f} "
                  f"{over:16.2f} {memory[name]:8.1f}{mark}")

        if not os.path.exists(NAIVE):
            print(f"\n{NAIVE} is not built (make bench): no export comparison")
            return
        rounds = max(3, RUNS // 40)
        print(f"\nExport of 1,000,000 lines of 99 bands, whole processes, {rounds} rounds")
        out = os.path.join(tmp, "datos.txt")
        bands = []
        for i in range(99):
            bands += ["--peak", "%r,%r,%r" % (5.0 + 10.0 * i, 0.5 + 2.5 * ((i * 37) % 99) / 98.0,
                                              5.0 + 45.0 * ((i * 41) % 99) / 98.0)]
        full = os.path.join(tmp, "completo.trz")
        subprocess.run([CLI, "new", full] + bands, check=True)
        for shape, target in (("Gaussian", None), ("Lorentzian", 0.2)):
            flag = ["--lorentzian"] if shape == "Lorentzian" else []
            plain, trazel = [], []
            for _ in range(rounds):
                plain.append(run([NAIVE, out] + flag))
                trazel.append(run([CLI, "export", full, "--xmin", "0", "--xmax", "1000",
                                   "--resolution", "999999", "--point", "-o", out] + flag))
            ratio = min(trazel) / min(plain)
            mark = "" if target is None or ratio <= target else "  OVER THE TARGET"
            print(f"{shape:11} loop {min(plain):.3f} s, trazel-cli {min(trazel):.3f} s "
                  f"(medians {statistics.median(plain):.3f}, {statistics.median(trazel):.3f}): "
                  f"ratio {ratio:.3f}{'' if target is None else ' (target %.2f)' % target}{mark}")


main()
