// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QSocketNotifier;
class QTimer;

// The periodic 1 ms tick that drives the letter cycler. Qt's own timers wait in whole
// milliseconds counted from when the previous tick was handled, so a 1 ms QTimer comes
// only about 900 times a second. A kernel interval timer keeps its 1 ms period however
// long a tick takes, and arrives through the event loop like any other event; where the
// kernel has none, a precise QTimer stands in.
class TickTimer : public QObject
{
    Q_OBJECT

public:
    static constexpr int IntervalMs = 1;

    explicit TickTimer(QObject *parent = nullptr);
    ~TickTimer() override;

    void start() { setRunning(true); }
    void stop() { setRunning(false); }
    bool isActive() const;

signals:
    void timeout();

private:
    void setRunning(bool on);
    void drain();

    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QTimer *m_fallback = nullptr;
};
