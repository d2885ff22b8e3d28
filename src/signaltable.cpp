// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "signaltable.h"

namespace SignalTable {

QString letter(int row)
{
    return row == 0 ? QStringLiteral(" ") : QString(QChar(u'A' + row - 1));
}

int rowOf(const QString &text)
{
    if (text.size() != 1)
        return -1;
    const QChar c = text.front();
    if (c == u' ')
        return 0;
    if (c >= u'A' && c <= u'Z')
        return c.unicode() - u'A' + 1;
    return -1;
}

QString resourcePath(int row)
{
    return row == 0 ? QStringLiteral(":/pictures/space.jpg")
                    : QStringLiteral(":/pictures/%1.jpg").arg(letter(row));
}

QString holderCode(int row)
{
    // Codes run C6, C7, C8, C9, D0, … F2: a letter and a digit counting on from C6.
    const int n = 26 + row; // C6 is the 27th code after A0
    return QString(QChar(u'A' + n / 10)) + QChar(u'0' + n % 10);
}

} // namespace SignalTable
