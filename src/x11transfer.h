// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QtGlobal>

// On X11, Qt hands the window's pixels to the server through shared memory, and before it
// paints over pixels it handed over last time it waits for a round trip to the server, so
// that the server never reads a half-painted picture. Every letter repaints the same
// picture, so every keystroke would wait for the X server to be scheduled before its paint
// could even start. Sent inside the request instead, a letter's picture is under a hundred
// kilobytes on the screen and nothing waits. Must run before the application object is
// made: that is when Qt's X11 platform reads the setting. Other platforms ignore it.
inline void sendPixelsWithRequestsOnX11()
{
    qputenv("QT_XCB_NO_MITSHM", "1");
}
