#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Vlajkor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Start-up on real desktops, for scripts/bench. On each desktop that is installed, each on
an X server of its own, the trainer and the same window built by plain Qt are started in
turn, and every start is watched from outside: the time from just before it to the window
being shown at its final place, and how often the window moved after it was first shown.
Prints one line a desktop:

    shown NAME TRAINER_US SAME_CONTROLS_US TRAINER_MOVES SAME_CONTROLS_MOVES

with the medians of the times and the most moves of any one start, or "skipped NAME WHY"
where the desktop is not installed, or "failed NAME WHY"."""

import json
import os
import shutil
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "acceptance"))
from desktop import (Desktop, start_gnome_shell, start_kwin_script, start_kwin_wayland,  # noqa: E402
                     start_window_manager)

RUNS = 7
STILL = 1.5  # seconds a window stands still before it is taken to be at its final place
SHOWN_WITHIN = 20.0  # seconds: a start that takes longer has failed
KWIN_SOCKET = "wl-bench"
# What KWin tells of each window it adds, and of each change of its frame after that.
KWIN_WATCH = """
function report(window, what) {
    // KWin 5 does not tell the window's own part; for a Wayland window, its buffer is that.
    var inside = window.clientGeometry || window.bufferGeometry;
    print(MARKER + JSON.stringify({what: what, window: String(window.internalId), pid: window.pid,
        ms: Date.now(), place: [window.frameGeometry.x, window.frameGeometry.y, inside.x, inside.y]}));
}
// KWin 6 calls it windowAdded, KWin 5 clientAdded.
(workspace.windowAdded || workspace.clientAdded).connect(function (window) {
    report(window, "added");
    window.frameGeometryChanged.connect(function () { report(window, "changed"); });
});
"""


def without_qt(env, **changes):
    """`env` without the caller's Qt settings, with `changes`; a None value removes a variable."""
    chosen = {key: value for key, value in env.items() if not key.startswith("QT_")}
    chosen.update(changes)
    return {key: value for key, value in chosen.items() if value is not None}


def watched(watch, path, env):
    """One start seen from the X display of `env`: (µs to the final place, moves after shown)."""
    result = subprocess.run([watch, path], env=env, capture_output=True, text=True, timeout=SHOWN_WITHIN + 30)
    if result.returncode:
        raise RuntimeError(f"{os.path.basename(path)}: {result.stderr.strip()[-2000:]}")
    figures = dict(line.split() for line in result.stdout.splitlines())
    return int(figures["settled_us"]), int(figures["moves"])


