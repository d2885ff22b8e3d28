// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMargins>
#include <QPoint>

#include <optional>

class QWindow;

// The frame that an X11 window manager puts around a window, learnt before the window is
// shown: Qt knows the frame only once the window is on screen, too late to centre it
// without a visible jump.
class WindowFrame
{
public:
    // Asks the window manager for the frame of `window`, which exists but is not shown
    // yet, and waits briefly for the answer. None where no X11 window manager answers such
    // questions; empty margins where one answers that it cannot tell yet (mutter 44 and
    // later, whose frames are drawn by a client of their own once the window is mapped).
    static std::optional<QMargins> before(QWindow *window);
    // For a window manager that cannot tell the frame before: asks it to centre the frame
    // on where `window` itself was put, once it frames it. Called just after Qt has mapped
    // the window, since Qt rewrites the hints it changes as it maps. Ends holdManager().
    static void centreWhenFramed(QWindow *window);
    // For a window manager that frames a window the moment it is mapped: keeps it from
    // doing so until centreWhenFramed() has told it how, by holding the X server for those
    // few requests. Called just before Qt maps the window; centreWhenFramed() must follow
    // as soon as Qt has, before anything else runs.
    static void holdManager(QWindow *window);
    // The frame that the window manager has put around `window` by now, for one that does
    // not answer such questions; empty margins before it has.
    static QMargins now(QWindow *window);
    // Where `window` stands on the screen once the window manager has framed and placed it
    // (Qt learns of it a moment later); none before, or where it cannot be asked. KWin maps
    // a new frame at 1 × 1 pixels and sizes and places it a few milliseconds later.
    static std::optional<QPoint> framedAt(QWindow *window);
};
