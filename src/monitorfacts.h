// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <vector>

// What a Wayland compositor tells of one monitor: the mode it runs in, in device pixels,
// how it is turned, and the size it takes in the compositor's layout. Where those differ,
// the compositor scales everything shown there.
class MonitorFacts
{
public:
    // A wl_output mode event; a monitor lists every mode it can run in, only one current.
    void mode(uint32_t flags, int32_t width, int32_t height);
    // A wl_output geometry event's transform.
    void turned(int32_t transform);
    // An xdg-output logical size.
    void layout(int32_t width, int32_t height);

    bool scaled() const;

    // Whether any of the monitors is scaled.
    static bool anyScaled(const std::vector<MonitorFacts> &monitors);

private:
    int32_t m_transform = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_layoutWidth = 0;
    int32_t m_layoutHeight = 0;
};
