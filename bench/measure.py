#!/usr/bin/env python3
"""Measures Tarvik as a teacher's PC runs it and prints one table; started by bench/run.

Every figure comes from the real programs: Tarvik in its own X server (Xvfb, a 1920 x 1080
screen), accsim on a pseudo-terminal, a three-axis run on a 60-s window, at each window size a
class sees: the form's size, maximised (the window resized to the whole screen, as there is no
window manager to maximise it) and projector mode (F11). The program is driven from outside as a
user would drive it: a settings file in its working folder, mouse clicks and key presses
through the X server (xdotool). CPU is the time the process got from the kernel (all of its
threads, /proc/PID/task/*/schedstat) per wall second over a stretch inside the run, so other
work on the machine barely changes it; the times in milliseconds are wall times and do.
"""

import argparse
import glob
import os
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

LOAD_LIMIT = 0.8
WINDOW_SECONDS = 60
RUN_POINTS = 50 * WINDOW_SECONDS - 1  # the run ends when the first series holds these
NUMBER_CYCLE = 64 ** 3
STREAM_START = "rx 02 01 01 00 04 03"
SCREEN = (1920, 1080)
SIZES = {
    "default": "1013 x 667",
    "fullhd": "maximised, 1920 x 1080",
    "projector": "projector mode (F11), 1920 x 1080",
}


def load_average():
    with open("/proc/loadavg") as f:
        return float(f.read().split()[0])


