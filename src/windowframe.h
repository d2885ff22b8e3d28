// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMargins>
#include <QPoint>

#include <optional>

class QRect;
class QScreen;
class QWindow;

// The frame that an X11 window manager puts around a window, learnt before the window is
// shown: Qt knows the frame only once the window is on screen, too late to centre it
// without a visible jump. And the room the manager leaves windows, which it tells in the
// screen's pixels.
class WindowFrame
{
public:
    // The work area of `screen` as the window manager tells it, in Qt's units; none where it
    // does not tell. Qt 6.11's own scales the area's size but leaves its corner in the
    // screen's pixels, so where Qt scales, a panel along the top counts twice (at 2).
    static std::optional<QRect> workArea(const QScreen *screen);
    // Asks the window manager for the frame of `window`, which exists but is not shown
    // yet, and waits briefly for the answer. None where no X11 window manager answers such
    // questions; empty margins where one answers that it cannot tell yet (mutter 44 and
    // later, whose frames are drawn by a client of their own once the window is mapped).
    static std::optional<QMargins> before(QWindow *window);
    // For a window manager that cannot tell the frame before: asks it to centre the frame
    // on where `window` itself was put, once it frames it. Called just after Qt has mapped
    // the window, since Qt rewrites the hints it changes as it maps. Ends holdManager().
    static void centreWhenFramed(QWindow *window);
    // For a window manager that cannot tell the frame before: keeps it from framing the
    // window until centreWhenFramed() has told it how, by holding the X server for those
    // few requests; a manager that frames a window the moment it is mapped (KWin), or soon
    // after (mutter), would otherwise frame it in the old way now and then. Called just
    // before Qt maps the window; centreWhenFramed() must follow as soon as Qt has, before
    // anything else runs.
    static void holdManager(QWindow *window);
    // The frame that the window manager has put around `window` by now, for one that does
    // not answer such questions; empty margins before it has.
    static QMargins now(QWindow *window);
    // Where `window` stands on the screen once the window manager has framed and placed it
    // (Qt learns of it a moment later); none before, or where it cannot be asked. KWin maps
    // a new frame at 1 × 1 pixels and sizes and places it a few milliseconds later.
    static std::optional<QPoint> framedAt(QWindow *window);
};
