#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Vlajkor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The hidden key sequence shows the answer and the plus and minus signs, and hides them again."""

from desktop import DISPLAY, SIGNS, DesktopTest, centre, main, wait_until

HIDDEN = ("answer", *SIGNS)


class AdjustTest(DesktopTest):

    def shown(self, program, visible):
        return all(program.showing(control) == visible for control in HIDDEN)

    def test_sequence_shows_and_hides(self):
        program = self.start()
        program.type("Zobiluv")
        wait_until(lambda: self.shown(program, True), "the hidden controls to show")
        window = program.shot()
        for sign, area in SIGNS.items():
            self.assertGreater(window.crop(*area).ink(), 0, f"{sign} is not painted")
        # The answer, white, over the lower left corner of the display: the last key typed.
        self.assertEqual(program.text("answer"), "V")
        corner = window.crop(DISPLAY[0] + 2, DISPLAY[1] + DISPLAY[3] - 18, 17, 17)
        self.assertIn(b"\xff\xff\xff", corner.colours())

        program.type("Zobiluv")
        wait_until(lambda: self.shown(program, False), "the hidden controls to hide")
        for sign, area in SIGNS.items():
            wait_until(lambda: program.shot(*area).ink() == 0, f"{sign} to disappear")

    def test_other_keys_after_the_word_toggle_nothing(self):
        program = self.start()
        # Had "x" toggled, the full sequence after it would hide the controls again.
        program.type("Zobilux")
        program.type("Zobiluv")
        wait_until(lambda: self.shown(program, True), "the hidden controls to show")

    def test_plus_and_minus(self):
        program = self.start()
        program.type("Zobiluv")
        wait_until(lambda: self.shown(program, True), "the hidden controls to show")

        def click(sign, *scores):
            program.click(*centre(SIGNS[sign]))
            wait_until(lambda: program.scores() == scores, f"{scores} after a click on {sign}")

        # Consecutive clicks land on different signs, so that none is taken for a double click.
        click("Získané body +", "1", "0", "1", "1", "100 %")
        click("Trestné body +", "1", "1", "0", "2", "50 %")
        click("Získané body -", "0", "1", "-1", "1", "0 %")
        click("Trestné body -", "0", "0", "0", "0", "- - %")
        # A minus at zero stays at zero: the plus after it makes one, not zero.
        click("Získané body -", "0", "0", "0", "0", "- - %")
        click("Získané body +", "1", "0", "1", "1", "100 %")

        # A double click counts once.
        program.click(*centre(SIGNS["Trestné body +"]), count=2)
        wait_until(lambda: program.scores()[1] == "1", "the double click to count")
        click("Získané body +", "2", "1", "1", "3", "66 %")


if __name__ == "__main__":
    main()
