// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "semaphore.h"

#include <QImage>

// The signaller standing in the landscape with both arms in a signal's
// position.
namespace figure {

constexpr QRgb black = 0xff000000;
constexpr QRgb flagRed = 0xffdc1414;
constexpr QRgb flagWhite = 0xffffffff;

QImage picture(const Signal &signal);

} // namespace figure
