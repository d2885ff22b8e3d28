// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QStringList>

#include <functional>

// The window's texts ask for MS Sans Serif and Verdana at fixed pixel sizes, in controls of
// fixed sizes. On Windows MS Sans Serif is a bitmap font with a few sizes only: Qt takes the
// nearest one, larger or smaller, and at 125 % or 150 % stretches and blurs its pixels.
// Elsewhere the family is missing and the system puts a face of its own in its place. So the
// design's family is used only where it gives a face that scales smoothly, at the pixel size
// asked for, in which the texts fit; otherwise the first of a few faces that do.
namespace FontChoice {

// Windows' own outline faces, nearest to MS Sans Serif first, then the one the Linux
// package depends on.
inline const QStringList Fallbacks = {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
                                      QStringLiteral("Segoe UI"), QStringLiteral("DejaVu Sans")};

// `family` at `pixels`, or the first of the fallbacks on this system that serves where it
// does not; the design's own font where none does, as nothing would do better, with a
// warning. Each face taken is logged as info in the category vlajkor.fontchoice.
QFont choose(const QString &family, int pixels, const std::function<bool(const QFont &)> &fits);

} // namespace FontChoice
