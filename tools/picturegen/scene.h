// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// The landscape behind the signaller: the same pixels in every picture, so
// that only the arms and flags change from one letter to the next.
namespace scene {

constexpr int width = 79;
constexpr int height = 75;
constexpr QRgb frameColour = 0xff141414;

QImage background();

} // namespace scene
