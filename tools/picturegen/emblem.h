// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QImage>

// Two crossed semaphore flags on yellow poles: the program's logo and icon.
namespace emblem {

constexpr QRgb logoBackground = 0xff00ffff; // the colour the program leaves transparent

// size × size pixels. Hard edges keep the colours few and exact, which the
// logo's colour key and the small icon's palette rely on; large icons are
// drawn smooth.
QImage draw(int size, QColor background, bool smooth);

QImage logo();      // 64 × 64 on cyan, no alpha
QImage smallIcon(int size); // transparent background, at most 16 colours

} // namespace emblem
