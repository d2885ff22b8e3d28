// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMargins>

class QWindow;

// The frame that an X11 window manager puts around a window, learnt before the window is
// shown: Qt knows the frame only once the window is on screen, too late to centre it
// without a visible jump.
class WindowFrame
{
public:
    // Asks the window manager for the frame of `window`, which exists but is not shown
    // yet, and waits briefly for the answer. Empty margins where no X11 window manager
    // answers such questions.
    static QMargins before(QWindow *window);
    // The frame that the window manager has put around `window` by now, for one that does
    // not answer such questions; empty margins before it has.
    static QMargins now(QWindow *window);
};
