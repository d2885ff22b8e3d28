#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Vlajkor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window as it first appears on an X desktop."""

import re

from desktop import DISPLAY, SCORE_BOXES, SIGNS, TITLE, DesktopTest, main, wait_until

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

    def test_one_program_window_and_no_other(self):
        program = self.start()
        self.assertEqual(self.desktop.top_level_windows(), [program.window])
        self.assertIsNone(program.dialog())
        self.assertFalse(re.search(r"(?i)warning|error", program.output()), program.output())


if __name__ == "__main__":
    main()
