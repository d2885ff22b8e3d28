# SPDX-FileCopyrightText: 2026 The Vlajkor developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A private X desktop for the acceptance tests.

Each test file gets its own Xvfb server and session bus (with the accessibility bus that
the bus starts on demand), starts the built program on it as often as it needs, drives it
with real key and mouse events through xdotool, and reads the results back from
screenshots and, where text must be read, through AT-SPI.

There is no window manager. X then sends keys to the window under the pointer, so every
program is started with the pointer parked over its window, and clicks keep it there.
"""

import glob
import os
import re
import select
import shutil
import signal
import string
import subprocess
import sys
import tempfile
import time
import unittest

try:
    import pyatspi
except ImportError:  # reported by require_tools()
    pyatspi = None

# Command -> the Debian package that provides it; scripts/test installs them all.
TOOLS = {
    "Xvfb": "xvfb",
    "xdotool": "xdotool",
    "import": "imagemagick",
    "xwininfo": "x11-utils",
    "xprop": "x11-utils",
    "xmodmap": "x11-xserver-utils",
    "dbus-daemon": "dbus-daemon",
}

TITLE = "Vlajkor"
WAIT = 10.0  # seconds: the longest any single expected change may take


def require_tools(accessibility=True):
    """Fails loudly, naming the packages, when something the tests drive is not installed."""
    missing = sorted({package for tool, package in TOOLS.items() if not shutil.which(tool)})
    if accessibility and pyatspi is None:
        missing.append("python3-pyatspi (run the tests with Debian's /usr/bin/python3)")
    if accessibility and not os.path.exists("/usr/libexec/at-spi-bus-launcher"):
        missing.append("at-spi2-core")
    if missing:
        raise RuntimeError("acceptance tests need: " + ", ".join(missing))


def contrast(a, b):
    """The contrast ratio of two RGB colours as WCAG defines it, from 1 to 21."""
    def luminance(rgb):
        linear = [c / 255 / 12.92 if c / 255 <= 0.04045 else ((c / 255 + 0.055) / 1.055) ** 2.4 for c in rgb]
        return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]
    lighter, darker = sorted((luminance(a), luminance(b)), reverse=True)
    return (lighter + 0.05) / (darker + 0.05)


def wait_until(condition, what, timeout=WAIT, interval=0.02):
    """Polls `condition` until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError(f"waited {timeout:g} s for {what}")
        time.sleep(interval)


class Image:
    """An RGB screenshot or a part of one."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, bytes(rgb)

    @classmethod
    def from_ppm(cls, data):
        # import writes a binary PPM: "P6\n<width> <height>\n255\n" then the pixels. One
        # whitespace byte ends the header: the first pixel may start with such a byte too.
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
        if not header:
            raise ValueError("not an 8-bit binary PPM")
        return cls(int(header[1]), int(header[2]), data[header.end():])

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def crop(self, x, y, width, height):
        if x < 0 or y < 0 or x + width > self.width or y + height > self.height:
            raise ValueError(f"{width}x{height}+{x}+{y} is outside the {self.width}x{self.height} image")
        stride = 3 * self.width
        starts = ((y + row) * stride + 3 * x for row in range(height))
        return Image(width, height, b"".join(self.rgb[start:start + 3 * width] for start in starts))

    def ink(self):
        """How many pixels are dark enough to be text or a drawn sign."""
        return sum(1 for i in range(0, len(self.rgb), 3) if max(self.rgb[i:i + 3]) < 128)

    def colours(self):
        return {self.rgb[i:i + 3] for i in range(0, len(self.rgb), 3)}

    def background_and_ink(self):
        """The colour most of the image has, and the pixel that stands out most from it: where
        a text is drawn, the text's own colour."""
        pixels = [self.pixel(x, y) for y in range(self.height) for x in range(self.width)]
        background = max(set(pixels), key=pixels.count)
        return background, max(pixels, key=lambda pixel: contrast(pixel, background))

    def __eq__(self, other):
        return isinstance(other, Image) and (self.width, self.height, self.rgb) == (
            other.width, other.height, other.rgb)

    def __hash__(self):
        return hash((self.width, self.height, self.rgb))


