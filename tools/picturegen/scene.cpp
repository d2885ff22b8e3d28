// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scene.h"

#include <algorithm>
#include <cmath>

namespace scene {
namespace {

struct Rgb {
    double r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb shaded(Rgb c, double factor)
{
    return {c.r * factor, c.g * factor, c.b * factor};
}

// The part of pixel row y that lies below an edge at height edgeY. The
// landscape's edges are soft, which keeps them clean and the files small;
// only the figure is drawn hard-edged.
double coverageBelow(double edgeY, int y)
{
    return std::clamp(y + 1 - edgeY, 0.0, 1.0);
}

// A light-blue sky, paler toward the horizon.
constexpr Rgb skyTop{92, 156, 222}, skyHorizon{204, 228, 246};
constexpr double skyBottom = 40;

// Distant turquoise hills: a low ridge with rounded summits; the highest
// stands to the left of the figure, so the sky stays clear around its arms.
constexpr Rgb hillHigh{84, 190, 184}, hillLow{52, 156, 152};
struct Summit {
    double centre, halfWidth, rise;
};
constexpr Summit summits[] = {{15, 13, 17}, {33, 9, 4}, {50, 12, 7}, {70, 11, 10}};
constexpr double ridgeBase = 38;

double hillTop(int x)
{
    double rise = 0;
    for (const Summit &s : summits) {
        const double t = (x + 0.5 - s.centre) / s.halfWidth;
        if (std::abs(t) < 1)
            rise = std::max(rise, s.rise * (1 - t * t) * (1 - t * t));
    }
    return ridgeBase - rise;
}

// Rolling fields down to an olive foreground, each band starting at a gently
// waving line and darkening toward the bottom of the picture.
struct Band {
    double top, wave, frequency, phase;
    Rgb colour;
};
constexpr Band bands[] = {
    {41.5, 1.2, 0.17, 0.4, {118, 188, 84}},
    {45.5, 1.6, 0.12, 2.1, {72, 150, 58}},
    {50.5, 1.8, 0.10, 4.0, {98, 172, 66}},
    {56.5, 1.4, 0.08, 1.0, {128, 128, 36}}, // the foreground
};

double bandTop(const Band &band, int x)
{
    return band.top + band.wave * std::sin(x * band.frequency + band.phase);
}

QRgb toPixel(Rgb c)
{
    auto channel = [](double v) { return std::clamp(int(std::lround(v)), 0, 255); };
    return qRgb(channel(c.r), channel(c.g), channel(c.b));
}

} // namespace

QImage background()
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(frameColour);
    for (int y = 1; y < height - 1; ++y) {
        for (int x = 1; x < width - 1; ++x) {
            Rgb colour = mix(skyTop, skyHorizon, std::clamp((y - 1) / (skyBottom - 1), 0.0, 1.0));
            const Rgb hill = mix(hillHigh, hillLow, std::clamp((y - 20) / 22.0, 0.0, 1.0));
            colour = mix(colour, hill, coverageBelow(hillTop(x), y));
            for (const Band &band : bands) {
                const double depth = (y - band.top) / (height - band.top);
                colour = mix(colour, shaded(band.colour, 1 - 0.18 * depth),
                             coverageBelow(bandTop(band, x), y));
            }
            image.setPixel(x, y, toPixel(colour));
        }
    }
    return image;
}

} // namespace scene
