#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Vlajkor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window as it first appears on an X desktop."""

import os
import re
import tempfile

from desktop import DISPLAY, SCORE_BOXES, SIGNS, TITLE, DesktopTest, contrast, main, wait_until

SENDING_HELP = ("Pro přijímání vlajkorové abecedy stiskněte tlačítko Start.\n"
                "Pro vysílání vlajkorové abecedy (jiné osobě u vašeho počítače) pište zprávu "
                "na klávesnici, slova oddělujte mezerníkem.")
ABOUT = "Vlajkor - v1.0 (12.9.2006) Program na procvičování vlajkorové abecedy."


SCORE_LEFTS = tuple(zip(SCORE_BOXES, (8, 96, 184, 272, 360)))
SCORE_COLOURS = ((0, 128, 0), (255, 0, 0), (0, 0, 255), (128, 128, 0), (128, 0, 128))


class StartupTest(DesktopTest):
    screen = {"width": 1024, "height": 768}

    def test_window_is_fixed_size_and_centred(self):
        program = self.start()
        self.assertEqual(program.geometry(), ((1024 - 449) // 2, (768 - 217) // 2, 449, 217))
        self.assertIn(f'WM_NAME(STRING) = "{TITLE}"', program.property("WM_NAME"))
        # A window manager reads the fixed size from the window's size hints.
        hints = program.property("WM_NORMAL_HINTS")
        self.assertIn("minimum size: 449 by 217", hints)
        self.assertIn("maximum size: 449 by 217", hints)
        self.assertIn("Icon (32 x 32)", program.property("_NET_WM_ICON"))

    def test_texts_and_hidden_controls(self):
        program = self.start()
        controls = program.controls()
        self.assertEqual(controls["button"].name, "Start")
        self.assertEqual(controls["sending help"].name, SENDING_HELP)
        self.assertEqual(controls["about"].name, ABOUT)
        self.assertEqual(program.scores(), ("0", "0", "0", "0", "- - %"))
        for visible in ("button", "sending help", "about", *SCORE_BOXES):
            self.assertTrue(program.showing(visible), visible)
        for hidden in ("receiving help", "answer", *SIGNS):
            self.assertFalse(program.showing(hidden), hidden)

    def test_screen_shows_picture_coloured_scores_and_no_signs(self):
        program = self.start()
        window = wait_until(program.shot, "a screenshot")
        display = window.crop(*DISPLAY)
        self.assertGreater(len(display.colours()), 10, "the display shows no picture")
        for (box, left), colour in zip(SCORE_LEFTS, SCORE_COLOURS):
            number = window.crop(left + 8, 166 + 14, 65, 25)
            self.assertIn(bytes(colour), number.colours(), f"the number in {box} is not drawn in {colour}")
        for sign, area in SIGNS.items():
            self.assertEqual(window.crop(*area).ink(), 0, f"{sign} is painted")

    def test_scores_readable_on_dark_schemes(self):
        # Two dark schemes as desktops give them to Qt: GNOME's Adwaita-dark through Qt's GTK
        # theme, and qt6ct's "darker", which many users of other desktops pick.
        config = tempfile.TemporaryDirectory()
        self.addCleanup(config.cleanup)
        os.mkdir(os.path.join(config.name, "qt6ct"))
        with open(os.path.join(config.name, "qt6ct", "qt6ct.conf"), "w") as conf:
            conf.write("[Appearance]\ncustom_palette=true\nstyle=Fusion\n"
                       "color_scheme_path=/usr/share/qt6ct/colors/darker.conf\n")
        schemes = {
            "Adwaita-dark": {"QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": "Adwaita:dark"},
            "qt6ct darker": {"QT_QPA_PLATFORMTHEME": "qt6ct", "XDG_CONFIG_HOME": config.name},
        }
        for scheme, env in schemes.items():
            with self.subTest(scheme):
                program = self.start(**env)
                # With Qt's GTK theme loaded the window's controls are not found on the
                # accessibility bus, so the signs are looked for on the screen.
                hidden = {sign: program.shot(*area) for sign, area in SIGNS.items()}
                program.type("Zobiluv")
                wait_until(lambda: all(program.shot(*SIGNS[sign]) != shot for sign, shot in hidden.items()),
                           "the signs to show")
                window = program.settled_shot()
                for box, left in SCORE_LEFTS:
                    background, ink = window.crop(left + 8 + 18, 166 + 14, 29, 25).background_and_ink()
                    self.assertGreater(contrast(background, (255, 255, 255)), 7, f"{scheme} is not dark")
                    self.assertGreaterEqual(contrast(ink, background), 4.5, f"{box}: {ink} on {background}")
                for sign, area in SIGNS.items():
                    background, ink = window.crop(*area).background_and_ink()
                    self.assertGreaterEqual(contrast(ink, background), 4.5, sign)
                program.close()

    def test_one_program_window_and_no_other(self):
        program = self.start()
        self.assertEqual(self.desktop.top_level_windows(), [program.window])
        self.assertIsNone(program.dialog())
        self.assertFalse(re.search(r"(?i)warning|error", program.output()), program.output())


if __name__ == "__main__":
    main()
