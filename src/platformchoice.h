// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Which of Qt's platforms gives the window a title bar of the desktop's own, picked before Qt
// starts. A fixed-size window looks foreign on Wayland wherever the compositor leaves title
// bars to the client: Qt then draws a flat bar of its own, with a maximize button that the
// window cannot honour. Such compositors (GNOME's mutter, weston) run an X server beside
// them, Xwayland, whose windows get the desktop's own bar, sized to what the window allows.
// But an X11 window is resized by the compositor, and so blurred, on a monitor whose scale
// differs from the one Xwayland draws at (GNOME 43's fractional scaling, or GNOME 48's at
// 150 %, where Xwayland draws at 2), where a Wayland window stays crisp.
struct DesktopFacts
{
    // QT_QPA_PLATFORM is set: the user's choice always wins.
    bool userChosePlatform = false;
    // A Wayland compositor answered.
    bool wayland = false;
    // It draws title bars itself (it offers zxdg_decoration_manager_v1).
    bool compositorDecorates = false;
    // An X server is at hand (DISPLAY is set).
    bool xServer = false;
    // On some monitor the compositor would resize an X11 window.
    bool xWindowsScaled = false;
};

// The value for QT_QPA_PLATFORM, or nullptr to leave Qt its own choice. Each choice names
// the other platform as a fallback, for a machine without Qt's Wayland support, say.
const char *platformFor(const DesktopFacts &facts);

// Asks the Wayland compositor, if there is one, and sets QT_QPA_PLATFORM accordingly.
void choosePlatform();
