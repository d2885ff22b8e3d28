// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ticktimer.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cstdint>

#include <sys/timerfd.h>
#include <unistd.h>

TickTimer::TickTimer(QObject *parent)
    : QObject(parent), m_fd(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC))
{
    if (m_fd >= 0) {
        m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
        m_notifier->setEnabled(false);
        connect(m_notifier, &QSocketNotifier::activated, this, &TickTimer::drain);
    } else {
        m_fallback = new QTimer(this);
        m_fallback->setTimerType(Qt::PreciseTimer);
        m_fallback->setInterval(IntervalMs);
        connect(m_fallback, &QTimer::timeout, this, &TickTimer::timeout);
    }
}

TickTimer::~TickTimer()
{
    if (m_fd >= 0) {
        delete m_notifier;
        close(m_fd);
    }
}

bool TickTimer::isActive() const
{
    return m_fallback ? m_fallback->isActive() : m_notifier->isEnabled();
}

void TickTimer::setRunning(bool on)
{
    if (m_fallback) {
        if (on)
            m_fallback->start();
        else
            m_fallback->stop();
        return;
    }
    constexpr long period = IntervalMs * 1'000'000L;
    itimerspec setting{};
    if (on)
        setting.it_interval.tv_nsec = setting.it_value.tv_nsec = period;
    timerfd_settime(m_fd, 0, &setting, nullptr);
    m_notifier->setEnabled(on);
}

void TickTimer::drain()
{
    // Periods that passed while the program was busy are not made up for: one wake, one tick.
    std::uint64_t expirations = 0;
    if (read(m_fd, &expirations, sizeof expirations) == sizeof expirations)
        emit timeout();
}