class KWinWatch:
    """Starts seen through a KWin script that reports every window KWin adds and moves."""

    def __init__(self, desktop):
        self.desktop = desktop
        self.marker = f"vlajkor-bench-{time.monotonic_ns()} "
        script = os.path.join(desktop.env["XDG_RUNTIME_DIR"], "bench-watch.js")
        with open(script, "w") as text:
            text.write(f"var MARKER = {json.dumps(self.marker)};\n{KWIN_WATCH}")
        deadline = time.monotonic() + 60
        while not start_kwin_script(desktop, script, self.marker.strip()):
            if time.monotonic() > deadline:
                raise RuntimeError("KWin's scripting did not answer")
            time.sleep(0.5)

    def reports(self, pid):
        lines = self.desktop._read_log("kwin.log").splitlines()
        found = [json.loads(line.split(self.marker, 1)[1]) for line in lines if self.marker in line]
        return [report for report in found if report["pid"] == pid]

    def start(self, path, env):
        started_us = time.time_ns() // 1000
        process = subprocess.Popen([path], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            while True:
                if process.poll() is not None:
                    raise RuntimeError(f"{os.path.basename(path)} ended with status {process.returncode}")
                reports = self.reports(process.pid)
                if reports:
                    window, place, settled_ms = reports[0]["window"], reports[0]["place"], reports[0]["ms"]
                    moves = 0
                    for report in reports[1:]:
                        if report["window"] == window and report["place"] != place:
                            place, settled_ms = report["place"], report["ms"]
                            moves += 1
                    if time.time() * 1000 - settled_ms >= STILL * 1000:
                        return settled_ms * 1000 - started_us, moves
                elif time.time_ns() // 1000 - started_us > SHOWN_WITHIN * 1e6:
                    raise RuntimeError(f"{os.path.basename(path)}: KWin added no window")
                time.sleep(0.02)
        finally:
            process.terminate()
            process.wait()


def x11_manager(command, name):
    """A desktop of an X11 window manager on Xvfb; both programs are on X11."""
    def start():
        desktop = Desktop(width=1280, height=1024, accessibility=False)
        try:
            start_window_manager(desktop, command, name)
        except BaseException:
            desktop.close()
            raise
        env = without_qt(desktop.env, WAYLAND_DISPLAY=None, XDG_SESSION_TYPE="x11")
        return desktop, env, env, None
    return start


def gnome_shell():
    """GNOME Shell nested: the trainer chooses Xwayland itself; plain Qt is put there."""
    desktop = Desktop(width=1600, height=1200, accessibility=False)
    try:
        _, x_env, _ = start_gnome_shell(desktop, (1024, 768))
    except BaseException:
        desktop.close()
        raise
    env = without_qt(x_env, WAYLAND_DISPLAY="wayland-0", XDG_SESSION_TYPE="wayland", XDG_CURRENT_DESKTOP="GNOME")
    return desktop, env, dict(env, QT_QPA_PLATFORM="xcb"), None


def kwin_wayland():
    """KWin nested as a Wayland compositor: the trainer chooses native Wayland, and plain Qt
    is put there too, where KWin's scripting sees them."""
    desktop = Desktop(width=1600, height=1200, accessibility=False)
    try:
        kwin_env = start_kwin_wayland(desktop, (1280, 1024), KWIN_SOCKET)
        watch = KWinWatch(desktop)
    except BaseException:
        desktop.close()
        raise
    env = without_qt(kwin_env, WAYLAND_DISPLAY=KWIN_SOCKET, XDG_SESSION_TYPE="wayland", XDG_CONFIG_HOME=None)
    return desktop, env, dict(env, QT_QPA_PLATFORM="wayland"), watch


# Name in the figures, the command that must be installed, and how the desktop is started.
DESKTOPS = [
    ("xfwm4", "xfwm4", x11_manager(["xfwm4", "--compositor=off"], "Xfwm4")),
    ("kwin_x11", "kwin_x11", x11_manager(["kwin_x11"], "KWin")),
    ("gnome_shell", "gnome-shell", gnome_shell),
    ("kwin_wayland", "kwin_wayland", kwin_wayland),
]


def measure(bin_dir, start_desktop):
    trainer = os.path.join(bin_dir, "src", "vlajkor")
    same_controls = os.path.join(bin_dir, "bench", "same_controls_window")
    watch = os.path.join(bin_dir, "bench", "shown_watch")
    desktop, trainer_env, same_env, kwin = start_desktop()
    try:
        def once(path, env):
            return kwin.start(path, env) if kwin else watched(watch, path, env)
        programs = [(trainer, trainer_env), (same_controls, same_env)]
        for path, env in programs:  # caches warmed
            once(path, env)
        results = {trainer: [], same_controls: []}
        # Every other round in reverse, so that neither is always the one started after the other.
        for round in range(RUNS):
            for path, env in programs if round % 2 == 0 else reversed(programs):
                results[path].append(once(path, env))
    finally:
        desktop.close()
    times = [statistics.median(us for us, _ in results[path]) for path in (trainer, same_controls)]
    moves = [max(count for _, count in results[path]) for path in (trainer, same_controls)]
    return times, moves


def main():
    bin_dir = sys.argv[1]
    for name, command, start_desktop in DESKTOPS:
        if not shutil.which(command):
            print(f"skipped {name} {command} is not installed", flush=True)
            continue
        try:
            (trainer_us, same_us), (trainer_moves, same_moves) = measure(bin_dir, start_desktop)
        except Exception as error:  # one desktop's failure leaves the others to be measured
            print(f"failed {name} {' '.join(str(error).split())}", flush=True)
            continue
        print(f"shown {name} {trainer_us:.0f} {same_us:.0f} {trainer_moves} {same_moves}", flush=True)


if __name__ == "__main__":
    main()
