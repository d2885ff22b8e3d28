#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Vlajkor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The Windows program under Wine, on an X server of its own with a window manager (without
one Wine draws no title bar), at 100 % and at 150 %: its window, the face each text got, its
pictures, a round of receiving with the message box, closing through the title bar, and that
a run leaves the Wine prefix's registry and user folders as they were.

Wine is not Windows. A fresh prefix has none of Windows' fonts, so Wine's own MS Sans Serif
and Tahoma (Debian's fonts-wine) are copied into it, as the faces a Windows machine has:
the program then takes Tahoma, in which its texts fit. Verdana is still missing, and the title
bar is the window manager's (xfwm4's here), not Windows'. So the texts are not compared with
pictures: the program says which face each text got and whether everything fits (its
vlajkor.fontchoice log), and only the signal pictures, which are the program's own pixels,
are compared; the score fields are read as "changed or not" from the screen, since the
accessibility bus does not reach Wine."""

import difflib
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "acceptance"))

from desktop import BUTTON, DISPLAY, TITLE, WAIT, Desktop, Image, Program, wait_until  # noqa: E402

# The scales the session runs at: Windows' display setting in dots per inch, the window's
# size in device pixels, and the size of the block each picture pixel becomes.
SCALES = (
    # percent, dpi, window, block
    (100, 96, (449, 217), 2),
    (150, 144, (674, 326), 3),
)
# The score boxes' numbers, in window pixels at 100 %: gained points and penalty points.
GAINED = (8, 182, 80, 28)
PENALTY = (96, 182, 80, 28)
LETTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
# Wine's own faces that Windows has too, from Debian's fonts-wine: MS Sans Serif as bitmaps and
# as outlines, and Tahoma.
WINE_FONTS = "/usr/share/wine/fonts"
WINDOWS_FONTS = ("ms_sans_serif.ttf", "sserife.fon", "sserifee.fon", "tahoma.ttf", "tahomabd.ttf")
# What the program says of each face it takes: the family asked for, the size, the face.
FACE_TAKEN = re.compile(r"vlajkor\.fontchoice: (.+ \d+ px): (.+), everything fits$", re.M)
# The families and sizes the window asks for: those of the texts it shows at once, and those
# of the answer and the signs, which get their faces when the hidden mode is first shown.
SHOWN_TEXTS = {"MS Sans Serif 11 px", "MS Sans Serif 19 px"}
TEXTS = SHOWN_TEXTS | {"Verdana 12 px", "Verdana 16 px"}
# The key sequence that shows and hides the hidden mode.
HIDDEN_MODE = "Zobiluv"


def scaled(numbers, percent):
    """Window pixels at 100 % as the display shows them at `percent`."""
    return tuple(n * percent // 100 for n in numbers)


def expected_pictures(block):
    """Letter -> the committed picture as the display shows it: each pixel a block × block square."""
    folder = os.environ["VLAJKOR_PICTURES"]
    pictures = {}
    for letter in LETTERS:
        # Decoded as the program does, with libjpeg-turbo's floating-point DCT.
        ppm = subprocess.run(["convert", "-define", "jpeg:dct-method=float", os.path.join(folder, f"{letter}.jpg"),
                              "-scale", f"{100 * block}%",
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

    def __init__(self, desktop, path, env, percent):
        self.desktop = desktop
        self.PARK = scaled(Program.PARK, percent)
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
            for name in WINDOWS_FONTS:
                if not os.path.exists(os.path.join(WINE_FONTS, name)):
                    raise RuntimeError("the Windows tests need fonts-wine (scripts/windows installs it)")
                shutil.copy(os.path.join(WINE_FONTS, name),
                            os.path.join(cls.prefix.name, "drive_c", "windows", "Fonts"))
        except BaseException:
            cls.desktop.close()
            raise

    @classmethod
    def tearDownClass(cls):
        subprocess.run(["wineserver", "-k"], env=cls.env, check=False)
        cls.prefix.cleanup()
        cls.desktop.close()

    def test_a_session(self):
        for percent, dpi, size, block in SCALES:
            with self.subTest(scale=f"{percent} %"):
                self.session(percent, dpi, size, block)

    def session(self, percent, dpi, size, block):
        # Windows' display setting, read by the program as it starts.
        subprocess.run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                        "/d", str(dpi), "/f"], env=self.env, check=True, timeout=120,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, check=True, timeout=120)
        before = snapshot(self.prefix.name)
        # Its log says which face each text got; Wine hands QT_ variables on only as WINEQT_.
        env = dict(self.env, WINEQT_LOGGING_RULES="vlajkor.fontchoice.info=true", WINEQT_FORCE_STDERR_LOGGING="1")
        program = WineProgram(self.desktop, os.environ["VLAJKOR_EXE"], env, percent)
        try:
            self.check_session(program, percent, size, block)
        finally:
            program.close()
        subprocess.run(["wineserver", "-w"], env=self.env, check=True, timeout=120)
        after = snapshot(self.prefix.name)
        changed = sorted(key for key in before.keys() | after.keys() if before.get(key) != after.get(key))
        details = "".join("".join(difflib.unified_diff(before.get(key) or [], after.get(key) or [], key, key, n=1))
                          if key.endswith(".reg") else f"{key}: {before.get(key)} -> {after.get(key)}\n"
                          for key in changed)
        self.assertEqual(changed, [], "the run changed the Wine prefix:\n" + details)

    def check_session(self, program, percent, size, block):
        display, button, penalty_field, gained_field = (scaled(area, percent)
                                                        for area in (DISPLAY, BUTTON, PENALTY, GAINED))
        self.assertEqual(program.geometry()[2:], size)
        self.assertNotIn("MAXIMIZE", program.property("_NET_WM_ALLOWED_ACTIONS"))
        faces = lambda: dict(FACE_TAKEN.findall(program.output())).keys()
        self.assertEqual(faces(), SHOWN_TEXTS, "not every text has a face it fits in:\n" + program.output())

        # Keys go where the window manager puts the focus, so the window is clicked first.
        program.click(*program.PARK)
        wait_until(lambda: self.desktop.run("xdotool", "getwindowfocus", check=False).strip() == str(program.window),
                   "the clicked window to have the focus")
        program.type(HIDDEN_MODE)
        try:
            wait_until(lambda: faces() == TEXTS, "the hidden mode's texts to get faces")
        except AssertionError:
            self.fail("not every text of the hidden mode has a face it fits in:\n" + program.output())
        program.type(HIDDEN_MODE)

        pictures = expected_pictures(block)
        shown = program.settled_shot(*display)
        for letter in LETTERS:
            program.type(letter.lower())
            shown = program.settled_shot(*display, differing_from=shown,
                                         what=f"{letter.lower()!r} to change the picture")
            self.assertLessEqual(differs(shown, pictures[letter]), 2, f"the picture of {letter}")

        # Receiving: the display shows the letter to guess.
        program.type(" ")
        shown = program.settled_shot(*display, differing_from=shown, what="space to show the rest picture")
        program.click(*button)
        program.settled_shot(*display, differing_from=shown, what="Start to show a letter to guess")

        def asked():
            shown = program.settled_shot(*display)
            matches = [letter for letter in LETTERS if differs(shown, pictures[letter]) <= 2]
            self.assertEqual(len(matches), 1, "the display shows no letter's picture")
            return matches[0]

        letter = asked()
        penalty = program.shot(*penalty_field)
        program.type("b" if letter != "B" else "c")
        def box_has_keyboard():
            windows = self.desktop.top_level_windows()
            focus = self.desktop.run("xdotool", "getwindowfocus", check=False).strip()
            return len(windows) == 2 and focus.isdigit() and int(focus) in windows and int(focus) != program.window
        wait_until(box_has_keyboard, "the wrong answer's message box to take the keyboard")
        program.key("Return")
        wait_until(lambda: len(self.desktop.top_level_windows()) == 1, "Enter to close the message box")
        program.settled_shot(*penalty_field, differing_from=penalty, what="the penalty points to change")

        letter = asked()
        gained = program.shot(*gained_field)
        program.type(letter.lower())
        program.settled_shot(*gained_field, differing_from=gained, what="the gained points to change")

        # The title bar's close button, at the right end of the frame xfwm4 draws above the window.
        left, top, width, _ = program.geometry()
        frame_top = int(program.property("_NET_FRAME_EXTENTS").split("=")[1].split(",")[2])
        self.desktop.run("xdotool", "mousemove", str(left + width - frame_top // 2 - 2), str(top - frame_top // 2))
        self.desktop.run("xdotool", "click", "1")
        self.assertEqual(program.process.wait(timeout=WAIT), 0, program.output())


if __name__ == "__main__":
    unittest.main(testRunner=unittest.TextTestRunner(verbosity=2))
