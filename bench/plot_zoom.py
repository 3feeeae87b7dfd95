#!/usr/bin/python3
"""A wheel notch in the plot window, timed to the screen, under Xvfb.

Starts Xvfb on display :79 (1920 x 1080), a document of 99 bands, each drawn
by itself too, holding a measured spectrum of 1,000,000 points, opens the plot window (Ctrl+G), sets
it to 1920 x 1080 and puts the pointer in its middle. Then, notch after notch,
it sends a wheel turn with XTest (in and out in turn, so that the view stays
alike) and times the X Damage notifications of the window that follow: the
first is when the new picture starts reaching the screen, the last when it is
all there (the window quiet for 300 ms). Prints the median and the range of
both, and the number of repaints per notch. The target is 20 ms to the last.

The same script, with --open, times how long after its start the window of
a document of 99 bands, each drawn by itself too, is mapped (xdotool sees it
viewable), against an empty document; the target is 20 ms more at most.

Needs Xvfb, xdotool and python3-xlib (scripts/install-deps installs them) and
a build with the window:

  bench/plot_zoom.py [BUILD_DIR [NOTCHES]]        (build/ and 40 notches)
  bench/plot_zoom.py --open [BUILD_DIR [RUNS]]    (build/ and 10 runs)

Run it on a machine that is otherwise idle; `uptime` is printed with it.
"""
import math
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, XK, display
from Xlib.ext import damage, xtest

DISPLAY = ":79"
OPEN = len(sys.argv) > 1 and sys.argv[1] == "--open"
ARGS = sys.argv[2:] if OPEN else sys.argv[1:]
BUILD = os.path.abspath(ARGS[0]) if ARGS else os.path.abspath("build")
COUNT = int(ARGS[1]) if len(ARGS) > 1 else (10 if OPEN else 40)
TRAZEL = os.path.join(BUILD, "trazel")
CLI = os.path.join(BUILD, "trazel-cli")
POINTS = 10**6


def write_spectrum(path):
    """99 Gaussian bands apart from each other over 0..1000, 10^6 points."""
    with open(path, "w") as f:
        f.write("x y\n")
        lines = []
        for i in range(POINTS):
            x = 1000.0 * i / (POINTS - 1)
            k = min(98, max(0, round((x - 5.0) / 10.0)))
            y = 0.01
            for j in (k - 1, k, k + 1):
                if 0 <= j < 99:
                    centre = 5.0 + 10.0 * j
                    y += (1.0 + (j * 37) % 11 / 5.0) * math.exp(-((x - centre) / 1.5) ** 2)
            lines.append("%.6f %.6g\n" % (x, y))
            if len(lines) == 100000:
                f.writelines(lines)
                lines = []
        f.writelines(lines)


def wait_for(predicate, seconds=30.0, step=0.01):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(step)
    sys.exit("timed out")


def window_named(name):
    done = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                          capture_output=True, text=True, env=dict(os.environ, DISPLAY=DISPLAY))
    ids = done.stdout.split()
    return int(ids[0]) if ids else None


