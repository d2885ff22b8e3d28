// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <vector>

class QSize;

// What a Wayland compositor tells of one monitor: the mode it runs in, in device pixels,
// how it is turned, and the place and size it takes in the compositor's layout. The mode
// over the size in the layout is the monitor's scale.
class MonitorFacts
{
public:
    // A wl_output mode event; a monitor lists every mode it can run in, only one current.
    void mode(uint32_t flags, int32_t width, int32_t height);
    // A wl_output geometry event's transform.
    void turned(int32_t transform);
    // An xdg-output logical position and size.
    void placed(int32_t x, int32_t y);
    void layout(int32_t width, int32_t height);

    // Whether the compositor stretches or shrinks X11 windows on some monitor. Xwayland's
    // screen spans the layout at one scale: 1 where it works in the layout's own units, more
    // where it draws in device pixels (mutter 48 at 200 %). On a monitor of another scale an
    // X11 window is resized as it is shown, and blurred. An empty `xScreen` counts as
    // the layout's own size.
    static bool xWindowsScaled(const std::vector<MonitorFacts> &monitors, const QSize &xScreen);

private:
    bool told() const;
    int32_t deviceWidth() const;
    int32_t deviceHeight() const;

    int32_t m_transform = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_layoutX = 0;
    int32_t m_layoutY = 0;
    int32_t m_layoutWidth = 0;
    int32_t m_layoutHeight = 0;
};