def stop_group(process):
    """Ends a process started in a group of its own and all that it started. What outlives it
    is killed: Window Maker forks the manager proper, which may hang in its handler of the
    signal that ends it, and would hold the screen from the next manager."""
    try:
        os.killpg(process.pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    try:
        process.wait(timeout=WAIT)
    except subprocess.TimeoutExpired:
        pass
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    process.wait()


class Desktop:
    """An X server and a session bus, alive until close(). Without `accessibility` the
    accessibility bus is not started, for programs that cannot reach it (Windows ones under
    Wine)."""

    def __init__(self, width=1024, height=768, accessibility=True):
        require_tools(accessibility)
        self.width, self.height, self._accessibility = width, height, accessibility
        self._dir = tempfile.TemporaryDirectory(prefix="vlajkor-desktop-")
        self._processes = []
        self._bound = set()
        self._spare_keycodes = None
        try:
            self._start_x()
            self._start_bus()
        except BaseException:
            self.close()
            raise

    def _spawn(self, args, log, **options):
        # Own process group: close() ends whatever the process started too.
        with open(os.path.join(self._dir.name, log), "w") as stderr:
            # STDOUT, as for stderr, sends the output to the log too.
            if options.get("stdout") == subprocess.STDOUT:
                options["stdout"] = stderr
            process = subprocess.Popen(args, process_group=0, stderr=stderr, **options)
        self._processes.append(process)
        return process

    def _read_log(self, log):
        with open(os.path.join(self._dir.name, log), errors="replace") as text:
            return text.read()

    def _start_x(self):
        # -displayfd lets the server pick a free display, so tests can run side by side.
        # It writes the number and a newline in two writes once it is ready, and fails if
        # the pipe is gone before the second: read to the end before closing.
        read, write = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write), "-screen", "0", f"{self.width}x{self.height}x24",
                     "-nolisten", "tcp", "-noreset"], "xvfb.log", pass_fds=(write,))
        os.close(write)
        written = b""
        deadline = time.monotonic() + WAIT
        while not written.endswith(b"\n") and select.select([read], [], [], deadline - time.monotonic())[0]:
            chunk = os.read(read, 64)
            if not chunk:
                break
            written += chunk
        os.close(read)
        if not written.endswith(b"\n"):
            raise RuntimeError("Xvfb did not start:\n" + self._read_log("xvfb.log"))
        self.display = ":" + written.decode().strip()

    def _start_bus(self):
        # Qt settings of the caller's own session (a scale factor, say) must not leak in.
        inherited = {key: value for key, value in os.environ.items() if not key.startswith("QT_")}
        # A home of the desktop's own too: what runs on it, the services the bus starts among
        # them (KWin's shortcuts, say), writes its settings there, never into the caller's.
        self.env = dict(inherited, DISPLAY=self.display, XDG_RUNTIME_DIR=self._dir.name, HOME=self._dir.name)
        # The bus starts the accessibility bus with its own environment, which must point
        # to this desktop's display and private runtime folder, or parallel tests share one.
        bus = self._spawn(["dbus-daemon", "--session", "--nofork", "--print-address"], "bus.log",
                          env=self.env, stdout=subprocess.PIPE, text=True)
        ready, _, _ = select.select([bus.stdout], [], [], WAIT)
        address = bus.stdout.readline().strip() if ready else ""
        bus.stdout.close()
        if not address:
            raise RuntimeError("the session bus did not start:\n" + self._read_log("bus.log"))
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        # The accessibility client reads the bus address from this process's environment
        # when it first connects, which is why a test process has only one desktop.
        os.environ.update(DBUS_SESSION_BUS_ADDRESS=address, DISPLAY=self.display)
        # Asking for the desktop starts the accessibility bus before the program looks for it.
        if self._accessibility:
            pyatspi.Registry.getDesktop(0)

    def run(self, *args, check=True):
        result = subprocess.run(args, env=self.env, capture_output=True, text=True, timeout=WAIT)
        if check and result.returncode != 0:
            raise RuntimeError(f"{' '.join(args)} failed: {result.stderr.strip()}")
        return result.stdout

    def screenshot(self):
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env,
                              capture_output=True, check=True, timeout=WAIT).stdout
        return Image.from_ppm(data)

    def bind_keys(self, text):
        """Gives the characters of `text` that the keyboard map lacks keys of their own, as a
        Czech keyboard has them. Left to itself, xdotool binds such a character to a spare key
        just for the keystroke and unbinds it straight after; a program slow to read the
        changed map then reads it unbound and gets a key that types nothing."""
        missing = [c for c in dict.fromkeys(text) if not c.isascii() and c not in self._bound]
        if not missing:
            return
        if self._spare_keycodes is None:
            keymap = self.run("xmodmap", "-pke")
            self._spare_keycodes = [int(m.group(1)) for m in re.finditer(r"^keycode\s+(\d+) =\s*$", keymap, re.M)]
        for character in missing:
            if not self._spare_keycodes:
                raise RuntimeError(f"no spare key for {character!r}")
            self.run("xmodmap", "-e", f"keycode {self._spare_keycodes.pop()} = U{ord(character):04X}")
            self._bound.add(character)

    def top_level_windows(self):
        """Ids of the mapped windows titled like the program's."""
        found = self.run("xdotool", "search", "--onlyvisible", "--name", f"^{TITLE}$", check=False)
        return [int(line) for line in found.split()]

    def close(self):
        for process in reversed(self._processes):
            stop_group(process)
        self._processes.clear()
        self._dir.cleanup()


