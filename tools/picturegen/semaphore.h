// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <array>

// Arm directions as the viewer sees them, numbered clockwise from straight
// down: the eight positions of the semaphore clock.
enum class Clock { Down, DownLeft, Left, UpLeft, Up, UpRight, Right, DownRight };

// The shoulder an arm grows from, as the viewer sees it. The signaller faces
// the viewer, so the signaller's right arm is on the viewer's left.
enum class Shoulder { ViewerLeft, ViewerRight };

struct Signal {
    char letter;      // ' ' for the rest position
    Clock viewerLeft; // arm at the viewer's left shoulder
    Clock viewerRight;
};

namespace semaphore {

// The rest position first, then A to Z.
const std::array<Signal, 27> &alphabet();

// An arm pointing to the other side of the body reaches across it.
bool crossesBody(Shoulder shoulder, Clock direction);

// The same direction seen in a mirror standing upright beside the picture.
Clock mirrored(Clock direction);

// "space.jpg" for the rest position, "A.jpg" ... "Z.jpg" for the letters.
QString fileName(const Signal &signal);

} // namespace semaphore
