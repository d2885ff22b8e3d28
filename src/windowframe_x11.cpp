// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowframe.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QList>
#include <QRect>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace {

// A window manager answers within milliseconds; one that says it answers but does not
// costs this much at most.
constexpr int PatienceMs = 1000;

struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, FreeReply>;

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const ReplyPointer<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, false, std::strlen(name), name), nullptr));
    return reply ? reply->atom : XCB_ATOM_NONE;
}

// The 32-bit values of a window's property; none where the window or the property is missing.
QList<quint32> values(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property, xcb_atom_t type)
{
    const ReplyPointer<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, false, window, property, type, 0, 64), nullptr));
    if (!reply || reply->format != 32 || reply->type != type)
        return {};
    const auto *data = static_cast<const quint32 *>(xcb_get_property_value(reply.get()));
    return QList<quint32>(data, data + xcb_get_property_value_length(reply.get()) / 4);
}

// Whether a window manager runs that says it answers `question`: its check window must
// still exist, or the root window's list is one a window manager left behind.
bool managerAnswers(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t question)
{
    const xcb_atom_t check = atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const QList<quint32> manager = values(connection, root, check, XCB_ATOM_WINDOW);
    if (manager.size() != 1 || values(connection, manager.front(), check, XCB_ATOM_WINDOW) != manager)
        return false;
    return values(connection, root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM).contains(question);
}

// The frame that the window manager has put around `window`, or will, as the window's
// property says; none before the manager has set it.
std::optional<QMargins> extents(xcb_connection_t *connection, QWindow *window)
{
    const QList<quint32> frame = values(connection, static_cast<xcb_window_t>(window->winId()),
                                        atom(connection, "_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL);
    if (frame.size() != 4)
        return std::nullopt;
    // Left, right, top and bottom, in the screen's pixels.
    const qreal ratio = window->devicePixelRatio();
    return QMargins(qRound(frame[0] / ratio), qRound(frame[2] / ratio), qRound(frame[1] / ratio),
                    qRound(frame[3] / ratio));
}

xcb_connection_t *connection()
{
    // Other platforms may offer the interface too, for their own use of an X server.
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return QGuiApplication::platformName() == QLatin1String("xcb") && x11 ? x11->connection() : nullptr;
}

xcb_connection_t *connectionFor(QWindow *window)
{
    return window && window->handle() ? connection() : nullptr;
}

} // namespace

std::optional<QRect> WindowFrame::workArea(const QScreen *screen)
{
    xcb_connection_t *x = connection();
    if (!x || !screen)
        return std::nullopt;
    // The first X screen: desktops have long run one, with all their monitors on it.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    // One area for each of the manager's desktops; the first where it does not say which shows.
    const QList<quint32> areas = values(x, root, atom(x, "_NET_WORKAREA"), XCB_ATOM_CARDINAL);
    const QList<quint32> current = values(x, root, atom(x, "_NET_CURRENT_DESKTOP"), XCB_ATOM_CARDINAL);
    const qsizetype first = current.size() == 1 && areas.size() >= 4 * (qsizetype(current.front()) + 1)
                                ? 4 * qsizetype(current.front())
                                : 0;
    if (areas.size() < first + 4)
        return std::nullopt;
    // The area spans every monitor; this one's part of it. Qt keeps a monitor's corner in the
    // screen's pixels and scales the rest from there.
    const qreal ratio = screen->devicePixelRatio();
    const QPoint corner = screen->geometry().topLeft();
    const QRect monitor(corner, (QSizeF(screen->geometry().size()) * ratio).toSize());
    const QRect area =
        QRect(int(areas[first]), int(areas[first + 1]), int(areas[first + 2]), int(areas[first + 3])) & monitor;
    if (area.isEmpty())
        return std::nullopt;
    return QRectF(QPointF(corner) + QPointF(area.topLeft() - corner) / ratio, QSizeF(area.size()) / ratio).toRect();
}

QMargins WindowFrame::now(QWindow *window)
{
    xcb_connection_t *connection = connectionFor(window);
    return connection ? extents(connection, window).value_or(QMargins()) : QMargins();
}

std::optional<QMargins> WindowFrame::before(QWindow *window)
{
    xcb_connection_t *connection = connectionFor(window);
    if (!connection)
        return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const ReplyPointer<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr));
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    if (!tree || !managerAnswers(connection, tree->root, request))
        return std::nullopt;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, false, tree->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));

    // The answer is a property on the window. Qt's own event loop must not be entered here,
    // so the property is read until it is there.
    const QDeadlineTimer deadline(PatienceMs);
    do {
        if (const std::optional<QMargins> frame = extents(connection, window))
            return frame;
        QThread::msleep(2);
    } while (!deadline.hasExpired());
    return std::nullopt;
}

void WindowFrame::centreWhenFramed(QWindow *window)
{
    xcb_connection_t *connection = connectionFor(window);
    if (!connection)
        return;
    // WM_NORMAL_HINTS, as Qt wrote it: flags, then seventeen fields, the last the gravity.
    // A window's gravity tells which of its points stays put when the manager adds the
    // frame: with the centre, the frame is centred where the window itself was.
    constexpr int Fields = 18;
    constexpr quint32 GravityGiven = 1u << 9;
    const auto id = static_cast<xcb_window_t>(window->winId());
    QList<quint32> hints = values(connection, id, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS);
    hints.resize(Fields);
    hints[0] |= GravityGiven;
    hints[Fields - 1] = XCB_GRAVITY_CENTER;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS,
                        32, Fields, hints.constData());
    xcb_ungrab_server(connection);
    xcb_flush(connection);
}

std::optional<QPoint> WindowFrame::framedAt(QWindow *window)
{
    xcb_connection_t *connection = connectionFor(window);
    if (!connection)
        return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window->winId());
    // The frame: the window's ancestor that is a child of the root.
    xcb_window_t frame = id;
    xcb_window_t root = XCB_WINDOW_NONE;
    for (;;) {
        const ReplyPointer<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection, xcb_query_tree(connection, frame), nullptr));
        if (!tree)
            return std::nullopt;
        root = tree->root;
        if (tree->parent == root)
            break;
        frame = tree->parent;
    }
    const ReplyPointer<xcb_get_geometry_reply_t> own(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr));
    const ReplyPointer<xcb_get_geometry_reply_t> outer(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, frame), nullptr));
    if (frame == id || !own || !outer || outer->width < own->width || outer->height < own->height)
        return std::nullopt;
    const ReplyPointer<xcb_translate_coordinates_reply_t> place(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, id, root, 0, 0), nullptr));
    if (!place)
        return std::nullopt;
    const qreal ratio = window->devicePixelRatio();
    return QPoint(qRound(place->dst_x / ratio), qRound(place->dst_y / ratio));
}

void WindowFrame::holdManager(QWindow *window)
{
    if (xcb_connection_t *connection = connectionFor(window))
        xcb_grab_server(connection);
}
