// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "unlockrecogniser.h"

bool UnlockRecogniser::step(const QString &key)
{
    const auto isKey = [&key](QChar c) { return key.size() == 1 && key.front() == c; };

    // From the whole word down to its first letter: at most one check matches the
    // progress so far, so one key moves the progress on by one character at most.
    bool toggle = false;
    if (UnlockProgress == AccessWord) {
        UnlockProgress.clear();
        toggle = isKey(QChar(ConfirmingKey));
    } else if (!UnlockProgress.isEmpty()) {
        const qsizetype typed = UnlockProgress.size();
        const bool continues = isKey(AccessWord.at(typed));
        UnlockProgress.clear();
        if (continues)
            UnlockProgress = AccessWord.left(typed + 1);
    }
    if (UnlockProgress.isEmpty() && isKey(AccessWord.front()))
        UnlockProgress = AccessWord.left(1);
    return toggle;
}
