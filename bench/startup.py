#!/usr/bin/env python3
"""Start-up time and resident memory of the program against the floor a Qt program cannot beat.

Starts the program (window/warp-rechner) and bench's floor_window (the same controls in a
plain Qt Widgets window) one after the other, alternating which goes first, under one Xvfb
server, and measures for each start:

  start-up   from just before exec until the window is mapped and its whole client area has
             been drawn into. An X event watcher in this script (Xlib and the DAMAGE extension
             through ctypes) sees the top-level window's creation and MapNotify on the root
             window, and DamageNotify rectangles for everything drawn into the window; the
             window counts as painted when the rectangles drawn since the map cover all of it.
             Times are this process's monotonic clock when the event arrives; the resolution is
             the wake-up latency of select(), well under a millisecond.
  memory     VmRSS and VmHWM from /proc/<pid>/status one second after the window is painted.

Prints medians, min-max and the ratios against the goals: start-up at most 1.10 times the
floor, resident memory at most the floor plus 3 MiB.

  bench/startup.py [--build DIR] [--runs N] [--warmup N] [--program PATH]

Builds the two programs in DIR (default: build, configured as the README says) when needed;
--program measures another build of the program (a trial change, say) against the floor.
Needs Xvfb (xvfb), libX11 and libXdamage (libx11-6, libxdamage1).
"""

import argparse
import ctypes
import ctypes.util
import os
import select
import signal
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CAPTION = b"Warp - Rechner"
START_TIMEOUT_S = 20.0
MEMORY_DELAY_S = 1.0
STARTUP_GOAL_RATIO = 1.10
MEMORY_GOAL_MIB = 3.0

# Xlib event types and masks (X.h) and the DAMAGE extension's (damagewire.h).
CREATE_NOTIFY = 16
MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
DAMAGE_NOTIFY = 0
DAMAGE_REPORT_RAW_RECTANGLES = 0

c_window = ctypes.c_ulong  # XID


class XCreateWindowEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("parent", c_window), ("window", c_window),
                ("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("border_width", ctypes.c_int),
                ("override_redirect", ctypes.c_int)]


class XMapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", c_window), ("window", c_window),
                ("override_redirect", ctypes.c_int)]


class XRectangle(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("width", ctypes.c_ushort),
                ("height", ctypes.c_ushort)]


class XDamageNotifyEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("drawable", c_window), ("damage", c_window),
                ("level", ctypes.c_int), ("more", ctypes.c_int), ("timestamp", ctypes.c_ulong),
                ("area", XRectangle), ("geometry", XRectangle)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("create", XCreateWindowEvent), ("map", XMapEvent),
                ("damage", XDamageNotifyEvent), ("pad", ctypes.c_long * 24)]


def load_library(name, package):
    path = ctypes.util.find_library(name)
    if path is None:
        sys.exit(f"startup.py: lib{name} is missing (Debian package {package})")
    return ctypes.CDLL(path)


