// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fontchoice.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLoggingCategory>

namespace {

// Which face each text got, for whoever must know without seeing the window (the Windows
// test under Wine): QT_LOGGING_RULES="vlajkor.fontchoice.info=true" shows it.
Q_LOGGING_CATEGORY(fontChoiceLog, "vlajkor.fontchoice", QtWarningMsg)

QFont taken(const QFont &font, const QString &family, int pixels)
{
    qCInfo(fontChoiceLog, "%s %d px: %s, everything fits", qPrintable(family), pixels,
           qPrintable(QFontInfo(font).family()));
    return font;
}

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
        return taken(design, family, pixels);
    // A missing fallback would be replaced by whatever face the system picks, unchecked.
    for (const QString &fallback : Fallbacks) {
        const QFont font = pixelFont(fallback, pixels);
        if (QFontDatabase::hasFamily(fallback) && serves(font, pixels, fits))
            return taken(font, family, pixels);
    }
    qCWarning(fontChoiceLog, "%s %d px: no face fits, %s is used and some text is cut", qPrintable(family), pixels,
              qPrintable(QFontInfo(design).family()));
    return design;
}
