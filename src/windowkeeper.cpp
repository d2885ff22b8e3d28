// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowkeeper.h"

#include "windowframe.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr Qt::WindowStates LargerStates = Qt::WindowMaximized | Qt::WindowFullScreen;
// How long a Wayland window waits for the compositor to answer a change of state; far
// longer than an answer takes even on a busy machine.
constexpr int CompositorPatience = 3000;
// How long a window waits for an X11 window manager that frames it without saying so before.
constexpr int FramePatience = 1000;

bool placedByCompositor()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// The work area of the monitor that shows the window's parent, or of the primary monitor.
QRect workAreaFor(const QWidget *window)
{
    const QWidget *parent = window->parentWidget();
    const QScreen *screen = parent ? parent->window()->screen() : QGuiApplication::primaryScreen();
    return screen ? WindowFrame::workArea(screen).value_or(screen->availableGeometry()) : QRect();
}

} // namespace

WindowKeeper::WindowKeeper(QWidget *window)
    : QObject(window),
      m_window(window)
{
    m_patience.setSingleShot(true);
    m_patience.setInterval(CompositorPatience);
    connect(&m_patience, &QTimer::timeout, this, [this] {
        if (m_leavingLarger) {
            m_leavingLarger = false;
            returnToNormal();
        } else {
            restoreSize();
        }
    });
    // Placed before the native window exists, so that its position is the frame's.
    place();
    window->installEventFilter(this);
}

QPoint WindowKeeper::centredIn(const QRect &area, const QSize &size)
{
    const QPoint centred = area.topLeft()
                           + QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2);
    return {std::max(area.left(), centred.x()), std::max(area.top(), centred.y())};
}

bool WindowKeeper::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window->windowHandle() && event->type() == QEvent::Expose && !m_framePending.hasExpired()) {
        // Until the window manager has framed the window; past a second there is no frame
        // to wait for, and a window moved since must stay where it was put.
        const QMargins frame = WindowFrame::now(m_window->windowHandle());
        const std::optional<QPoint> at = WindowFrame::framedAt(m_window->windowHandle());
        if (!frame.isNull() && at) {
            m_framePending = QDeadlineTimer();
            placeWith(frame, at);
        }
        return false;
    }
    if (watched != m_window)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Paint && m_leavingLarger
        && (m_window->size() != m_window->maximumSize() || !(m_window->windowState() & Qt::WindowMaximized))) {
        // Queued, so that the frame painted now reaches the compositor first.
        m_leavingLarger = false;
        QMetaObject::invokeMethod(this, &WindowKeeper::returnToNormal, Qt::QueuedConnection);
    } else if (event->type() == QEvent::Resize && m_awaitingNormal) {
        // The compositor's answer has been taken: the window may have its own size again.
        QMetaObject::invokeMethod(this, &WindowKeeper::restoreSize, Qt::QueuedConnection);
    } else if (event->type() == QEvent::ShowToParent && m_centreWhenMapped) {
        // Qt has mapped the window, and nothing else has run since.
        m_centreWhenMapped = false;
        WindowFrame::centreWhenFramed(m_window->windowHandle());
    } else if (event->type() == QEvent::Show && !m_shown) {
        m_shown = true;
        // The native window exists now but is not on screen: ask for the frame it will get.
        place();
        m_window->windowHandle()->installEventFilter(this);
        connect(m_window->windowHandle(), &QWindow::windowStateChanged, this, &WindowKeeper::keepNormal);
    }
    return QObject::eventFilter(watched, event);
}

void WindowKeeper::place()
{
    // Qt learns the frame only once the window is on screen; most X11 window managers tell
    // it before, when asked. One that answers it cannot tell yet (mutter 48 and later)
    // places the window only once it has framed it, so it is asked to centre the frame on
    // the window, after Qt has mapped it. One that does not answer (KWin) frames the window
    // the moment it is mapped, and once the frame is known, as the window is first exposed,
    // the window is placed once more should the manager not have centred it (Window Maker
    // frames a new window where the window was, whatever its gravity). Either is held off
    // until it has been asked: mutter 50 frames the window before the question comes now and
    // then.
    const std::optional<QMargins> frame = m_shown ? WindowFrame::before(m_window->windowHandle()) : std::nullopt;
    if (m_shown && !frame)
        m_framePending.setRemainingTime(FramePatience);
    m_centreWhenMapped = m_shown && (!frame || frame->isNull());
    if (m_centreWhenMapped)
        WindowFrame::holdManager(m_window->windowHandle());
    placeWith(frame.value_or(QMargins()));
}

void WindowKeeper::placeWith(const QMargins &frame, std::optional<QPoint> at)
{
    if (placedByCompositor())
        return;
    const QRect area = workAreaFor(m_window);
    if (area.isEmpty())
        return;
    if (frame.isNull()) {
        m_window->move(centredIn(area, m_window->frameGeometry().size()));
    } else {
        const QPoint corner = centredIn(area, m_window->size().grownBy(frame));
        const QPoint place = corner + QPoint(frame.left(), frame.top());
        // A manager that centred the frame itself may have rounded half a title bar the other
        // way: a move of a pixel would only be seen as a jump.
        if (at && std::abs(place.x() - at->x()) <= 1 && std::abs(place.y() - at->y()) <= 1)
            return;
        // Set even where the corner is the same: a position set before the frame was known
        // counts the frame in.
        m_window->setGeometry(QRect(place, m_window->size()));
    }
}

void WindowKeeper::keepNormal()
{
    QWindow *handle = m_window->windowHandle();
    if (!(handle->windowStates() & LargerStates)) {
        if (!m_awaitingNormal)
            restoreSize();
        return;
    }
    // A minimized window stays off the screen: Qt on X11 would map it to change its state. Once
    // it is shown again, the state is undone then.
    if (handle->windowStates() & Qt::WindowMinimized)
        return;
    if (!placedByCompositor()) {
        returnToNormal();
        return;
    }
    // A Wayland compositor applies a state with the window's next frame, and until then it
    // takes no request to return to normal: KWin then keeps the window fullscreen, and
    // weston ends a client that does otherwise. A maximized frame must fill the size that
    // the compositor sent, so the window may grow for that one frame; a fullscreen one
    // may stay smaller, and the compositor centres it.
    if (handle->windowStates() & Qt::WindowMaximized)
        handle->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    m_window->update();
    m_leavingLarger = true;
    m_awaitingNormal = false;
    m_patience.start();
}

void WindowKeeper::returnToNormal()
{
    QWindow *handle = m_window->windowHandle();
    if (placedByCompositor() && handle->maximumSize() != m_window->maximumSize()) {
        // Qt 6.8 (Debian 13) shrinks a window to a lowered maximum size at once, before the
        // compositor has taken the request below, and weston ends a client that does; Qt 6.4
        // waited for the compositor. So the limit comes back with the compositor's answer.
        m_awaitingNormal = true;
        m_patience.start();
    }
    // Minimized stays: it hides the window without changing its size.
    handle->setWindowStates(handle->windowStates() & ~LargerStates);
    if (!m_awaitingNormal)
        restoreSize();
}

void WindowKeeper::restoreSize()
{
    m_awaitingNormal = false;
    m_patience.stop();
    QWindow *handle = m_window->windowHandle();
    if (!(handle->windowStates() & LargerStates) && handle->maximumSize() != m_window->maximumSize())
        handle->setMaximumSize(m_window->maximumSize());
    // A Wayland compositor applies the normal state it has sent with the window's next
    // frame, and shows the old one, larger or without a title bar, until that comes.
    if (placedByCompositor())
        m_window->update();
}
