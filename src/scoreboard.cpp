// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scoreboard.h"

#include <limits>

namespace {

void increment(std::int32_t &counter)
{
    if (counter < std::numeric_limits<std::int32_t>::max())
        ++counter;
}

void decrement(std::int32_t &counter)
{
    if (counter > 0)
        --counter;
}

} // namespace

void ScoreBoard::addGained() { increment(GainedPoints); }
void ScoreBoard::addPenalty() { increment(PenaltyPoints); }
void ScoreBoard::removeGained() { decrement(GainedPoints); }
void ScoreBoard::removePenalty() { decrement(PenaltyPoints); }

ScoreBoard::Fields ScoreBoard::fields() const
{
    const qint64 gained = GainedPoints;
    const qint64 penalty = PenaltyPoints;
    const qint64 attempts = gained + penalty;
    // Integer division truncates toward zero: 2 of 3 is 66 %, not 67 %.
    const QString rate = attempts <= 0 ? NoRate
                                       : QString::number(gained * 100 / attempts) + QStringLiteral(" %");
    return {QString::number(gained), QString::number(penalty), QString::number(gained - penalty),
            QString::number(attempts), rate};
}
