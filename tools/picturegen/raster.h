// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QPointF>

#include <vector>

// Hard-edged filling on a QImage: a pixel takes the colour when its centre
// lies inside the shape. With no blending, the same shape always yields the
// same pixels, wherever it is drawn.
class Raster
{
public:
    explicit Raster(QImage &image);

    void fillRect(int x, int y, int width, int height, QRgb colour);
    void fillPolygon(const std::vector<QPointF> &corners, QRgb colour);
    void fillDisc(QPointF centre, double radius, QRgb colour);
    // A bar of the given width centred on the segment from a to b.
    void fillBar(QPointF a, QPointF b, double width, QRgb colour);

private:
    QImage &m_image;
};
