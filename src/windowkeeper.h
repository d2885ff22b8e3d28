// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QPoint>
#include <QTimer>

#include <optional>

class QMargins;
class QRect;
class QSize;
class QWidget;

// Keeps a fixed-size top-level window as it was made.
//
// It opens whole and centred on a monitor's work area: a window with a parent on the
// monitor that shows the parent, any other on the primary monitor. Wayland leaves placing
// to the compositor, so there it is left alone.
//
// It stays in its normal state: a maximize or fullscreen request, whether from a window
// manager, a compositor or the title bar that Qt draws itself on Wayland, is undone at once,
// since the window has nothing to show in a larger frame; on a minimized window, once the
// user brings it back, so that it is not put on the screen meanwhile.
class WindowKeeper : public QObject
{
    Q_OBJECT

public:
    // Places `window`, which must not be shown yet, and looks after it from then on.
    explicit WindowKeeper(QWidget *window);

    // The top-left corner of a frame of `size` centred in `area`; a frame larger than the
    // area keeps its top-left corner inside it.
    static QPoint centredIn(const QRect &area, const QSize &size);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();
    // Leaves the window where it is if it stands `at` a pixel from its place or nearer.
    void placeWith(const QMargins &frame, std::optional<QPoint> at = std::nullopt);
    void keepNormal();
    void returnToNormal();
    void restoreSize();

    QWidget *m_window = nullptr;
    bool m_shown = false;
    // Runs from showing until the window manager has framed the window, where it did not
    // tell the frame before the window was shown; expired otherwise.
    QDeadlineTimer m_framePending;
    // Set from just before Qt maps the window until just after, where the window manager
    // does not tell the frame before: it is held off meanwhile and asked then to centre the
    // frame. That is the only stretch the X server is held, since another connection of this
    // program (a platform theme's) may wait on it.
    bool m_centreWhenMapped = false;
    // Set while the window takes a compositor's larger size for the one frame that the
    // compositor demands before it takes a request to return to normal.
    bool m_leavingLarger = false;
    // Set from that request until the compositor answers it: the window keeps the larger
    // size until then, since a compositor may end a client that shrinks while it still
    // holds a larger state.
    bool m_awaitingNormal = false;
    // How long the window waits for either answer: a compositor that will not maximize a
    // fixed-size window (GNOME's) answers nothing.
    QTimer m_patience;
};