class Program:
    """The program under test, started on a desktop, with the ways a person reaches it."""

    # Where the pointer rests between clicks: over the about text, which reacts to nothing.
    PARK = (60, 120)

    def __init__(self, desktop, path, **env):
        self.desktop = desktop
        self._log = tempfile.NamedTemporaryFile(prefix="vlajkor-", suffix=".log")
        environment = dict(desktop.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        environment.update(env)
        self.process = subprocess.Popen([path], env=environment, stdout=self._log, stderr=subprocess.STDOUT)
        try:
            self.window = wait_until(self._main_window, "the program's one window to appear")
            self.app = wait_until(self._accessible_app, "the program on the accessibility bus")
            self.move_pointer(*self.PARK)
        except BaseException:
            self.close()
            raise

    def _main_window(self):
        self._check_running()
        windows = self.desktop.top_level_windows()
        return windows[0] if len(windows) == 1 else None

    def _accessible_app(self):
        self._check_running()
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.process.pid:
                # Read every name and state live rather than from the client's cache.
                app.set_cache_mask(pyatspi.Atspi.Cache.NONE)
                return app
        return None

    def _check_running(self):
        if self.process.poll() is not None:
            raise AssertionError(f"the program ended with status {self.process.returncode}:\n{self.output()}")

    def output(self):
        with open(self._log.name, errors="replace") as log:
            return log.read()

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=WAIT)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self._log.close()

    # --- the window on the X server ---

    def geometry(self):
        """(left, top, width, height) of the main window in device pixels."""
        return window_geometry(self.desktop.run, self.window)

    def property(self, name):
        return self.desktop.run("xprop", "-id", str(self.window), name)

    def shot(self, x=0, y=0, width=None, height=None):
        """A screenshot of the window, or of the part of it given in window pixels."""
        left, top, full_width, full_height = self.geometry()
        return self.desktop.screenshot().crop(left + x, top + y, width or full_width, height or full_height)

    def settled_shot(self, *area, differing_from=None, what="the window to change"):
        """The area once it differs from `differing_from` and two grabs in a row agree."""
        def settled():
            first = self.shot(*area)
            if first == differing_from:
                return None
            return first if self.shot(*area) == first else None
        return wait_until(settled, what)

    # --- input ---

    def move_pointer(self, x, y):
        left, top, _, _ = self.geometry()
        self.desktop.run("xdotool", "mousemove", str(left + x), str(top + y))

    def click(self, x, y, count=1):
        """Clicks at a point given in window pixels; count 2 is a fast double click."""
        self.move_pointer(x, y)
        self.desktop.run("xdotool", "click", "--repeat", str(count), "--delay", "60", "1")

    def type(self, text):
        self.desktop.bind_keys(text)
        self.desktop.run("xdotool", "type", "--delay", "30", text)

    def key(self, name):
        self.desktop.run("xdotool", "key", name)

    # --- reading through the accessibility bus ---

    def accessible_window(self):
        for child in self.app:
            if child.getRole() != pyatspi.ROLE_DIALOG and child.name == TITLE:
                return child
        raise AssertionError("the main window is not on the accessibility bus")

    def dialog(self):
        """The open message box as (title, text), or None."""
        for child in self.app:
            if child.getRole() == pyatspi.ROLE_DIALOG:
                labels = [c.name for c in child if c.getRole() == pyatspi.ROLE_LABEL]
                return child.name, "\n".join(labels)
        return None

    def controls(self):
        """Name -> accessible object for the window's shown controls: the button, the window's
        texts, each score field by the caption of its box, and the box's signs, while shown,
        as "<caption> -" and "<caption> +". Hidden controls are not on the bus."""
        found = {}
        for child in self.accessible_window():
            role = child.getRole()
            if role == pyatspi.ROLE_PUSH_BUTTON:
                found["button"] = child
            elif role == pyatspi.ROLE_LABEL:
                found[next((kind for kind, start in WINDOW_TEXTS.items() if child.name.startswith(start)),
                           "answer")] = child
            elif role == pyatspi.ROLE_PANEL:
                for label in child:
                    sign = next((sign for sign, start in SIGN_NAMES.items() if label.name.startswith(start)), None)
                    found[f"{child.name} {sign}" if sign else child.name] = label
        return found

    def text(self, control):
        return self.controls()[control].name

    def showing(self, control):
        shown = self.controls().get(control)
        return shown is not None and shown.getState().contains(pyatspi.STATE_SHOWING)

    def scores(self):
        """The five score fields, left to right: each is named by its caption and its number."""
        controls = self.controls()
        return tuple(controls[box].name.removeprefix(box + " ") for box in SCORE_BOXES)


