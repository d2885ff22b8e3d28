#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Vlajkor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Sending: every typed letter shows its own picture at once."""

from desktop import DISPLAY, DesktopTest, main, pictures_by_typing


class SendingTest(DesktopTest):

    def test_every_letter_has_a_picture_of_its_own(self):
        # Typing starts without a click: the window takes keys from the start.
        rest, pictures = pictures_by_typing(self.start())
        self.assertEqual(len(set(pictures.values())), 26)
        self.assertNotIn(rest, pictures.values())

    def test_case_does_not_matter_and_space_rests(self):
        program = self.start()
        rest = program.settled_shot(*DISPLAY)
        program.type("a")
        lower = program.settled_shot(*DISPLAY, differing_from=rest, what="the picture of 'a'")
        program.type(" ")
        self.assertEqual(program.settled_shot(*DISPLAY, differing_from=lower, what="the rest picture"), rest)
        program.type("A")
        upper = program.settled_shot(*DISPLAY, differing_from=rest, what="the picture of 'A'")
        self.assertEqual(upper, lower)
        self.assertEqual(program.scores(), ("0", "0", "0", "0", "- - %"))


if __name__ == "__main__":
    main()
