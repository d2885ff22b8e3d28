// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "semaphore.h"

namespace semaphore {

const std::array<Signal, 27> &alphabet()
{
    using C = Clock;
    static const std::array<Signal, 27> table{{
        {' ', C::Down, C::Down},
        {'A', C::DownLeft, C::Down},
        {'B', C::Left, C::Down},
        {'C', C::UpLeft, C::Down},
        {'D', C::Up, C::Down},
        {'E', C::Down, C::UpRight},
        {'F', C::Down, C::Right},
        {'G', C::Down, C::DownRight},
        {'H', C::Left, C::DownLeft},
        {'I', C::UpLeft, C::DownLeft},
        {'J', C::Up, C::Right},
        {'K', C::DownLeft, C::Up},
        {'L', C::DownLeft, C::UpRight},
        {'M', C::DownLeft, C::Right},
        {'N', C::DownLeft, C::DownRight},
        {'O', C::Left, C::UpLeft},
        {'P', C::Left, C::Up},
        {'Q', C::Left, C::UpRight},
        {'R', C::Left, C::Right},
        {'S', C::Left, C::DownRight},
        {'T', C::UpLeft, C::Up},
        {'U', C::UpLeft, C::UpRight},
        {'V', C::Up, C::DownRight},
        {'W', C::UpRight, C::Right},
        {'X', C::UpRight, C::DownRight},
        {'Y', C::UpLeft, C::Right},
        {'Z', C::DownRight, C::Right},
    }};
    return table;
}

bool crossesBody(Shoulder shoulder, Clock direction)
{
    const bool pointsLeft = direction == Clock::DownLeft || direction == Clock::Left
                            || direction == Clock::UpLeft;
    const bool pointsRight = direction == Clock::UpRight || direction == Clock::Right
                             || direction == Clock::DownRight;
    return shoulder == Shoulder::ViewerLeft ? pointsRight : pointsLeft;
}

Clock mirrored(Clock direction)
{
    // Down is 0 and Up is 4 on the clock; a mirror swaps n and 8 - n.
    return static_cast<Clock>((8 - static_cast<int>(direction)) % 8);
}

QString fileName(const Signal &signal)
{
    return signal.letter == ' ' ? QStringLiteral("space.jpg")
                                : QString(QChar::fromLatin1(signal.letter)) + QStringLiteral(".jpg");
}

} // namespace semaphore
