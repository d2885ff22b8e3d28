// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "figure.h"

#include "raster.h"
#include "scene.h"

#include <QPainter>

namespace figure {
namespace {

// The figure is symmetric about column 39. Arms are drawn for the viewer's
// left shoulder only; the other shoulder is the mirror image, so both sides
// look alike pixel for pixel.
constexpr QPointF shoulderJoint{32, 29};
constexpr double armWidth = 2.0;
constexpr double diagonalArmWidth = 2.3;
constexpr double straightReach = 15;  // shoulder to hand, level or upright
constexpr double diagonalReach = 11;  // along each axis
constexpr double acrossReach = 15;    // along each axis, across the body
constexpr double flagSide = 10;       // a level flag, seen flat
constexpr double slantedPole = 8;     // along each axis, a diagonal flag's edge at the pole
constexpr double slantedDrop = 9;     // a diagonal flag's free edges
constexpr double stripWidth = 3;      // a flag seen edge-on or furled

QPointF unit(Clock direction)
{
    switch (direction) {
    case Clock::Down: return {0, 1};
    case Clock::DownLeft: return {-1, 1};
    case Clock::Left: return {-1, 0};
    case Clock::UpLeft: return {-1, -1};
    case Clock::Up: return {0, -1};
    case Clock::UpRight: return {1, -1};
    case Clock::Right: return {1, 0};
    case Clock::DownRight: return {1, 1};
    }
    return {0, 1};
}

// Red on the triangle at the hand, white on the one beyond it.
void splitFlag(Raster &raster, QPointF hand, QPointF pole, QPointF drop)
{
    raster.fillPolygon({hand, hand + pole, hand + drop}, flagRed);
    raster.fillPolygon({hand + pole, hand + pole + drop, hand + drop}, flagWhite);
}

// A flag held upright or down hangs along its pole and shows as a strip,
// red at the hand; the strip lies on the outer side of the arm.
void stripFlag(Raster &raster, QPointF hand, double towardEnd)
{
    const double outer = hand.x() - armWidth / 2 - (stripWidth - armWidth);
    const double middle = hand.y() + towardEnd * flagSide / 2;
    const double end = hand.y() + towardEnd * flagSide;
    raster.fillPolygon({{outer, hand.y()}, {outer + stripWidth, hand.y()},
                        {outer + stripWidth, middle}, {outer, middle}},
                       flagRed);
    raster.fillPolygon({{outer, middle}, {outer + stripWidth, middle},
                        {outer + stripWidth, end}, {outer, end}},
                       flagWhite);
}

QImage viewerLeftArm(Clock direction)
{
    QImage layer(scene::width, scene::height, QImage::Format_ARGB32);
    layer.fill(Qt::transparent);
    Raster raster(layer);
    const QPointF d = unit(direction);
    const bool across = semaphore::crossesBody(Shoulder::ViewerLeft, direction);
    const bool diagonal = d.x() != 0 && d.y() != 0;
    const double reach = across ? acrossReach : diagonal ? diagonalReach : straightReach;
    const QPointF hand = shoulderJoint + d * reach;
    raster.fillBar(shoulderJoint, hand, diagonal ? diagonalArmWidth : armWidth, black);

    if (diagonal) {
        // Held slanting, the flag is a parallelogram whose free edges lean
        // 45 degrees off the pole, so both halves stay broad: a raised flag
        // flies level and outward, a lowered one hangs straight down.
        const QPointF drop = d.y() < 0 ? QPointF(d.x() * slantedDrop, 0) : QPointF(0, slantedDrop);
        splitFlag(raster, hand, d * slantedPole, drop);
    } else if (d.y() != 0) {
        stripFlag(raster, hand, d.y());
    } else {
        // Held level, the flag hangs as a full square below the arm's top edge.
        const QPointF top = hand - QPointF(0, armWidth / 2);
        splitFlag(raster, top, d * flagSide, {0, flagSide});
    }
    return layer;
}

void drawBody(QImage &image)
{
    Raster raster(image);
    raster.fillDisc({39.5, 21.5}, 4.4, black);           // head
    raster.fillRect(38, 25, 3, 3, black);                // neck
    raster.fillRect(31, 28, 17, 3, black);               // square shoulders
    raster.fillRect(34, 28, 11, 20, black);              // body
    raster.fillRect(34, 48, 4, 18, black);               // legs
    raster.fillRect(41, 48, 4, 18, black);
}

// One arm with its flag on a transparent layer of the picture's size. Each
// shoulder and direction is always this same drawing, so a learner sees the
// same shape wherever the position occurs.
QImage arm(Shoulder shoulder, Clock direction)
{
    if (shoulder == Shoulder::ViewerLeft)
        return viewerLeftArm(direction);
    const QImage drawn = viewerLeftArm(semaphore::mirrored(direction));
    // Qt 6.9 renamed the mirroring and deprecated the old name; Qt 6.4 has only that.
#if QT_VERSION >= QT_VERSION_CHECK(6, 9, 0)
    return drawn.flipped(Qt::Horizontal);
#else
    return drawn.mirrored(true, false);
#endif
}

} // namespace

QImage picture(const Signal &signal)
{
    QImage image = scene::background();
    drawBody(image);
    QPainter painter(&image);
    painter.drawImage(0, 0, arm(Shoulder::ViewerLeft, signal.viewerLeft));
    painter.drawImage(0, 0, arm(Shoulder::ViewerRight, signal.viewerRight));
    return image;
}

} // namespace figure
