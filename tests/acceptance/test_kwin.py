#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Vlajkor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program as a user of KDE Plasma on Wayland gets it: KWin runs nested in the test's X
server, and the program is started with nothing chosen for it. KWin draws the title bars of
Wayland windows itself, so the program stays on Wayland and gets KWin's own bar, without a
maximize button for a window of fixed size. KWin's view of its windows is read with KWin
scripts over the session bus."""

import json
import os
import subprocess
import tempfile
import time

from desktop import (BUTTON, TITLE, WAIT, DesktopTest, glyphs, main, program_path, require_desktop,
                     start_kwin_script, start_kwin_wayland, wait_until)

OUTPUT = (1280, 1024)
SIZE = (449, 217)
PARK = (60, 120)
SOCKET = "wl-kwin"


class KWinTest(DesktopTest):
    screen = {"width": 1600, "height": 1200, "accessibility": False}

    @classmethod
    def setUpClass(cls):
        require_desktop("KWin", "kwin_wayland")
        super().setUpClass()
        try:
            cls.start_kwin()
        except BaseException:
            cls.desktop.close()
            raise

    @classmethod
    def start_kwin(cls):
        cls.kwin_env = start_kwin_wayland(cls.desktop, OUTPUT, SOCKET)
        wait_until(lambda: cls.kwin_windows() is not None, "KWin's scripting", timeout=6 * WAIT, interval=0.5)

    @classmethod
    def kwin_script(cls, body):
        """Runs a KWin script and returns what it printed, or None if KWin does not answer."""
        marker = f"vlajkor-{time.monotonic_ns()}"
        with tempfile.NamedTemporaryFile("w", suffix=".js", dir=cls.desktop.env["XDG_RUNTIME_DIR"]) as script:
            script.write(f"var out = [];\ntry {{\n{body}\n}} catch (e) {{ out = String(e); }}\n"
                         f"print({json.dumps(marker)} + JSON.stringify(out));\n")
            script.flush()
            if not start_kwin_script(cls.desktop, script.name, marker):
                return None
            # KWin prints what a script prints to its error output, prefixed "js: ".
            printed = wait_until(lambda: next((line.split(marker, 1)[1] for line in
                                               cls.desktop._read_log("kwin.log").splitlines() if marker in line), None),
                                 "the KWin script to run")
            cls.desktop.run("dbus-send", "--session", "--dest=org.kde.KWin", "/Scripting",
                            "org.kde.kwin.Scripting.unloadScript", f"string:{marker}")
        return json.loads(printed)

    @classmethod
    def kwin_windows(cls, action=""):
        """KWin's windows titled like the program's, each as a dict, after `action` has been
        done to the main window; None if KWin does not answer."""
        return cls.kwin_script(
            # KWin 6 lists its windows with windowList(), KWin 5 with clientList().
            "var all = workspace.windowList ? workspace.windowList() : workspace.clientList();\n"
            "for (var i = 0; i < all.length; i++) {\n"
            "  var c = all[i];\n"
            # KWin 5 does not tell the window's own part; for a Wayland window, its buffer is that.
            "  var inside = c.clientGeometry || c.bufferGeometry;\n"
            f"  if (c.caption == {json.dumps(TITLE)}) {{ {action} }}\n"
            f"  if (c.caption.indexOf({json.dumps(TITLE)}) == 0) out.push({{\n"
            "    x: c.frameGeometry.x, y: c.frameGeometry.y,\n"
            "    width: c.frameGeometry.width, height: c.frameGeometry.height,\n"
            "    inside: [inside.x, inside.y, inside.width, inside.height],\n"
            "    fullScreen: c.fullScreen, noBorder: c.noBorder});\n"
            "}")

    def click(self, window, x, y):
        # KWin's nested output takes an absolute move from xdotool only after a move to the corner.
        left, top = window["inside"][:2]
        self.desktop.run("xdotool", "mousemove", "0", "0")
        self.desktop.run("xdotool", "mousemove", str(left + x), str(top + y))
        # The nested compositor may take a click before it has moved the pointer there.
        time.sleep(0.2)
        self.desktop.run("xdotool", "click", "1")

    def test_native_title_bar_centred_fixed_and_modal_box(self):
        environment = {key: value for key, value in self.kwin_env.items() if not key.startswith("QT_")}
        environment.update(WAYLAND_DISPLAY=SOCKET, XDG_SESSION_TYPE="wayland")
        environment.pop("XDG_CONFIG_HOME")
        with open(os.path.join(self.desktop.env["XDG_RUNTIME_DIR"], "vlajkor.log"), "w") as log:
            program = subprocess.Popen([program_path()], env=environment, stdout=log, stderr=subprocess.STDOUT)
        self.addCleanup(program.wait, WAIT)
        self.addCleanup(program.terminate)
        window = wait_until(lambda: (self.kwin_windows() or [None])[0], "the window in KWin")
        # The frame as KWin reports it: Breeze adds a title bar, and in KWin 6 a border too.
        self.assertEqual(tuple(window["inside"][2:]), SIZE)
        self.assertFalse(window["noBorder"], "KWin drew no title bar")
        bar = window["inside"][1] - window["y"]
        self.assertTrue(20 <= bar <= 60, f"a title bar of {bar} px")
        # Where it was first shown, it stays.
        for _ in range(3):
            time.sleep(0.3)
            self.assertEqual(self.kwin_windows(), [window], "the window moved after it was shown")

        # Centred on the output, frame and all.
        self.assertLessEqual(abs(2 * window["x"] + window["width"] - OUTPUT[0]), 4, window)
        self.assertLessEqual(abs(2 * window["y"] + window["height"] - OUTPUT[1]), 4, window)

        # KWin's own bar: minimize and close, no maximize.
        time.sleep(0.5)
        shot = self.desktop.screenshot()
        self.assertEqual(glyphs(shot.crop(window["x"] + window["width"] - 100, window["y"] + bar // 4, 100, bar // 2)),
                         2, "the title bar does not hold just minimize and close")

        # Forced maximize and fullscreen leave the window as it was, title bar and all.
        for request in ("c.setMaximize(true, true);", "c.fullScreen = true;"):
            self.kwin_windows(request)
            # Asked a second later: KWin takes a state with the window's next frame.
            time.sleep(1)
            self.assertEqual(self.kwin_windows(), [window], f"the window after {request}")

        # The message box keeps the keys after a click on the main window.
        self.click(window, *BUTTON)
        self.desktop.run("xdotool", "type", "1")
        wait_until(lambda: len(self.kwin_windows()) == 2, "the message box")
        self.click(window, *PARK)
        time.sleep(0.3)
        self.desktop.run("xdotool", "key", "Return")
        wait_until(lambda: len(self.kwin_windows()) == 1, "Enter to close the message box", timeout=2)
        self.assertIsNone(program.poll())


if __name__ == "__main__":
    main()
