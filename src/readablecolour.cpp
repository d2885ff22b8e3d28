// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "readablecolour.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cmath>
#include <vector>

namespace {

constexpr double Readable = 4.5;
constexpr double DesignOnLight = 3.0;

double luminance(const QColor &colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

} // namespace

double ReadableColour::contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableColour::on(const QColor &design, const QColor &background)
{
    const bool lighter = contrast(Qt::white, background) > contrast(Qt::black, background);
    const double kept = contrast(design, background);
    if (kept >= Readable || (!lighter && kept >= DesignOnLight))
        return design;
    // Lightness alone changes, so the hue by which the learner knows the field stays; the
    // first step that is readable is the one nearest the design.
    const QColor hsl = design.toHsl();
    const int step = lighter ? 1 : -1;
    QColor shaded = design;
    for (int l = hsl.lightness() + step; l >= 0 && l <= 255; l += step) {
        shaded = QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), l).toRgb();
        if (contrast(shaded, background) >= Readable)
            break;
    }
    return shaded;
}

QColor ReadableColour::backgroundUnder(QWidget *widget)
{
    // From the ancestor that fills its background inward, each paints itself alone.
    std::vector<QWidget *> painters;
    for (QWidget *ancestor = widget->parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        painters.insert(painters.begin(), ancestor);
        if (ancestor->autoFillBackground() || ancestor->isWindow())
            break;
    }
    QImage canvas(widget->size(), QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        for (QWidget *ancestor : painters) {
            ancestor->ensurePolished();
            const QWidget::RenderFlags flags =
                ancestor == painters.front() ? QWidget::DrawWindowBackground : QWidget::RenderFlags();
            const QRect area(widget->mapTo(ancestor, QPoint()), widget->size());
            ancestor->render(&painter, QPoint(), area, flags);
        }
    }
    // A frame's line may cross the corner of the area; the colour of most of it is the one
    // that the text stands on.
    QHash<QRgb, int> counts;
    QRgb most = canvas.pixel(0, 0);
    for (int y = 0; y < canvas.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(canvas.constScanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            if (++counts[line[x]] > counts[most])
                most = line[x];
        }
    }
    return QColor::fromRgb(most);
}
