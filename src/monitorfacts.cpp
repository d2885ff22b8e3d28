// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "monitorfacts.h"

#include <wayland-client-protocol.h>

#include <algorithm>

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

void MonitorFacts::layout(int32_t width, int32_t height)
{
    m_layoutWidth = width;
    m_layoutHeight = height;
}

bool MonitorFacts::scaled() const
{
    // Without both sizes there is nothing to compare (no xdg-output, say).
    if (m_width <= 0 || m_layoutWidth <= 0)
        return false;
    // A quarter turn swaps the mode's sides in the layout: 90° and 270°, flipped or not, are
    // the odd transforms.
    const bool turned = m_transform & WL_OUTPUT_TRANSFORM_90;
    return m_layoutWidth != (turned ? m_height : m_width) || m_layoutHeight != (turned ? m_width : m_height);
}

bool MonitorFacts::anyScaled(const std::vector<MonitorFacts> &monitors)
{
    return std::any_of(monitors.begin(), monitors.end(), [](const MonitorFacts &monitor) { return monitor.scaled(); });
}
