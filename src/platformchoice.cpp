// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platformchoice.h"

#include "monitorfacts.h"

#include "xdg-output-unstable-v1-client-protocol.h"

#include <QByteArray>
#include <QSize>

#include <wayland-client.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// One monitor's proxies, and what it told.
struct Output
{
    wl_output *output = nullptr;
    zxdg_output_v1 *layout = nullptr;
    MonitorFacts facts;
};

struct Probe
{
    bool decorates = false;
    zxdg_output_manager_v1 *layouts = nullptr;
    std::vector<std::unique_ptr<Output>> outputs;
};

const wl_output_listener outputListener = {
    [](void *data, wl_output *, int32_t, int32_t, int32_t, int32_t, int32_t, const char *, const char *,
       int32_t transform) { static_cast<Output *>(data)->facts.turned(transform); },
    [](void *data, wl_output *, uint32_t flags, int32_t width, int32_t height, int32_t) {
        static_cast<Output *>(data)->facts.mode(flags, width, height);
    },
    [](void *, wl_output *) {},
    [](void *, wl_output *, int32_t) {},
    [](void *, wl_output *, const char *) {},
    [](void *, wl_output *, const char *) {},
};

const zxdg_output_v1_listener layoutListener = {
    [](void *data, zxdg_output_v1 *, int32_t x, int32_t y) { static_cast<Output *>(data)->facts.placed(x, y); },
    [](void *data, zxdg_output_v1 *, int32_t width, int32_t height) {
        static_cast<Output *>(data)->facts.layout(width, height);
    },
    [](void *, zxdg_output_v1 *) {},
    [](void *, zxdg_output_v1 *, const char *) {},
    [](void *, zxdg_output_v1 *, const char *) {},
};

const wl_registry_listener registryListener = {
    [](void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version) {
        auto *probe = static_cast<Probe *>(data);
        if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0) {
            probe->decorates = true;
        } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
            auto output = std::make_unique<Output>();
            output->output = static_cast<wl_output *>(
                wl_registry_bind(registry, name, &wl_output_interface, std::min(version, 2u)));
            wl_output_add_listener(output->output, &outputListener, output.get());
            probe->outputs.push_back(std::move(output));
        } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0) {
            probe->layouts = static_cast<zxdg_output_manager_v1 *>(
                wl_registry_bind(registry, name, &zxdg_output_manager_v1_interface, 1));
        }
    },
    [](void *, wl_registry *, uint32_t) {},
};

// The size of the X server's first screen; empty where none answers.
QSize xScreenSize()
{
    int number = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &number);
    QSize size;
    if (!xcb_connection_has_error(connection)) {
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
        for (; screens.rem && number > 0; --number)
            xcb_screen_next(&screens);
        if (screens.rem)
            size = QSize(screens.data->width_in_pixels, screens.data->height_in_pixels);
    }
    xcb_disconnect(connection);
    return size;
}

// Asks the compositor, and where it leaves title bars to the program, the X server beside it;
// false where no compositor answers.
bool askCompositor(DesktopFacts &facts)
{
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return false;
    Probe probe;
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &probe);
    bool answered = wl_display_roundtrip(display) >= 0;
    if (answered && probe.layouts) {
        for (const auto &output : probe.outputs) {
            output->layout = zxdg_output_manager_v1_get_xdg_output(probe.layouts, output->output);
            zxdg_output_v1_add_listener(output->layout, &layoutListener, output.get());
        }
    }
    // Brings the monitors' modes, and their layouts where asked for.
    answered = answered && wl_display_roundtrip(display) >= 0;
    facts.wayland = answered;
    facts.compositorDecorates = probe.decorates;
    std::vector<MonitorFacts> monitors;
    for (const auto &output : probe.outputs) {
        monitors.push_back(output->facts);
        if (output->layout)
            zxdg_output_v1_destroy(output->layout);
        wl_output_destroy(output->output);
    }
    // Only where Xwayland is in question: asking an X server costs a connection.
    if (answered && !facts.compositorDecorates && facts.xServer)
        facts.xWindowsScaled = MonitorFacts::xWindowsScaled(monitors, xScreenSize());
    if (probe.layouts)
        zxdg_output_manager_v1_destroy(probe.layouts);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return answered;
}

} // namespace

const char *platformFor(const DesktopFacts &facts)
{
    if (facts.userChosePlatform || !facts.wayland)
        return nullptr;
    if (facts.compositorDecorates || !facts.xServer || facts.xWindowsScaled)
        return "wayland;xcb";
    return "xcb;wayland";
}

void choosePlatform()
{
    DesktopFacts facts;
    facts.userChosePlatform = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    facts.xServer = !qEnvironmentVariableIsEmpty("DISPLAY");
    // A socket handed over by the compositor can be used once only, and that use is Qt's.
    if (!facts.userChosePlatform && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_SOCKET"))
        askCompositor(facts);
    if (const char *platform = platformFor(facts))
        qputenv("QT_QPA_PLATFORM", QByteArray(platform));
}
