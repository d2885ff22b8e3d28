#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Vlajkor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The score numbers and the signs stand out 4.5 : 1 under dark colour schemes as desktops
hand them to Qt: GNOME's Adwaita-dark through Qt's GTK theme, qt6ct's "darker", and, where
Plasma 6's platform theme is installed (scripts/test-desktops on Debian 13), Breeze Dark."""

import glob
import os
import shutil
import tempfile

from desktop import SCORE_BOXES, SIGNS, DesktopTest, contrast, main, wait_until

KDE_THEME = "/usr/lib/*/qt6/plugins/platformthemes/KDEPlasmaPlatformTheme6.so"
BREEZE_DARK = "/usr/share/color-schemes/BreezeDark.colors"


class SchemesTest(DesktopTest):

    def config(self, folder, name, text):
        os.makedirs(os.path.join(folder, os.path.dirname(name)), exist_ok=True)
        with open(os.path.join(folder, name), "w") as file:
            file.write(text)

    def home(self):
        home = tempfile.TemporaryDirectory()
        self.addCleanup(home.cleanup)
        return home.name

    def test_scores_readable_on_dark_schemes(self):
        qt6ct = os.path.join(self.home(), "qt6ct")
        self.config(qt6ct, "qt6ct/qt6ct.conf", "[Appearance]\ncustom_palette=true\nstyle=Fusion\n"
                    "color_scheme_path=/usr/share/qt6ct/colors/darker.conf\n")
        self.check_schemes({
            "Adwaita-dark": {"QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": "Adwaita:dark"},
            "qt6ct darker": {"QT_QPA_PLATFORMTHEME": "qt6ct", "XDG_CONFIG_HOME": qt6ct},
        })

    # A test of its own, so that where Plasma 6 cannot be had (Debian 12) it alone skips.
    def test_scores_readable_on_breeze_dark(self):
        if not (glob.glob(KDE_THEME) and os.path.exists(BREEZE_DARK)):
            self.skipTest("needs Plasma 6's platform theme: scripts/test-desktops installs it on "
                          "Debian 13 and later; Debian 12 has none")
        # Plasma writes the chosen scheme's colours into kdeglobals, as this does.
        kde = self.home()
        shutil.copy(BREEZE_DARK, os.path.join(kde, "kdeglobals"))
        with open(os.path.join(kde, "kdeglobals"), "a") as kdeglobals:
            kdeglobals.write("\n[KDE]\nwidgetStyle=Breeze\n")
        self.check_schemes({"Breeze Dark": {"QT_QPA_PLATFORMTHEME": "kde", "XDG_CONFIG_HOME": kde}})

    def check_schemes(self, schemes):
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
                # The lower part of each number, clear of a title that Breeze draws inside the box.
                for box, left in zip(SCORE_BOXES, (8, 96, 184, 272, 360)):
                    background, ink = window.crop(left + 8 + 18, 166 + 22, 29, 17).background_and_ink()
                    self.assertGreater(contrast(background, (255, 255, 255)), 7, f"{scheme} is not dark")
                    self.assertGreaterEqual(contrast(ink, background), 4.5, f"{box}: {ink} on {background}")
                for sign, area in SIGNS.items():
                    background, ink = window.crop(*area).background_and_ink()
                    self.assertGreaterEqual(contrast(ink, background), 4.5, sign)
                program.close()

if __name__ == "__main__":
    main()
