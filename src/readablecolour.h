// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QColor;
class QWidget;

// The score numbers have fixed colours made for a light grey face, but the window takes
// its background from the desktop's colour scheme, where dark ones are common. This is
// the one rule for drawing such a colour on a scheme's background: on a light background
// the design's colour stays as it is while it reaches 3 : 1, which is the program's look;
// otherwise it keeps its hue and is shaded, lighter on a dark background, darker on a
// light one, until it reaches 4.5 : 1, or as far as black or white allow.
namespace ReadableColour {

// The contrast ratio of two colours as WCAG defines it, from 1 to 21.
double contrast(const QColor &a, const QColor &b);

QColor on(const QColor &design, const QColor &background);

// The colour that `widget`'s ancestors paint under it, children left out: what a text
// on it is actually seen against, a group box's own panel included.
QColor backgroundUnder(QWidget *widget);

} // namespace ReadableColour