# The window's own texts by how they start; the one that is none of these is the answer.
WINDOW_TEXTS = {"sending help": "Pro přijímání", "receiving help": "Určete", "about": "Vlajkor"}
# The hidden signs by how their names start.
SIGN_NAMES = {"-": "Ubrat", "+": "Přidat"}
SCORE_BOXES = ("Získané body", "Trestné body", "Body celkem", "Počet pokusů", "Úspěšnost")

# Where things are in the window, in pixels of a scale factor of 1.
DISPLAY = (146, 8, 158, 150)
BUTTON = (336 + 40, 134 + 12)
INSTRUCTIONS = (312, 8, 129, 121)
# The hidden plus and minus signs: box left + label left, box top + label top, size.
SIGNS = {
    "Získané body -": (8 + 8, 166 + 16, 17, 19),
    "Získané body +": (8 + 56, 166 + 16, 17, 19),
    "Trestné body -": (96 + 8, 166 + 16, 17, 19),
    "Trestné body +": (96 + 56, 166 + 16, 17, 19),
}


def pictures_by_typing(program):
    """Types the alphabet in sending mode and returns the rest picture and letter -> picture,
    as the display showed them. Each letter must change the display."""
    rest = program.settled_shot(*DISPLAY)
    pictures = {}
    shown = rest
    for letter in string.ascii_uppercase:
        program.type(letter.lower())
        shown = program.settled_shot(*DISPLAY, differing_from=shown,
                                     what=f"typing {letter.lower()!r} to change the picture")
        pictures[letter] = shown
    return rest, pictures


def window_geometry(run, window):
    """(left, top, width, height) of an X window, as xwininfo started through `run` tells."""
    info = run("xwininfo", "-id", str(window))
    fields = dict(line.strip().split(": ", 1) for line in info.splitlines() if ": " in line)
    return tuple(int(fields[key]) for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))


def centre(area):
    x, y, width, height = area
    return x + width // 2, y + height // 2


def program_path():
    path = os.environ.get("VLAJKOR")
    if not path or not os.access(path, os.X_OK):
        raise RuntimeError("set VLAJKOR to the built program (CTest does)")
    return path


class DesktopTest(unittest.TestCase):
    """One desktop per test file; each test starts the program afresh on it."""

    desktop = None
    screen = {}  # the size of the desktop, when not the default

    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop(**cls.screen)

    @classmethod
    def tearDownClass(cls):
        if cls.desktop:
            cls.desktop.close()

    def start(self, **env):
        program = Program(self.desktop, program_path(), **env)
        self.addCleanup(program.close)
        return program


# The exit code that tells CTest a test skipped (its SKIP_RETURN_CODE), so that a test that
# could not run is never counted as passed.
SKIPPED = 77


def main():
    # A runner without its own warning filter: the accessibility bindings warn on import.
    result = unittest.main(testRunner=unittest.TextTestRunner(verbosity=2), exit=False).result
    if not result.wasSuccessful():
        sys.exit(1)
    # Anything skipped, even one row of a table, makes the whole file count as skipped (the
    # runner's summary above still says what ran); scripts/test gathers these lines.
    for test, reason in result.skipped:
        print(f"SKIPPED {test}: {reason}", flush=True)
    sys.exit(SKIPPED if result.skipped else 0)


