// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Watches the raw typed keys for the access word followed by the confirming key.
// It remembers how much of the word has been typed; a key that does not continue
// the word starts over, and if that key is the word's first letter it begins a new try.
class UnlockRecogniser
{
public:
    static inline const QString AccessWord = QStringLiteral("Zobilu");
    static constexpr char16_t ConfirmingKey = u'v';

    // Feeds one key, as typed (before any case folding). True when it completes the sequence.
    bool step(const QString &key);

    QString progress() const { return UnlockProgress; }

private:
    QString UnlockProgress;
};
