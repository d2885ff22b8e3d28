// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fontchoice.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace {

QFont pixelFont(const QString &family, int pixels)
{
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

bool serves(const QFont &font, int pixels, const std::function<bool(const QFont &)> &fits)
{
    const QFontInfo face(font);
    return face.pixelSize() == pixels && QFontDatabase::isSmoothlyScalable(face.family(), face.styleName())
        && fits(font);
}

} // namespace

QFont FontChoice::choose(const QString &family, int pixels, const std::function<bool(const QFont &)> &fits)
{
    const QFont design = pixelFont(family, pixels);
    if (serves(design, pixels, fits))
        return design;
    // A missing fallback would be replaced by whatever face the system picks, unchecked.
    for (const QString &fallback : Fallbacks) {
        const QFont font = pixelFont(fallback, pixels);
        if (QFontDatabase::hasFamily(fallback) && serves(font, pixels, fits))
            return font;
    }
    return design;
}
