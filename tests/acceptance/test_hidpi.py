#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Vlajkor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""On a screen of twice the density the window doubles, the pictures stay crisp and the text sharp."""

from desktop import DISPLAY, INSTRUCTIONS, DesktopTest, Image, main


def scaled(area, factor):
    return tuple(value * factor for value in area)


def blocks_of(image, size):
    """True when the image is made of uniform size x size blocks."""
    for y in range(image.height):
        for x in range(image.width):
            if image.pixel(x, y) != image.pixel(x - x % size, y - y % size):
                return False
    return True


def enlarged(image, factor):
    rows = []
    for y in range(image.height * factor):
        row = image.crop(0, y // factor, image.width, 1).rgb
        rows.append(b"".join(row[3 * x:3 * x + 3] * factor for x in range(image.width)))
    return Image(image.width * factor, image.height * factor, b"".join(rows))


class HighDensityTest(DesktopTest):
    screen = {"width": 1920, "height": 1080}

    def letter_k(self, program, factor):
        rest = program.settled_shot(*scaled(DISPLAY, factor))
        program.type("k")
        return program.settled_shot(*scaled(DISPLAY, factor), differing_from=rest, what="the picture of 'k'")

    def test_twice_the_density(self):
        normal = self.start()
        picture = self.letter_k(normal, 1)
        normal.close()

        program = self.start(QT_SCALE_FACTOR="2")
        # Centred on the desktop as the program sees it: 960 x 540 logical pixels.
        self.assertEqual(program.geometry(), (2 * ((960 - 449) // 2), 2 * ((540 - 217) // 2), 898, 434))
        doubled = self.letter_k(program, 2)
        # Every picture pixel is a 4 x 4 block: the 2 x 2 blocks of the normal display, doubled.
        self.assertTrue(blocks_of(doubled, 4), "the picture is smoothed")
        self.assertTrue(doubled == enlarged(picture, 2), "the picture differs from the normal one")

        # Text drawn for the denser screen, not enlarged from the normal one, is not made of
        # 2 x 2 blocks.
        text = program.shot(*scaled(INSTRUCTIONS, 2))
        self.assertGreater(text.ink(), 1000)
        self.assertFalse(blocks_of(text, 2), "the text is enlarged, not drawn sharp")
        program.close()

        # Centred on what a panel along the top leaves, as the window manager tells it in the
        # screen's pixels: Qt 6.11 alone counts the panel twice at this scale (Qt 6.4 does not).
        self.desktop.run("xprop", "-root", "-f", "_NET_WORKAREA", "32c", "-set", "_NET_WORKAREA", "0,64,1920,1016")
        self.addCleanup(self.desktop.run, "xprop", "-root", "-remove", "_NET_WORKAREA")
        left, top, width, height = self.start(QT_SCALE_FACTOR="2").geometry()
        self.assertLessEqual(abs(2 * top + height - (2 * 64 + 1016)), 4, f"the window is {top - 64} px below the panel")
        self.assertLessEqual(abs(2 * left + width - 1920), 4)


if __name__ == "__main__":
    main()
