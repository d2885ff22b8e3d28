// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Which of Qt's platforms gives the window a title bar of the desktop's own, picked before Qt
// starts. A fixed-size window looks foreign on Wayland wherever the compositor leaves title
// bars to the client: Qt then draws a flat bar of its own, with a maximize button that the
// window cannot honour. Such compositors (GNOME's mutter, weston) run an X server beside
// them, Xwayland, whose windows get the desktop's own bar, sized to what the window allows.
// But an X11 window is scaled up by the compositor, and so blurred, on a monitor whose
// layout is scaled (GNOME's fractional scaling), where a Wayland window stays crisp.
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
    // Some monitor's layout is scaled, so an X11 window would be scaled by the compositor.
    bool scaledLayout = false;
};

// The value for QT_QPA_PLATFORM, or nullptr to leave Qt its own choice. Each choice names
// the other platform as a fallback, for a machine without Qt's Wayland support, say.
const char *platformFor(const DesktopFacts &facts);

// Asks the Wayland compositor, if there is one, and sets QT_QPA_PLATFORM accordingly.
void choosePlatform();
