// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <cstdint>

// The two counters of right and wrong answers and the five figures shown from them.
// A counter stops at the largest 32-bit value instead of wrapping round, and the
// derived figures are computed in 64 bits, so every number shown is exact.
class ScoreBoard
{
public:
    static inline const QString NoRate = QStringLiteral("- - %");

    ScoreBoard() = default;
    ScoreBoard(std::int32_t gained, std::int32_t penalty) : GainedPoints(gained), PenaltyPoints(penalty) {}

    std::int32_t gainedPoints() const { return GainedPoints; }
    std::int32_t penaltyPoints() const { return PenaltyPoints; }

    void addGained();
    void addPenalty();
    // Taking away never goes below zero.
    void removeGained();
    void removePenalty();

    // The five figures as the score row shows them.
    struct Fields
    {
        QString gained;
        QString penalty;
        QString total;    // gained − penalty
        QString attempts; // gained + penalty
        QString rate;     // whole percent of attempts that were right, or NoRate
    };
    Fields fields() const;

private:
    std::int32_t GainedPoints = 0;
    std::int32_t PenaltyPoints = 0;
};