def cpu_seconds(pid):
    """CPU time of all threads of a process, in seconds."""
    total = 0
    for path in glob.glob(f"/proc/{pid}/task/*/schedstat"):
        try:
            with open(path) as f:
                total += int(f.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass  # a thread that ended meanwhile
    return total / 1e9


def rss_megabytes(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return float("nan")


class CpuStretch:
    """CPU share of some processes from now until stop()."""

    def __init__(self, pids):
        self.pids = pids
        self.wall = time.monotonic()
        self.cpu = [cpu_seconds(pid) for pid in pids]

    def stop(self):
        wall = time.monotonic() - self.wall
        return [100 * (cpu_seconds(pid) - before) / wall for pid, before in zip(self.pids, self.cpu)]


def x_environment(display):
    """The environment of a program shown on the benchmark's X server."""
    env = dict(os.environ, DISPLAY=display)
    env.pop("QT_QPA_PLATFORM", None)
    return env


def xdotool(display, *args):
    return subprocess.run(["xdotool", *args], env=x_environment(display),
                          capture_output=True, text=True, check=False).stdout


def wait_for(condition, timeout, step=0.05):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(step)
    return condition()


class Xvfb:
    """An X server of its own, on the first free display or on the one asked for (a machine
    shared by several people gives each a range of display numbers)."""

    def __init__(self, display=None):
        read, write = os.pipe()
        where = [display] if display else []
        self.process = subprocess.Popen(
            ["Xvfb", *where, "-displayfd", str(write), "-screen", "0",
             f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp"],
            pass_fds=[write], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            number = f.readline().strip()
        if not number:
            sys.exit(f"bench: Xvfb could not start on {display or 'a free display'}")
        self.display = ":" + number

    def close(self):
        self.process.terminate()
        self.process.wait()


class Simulator:
    """accsim in numbered mode; a reader thread keeps its command lines."""

    def __init__(self, accsim, rate):
        self.process = subprocess.Popen([accsim, "--numbered", "--rate", str(rate), "--verbose"],
                                        stdout=subprocess.PIPE, text=True)
        self.path = self.process.stdout.readline().strip()
        self.lines = []
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.append(line)

    def streaming(self):
        return any(line.startswith(STREAM_START) for line in self.lines)

    def close(self):
        self.process.terminate()
        self.process.wait()


class Program:
    """Tarvik in a scratch working folder whose settings name the simulator's port."""

    def __init__(self, build, source, display, port):
        self.display = display
        self.folder = tempfile.mkdtemp(prefix="tarvik-bench-")
        with open(os.path.join(self.folder, "default.ini"), "w", newline="") as f:
            f.write(f"Kvd_Log_DataBase_Ver=1.0\r\nCmbComPort={port}\r\n"
                    f"CmbYTime={WINDOW_SECONDS}\r\nCmbUnit=1\r\nCmbKalman=0\r\n")
        shutil.copy(os.path.join(source, "app", "AccNote.rtf"), self.folder)
        env = x_environment(display)
        watcher = subprocess.Popen([os.path.join(build, "bench", "WaitForMap"), "20"],
                                   env=env, stdout=subprocess.PIPE, text=True)
        if watcher.stdout.readline().strip() != "ready":
            sys.exit("bench: WaitForMap could not watch the display")
        started = time.monotonic()
        self.process = subprocess.Popen([os.path.join(build, "Tarvik")], cwd=self.folder, env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        mapped = watcher.stdout.readline().split()
        watcher.wait()
        if not mapped or mapped[0] != "mapped":
            self.close()
            sys.exit("bench: the main window did not appear")
        self.startup_ms = (float(mapped[1]) - started) * 1000
        self.window = str(int(mapped[2], 16))
        self.origin, self.size = self.geometry()

    def geometry(self):
        shell = xdotool(self.display, "getwindowgeometry", "--shell", self.window)
        field = {name: int(value) for name, value in re.findall(r"(\w+)=(\d+)", shell)}
        return (field["X"], field["Y"]), (field["WIDTH"], field["HEIGHT"])

    def resize(self, size):
        """Maximised or in projector mode. Without a window manager neither fills the screen
        by itself, so the window gets the screen's size as the manager would give it."""
        if size == "projector":
            xdotool(self.display, "windowfocus", "--sync", self.window)
            xdotool(self.display, "key", "--window", self.window, "F11")
            time.sleep(0.5)  # a missed key shows as a missed click on the three-axis box
        elif size != "fullhd":
            return
        xdotool(self.display, "windowmove", "--sync", self.window, "0", "0")
        xdotool(self.display, "windowsize", self.window, str(SCREEN[0]), str(SCREEN[1]))
        if not wait_for(lambda: self.geometry() == ((0, 0), SCREEN), 10):
            sys.exit(f"bench: the window did not fill the screen for {size}")
        self.origin, self.size = self.geometry()
        time.sleep(0.5)  # the charts' first replots at the new size

    @property
    def pid(self):
        return self.process.pid

    def click(self, layout, control):
        x, y = layout[control]
        xdotool(self.display, "mousemove", str(self.origin[0] + x), str(self.origin[1] + y),
                "click", "1")

    def windows(self):
        return xdotool(self.display, "search", "--onlyvisible", "--pid", str(self.pid), ".").split()

    def move_other_windows_aside(self):
        """The note window opens over the main window; a user would move it aside."""
        for window in self.windows():
            if window != self.window:
                xdotool(self.display, "windowmove", window, str(SCREEN[0] + 10), "0")

    def save_log(self, layout):
        """Save button, then Return in the file dialog: the proposed name in LogData."""
        before = self.windows()
        self.click(layout, "BitBtn1")
        dialog = lambda: xdotool(self.display, "getwindowfocus").strip() not in before + [""]
        if not wait_for(lambda: len(self.windows()) > len(before) and dialog(), 10):
            return None
        time.sleep(0.3)
        xdotool(self.display, "key", "Return")
        pattern = os.path.join(self.folder, "LogData", "*.csv")
        if not wait_for(lambda: glob.glob(pattern), 10):
            return None
        time.sleep(0.3)
        return glob.glob(pattern)[0]

    def close(self):
        self.process.terminate()
        self.process.wait()
        shutil.rmtree(self.folder, ignore_errors=True)


def lost_samples(log):
    """Samples missing between the first and the last row of a numbered run's log, and
    whether the log holds all three axes."""
    with open(log, "rb") as f:
        lines = f.read().split(b"\r\n")
    in_g = b"[G]" in lines[1]
    scale = 1.0 if in_g else 9.8
    numbers = []
    three_axes = False
    for line in lines[2:]:
        fields = line.split(b",")
        if len(fields) < 2:
            continue
        three_axes = len(fields) >= 4
        digits = [round((float(v) / scale + 1) * 32) for v in fields[1:4]]
        numbers.append(sum(d * 64 ** i for i, d in enumerate(digits)))
    if not numbers:
        return None, three_axes
    span = (numbers[-1] - numbers[0]) % NUMBER_CYCLE + 1
    return span - len(set(numbers)), three_axes


class Results:
    def __init__(self):
        self.values = {}
        self.loads = {}

    def add(self, key, value, load):
        self.values.setdefault(key, []).append(value)
        self.loads.setdefault(key, []).append(load)


def measure_run(args, display, size, layout, rate, results):
    load = load_average()
    simulator = Simulator(os.path.join(args.build, "accsim"), rate)
    program = None
    try:
        program = Program(args.build, args.source, display, simulator.path)
        if rate == 50 and size == "default":
            results.add("startup", program.startup_ms, load)
        if not wait_for(simulator.streaming, 20):
            sys.exit("bench: Tarvik did not connect to the simulator")
        wait_for(lambda: len(program.windows()) > 1, 5)  # the note window
        time.sleep(0.5)
        program.move_other_windows_aside()
        program.resize(size)
        if rate == 50:
            time.sleep(1.0)
            stretch = CpuStretch([program.pid])
            time.sleep(args.idle_seconds)
            results.add(f"{size}:idle", stretch.stop()[0], load)
        program.click(layout, "Cb3Axis")
        time.sleep(0.3)
        load = load_average()
        program.click(layout, "BBtnStart")
        started = time.monotonic()
        run_seconds = RUN_POINTS / rate
        begin = min(2.0, run_seconds * 0.15)
        length = min(args.run_seconds, run_seconds * 0.9 - begin)
        time.sleep(begin)
        stretch = CpuStretch([program.pid, args.xvfb_pid])
        time.sleep(length)
        tarvik, xserver = stretch.stop()
        results.add(f"{size}:cpu{rate}", tarvik, load)
        results.add(f"{size}:x{rate}", xserver, load)
        full_run = run_seconds <= begin + length + 5
        if full_run:
            time.sleep(max(0.0, started + run_seconds + 1.5 - time.monotonic()))
            results.add(f"{size}:rss", rss_megabytes(program.pid), load)
        else:
            program.click(layout, "BBtnStop")
        time.sleep(0.3)
        log = program.save_log(layout)
        if log is None:
            sys.exit(f"bench: the log could not be saved ({size}, {rate}/s)")
        if full_run:
            time.sleep(1.0)  # the dialog's window is gone and its memory given back
            results.add(f"{size}:rss_close", rss_megabytes(program.pid), load)
        lost, three_axes = lost_samples(log)
        if not three_axes:
            sys.exit(f"bench: the run was not a three-axis run ({size}; the check box click missed)")
        results.add(f"{size}:lost{rate}", lost, load)
    finally:
        if program:
            program.close()
        simulator.close()


def measure_floor(args, display, results):
    """The idle figure's floor: a bare Qt program reading the same stream, alone and with one
    value box refreshed ten times a second."""
    for mode in ("stream", "box"):
        load = load_average()
        simulator = Simulator(os.path.join(args.build, "accsim"), 50)
        program = subprocess.Popen(
            [os.path.join(args.build, "bench", "ToolkitFloor"), simulator.path, mode],
            env=x_environment(display), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            if not wait_for(simulator.streaming, 20):
                sys.exit("bench: ToolkitFloor did not start the simulator's stream")
            time.sleep(1.0)
            stretch = CpuStretch([program.pid])
            time.sleep(args.idle_seconds)
            results.add(f"floor_{mode}", stretch.stop()[0], load)
        finally:
            program.terminate()
            program.wait()
            simulator.close()


def measure_window(args, display, results):
    load = load_average()
    out = subprocess.run([os.path.join(args.build, "bench", "WindowBench")],
                         env=x_environment(display),
                         capture_output=True, text=True, check=True).stdout
    for line in out.splitlines():
        name, value = line.split()
        results.add(name, float(value), load)


def measure_core(args):
    out = subprocess.run([os.path.join(args.build, "bench", "CoreBench"),
                          "--benchmark_filter=/(18|2040)$", "--benchmark_repetitions=3",
                          "--benchmark_report_aggregates_only=true"],
                         capture_output=True, text=True, check=True).stdout
    figures = []
    for line in out.splitlines():
        match = re.match(r"(\w+)/(\d+)_median\s.*frames=([\d.]+)(\w?)/s", line)
        if match:
            scale = {"k": 1e3, "M": 1e6, "G": 1e9}.get(match[4], 1)
            figures.append((f"{match[1]}, reads of {match[2]} bytes",
                            float(match[3]) * scale / 1e6))
    return figures


def layout_of(args, display, size):
    out = subprocess.run([os.path.join(args.build, "bench", "WindowBench"), "--layout", size],
                         env=x_environment(display),
                         capture_output=True, text=True, check=True).stdout
    return {name: (int(x), int(y)) for name, x, y in (line.split() for line in out.splitlines())}


# Measured at each window size; the table's rows of a size start with its name.
SIZE_ROWS = [
    # key, label, unit, goal, format
    ("cpu50", "CPU, three-axis run at 50 samples/s", "% of a core", "<= 3", "{:.1f}"),
    ("cpu320", "CPU, three-axis run at 320 samples/s", "% of a core", "<= 5", "{:.1f}"),
    ("x50", "X server during the run at 50/s", "% of a core", "", "{:.1f}"),
    ("x320", "X server during the run at 320/s", "% of a core", "", "{:.1f}"),
    ("lost320", "samples lost at 320/s", "samples", "0", "{:.0f}"),
    ("lost50", "samples lost at 50/s", "samples", "0", "{:.0f}"),
    ("idle", "CPU, connected, no run (50/s)", "% of a core", "<= 1", "{:.2f}"),
    ("rss", "resident memory after a full run", "MB", "<= 60", "{:.1f}"),
    ("rss_close", "memory after the save dialog", "MB", "<= 60", "{:.1f}"),
]

ROWS = [
    ("startup", "start to mapped main window", "ms", "<= 150", "{:.0f}"),
    ("load_ms", "9050-row log: load", "ms", "<= 10", "{:.1f}"),
    ("draw_ms", "9050-row log: draw", "ms", "<= 25", "{:.1f}"),
    ("save_ms", "9050-row log: save", "ms", "", "{:.1f}"),
    ("report_ms", "report of the page with that log", "ms", "<= 1000", "{:.0f}"),
    ("floor_stream", "bare Qt program: the stream at 50/s, no window", "% of a core", "",
     "{:.2f}"),
    ("floor_box", "bare Qt program: and one box, 10 texts/s", "% of a core", "", "{:.2f}"),
]


def print_table(args, results, core):
    print()
    print(f"Tarvik benchmark: Release build, {args.repetitions} interleaved repetitions, "
          f"median [min .. max]; three-axis run on a {WINDOW_SECONDS}-s window under Xvfb "
          f"({SCREEN[0]} x {SCREEN[1]} screen), accsim on a pseudo-terminal")
    print("sizes: " + "; ".join(f"{size} = {SIZES[size]}" for size in args.sizes))
    print(f"{'figure':50} {'median':>8} {'range':>17}  {'unit':12} {'goal':8} {'load':>5}")
    distorted = []
    rows = [(f"{size}:{key}", f"{size}: {label}", unit, goal, fmt)
            for size in args.sizes for key, label, unit, goal, fmt in SIZE_ROWS]
    for key, label, unit, goal, fmt in rows + ROWS:
        values = results.values.get(key)
        if not values:
            continue
        load = max(results.loads[key])
        flag = " !" if load > LOAD_LIMIT else ""
        if flag:
            distorted.append(label)
        span = f"{fmt.format(min(values))} .. {fmt.format(max(values))}"
        print(f"{label:50} {fmt.format(statistics.median(values)):>8} {span:>17}  {unit:12} "
              f"{goal:8} {load:5.2f}{flag}")
    for label, mframes in core:
        print(f"{'core: ' + label:50} {mframes:8.1f} {'':17}  {'M frames/s':12}")
    print(f"load: the highest 1-minute load average seen before the measurements of a row; "
          f"the machine has {os.cpu_count()} cores")
    if distorted:
        print(f"! measured at a load above {LOAD_LIMIT}: other work competed for the cores, so "
              "the wall times (ms) and lost samples may be worse than on a quiet machine; CPU "
              "time per wall second is less affected. Repeat when `uptime` shows a low load.")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--repetitions", type=int, default=3)
    parser.add_argument("--run-seconds", type=float, default=20.0,
                        help="length of the CPU stretch of the 50/s run")
    parser.add_argument("--idle-seconds", type=float, default=5.0)
    parser.add_argument("--rates", default="50,320",
                        help="sample rates of the runs, comma-separated")
    parser.add_argument("--sizes", default=",".join(SIZES),
                        help="window sizes, comma-separated, of " + ", ".join(SIZES))
    parser.add_argument("--display", help="X display for the benchmark's server, as :61; "
                        "the first free one without it")
    parser.add_argument("--skip-window", action="store_true", help="no log load/draw/save")
    parser.add_argument("--skip-core", action="store_true", help="no core benchmark")
    parser.add_argument("--skip-floor", action="store_true",
                        help="no bare Qt program as the idle figure's reference")
    args = parser.parse_args()
    args.build = os.path.abspath(args.build)
    args.source = os.path.abspath(args.source)
    args.sizes = args.sizes.split(",")
    if not set(args.sizes) <= set(SIZES):
        parser.error("--sizes takes " + ", ".join(SIZES))

    server = Xvfb(args.display)
    args.xvfb_pid = server.process.pid
    results = Results()
    try:
        layouts = {size: layout_of(args, server.display, size) for size in args.sizes}
        for repetition in range(args.repetitions):
            print(f"repetition {repetition + 1} of {args.repetitions} (load {load_average():.2f})",
                  file=sys.stderr)
            for size in args.sizes:
                for rate in (int(r) for r in args.rates.split(",")):
                    measure_run(args, server.display, size, layouts[size], rate, results)
            if not args.skip_window:
                measure_window(args, server.display, results)
            if not args.skip_floor:
                measure_floor(args, server.display, results)
    finally:
        server.close()
    core = [] if args.skip_core else measure_core(args)
    print_table(args, results, core)


if __name__ == "__main__":
    signal.signal(signal.SIGINT, signal.default_int_handler)
    main()
