// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "monitorfacts.h"

#include <QRect>
#include <QSize>

#include <wayland-client-protocol.h>

#include <algorithm>
#include <cmath>

void MonitorFacts::mode(uint32_t flags, int32_t width, int32_t height)
{
    if (flags & WL_OUTPUT_MODE_CURRENT) {
        m_width = width;
        m_height = height;
    }
}

void MonitorFacts::turned(int32_t transform)
{
    m_transform = transform;
}

void MonitorFacts::placed(int32_t x, int32_t y)
{
    m_layoutX = x;
    m_layoutY = y;
}

void MonitorFacts::layout(int32_t width, int32_t height)
{
    m_layoutWidth = width;
    m_layoutHeight = height;
}

bool MonitorFacts::told() const
{
    // Without both sizes there is nothing to compare (no xdg-output, say).
    return m_width > 0 && m_height > 0 && m_layoutWidth > 0 && m_layoutHeight > 0;
}

// A quarter turn swaps the mode's sides in the layout: 90° and 270°, flipped or not, are the
// odd transforms.
int32_t MonitorFacts::deviceWidth() const
{
    return m_transform & WL_OUTPUT_TRANSFORM_90 ? m_height : m_width;
}

int32_t MonitorFacts::deviceHeight() const
{
    return m_transform & WL_OUTPUT_TRANSFORM_90 ? m_width : m_height;
}

bool MonitorFacts::xWindowsScaled(const std::vector<MonitorFacts> &monitors, const QSize &xScreen)
{
    QRect layout;
    for (const MonitorFacts &monitor : monitors) {
        if (monitor.told())
            layout |= QRect(monitor.m_layoutX, monitor.m_layoutY, monitor.m_layoutWidth, monitor.m_layoutHeight);
    }
    if (layout.isEmpty())
        return false;
    const double xScaleX = xScreen.isEmpty() ? 1.0 : double(xScreen.width()) / layout.width();
    const double xScaleY = xScreen.isEmpty() ? 1.0 : double(xScreen.height()) / layout.height();
    // Within rounding: mutter rounds a fractional layout's sides.
    const auto differs = [](double a, double b) { return std::abs(a - b) > 0.01; };
    return std::any_of(monitors.begin(), monitors.end(), [&](const MonitorFacts &monitor) {
        return monitor.told()
               && (differs(double(monitor.deviceWidth()) / monitor.m_layoutWidth, xScaleX)
                   || differs(double(monitor.deviceHeight()) / monitor.m_layoutHeight, xScaleY));
    });
}
