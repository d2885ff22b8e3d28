// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "raster.h"

#include <QLineF>
#include <QRectF>

#include <algorithm>
#include <cmath>

Raster::Raster(QImage &image) : m_image(image) {}

void Raster::fillRect(int x, int y, int width, int height, QRgb colour)
{
    const QRect area = QRect(x, y, width, height).intersected(m_image.rect());
    for (int row = area.top(); row <= area.bottom(); ++row)
        for (int column = area.left(); column <= area.right(); ++column)
            m_image.setPixel(column, row, colour);
}

void Raster::fillPolygon(const std::vector<QPointF> &corners, QRgb colour)
{
    if (corners.size() < 3)
        return;
    double left = corners[0].x(), right = left, top = corners[0].y(), bottom = top;
    for (const QPointF &p : corners) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    const QRect area = QRect(QPoint(int(std::floor(left)), int(std::floor(top))),
                             QPoint(int(std::ceil(right)), int(std::ceil(bottom))))
                           .intersected(m_image.rect());
    for (int row = area.top(); row <= area.bottom(); ++row) {
        const double y = row + 0.5;
        for (int column = area.left(); column <= area.right(); ++column) {
            const double x = column + 0.5;
            // Even-odd crossing count along a ray to the right.
            bool inside = false;
            for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
                const QPointF &a = corners[i], &b = corners[j];
                if ((a.y() > y) != (b.y() > y)
                    && x < a.x() + (y - a.y()) * (b.x() - a.x()) / (b.y() - a.y()))
                    inside = !inside;
            }
            if (inside)
                m_image.setPixel(column, row, colour);
        }
    }
}

void Raster::fillDisc(QPointF centre, double radius, QRgb colour)
{
    const QRect area = QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius)
                           .toAlignedRect()
                           .intersected(m_image.rect());
    for (int row = area.top(); row <= area.bottom(); ++row)
        for (int column = area.left(); column <= area.right(); ++column) {
            const double dx = column + 0.5 - centre.x(), dy = row + 0.5 - centre.y();
            if (dx * dx + dy * dy <= radius * radius)
                m_image.setPixel(column, row, colour);
        }
}

void Raster::fillBar(QPointF a, QPointF b, double width, QRgb colour)
{
    const QLineF line(a, b);
    if (line.length() == 0)
        return;
    const QPointF across = QPointF(-line.dy(), line.dx()) * (width / 2 / line.length());
    fillPolygon({a + across, b + across, b - across, a - across}, colour);
}
