#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Vlajkor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window under a real window manager, xfwm4: whatever the manager is asked for, the
window keeps its size, and closing it through the manager ends the program."""

import shutil
import subprocess
import unittest

from desktop import DISPLAY, WAIT, DesktopTest, main, wait_until

SIZE = (449, 217)


class WindowManagerTest(DesktopTest):
    screen = {"width": 1280, "height": 1024}

    @classmethod
    def setUpClass(cls):
        if not shutil.which("xfwm4"):
            raise unittest.SkipTest("xfwm4 is not installed (scripts/test installs it)")
        super().setUpClass()
        try:
            # The manager has no session of its own: it runs on the desktop's bus with its defaults.
            cls.desktop._spawn(["xfwm4", "--compositor=off"], "xfwm4.log", env=cls.desktop.env,
                               stdout=subprocess.DEVNULL)
            wait_until(lambda: cls.desktop.run("wmctrl", "-m", check=False).startswith("Name: Xfwm4"),
                       "xfwm4 to manage the desktop")
        except BaseException:
            cls.desktop.close()
            raise

    def wm(self, program, *args):
        self.desktop.run("wmctrl", "-i", "-r", str(program.window), *args)

    def states(self, program):
        return program.property("_NET_WM_STATE")

    def asked(self, program, request):
        """Asks the manager for something, and returns once the manager has handled it."""
        request()
        # The manager handles requests in turn: once a later one shows, this one is done.
        self.wm(program, "-b", "add,sticky")
        wait_until(lambda: "_NET_WM_STATE_STICKY" in self.states(program), "the manager to handle the request")
        self.wm(program, "-b", "remove,sticky")
        wait_until(lambda: "_NET_WM_STATE_STICKY" not in self.states(program), "the manager to unstick the window")

    def keeps_size(self, program, what):
        def normal():
            states = self.states(program)
            return program.geometry()[2:] == SIZE and "FULLSCREEN" not in states and "MAXIMIZED" not in states
        wait_until(normal, f"the window to be {SIZE[0]} × {SIZE[1]} again after {what}")

    def test_keeps_its_size_and_state_and_closes_through_the_manager(self):
        program = self.start()
        left, top, width, height = program.geometry()
        self.assertEqual((width, height), SIZE)
        # The frame, not just the window inside it, is centred on the screen.
        extents = program.property("_NET_FRAME_EXTENTS").split("=")[1]
        frame_left, frame_right, frame_top, frame_bottom = (int(value) for value in extents.split(","))
        centre = (left - frame_left + (frame_left + width + frame_right) / 2,
                  top - frame_top + (frame_top + height + frame_bottom) / 2)
        self.assertLessEqual(abs(centre[0] - 640) + abs(centre[1] - 512), 2, f"the frame's centre is at {centre}")
        self.assertNotIn("MAXIMIZE", program.property("_NET_WM_ALLOWED_ACTIONS"))

        # Typed keys reach the window at once: the display shows the letter. Keys go where the
        # manager puts the focus. Left to itself, a manager that has only just started may
        # not focus the first window it maps, so the window is clicked, as a user would.
        program.click(*program.PARK)
        try:
            wait_until(lambda: self.desktop.run("xdotool", "getwindowfocus", check=False).strip() == str(program.window),
                       "xfwm4 to give the clicked window the focus")
        except AssertionError as error:
            self.fail(f"{error}; xfwm4 said:\n{self.desktop._read_log('xfwm4.log')}")
        rest = program.settled_shot(*DISPLAY)
        program.type("k")
        letter = program.settled_shot(*DISPLAY, differing_from=rest, what="typing 'k' to change the picture")

        requests = {
            "fullscreen": lambda: self.wm(program, "-b", "add,fullscreen"),
            "maximize": lambda: self.wm(program, "-b", "add,maximized_vert,maximized_horz"),
            "a larger size": lambda: self.wm(program, "-e", "0,-1,-1,900,700"),
            "Alt+F11": lambda: program.key("alt+F11"),
        }
        for what, request in requests.items():
            self.asked(program, request)
            self.keeps_size(program, what)

        # Minimized and restored, it shows what it showed.
        self.desktop.run("xdotool", "windowminimize", str(program.window))
        wait_until(lambda: "_NET_WM_STATE_HIDDEN" in self.states(program), "the window to be minimized")
        self.desktop.run("wmctrl", "-i", "-a", str(program.window))
        wait_until(lambda: "_NET_WM_STATE_HIDDEN" not in self.states(program), "the window to be restored")
        self.assertEqual(program.geometry()[2:], SIZE)
        self.assertTrue(program.settled_shot(*DISPLAY) == letter, "the display changed while minimized")

        self.desktop.run("wmctrl", "-i", "-c", str(program.window))
        try:
            status = program.process.wait(timeout=WAIT)
        except subprocess.TimeoutExpired:
            self.fail("the program still runs after its window was closed")
        self.assertEqual(status, 0, program.output())


if __name__ == "__main__":
    main()
