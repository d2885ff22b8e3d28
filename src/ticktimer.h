// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <chrono>

// The periodic 1 ms tick that drives the letter cycler.
//
// The cycler's letter is only ever looked at when Start is clicked or a right answer takes
// the next letter, so its ticks are counted rather than delivered. A kernel interval timer
// (timerfd) counts its expirations without waking anybody; the window takes the count when
// it reads the cycler and steps it on by as many ticks. Delivered ticks would wake the
// processor a thousand times a second for as long as the window is open, keeping a laptop
// out of its deep sleep, and the periods that pass while the event loop is busy would be
// lost. Counted, none is lost: not during a handler, a message box or while minimised.
// Where the kernel offers no timerfd, a monotonic clock read in whole milliseconds counts
// the same periods.
class TickTimer : public QObject
{
    Q_OBJECT

public:
    static constexpr int IntervalMs = 1;

    explicit TickTimer(QObject *parent = nullptr);
    ~TickTimer() override;

    // The first tick ends one interval after start().
    void start();
    // Stopping forgets the ticks not yet taken.
    void stop();
    bool isActive() const { return m_active; }

    // The ticks that have ended since the last call, or since start(), with those added by
    // hand; when stopped, only those.
    quint64 takeTicks();
    // Counts `ticks` more as ended, running or not: with the timer stopped, a test knows
    // exactly how far the cycler has to catch up when it is next read.
    void addTicks(quint64 ticks) { m_added += ticks; }

private:
    // The periods that have ended since the last call, or since start(); 0 when stopped.
    quint64 takeEndedTicks();

    using Clock = std::chrono::steady_clock;

    int m_fd = -1;
    bool m_active = false;
    // The clock fallback's count: when it started and how many ticks it has handed out.
    Clock::time_point m_started;
    quint64 m_taken = 0;
    quint64 m_added = 0; // by addTicks(), not yet taken
};
