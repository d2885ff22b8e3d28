#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Vlajkor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Receiving: Start shows a letter to guess, answers are scored, Stop goes back to sending."""

from desktop import BUTTON, DISPLAY, DesktopTest, main, pictures_by_typing, wait_until

WRONG = "Špatně. Zkuste to znova."


class ReceivingTest(DesktopTest):

    def setUp(self):
        self.program = self.start()
        self.rest, self.pictures = pictures_by_typing(self.program)
        self.program.type(" ")
        self.program.settled_shot(*DISPLAY, differing_from=self.pictures["Z"], what="the rest picture")

    def asked(self):
        """The letter to guess, by the picture the display shows: nothing else on the screen
        or the accessibility bus tells it while the answer is hidden."""
        def shown_letter():
            shot = self.program.shot(*DISPLAY)
            return next((letter for letter, picture in self.pictures.items() if picture == shot), None)
        return wait_until(shown_letter, "the picture of a letter")

    def expect_scores(self, *fields):
        wait_until(lambda: self.program.scores() == fields, f"the scores {fields}")

    def answer_wrong(self, wrong, closing_key):
        program = self.program
        program.type(wrong)
        self.assertEqual(wait_until(program.dialog, "the message box"), ("Vlajkor", WRONG))
        self.assertEqual(len(self.desktop.top_level_windows()), 2, "the message box is not on the screen")
        before = program.scores()
        program.key(closing_key)
        wait_until(lambda: program.dialog() is None and len(self.desktop.top_level_windows()) == 1,
                   f"{closing_key} to close the message box")
        return before

    def test_a_round(self):
        program = self.program
        program.click(*BUTTON)
        wait_until(lambda: program.text("button") == "Stop", "the button to read Stop")
        self.assertTrue(program.showing("receiving help"))
        self.assertFalse(program.showing("sending help"))
        asked = self.asked()

        program.type(asked.lower())
        self.expect_scores("1", "0", "1", "1", "100 %")
        self.assertIsNone(program.dialog())
        asked = self.asked()

        # The penalty counts only once the message is closed; the same letter stays up.
        wrong = "b" if asked != "B" else "c"
        self.assertEqual(self.answer_wrong(wrong, "Return"), ("1", "0", "1", "1", "100 %"))
        self.expect_scores("1", "1", "0", "2", "50 %")
        self.assertEqual(self.asked(), asked)
        self.answer_wrong("ř", "Escape")
        self.expect_scores("1", "2", "-1", "3", "33 %")
        self.assertEqual(self.asked(), asked)

        program.click(*BUTTON)
        wait_until(lambda: program.text("button") == "Start", "the button to read Start")
        self.assertTrue(program.showing("sending help"))
        wait_until(lambda: program.shot(*DISPLAY) == self.rest, "the rest picture after Stop")
        # Sending again: letters show their pictures and count for nothing.
        program.type(wrong)
        wait_until(lambda: program.shot(*DISPLAY) == self.pictures[wrong.upper()], f"the picture of {wrong}")
        self.assertIsNone(program.dialog())
        self.assertEqual(program.scores(), ("1", "2", "-1", "3", "33 %"))

        # Starting again keeps the score.
        program.click(*BUTTON)
        wait_until(lambda: program.text("button") == "Stop", "the button to read Stop again")
        self.asked()
        self.assertEqual(program.scores(), ("1", "2", "-1", "3", "33 %"))


if __name__ == "__main__":
    main()