# GNOME Shell and KWin are large installs that a developer on another desktop may not want.
DESKTOPS_SKIP = "{} is a large install: scripts/test-desktops installs it and runs this test"


def require_desktop(name, command):
    """Skips unless scripts/test-desktops runs the test, and fails there if `command` is missing."""
    if os.environ.get("VLAJKOR_DESKTOPS") != "1":
        raise unittest.SkipTest(DESKTOPS_SKIP.format(name))
    if not shutil.which(command):
        raise RuntimeError(f"{command} is not installed (scripts/test-desktops installs it)")


# KWin's screen locker would lock the session while a test waits.
KWIN_LOCKER = "[Daemon]\nAutolock=false\nLockOnResume=false\n"


def kwin_config(desktop):
    """A folder for XDG_CONFIG_HOME that keeps KWin's screen locker off."""
    config = os.path.join(desktop.env["XDG_RUNTIME_DIR"], "config")
    os.makedirs(config, exist_ok=True)
    with open(os.path.join(config, "kscreenlockerrc"), "w") as rc:
        rc.write(KWIN_LOCKER)
    return config


def start_window_manager(desktop, command, name):
    """Starts an X11 window manager on the desktop and returns its process once it manages the
    desktop. It has no session of its own: it runs on the desktop's bus and in its home, with
    its defaults. KWin's compositing is off: Xvfb has no OpenGL."""
    manager = desktop._spawn(command, "manager.log", stdout=subprocess.DEVNULL,
                             env=dict(desktop.env, XDG_CONFIG_HOME=kwin_config(desktop), KWIN_COMPOSE="N"))
    try:
        wait_until(lambda: desktop.run("wmctrl", "-m", check=False).startswith(f"Name: {name}"),
                   f"{name} to manage the desktop", timeout=3 * WAIT)
    except BaseException:
        # The next manager takes over only from a desktop without one.
        stop_group(manager)
        raise
    return manager


def gnome_shell_headless():
    """Whether the installed GNOME Shell runs only headless or on real monitors (GNOME 49 and
    later) rather than nested in an X server."""
    return "--nested" not in subprocess.run(["gnome-shell", "--help"], capture_output=True, text=True).stdout


def own_x_sockets():
    """Runs the calling test file afresh in network and mount namespaces of its own, with its own
    /tmp/.X11-unix, once: mutter 50 picks Xwayland's display itself, the first free one, and
    would take one that another X server of the machine serves through the network
    namespace's abstract sockets (one in another root, say). Returns in the new process."""
    if os.environ.get("VLAJKOR_OWN_X_SOCKETS") == "1":
        subprocess.run(["mount", "-t", "tmpfs", "-o", "mode=1777", "tmpfs", "/tmp/.X11-unix"], check=True)
        return
    command = ["unshare", "--net", "--mount"] + ([] if os.geteuid() == 0 else ["--map-root-user"])
    if subprocess.run([*command, "true"], capture_output=True).returncode != 0:
        # In a chroot, whose root is no mount point, unshare cannot make the mounts private;
        # where none is shared either (as in fresh-debian's roots), the new one stays here anyway.
        with open("/proc/self/mountinfo") as mounts:
            if "shared:" in mounts.read():
                raise RuntimeError("cannot keep a mount of /tmp/.X11-unix private to the test here")
        command.append("--propagation=unchanged")
    os.environ["VLAJKOR_OWN_X_SOCKETS"] = "1"
    os.execvp("unshare", [*command, sys.executable, *sys.argv])