def start_trazel(doc, config):
    env = dict(os.environ, DISPLAY=DISPLAY, QT_QPA_PLATFORM="xcb", XDG_CONFIG_HOME=config,
               LANGUAGE="es")  # the window is found by its Spanish title
    return subprocess.Popen([TRAZEL] + ([doc] if doc else []), env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def key(d, keysym, ctrl=False):
    code = d.keysym_to_keycode(keysym)
    control = d.keysym_to_keycode(XK.XK_Control_L)
    if ctrl:
        xtest.fake_input(d, X.KeyPress, control)
    xtest.fake_input(d, X.KeyPress, code)
    xtest.fake_input(d, X.KeyRelease, code)
    if ctrl:
        xtest.fake_input(d, X.KeyRelease, control)
    d.sync()


def damage_times(d, quiet):
    """Times of the Damage notifications until none came for quiet seconds."""
    times = []
    last = time.perf_counter()
    while True:
        while d.pending_events():
            event = d.next_event()
            if event.type == d.extension_event.DamageNotify:
                times.append(time.perf_counter())
                last = times[-1]
        if time.perf_counter() - last > quiet:
            return times
        time.sleep(0.0005)


def zoom(tmp):
    measured = os.path.join(tmp, "medido.txt")
    doc = os.path.join(tmp, "bandas.trz")
    write_spectrum(measured)
    found = os.path.join(tmp, "halladas.trz")
    subprocess.run([CLI, "peaks", measured, "--max", "99", "-o", found], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # Every band drawn by itself too, as the heaviest picture: the same table
    # with each band marked (show --csv, new --from), followed by the
    # spectrum's section of the document peaks wrote, whose table it
    # replaces byte for byte.
    rows = subprocess.run([CLI, "show", found, "--csv"], capture_output=True, text=True,
                          check=True).stdout.splitlines()
    table = os.path.join(tmp, "tabla.csv")
    with open(table, "w") as f:
        f.write(rows[0] + "\n")
        f.writelines(row.rsplit(",", 1)[0] + ",s\n" for row in rows[1:])
    marked = os.path.join(tmp, "marcadas.trz")
    subprocess.run([CLI, "new", marked, "--from", table], check=True)
    with open(marked, "rb") as f:
        head = f.read()
    with open(found, "rb") as f:
        rest = f.read()[len(head):]
    with open(doc, "wb") as f:
        f.write(head + rest)
    shown = subprocess.run([CLI, "show", doc], capture_output=True, text=True).stdout
    bands = sum(1 for line in shown.splitlines()[1:] if line[:1].isdigit())
    print(f"document: {bands} bands, each drawn by itself too, and a measured spectrum of "
          f"{POINTS} points")
    config = os.path.join(tmp, "config")
    app = start_trazel(doc, config)
    try:
        d = display.Display(DISPLAY)
        # The server sends no Damage events to a client that has not asked
        # for the version it speaks.
        d.damage_query_version()
        main = wait_for(lambda: window_named("bandas.trz"))
        time.sleep(1.0)
        d.set_input_focus(main, X.RevertToParent, X.CurrentTime)
        d.sync()
        key(d, XK.XK_g, ctrl=True)
        plot_id = wait_for(lambda: window_named("Gráfico ampliado"))
        window = d.create_resource_object("window", plot_id)
        window.configure(x=0, y=0, width=1920, height=1080)
        d.sync()
        time.sleep(2.0)
        geometry = window.get_geometry()
        print(f"plot window {geometry.width} x {geometry.height}")
        window.damage_create(damage.DamageReportRawRectangles)
        xtest.fake_input(d, X.MotionNotify, x=geometry.width // 2, y=geometry.height // 2)
        d.sync()
        damage_times(d, 1.0)
        first, last, repaints = [], [], []
        for notch in range(COUNT):
            button = 4 if notch % 2 == 0 else 5
            start = time.perf_counter()
            xtest.fake_input(d, X.ButtonPress, button)
            xtest.fake_input(d, X.ButtonRelease, button)
            d.flush()
            times = damage_times(d, 0.3)
            if not times:
                continue
            first.append((times[0] - start) * 1000)
            last.append((times[-1] - start) * 1000)
            repaints.append(len(times))
        if not last:
            sys.exit("no Damage notification followed a wheel notch")
        print(f"Wheel notch to the screen, {len(last)} notches (Damage notifications)")
        for name, values in (("first", first), ("last", last)):
            mark = "" if name == "first" or statistics.median(values) <= 20 else "  OVER THE TARGET"
            print(f"  to the {name:5}: median {statistics.median(values):6.1f} ms "
                  f"({min(values):.1f} to {max(values):.1f} ms){mark}")
        print(f"  notifications per notch: median {statistics.median(repaints)}")
    finally:
        app.terminate()
        app.wait()


def open_times(tmp):
    doc = os.path.join(tmp, "bandas.trz")
    empty = os.path.join(tmp, "vacio.trz")
    bands = []
    for i in range(99):
        bands += ["--peak", "%r,%r,%r,1,s" % (5.0 + 10.0 * i, 0.5 + 2.5 * ((i * 37) % 99) / 98.0,
                                               5.0 + 45.0 * ((i * 41) % 99) / 98.0)]
    subprocess.run([CLI, "new", doc] + bands, check=True)
    subprocess.run([CLI, "new", empty], check=True)
    d = display.Display(DISPLAY)
    results = {"vacio.trz": [], "bandas.trz": []}
    for run in range(COUNT):
        for name in (("vacio.trz", "bandas.trz") if run % 2 == 0 else ("bandas.trz", "vacio.trz")):
            config = os.path.join(tmp, "config-%d" % run)
            start = time.perf_counter()
            app = start_trazel(os.path.join(tmp, name), config)
            wait_for(lambda: window_named(name), step=0.002)
            results[name].append((time.perf_counter() - start) * 1000)
            app.terminate()
            app.wait()
            time.sleep(0.2)
    empty_ms = statistics.median(results["vacio.trz"])
    bands_ms = statistics.median(results["bandas.trz"])
    print(f"Window mapped after the start, {COUNT} runs each, interleaved (median, range)")
    for name, values in results.items():
        print(f"  {name:11} {statistics.median(values):7.1f} ms "
              f"({min(values):.1f} to {max(values):.1f})")
    over = bands_ms - empty_ms
    print(f"  99 bands over the empty one: {over:+.1f} ms "
          f"(target +20 ms){'' if over <= 20 else '  OVER THE TARGET'}")
    del d


def main():
    print(subprocess.run(["uptime"], capture_output=True, text=True).stdout.strip())
    if not shutil.which("Xvfb") or not shutil.which("xdotool"):
        sys.exit("needs Xvfb and xdotool")
    server = subprocess.Popen(["Xvfb", DISPLAY, "-screen", "0", "1920x1080x24", "-nolisten",
                               "tcp"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wait_for(lambda: subprocess.run(["xdpyinfo", "-display", DISPLAY],
                                        capture_output=True).returncode == 0)
        with tempfile.TemporaryDirectory(prefix="trazel-zoom-") as tmp:
            open_times(tmp) if OPEN else zoom(tmp)
    finally:
        server.terminate()
        server.wait()


main()
