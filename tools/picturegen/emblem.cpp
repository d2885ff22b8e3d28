// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "emblem.h"

#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace emblem {
namespace {

// Laid out on a 64-pixel grid and scaled to the size drawn.
constexpr double grid = 64;
constexpr double leftPoleTopX = 22, poleTopY = 5, poleBottomY = 60;
constexpr double lean = 24 * M_PI / 180; // each pole's angle from upright
constexpr double flagSide = 20;

const QColor outline(40, 40, 40);
const QColor poleEdge(140, 100, 0);
const QColor yellow(255, 210, 0);
const QColor red(220, 20, 20);
const QColor white(255, 255, 255);

// One flag on its pole; mirror = -1 draws the right-hand one.
void drawFlagOnPole(QPainter &painter, double scale, int mirror)
{
    const double centre = grid / 2;
    auto at = [&](double x, double y) {
        return QPointF((centre + mirror * (x - centre)) * scale, y * scale);
    };
    // Up the pole (toward its top at the left) and out toward the fly.
    const double ux = -std::sin(lean), uy = -std::cos(lean);
    const double nx = -std::cos(lean), ny = std::sin(lean);
    const double topX = leftPoleTopX, topY = poleTopY;
    const double hoistX = topX - flagSide * ux, hoistY = topY - flagSide * uy;
    const QPointF top = at(topX, topY);
    const QPointF hoist = at(hoistX, hoistY); // where the hand would hold it
    const QPointF topFly = at(topX + flagSide * nx, topY + flagSide * ny);
    const QPointF hoistFly = at(hoistX + flagSide * nx, hoistY + flagSide * ny);

    const double lineWidth = std::max(1.0, scale);
    painter.setPen(Qt::NoPen);
    painter.setBrush(red);
    painter.drawPolygon(QPolygonF({hoist, top, hoistFly}));
    painter.setBrush(white);
    painter.drawPolygon(QPolygonF({top, topFly, hoistFly}));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(outline, lineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPolygon(QPolygonF({top, topFly, hoistFly, hoist}));

    const double length = (poleBottomY - topY + 2) / std::cos(lean);
    const QPointF poleTop = at(topX + 2 * ux, topY + 2 * uy);
    const QPointF poleBottom = at(topX + 2 * ux - length * ux, topY + 2 * uy - length * uy);
    // At 16 pixels a pole two pixels wide would outweigh its flag.
    const double poleWidth = scale < 0.5 ? 1.0 : std::max(2.0, 2 * scale);
    // At 32 pixels an edged pole turns into a jagged band; plain yellow reads better.
    if (scale > 0.5) {
        painter.setPen(QPen(poleEdge, poleWidth + 2 * lineWidth, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(poleTop, poleBottom);
    }
    painter.setPen(QPen(yellow, poleWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(poleTop, poleBottom);
}

} // namespace

QImage draw(int size, QColor background, bool smooth)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    const double scale = size / grid;
    drawFlagOnPole(painter, scale, 1);
    drawFlagOnPole(painter, scale, -1);
    return image;
}

QImage logo()
{
    return draw(64, QColor::fromRgb(logoBackground), false).convertToFormat(QImage::Format_RGB32);
}

QImage smallIcon(int size)
{
    // Hard edges leave only a handful of colours: a palette of exactly those
    // keeps them true, where Qt's own palette would round them.
    const QImage icon = draw(size, Qt::transparent, false);
    QList<QRgb> palette;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            if (!palette.contains(icon.pixel(x, y)))
                palette.append(icon.pixel(x, y));
    return icon.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
}

} // namespace emblem
