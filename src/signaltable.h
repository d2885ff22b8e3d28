// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The 27 letter texts that have a semaphore picture, in the order they are looked up:
// the rest position (a space) first, then "A" to "Z".
namespace SignalTable {

constexpr int Count = 27;

// The letter text of row `row`.
QString letter(int row);

// The row whose letter text equals `text` exactly, or -1. Lower case, digits,
// letters with diacritics and anything longer than one character match nothing.
int rowOf(const QString &text);

// The embedded file that carries the picture of row `row`.
QString resourcePath(int row);

// The control code of the hidden image that holds row `row`'s picture ("C6" … "F2").
QString holderCode(int row);

} // namespace SignalTable
