#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Vlajkor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program as a user of GNOME on Wayland gets it: GNOME Shell runs nested in the test's X
server (GNOME 43 and 48) or headless (GNOME 50), and the program is started with nothing
chosen for it. mutter leaves title bars of Wayland windows to the client, so the program must
pick its X server, Xwayland, where mutter draws its own bar: with only a close button for a
window of fixed size. So too at 200 %, where Xwayland draws in device pixels and the window
stays sharp."""

import os
import subprocess
import time

from desktop import (BUTTON, TITLE, WAIT, DesktopTest, Image, glyphs, main, own_x_sockets, program_path,
                     require_desktop, start_gnome_shell, wait_until, window_geometry)

SIZE = (449, 217)
PARK = (60, 120)
# From the window's making to its showing: far longer than that takes on a busy machine, and
# short of the second that the program would wait for a frame a window manager does not describe.
SHOWN_WITHIN = 0.6
# How far the frame's centre may stand from the work area's, by release and scale, in
# Xwayland's pixels; 2 elsewhere. GNOME 43 at 200 % tells the frame it will draw 14 px taller
# than it draws it, and the window sits half that low.
OFF_CENTRE = {(43, 2): 7}


class GnomeTest(DesktopTest):
    screen = {"width": 1600, "height": 1200, "accessibility": False}
    # The monitor's scale, and its size in device pixels: at 200 % one that holds the window.
    scale = 1
    output = (1024, 768)
    # Whether the message box is checked too.
    message_box = True

    @classmethod
    def setUpClass(cls):
        require_desktop("GNOME Shell", "gnome-shell")
        super().setUpClass()
        try:
            cls.start_shell()
        except BaseException:
            cls.desktop.close()
            raise

    @classmethod
    def start_shell(cls):
        cls.shell_version = int(cls.desktop.run("gnome-shell", "--version").split()[-1].split(".")[0])
        cls.shell_env, cls.x_env, cls.shown = start_gnome_shell(cls.desktop, cls.output, cls.scale)

    def x(self, *args, check=True):
        result = subprocess.run(args, env=self.x_env, capture_output=True, text=True, timeout=WAIT)
        if check and result.returncode != 0:
            raise RuntimeError(f"{' '.join(args)} failed: {result.stderr.strip()}")
        return result.stdout

    def windows(self, mapped=True):
        """The program's windows, main window first; only those mapped, unless not `mapped`.
        Found by process, then by title, matched exactly: mutter 48 draws X11 title bars in
        a client of its own, whose frame windows carry the program's title too, and GTK,
        which Qt's GNOME theme loads, makes a window of its own titled in lower case."""
        found = self.x("xdotool", "search", "--pid", str(self.program.pid), check=False).split()
        return [int(window) for window in found
                if self.x("xprop", "-id", window, "WM_NAME", check=False).strip() == f'WM_NAME(STRING) = "{TITLE}"'
                and (not mapped or "IsViewable" in self.x("xwininfo", "-id", window, check=False))]

    def cardinals(self, window, name, root=False):
        where = ["-root"] if root else ["-id", str(window)]
        text = self.x("xprop", *where, name)
        return [int(value) for value in text.split("=", 1)[1].split(",")] if "=" in text else []

    def geometry(self, window):
        return window_geometry(self.x, window)

    def frame(self, window):
        """(left, top, width, height) of the frame mutter drew, and its title bar's height."""
        left, top, width, height = self.geometry(window)
        extents = self.cardinals(window, "_NET_FRAME_EXTENTS")
        if len(extents) != 4:
            return None, 0
        l, r, t, b = extents
        return (left - l, top - t, width + l + r, height + t + b), t

    def user(self, *args):
        """Input as a user's: on the desktop that shows the nested shell, else on Xwayland."""
        (self.desktop.run if self.shown else self.x)("xdotool", *args)

    def click(self, window, x, y):
        left, top, _, _ = self.geometry(window)
        self.user("mousemove", str((left + x * self.scale) // (self.shown or 1)),
                  str((top + y * self.scale) // (self.shown or 1)))
        # The nested shell may take a click before it has moved the pointer there.
        time.sleep(0.2)
        self.user("click", "1")

    def frame_shot(self, window, frame):
        """The frame as the user sees it: from the desktop that shows the nested shell, else
        from Xwayland, which keeps the frame window's pixels (the headless shell shows nothing
        on the desktop)."""
        if self.shown:
            return self.desktop.screenshot().crop(*[value // self.shown for value in frame])
        # The frame window: the window's ancestor that is a child of the root.
        outer = window
        while "(the root window)" not in (parent := self.x("xwininfo", "-tree", "-id", str(outer))
                                          .split("Parent window id: ")[1].splitlines()[0]):
            outer = int(parent.split()[0], 16)
        data = subprocess.run(["import", "-window", str(outer), "-depth", "8", "ppm:-"], env=self.x_env,
                              capture_output=True, check=True, timeout=WAIT).stdout
        # The frame window holds the frame's shadow too.
        left, top, _, _ = self.geometry(outer)
        return Image.from_ppm(data).crop(frame[0] - left, frame[1] - top, frame[2], frame[3])

    def test_native_title_bar_centred_fixed_and_modal_box(self):
        environment = {key: value for key, value in self.x_env.items() if not key.startswith("QT_")}
        environment.update(WAYLAND_DISPLAY="wayland-0", XDG_SESSION_TYPE="wayland", XDG_CURRENT_DESKTOP="GNOME")
        with open(os.path.join(self.x_env["XDG_RUNTIME_DIR"], "vlajkor.log"), "w") as log:
            program = self.program = subprocess.Popen([program_path()], env=environment, stdout=log,
                                                      stderr=subprocess.STDOUT)
        self.addCleanup(program.wait, WAIT)
        self.addCleanup(program.terminate)
        # On Xwayland, framed by mutter: the program chose its X server. Shown at once once
        # made: the program did not wait out its patience for a frame that mutter 48 never
        # describes in advance.
        made = wait_until(lambda: (self.windows(mapped=False) or [None])[0], "the window on Xwayland", interval=0.01)
        created = time.monotonic()
        window = wait_until(lambda: made in self.windows() and made, "the window to be shown", interval=0.01)
        self.assertLess(time.monotonic() - created, SHOWN_WITHIN, "the window waited to be shown")
        first = self.geometry(window)
        frame, bar = wait_until(lambda: self.frame(window)[1] and self.frame(window), "mutter's frame")
        # Drawn in device pixels: sharp, as the X screen is in them too.
        size = (SIZE[0] * self.scale, SIZE[1] * self.scale)
        self.assertEqual(first[2:], size)
        # And where it was first shown, it stays.
        deadline = time.monotonic() + 1.5
        while time.monotonic() < deadline:
            self.assertEqual(self.geometry(window), first, "the window moved after it was shown")

        # Centred on the work area, frame and all.
        area = self.cardinals(None, "_NET_WORKAREA", root=True)[:4]
        within = OFF_CENTRE.get((self.shell_version, self.scale), 2)
        for axis in (0, 1):
            self.assertLessEqual(abs((frame[axis] - area[axis]) * 2 + frame[axis + 2] - area[axis + 2]), 2 * within,
                                 f"frame {frame} is not centred on the work area {area}")

        # GNOME's own bar, with a close button and nothing beside it.
        def buttons():
            shot = self.frame_shot(window, frame)
            # Short of the frame's edge, which Shell 48 draws as a dark line.
            strip = [value // (self.shown or 1) for value in (frame[2] - 100 * self.scale, bar // 4,
                                                              96 * self.scale, bar // 2)]
            return glyphs(shot.crop(*strip))
        self.assertEqual(wait_until(buttons, "the title bar's buttons"), 1, "the title bar has other buttons")
        # Where the user asks for all three, a window of fixed size still has no maximize.
        subprocess.run(["gsettings", "set", "org.gnome.desktop.wm.preferences", "button-layout",
                        "appmenu:minimize,maximize,close"], env=self.shell_env, check=True, timeout=WAIT)
        self.addCleanup(subprocess.run, ["gsettings", "reset", "org.gnome.desktop.wm.preferences", "button-layout"],
                        env=self.shell_env, timeout=WAIT)
        wait_until(lambda: buttons() == 2, "minimize and close alone in the title bar")

        if self.message_box:
            self.answer_in_message_box(window)

        # Forced maximize and fullscreen leave the window as it is. Last, since now and then the
        # nested Shell 48 routes no more clicks to the window once it has been made fullscreen,
        # though X11's own input still reaches it.
        for state in ("maximized_vert,maximized_horz", "fullscreen"):
            self.x("wmctrl", "-i", "-r", str(window), "-b", f"add,{state}")
            time.sleep(0.2)
            wait_until(lambda: self.geometry(window)[2:] == size and self.frame(window) == (frame, bar),
                       f"the window to stay as it was when made {state}", timeout=1)
        self.assertIsNone(program.poll())

    def answer_in_message_box(self, window):
        """The message box keeps the keys after a click on the main window. mutter hands the
        keyboard to a clicked window a moment after the click."""
        # Now and then the nested shell drops a click; the button toggles, so another click
        # and a wrong answer reach receiving mode and the box in the end.
        for attempt in range(4):
            self.click(window, *BUTTON)
            time.sleep(0.5)
            self.user("type", "1")
            try:
                wait_until(lambda: len(self.windows()) == 2, "the message box", timeout=3)
                break
            except AssertionError:
                if attempt == 3:
                    raise
        self.click(window, *PARK)
        time.sleep(0.3)
        self.user("key", "Return")
        wait_until(lambda: len(self.windows()) == 1, "Enter to close the message box", timeout=2)


class GnomeAt200Test(GnomeTest):
    """At 200 %: mutter 48 and 50 have Xwayland draw in device pixels and GNOME 43 works in
    them throughout, so the program stays on Xwayland, sharp, under GNOME's own bar. The
    message box does not depend on the scale, and the nested Shell 48 at 200 % drops clicks
    too often for it: now and then all four tries."""
    screen = {"width": 2048, "height": 1536, "accessibility": False}
    scale = 2
    output = (2048, 1536)
    message_box = False


if __name__ == "__main__":
    if os.environ.get("VLAJKOR_DESKTOPS") == "1":
        own_x_sockets()
    main()
