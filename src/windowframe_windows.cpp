// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowframe.h"

#include <QRect>
#include <QWindow>

// Windows draws the frame itself and knows its size from the window's style as soon as the
// native window exists, before it is shown.
std::optional<QMargins> WindowFrame::before(QWindow *window)
{
    if (!window || !window->handle())
        return std::nullopt;
    return window->frameMargins();
}

// Always known before, so never asked for.
QMargins WindowFrame::now(QWindow *window)
{
    return before(window).value_or(QMargins());
}

// Qt's own serves: the taskbar mostly lies along the bottom, where only the area's size
// counts, and Qt scales that right.
std::optional<QRect> WindowFrame::workArea(const QScreen *)
{
    return std::nullopt;
}

// Windows does not move a window to fit its frame.
void WindowFrame::centreWhenFramed(QWindow *) {}
void WindowFrame::holdManager(QWindow *) {}

// Never needed: the frame is known before.
std::optional<QPoint> WindowFrame::framedAt(QWindow *)
{
    return std::nullopt;
}
