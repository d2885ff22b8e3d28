// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ticktimer.h"

#include <cstdint>
#include <utility>

#if __has_include(<sys/timerfd.h>)
#include <sys/timerfd.h>
#include <unistd.h>
#define VLAJKOR_HAVE_TIMERFD 1
#endif

TickTimer::TickTimer(QObject *parent) : QObject(parent)
{
#ifdef VLAJKOR_HAVE_TIMERFD
    m_fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
#endif
}

TickTimer::~TickTimer()
{
#ifdef VLAJKOR_HAVE_TIMERFD
    if (m_fd >= 0)
        close(m_fd);
#endif
}

void TickTimer::start()
{
    m_active = true;
    m_started = Clock::now();
    m_taken = 0;
#ifdef VLAJKOR_HAVE_TIMERFD
    if (m_fd >= 0) {
        itimerspec setting{};
        setting.it_interval.tv_nsec = setting.it_value.tv_nsec = IntervalMs * 1'000'000L;
        timerfd_settime(m_fd, 0, &setting, nullptr);
    }
#endif
}

void TickTimer::stop()
{
    m_active = false;
    m_added = 0;
#ifdef VLAJKOR_HAVE_TIMERFD
    if (m_fd >= 0) {
        const itimerspec disarmed{};
        timerfd_settime(m_fd, 0, &disarmed, nullptr);
    }
#endif
}

quint64 TickTimer::takeTicks()
{
    return std::exchange(m_added, 0) + takeEndedTicks();
}

quint64 TickTimer::takeEndedTicks()
{
    if (!m_active)
        return 0;
#ifdef VLAJKOR_HAVE_TIMERFD
    if (m_fd >= 0) {
        // The kernel re-arms a periodic timerfd only when it is read, so an unread one
        // costs nothing; the read returns every period that ended since, or fails with
        // EAGAIN when none has.
        std::uint64_t expirations = 0;
        return read(m_fd, &expirations, sizeof expirations) == sizeof expirations ? expirations : 0;
    }
#endif
    const auto ended = quint64(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_started).count())
                       / IntervalMs;
    const quint64 fresh = ended - m_taken;
    m_taken = ended;
    return fresh;
}