def start_gnome_shell(desktop, output, scale=1):
    """Starts GNOME Shell as a Wayland session of one monitor of `output`'s size in device
    pixels at `scale`, with what a session runs on Xwayland, and returns once the shell has
    left its overview: the shell's environment, the desktop's with Xwayland's display, and
    how many of Xwayland's pixels make one of the desktop's, or None where the shell runs
    headless (GNOME 49 and later), with nothing of it on the desktop."""
    runtime = desktop.env["XDG_RUNTIME_DIR"]
    # The shell's login-manager code ends it where no system bus answers; a private one does.
    system_bus = os.path.join(runtime, "system-bus")
    desktop._spawn(["dbus-daemon", "--session", f"--address=unix:path={system_bus}", "--nofork"],
                   "system-bus.log", env=desktop.env)
    wait_until(lambda: os.path.exists(system_bus), "the private system bus")
    home = os.path.join(runtime, "home")
    os.makedirs(home)
    # The settings service that the bus starts for the shell writes to its own home, which
    # must be the shell's: the caller's own desktop settings stay as they were.
    desktop.run("dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                "org.freedesktop.DBus.UpdateActivationEnvironment", f"dict:string:string:HOME,{home}")
    shell_env = dict(desktop.env, HOME=home, DBUS_SYSTEM_BUS_ADDRESS=f"unix:path={system_bus}",
                     XDG_SESSION_TYPE="wayland", XDG_CURRENT_DESKTOP="GNOME")
    if not os.path.ismount("/sys"):
        # A root without /sys (a chroot): Shell 48 asks systemd whether it runs the session
        # before it starts its X11 services, cannot tell without the cgroup folder, and
        # starts none. With an empty folder there, it sees that systemd does not.
        os.makedirs("/sys/fs/cgroup", exist_ok=True)
    headless = gnome_shell_headless()
    if headless:
        command = ["gnome-shell", "--headless", "--virtual-monitor", f"{output[0]}x{output[1]}",
                   "--wayland-display", "wayland-0"]
    else:
        shell_env.update(MUTTER_DEBUG_DUMMY_MODE_SPECS=f"{output[0]}x{output[1]}",
                         MUTTER_DEBUG_DUMMY_MONITOR_SCALES=str(scale))
        command = ["gnome-shell", "--nested", "--wayland"]
    desktop._spawn(command, "gnome-shell.log", env=shell_env, stdout=subprocess.DEVNULL)
    auth = wait_until(lambda: glob.glob(os.path.join(runtime, ".mutter-Xwaylandauth.*")),
                      "GNOME Shell to start Xwayland", timeout=6 * WAIT)[0]
    x_env = dict(desktop.env, DISPLAY=wait_until(lambda: xwayland_display(auth), "Xwayland's display"),
                 XAUTHORITY=auth)
    wait_until(lambda: os.path.exists(os.path.join(runtime, "wayland-0")), "the shell's Wayland socket")

    if headless and scale != 1:
        # The monitor's scale is set as a user sets it.
        wait_until(lambda: subprocess.run(["gdctl", "set", "--logical-monitor", "--primary", "--scale", str(scale),
                                           "--monitor", "Meta-0"], env=shell_env, capture_output=True).returncode == 0,
                   "gdctl to set the monitor's scale")
    # What a session runs on Xwayland: the desktop's settings for X11 programs, among them
    # the title bar's buttons, which Shell 48 draws for X11 windows in a client of its own.
    desktop._spawn(["/usr/libexec/gsd-xsettings"], "gsd-xsettings.log", env=dict(x_env, HOME=home),
                   stdout=subprocess.DEVNULL)
    # It writes the fonts' settings to the root window once it has started, at the monitor's scale.
    dpi = f"Xft.dpi:\\t{96 * scale}\\n" if headless else "Xft.dpi"
    wait_until(lambda: dpi in subprocess.run(["xprop", "-root", "RESOURCE_MANAGER"], env=x_env,
                                             capture_output=True, text=True).stdout,
               "the desktop's settings for X11 programs", timeout=3 * WAIT)

    def overview_active():
        state = desktop.run("dbus-send", "--session", "--print-reply", "--dest=org.gnome.Shell",
                            "/org/gnome/Shell", "org.freedesktop.DBus.Properties.Get",
                            "string:org.gnome.Shell", "string:OverviewActive", check=False)
        return None if "boolean" not in state else "boolean true" in state

    if headless:
        shown = None

        def leave_overview():
            desktop.run("dbus-send", "--session", "--print-reply", "--dest=org.gnome.Shell", "/org/gnome/Shell",
                        "org.freedesktop.DBus.Properties.Set", "string:org.gnome.Shell", "string:OverviewActive",
                        "variant:boolean:false", check=False)
    else:
        # The nested shell shows its monitor on the desktop in device pixels (GNOME 43) or in
        # the layout's units (GNOME 48, which scales its framebuffer), once it has sized its
        # window: it opens it at 640 × 480 first.
        def nested_shown():
            nested = re.search(r'"gnome-shell": \(.*\)\s+(\d+)x(\d+)', desktop.run("xwininfo", "-root", "-tree"))
            for ratio in (1, scale) if nested else ():
                if (int(nested[1]) * ratio, int(nested[2]) * ratio) == tuple(output):
                    return ratio
            return None

        shown = wait_until(nested_shown, "the shell's window at its monitor's size")
        # The pointer stays clear of the top left corner, which opens the overview again.
        desktop.run("xdotool", "mousemove", str(output[0] // 2 // shown), str(output[1] // 2 // shown))

        def leave_overview():
            desktop.run("xdotool", "key", "Escape")

    # The shell opens in its overview, where a click picks a window rather than reaching it.
    # Shell 48 opens its overview once more a moment after it first says it closed it:
    # closed means closed for a whole second.
    closed_since = [None]

    def overview_closed():
        active = overview_active()
        if active:
            leave_overview()
        if active is not False:
            closed_since[0] = None
            return False
        closed_since[0] = closed_since[0] or time.monotonic()
        return time.monotonic() - closed_since[0] >= 1
    wait_until(overview_closed, "the shell to leave its overview", timeout=6 * WAIT, interval=0.25)
    # Its closing animation.
    time.sleep(0.5)
    return shell_env, x_env, shown


def xwayland_display(auth):
    """The display of the Xwayland that was started with the authority file `auth`."""
    for cmdline in glob.glob("/proc/[0-9]*/cmdline"):
        try:
            with open(cmdline, "rb") as text:
                args = text.read().decode(errors="replace").split("\0")
        except OSError:
            continue
        if args and args[0].endswith("Xwayland") and auth in args:
            return next((arg for arg in args if arg.startswith(":")), None)
    return None


def start_kwin_wayland(desktop, output, socket):
    """Starts KWin nested on the desktop as a Wayland compositor of `output`'s size with
    Xwayland, listening on `socket`, and returns its environment once the socket is there."""
    runtime = desktop.env["XDG_RUNTIME_DIR"]
    # Debian's kwin_wayland carries a file capability (cap_sys_resource) that a sandbox
    # may refuse to grant; a copy has none and runs anywhere.
    kwin = os.path.join(runtime, "kwin_wayland")
    shutil.copy(shutil.which("kwin_wayland"), kwin)
    kwin_env = dict(desktop.env, XDG_CONFIG_HOME=kwin_config(desktop), XDG_CURRENT_DESKTOP="KDE")
    desktop._spawn([kwin, "--xwayland", "--x11-display", desktop.display, "--width", str(output[0]),
                    "--height", str(output[1]), "--socket", socket], "kwin.log", env=kwin_env,
                   stdout=subprocess.STDOUT)
    wait_until(lambda: os.path.exists(os.path.join(runtime, socket)), "KWin's Wayland socket", timeout=6 * WAIT)
    return kwin_env


def start_kwin_script(desktop, path, name):
    """Loads the KWin script in `path` under `name` and runs it; False if KWin does not answer.
    What it prints goes to KWin's error output, "kwin.log" of the desktop, prefixed "js: "."""
    loaded = desktop.run("dbus-send", "--session", "--print-reply", "--dest=org.kde.KWin", "/Scripting",
                         "org.kde.kwin.Scripting.loadScript", f"string:{path}", f"string:{name}", check=False)
    if "int32" not in loaded:
        return False
    # KWin 5 puts a loaded script at /<number>, KWin 6 at /Scripting/Script<number>.
    number = loaded.split()[-1]
    try:
        desktop.run("dbus-send", "--session", "--print-reply", "--dest=org.kde.KWin",
                    f"/Scripting/Script{number}", "org.kde.kwin.Script.run")
    except RuntimeError:
        desktop.run("dbus-send", "--session", "--print-reply", "--dest=org.kde.KWin",
                    f"/{number}", "org.kde.kwin.Script.run")
    return True


def glyphs(strip):
    """How many separate dark shapes lie side by side in a strip of a title bar: its buttons,
    where the strip holds no text."""
    dark = [any(max(strip.pixel(x, y)) < 128 for y in range(strip.height)) for x in range(strip.width)]
    return sum(1 for x in range(strip.width) if dark[x] and (x == 0 or not dark[x - 1]))