class Watcher:
    """An X client that reports when a new top-level window is mapped and fully drawn."""

    def __init__(self, display_name):
        self.x = load_library("X11", "libx11-6")
        self.xdamage = load_library("Xdamage", "libxdamage1")
        x, xd = self.x, self.xdamage
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = c_window
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XSelectInput.argtypes = [ctypes.c_void_p, c_window, ctypes.c_long]
        x.XConnectionNumber.argtypes = [ctypes.c_void_p]
        x.XPending.argtypes = [ctypes.c_void_p]
        x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
        x.XFlush.argtypes = [ctypes.c_void_p]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XFetchName.argtypes = [ctypes.c_void_p, c_window, ctypes.POINTER(ctypes.c_char_p)]
        x.XFree.argtypes = [ctypes.c_void_p]
        x.XGetGeometry.argtypes = [ctypes.c_void_p, c_window, ctypes.POINTER(c_window)] + \
            [ctypes.POINTER(ctypes.c_int)] * 2 + [ctypes.POINTER(ctypes.c_uint)] * 4
        xd.XDamageQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                             ctypes.POINTER(ctypes.c_int)]
        xd.XDamageCreate.restype = c_window
        xd.XDamageCreate.argtypes = [ctypes.c_void_p, c_window, ctypes.c_int]

        # A window may be gone before the watcher asks about it; such errors are expected.
        handler_type = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
        self._ignore_errors = handler_type(lambda display, error: 0)
        x.XSetErrorHandler(self._ignore_errors)

        self.display = x.XOpenDisplay(display_name.encode())
        if not self.display:
            sys.exit(f"startup.py: cannot open display {display_name}")
        event_base, error_base = ctypes.c_int(), ctypes.c_int()
        if not xd.XDamageQueryExtension(self.display, ctypes.byref(event_base),
                                        ctypes.byref(error_base)):
            sys.exit("startup.py: the X server has no DAMAGE extension")
        self.damage_notify = event_base.value + DAMAGE_NOTIFY
        x.XSelectInput(self.display, x.XDefaultRootWindow(self.display), SUBSTRUCTURE_NOTIFY_MASK)
        x.XSync(self.display, 0)
        self.fd = x.XConnectionNumber(self.display)

    def _drain(self):
        """Events read so far, with the monotonic time at which they were read."""
        x = self.x
        while x.XPending(self.display):
            event = XEvent()
            x.XNextEvent(self.display, ctypes.byref(event))
            yield time.monotonic_ns(), event

    def _caption(self, window):
        name = ctypes.c_char_p()
        if not self.x.XFetchName(self.display, window, ctypes.byref(name)) or not name.value:
            return b""
        caption = name.value
        self.x.XFree(name)
        return caption

    def _size(self, window):
        root, x, y = c_window(), ctypes.c_int(), ctypes.c_int()
        width, height, border, depth = (ctypes.c_uint() for _ in range(4))
        if not self.x.XGetGeometry(self.display, window, ctypes.byref(root), ctypes.byref(x),
                                   ctypes.byref(y), ctypes.byref(width), ctypes.byref(height),
                                   ctypes.byref(border), ctypes.byref(depth)):
            return 0, 0
        return width.value, height.value

    def wait_for_painted_window(self, process):
        """(mapped, painted) monotonic times in ns of the new window with the caption."""
        created = set()
        window, mapped, covered, width, height = None, None, None, 0, 0
        deadline = time.monotonic() + START_TIMEOUT_S
        while True:
            for now, event in self._drain():
                if event.type == CREATE_NOTIFY and not event.create.override_redirect:
                    # Watch what is drawn into every new top-level window from its creation
                    # on, so no drawing can slip between the map and the watch.
                    created.add(event.create.window)
                    self.xdamage.XDamageCreate(self.display, event.create.window,
                                               DAMAGE_REPORT_RAW_RECTANGLES)
                    self.x.XFlush(self.display)
                elif (event.type == MAP_NOTIFY and window is None
                      and event.map.window in created
                      and self._caption(event.map.window) == CAPTION):
                    window, mapped = event.map.window, now
                    width, height = self._size(window)
                    covered = [bytearray(width) for _ in range(height)]
                elif event.type == self.damage_notify and event.damage.drawable == window:
                    area = event.damage.area
                    x0, x1 = max(area.x, 0), min(area.x + area.width, width)
                    for y in range(max(area.y, 0), min(area.y + area.height, height)):
                        covered[y][x0:x1] = b"\1" * (x1 - x0)
                    if all(row.count(0) == 0 for row in covered):
                        return mapped, now
            if process.poll() is not None:
                sys.exit(f"startup.py: {process.args[0]} ended before its window was painted")
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                sys.exit(f"startup.py: no painted window of {process.args[0]} within "
                         f"{START_TIMEOUT_S:.0f} s")
            select.select([self.fd], [], [], min(remaining, 0.1))

    def discard_events(self):
        for _ in self._drain():
            pass


def memory_kib(pid):
    """VmRSS and VmHWM of the process, in KiB."""
    fields = {}
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            key, _, value = line.partition(":")
            if key in ("VmRSS", "VmHWM"):
                fields[key] = int(value.split()[0])
    return fields["VmRSS"], fields["VmHWM"]


