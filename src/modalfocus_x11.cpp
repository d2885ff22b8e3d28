// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "modalfocus.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

// Qt takes the pointer through the X Input extension, version 2: its button events come as
// generic events of that extension, laid out as here up to the window they are for.
struct InputDeviceEvent
{
    uint8_t responseType;
    uint8_t extension;
    uint16_t sequence;
    uint32_t length;
    uint16_t eventType;
    uint16_t deviceId;
    uint32_t time;
    uint32_t detail;
    xcb_window_t root;
    xcb_window_t event;
};
constexpr uint16_t InputButtonRelease = 5;

class ClickWatcher : public QAbstractNativeEventFilter
{
public:
    explicit ClickWatcher(xcb_connection_t *connection)
        : m_connection(connection)
    {
        const char input[] = "XInputExtension";
        xcb_query_extension_reply_t *extension = xcb_query_extension_reply(
            connection, xcb_query_extension(connection, std::strlen(input), input), nullptr);
        if (extension && extension->present)
            m_input = extension->major_opcode;
        std::free(extension);
        const char active[] = "_NET_ACTIVE_WINDOW";
        xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, false, std::strlen(active), active), nullptr);
        if (atom)
            m_activeWindow = atom->atom;
        std::free(atom);
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const InputDeviceEvent *>(message);
        if ((event->responseType & 0x7f) != XCB_GE_GENERIC || event->extension != m_input
            || event->eventType != InputButtonRelease)
            return false;
        const QWindow *modal = QGuiApplication::modalWindow();
        if (!modal || !modal->isExposed() || event->event == modal->winId())
            return false;
        // The request names the clicked window as the active one and the click's time,
        // which is what a window manager that guards against stolen focus looks at.
        xcb_client_message_event_t request{};
        request.response_type = XCB_CLIENT_MESSAGE;
        request.format = 32;
        request.window = static_cast<xcb_window_t>(modal->winId());
        request.type = m_activeWindow;
        // Sent as a user action, which it is: KWin refuses a request marked as an
        // application's own, even with the click's time.
        request.data.data32[0] = 2;
        request.data.data32[1] = event->time;
        request.data.data32[2] = event->event;
        xcb_send_event(m_connection, false, event->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char *>(&request));
        xcb_flush(m_connection);
        return false;
    }

private:
    xcb_connection_t *m_connection = nullptr;
    xcb_atom_t m_activeWindow = XCB_ATOM_NONE;
    int m_input = -1;
};

} // namespace

void returnFocusToModalOnClicks()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() == QLatin1String("xcb") && x11 && x11->connection()) {
        static ClickWatcher watcher(x11->connection());
        qGuiApp->installNativeEventFilter(&watcher);
        return;
    }
    // A Wayland compositor that is not told a window is modal (KWin, mutter) gives the
    // clicked window the keyboard, and Qt reports that window focused.
    QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, qGuiApp, [](QWindow *focused) {
        QWindow *modal = QGuiApplication::modalWindow();
        if (focused && modal && focused != modal)
            modal->requestActivate();
    });
}
