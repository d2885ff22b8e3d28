#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Vlajkor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The Windows program under Wine, on an X server of its own with a window manager (without
one Wine draws no title bar): its window, its pictures, a round of receiving with the
message box, closing through the title bar, and that a run leaves the Wine prefix's
registry and user folders as they were.

Wine is not Windows. It lacks the fonts the window asks for, Verdana and MS Sans Serif,
so its texts are drawn in a wider fallback face and the longest captions are cut short there, and its title
bar is the window manager's (xfwm4's here), not Windows'. So the texts are not compared
with pictures, only the signal pictures, which are the program's own pixels; and the score
fields are read as "changed or not" from the screen, since the accessibility bus does not
reach Wine."""

import difflib
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "acceptance"))

from desktop import BUTTON, DISPLAY, TITLE, WAIT, Desktop, Image, Program, wait_until  # noqa: E402

SIZE = (449, 217)
# The score boxes' numbers, in window pixels: gained points and penalty points.
GAINED = (8, 182, 80, 28)
PENALTY = (96, 182, 80, 28)
LETTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"


def expected_pictures():
    """Letter -> the committed picture as the display shows it: each pixel a 2 × 2 block."""
    folder = os.environ["VLAJKOR_PICTURES"]
    pictures = {}
    for letter in LETTERS:
        # Decoded as the program does, with libjpeg-turbo's floating-point DCT.
        ppm = subprocess.run(["convert", "-define", "jpeg:dct-method=float", os.path.join(folder, f"{letter}.jpg"),
                              "-scale", "200%",
                              "-depth", "8", "ppm:-"], capture_output=True, check=True).stdout
        pictures[letter] = Image.from_ppm(ppm)
    return pictures


def differs(shown, picture):
    """The largest difference of any colour channel: the same library decodes the same
    picture to the bit, so anything above rounding is another picture."""
    if (shown.width, shown.height) != (picture.width, picture.height):
        return 255
    return max(abs(a - b) for a, b in zip(shown.rgb, picture.rgb))


# Wine enumerates the machine's devices and network cards afresh each time it starts and
# rewrites their keys, whatever program runs; a program run by a user cannot write there.
WINES_OWN_KEYS = (r"[System\\CurrentControlSet\\", r"[Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards")


def registry(path):
    """The lines of a registry file without the time Wine stamps on each key it writes."""
    lines, skipping = [], False
    with open(path, errors="replace") as text:
        for line in text:
            if line.startswith("["):
                skipping = line.startswith(WINES_OWN_KEYS)
                line = line[:line.rindex("]") + 1] + "\n"
            if not skipping and not line.startswith("#time="):
                lines.append(line)
    return lines


def snapshot(prefix):
    """What a program may leave behind: the registry, and every file under the users' folders."""
    state = {hive: registry(os.path.join(prefix, hive)) for hive in ("system.reg", "user.reg", "userdef.reg")}
    users = os.path.join(prefix, "drive_c", "users")
    for folder, _, files in os.walk(users):
        for name in files:
            path = os.path.join(folder, name)
            state[os.path.relpath(path, prefix)] = os.path.getsize(path)
    return state


class WineProgram(Program):
    """Vlajkor.exe under Wine, driven like the Linux program but read only from the screen."""

    def __init__(self, desktop, path, env):
        self.desktop = desktop
        self._log = tempfile.NamedTemporaryFile(prefix="vlajkor-wine-", suffix=".log")
        self.process = subprocess.Popen(["wine", path], env=env, stdout=self._log, stderr=subprocess.STDOUT)
        try:
            # Wine needs a few seconds to bring up its own services in a fresh prefix.
            self.window = wait_until(self._main_window, "the program's window to appear", timeout=60)
            self.move_pointer(*self.PARK)
        except BaseException:
            self.close()
            raise


class WineTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        for tool, package in (("wine", "wine and wine64"), ("xfwm4", "xfwm4"), ("wmctrl", "wmctrl"),
                              ("convert", "imagemagick")):
            if not shutil.which(tool):
                raise RuntimeError(f"the Windows tests need {package} (scripts/windows installs it)")
        cls.desktop = Desktop(1280, 1024, accessibility=False)
        try:
            cls.desktop._spawn(["xfwm4", "--compositor=off"], "xfwm4.log", env=cls.desktop.env,
                               stdout=subprocess.DEVNULL)
            wait_until(lambda: cls.desktop.run("wmctrl", "-m", check=False).startswith("Name: Xfwm4"),
                       "xfwm4 to manage the desktop")
            cls.prefix = tempfile.TemporaryDirectory(prefix="vlajkor-wineprefix-")
            # No Mono or Gecko: a fresh prefix would offer to download them in a dialog.
            cls.env = dict(cls.desktop.env, WINEPREFIX=cls.prefix.name, WINEDEBUG="-all",
                           WINEDLLOVERRIDES="mscoree,mshtml=")
            subprocess.run(["wineboot", "-i"], env=cls.env, check=True, timeout=120,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-w"], env=cls.env, check=True, timeout=120)
        except BaseException:
            cls.desktop.close()
            raise

    @classmethod
    def tearDownClass(cls):
        subprocess.run(["wineserver", "-k"], env=cls.env, check=False)
        cls.prefix.cleanup()
        cls.desktop.close()

    def test_a_session(self):
        before = snapshot(self.prefix.name)
        program = WineProgram(self.desktop, os.environ["VLAJKOR_EXE"], self.env)
        self.addCleanup(program.close)
        self.assertEqual(program.geometry()[2:], SIZE)
        self.assertNotIn("MAXIMIZE", program.property("_NET_WM_ALLOWED_ACTIONS"))

        # Keys go where the window manager puts the focus, so the window is clicked first.
        program.click(*program.PARK)
        wait_until(lambda: self.desktop.run("xdotool", "getwindowfocus", check=False).strip() == str(program.window),
                   "the clicked window to have the focus")

        pictures = expected_pictures()
        shown = program.settled_shot(*DISPLAY)
        for letter in LETTERS:
            program.type(letter.lower())
            shown = program.settled_shot(*DISPLAY, differing_from=shown, what=f"{letter.lower()!r} to change the picture")
            self.assertLessEqual(differs(shown, pictures[letter]), 2, f"the picture of {letter}")

        # Receiving: the display shows the letter to guess.
        program.type(" ")
        shown = program.settled_shot(*DISPLAY, differing_from=shown, what="space to show the rest picture")
        program.click(*BUTTON)
        program.settled_shot(*DISPLAY, differing_from=shown, what="Start to show a letter to guess")

        def asked():
            shown = program.settled_shot(*DISPLAY)
            matches = [letter for letter in LETTERS if differs(shown, pictures[letter]) <= 2]
            self.assertEqual(len(matches), 1, "the display shows no letter's picture")
            return matches[0]

        letter = asked()
        penalty = program.shot(*PENALTY)
        program.type("b" if letter != "B" else "c")
        def box_has_keyboard():
            windows = self.desktop.top_level_windows()
            focus = self.desktop.run("xdotool", "getwindowfocus", check=False).strip()
            return len(windows) == 2 and focus.isdigit() and int(focus) in windows and int(focus) != program.window
        wait_until(box_has_keyboard, "the wrong answer's message box to take the keyboard")
        program.key("Return")
        wait_until(lambda: len(self.desktop.top_level_windows()) == 1, "Enter to close the message box")
        program.settled_shot(*PENALTY, differing_from=penalty, what="the penalty points to change")

        letter = asked()
        gained = program.shot(*GAINED)
        program.type(letter.lower())
        program.settled_shot(*GAINED, differing_from=gained, what="the gained points to change")

        # The title bar's close button, at the right end of the frame xfwm4 draws above the window.
        left, top, width, _ = program.geometry()
        frame_top = int(program.property("_NET_FRAME_EXTENTS").split("=")[1].split(",")[2])
        self.desktop.run("xdotool", "mousemove", str(left + width - frame_top // 2 - 2), str(top - frame_top // 2))
        self.desktop.run("xdotool", "click", "1")
        self.assertEqual(program.process.wait(timeout=WAIT), 0, program.output())

        subprocess.run(["wineserver", "-w"], env=self.env, check=True, timeout=120)
        after = snapshot(self.prefix.name)
        changed = sorted(key for key in before.keys() | after.keys() if before.get(key) != after.get(key))
        details = "".join("".join(difflib.unified_diff(before.get(key) or [], after.get(key) or [], key, key, n=1))
                          if key.endswith(".reg") else f"{key}: {before.get(key)} -> {after.get(key)}\n"
                          for key in changed)
        self.assertEqual(changed, [], "the run changed the Wine prefix:\n" + details)


if __name__ == "__main__":
    unittest.main(testRunner=unittest.TextTestRunner(verbosity=2))