def measure(watcher, program, environment):
    """One start: (ms to map, ms to painted, VmRSS KiB, VmHWM KiB)."""
    watcher.discard_events()
    start = time.monotonic_ns()
    process = subprocess.Popen([program], env=environment, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        mapped, painted = watcher.wait_for_painted_window(process)
        time.sleep(MEMORY_DELAY_S)
        rss, hwm = memory_kib(process.pid)
    finally:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
    return (mapped - start) / 1e6, (painted - start) / 1e6, rss, hwm


def build(build_dir):
    if not os.path.exists(os.path.join(build_dir, "CMakeCache.txt")):
        subprocess.run(["cmake", "-S", ROOT, "-B", build_dir, "-G", "Ninja",
                        "-DCMAKE_BUILD_TYPE=RelWithDebInfo"], check=True)
    subprocess.run(["cmake", "--build", build_dir, "--target", "warp-rechner", "floor_window"],
                   check=True, stdout=subprocess.DEVNULL)
    return (os.path.join(build_dir, "window", "warp-rechner"),
            os.path.join(build_dir, "bench", "floor_window"))


def start_xvfb():
    """A fresh Xvfb on a free display number: (process, display name)."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                               "1024x768x24", "-nolisten", "tcp"],
                              pass_fds=[write_end], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        sys.exit("startup.py: Xvfb did not start")
    return server, f":{number}"


def summary(values):
    return statistics.median(values), min(values), max(values)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(ROOT, "build"), help="build folder")
    parser.add_argument("--runs", type=int, default=15, help="measured starts of each (>= 7)")
    parser.add_argument("--warmup", type=int, default=3, help="unmeasured starts of each first")
    parser.add_argument("--program", help="the program to measure instead of the built one")
    arguments = parser.parse_args()
    if arguments.runs < 7:
        parser.error("--runs must be at least 7")

    programs = dict(zip(("warp-rechner", "floor"), build(arguments.build)))
    if arguments.program:
        programs["warp-rechner"] = os.path.abspath(arguments.program)
    server, display = start_xvfb()
    try:
        environment = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
        watcher = Watcher(display)
        for _ in range(arguments.warmup):
            for path in programs.values():
                measure(watcher, path, environment)
        results = {name: [] for name in programs}
        order = list(programs)
        for run in range(arguments.runs):
            for name in order if run % 2 == 0 else reversed(order):
                results[name].append(measure(watcher, programs[name], environment))
    finally:
        server.terminate()
        server.wait()

    print(f"{arguments.runs} starts each after {arguments.warmup} warm-up starts, alternating; "
          f"Xvfb {display}, {os.cpu_count()} cores")
    print(f"{'':14}{'mapped ms':>22}{'painted ms':>22}{'VmRSS MiB':>22}{'VmHWM MiB':>22}")
    medians = {}
    for name, runs in results.items():
        columns = list(zip(*runs))
        scales = (1, 1, 1 / 1024, 1 / 1024)
        row = []
        for column, scale in zip(columns, scales):
            median, low, high = summary([value * scale for value in column])
            row.append(f"{median:8.1f} ({low:6.1f}-{high:6.1f})")
        medians[name] = [statistics.median(column) for column in columns]
        print(f"{name:14}" + "".join(f"{cell:>22}" for cell in row))

    program, floor = medians["warp-rechner"], medians["floor"]
    ratio = program[1] / floor[1]
    # The two starts of one round ran next to each other; their ratio is less exposed to
    # the machine's drift than the ratio of the medians.
    paired = statistics.median(p[1] / f[1] for p, f in zip(results["warp-rechner"],
                                                            results["floor"]))
    rss_extra = (program[2] - floor[2]) / 1024
    hwm_extra = (program[3] - floor[3]) / 1024
    print(f"start-up (painted): {ratio:.3f} x the floor "
          f"(goal <= {STARTUP_GOAL_RATIO:.2f}: {'met' if ratio <= STARTUP_GOAL_RATIO else 'MISSED'})")
    print(f"start-up (painted): {paired:.3f} x the floor, median of the rounds' ratios")
    print(f"start-up (mapped):  {program[0] / floor[0]:.3f} x the floor")
    for label, extra in (("VmRSS", rss_extra), ("VmHWM", hwm_extra)):
        verdict = "met" if extra <= MEMORY_GOAL_MIB else "MISSED"
        print(f"{label}: floor {extra:+.2f} MiB (goal <= +{MEMORY_GOAL_MIB:.0f} MiB: {verdict})")


if __name__ == "__main__":
    main()
