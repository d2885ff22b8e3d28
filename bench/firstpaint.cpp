// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#endif

// Linked into a program, this ends it once its first window has been painted and shown,
// printing the wall-clock time of that moment in microseconds since the epoch: the caller,
// which noted the time before starting the program, takes the difference. Under callgrind,
// counting stops there too, so that the count is of the instructions to the first paint.
namespace {

class FirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow()) {
            qApp->removeEventFilter(this);
            // Posted, so that it runs after the whole window is painted and handed to the screen.
            QTimer::singleShot(0, [] {
                CALLGRIND_TOGGLE_COLLECT;
                timespec now{};
                clock_gettime(CLOCK_REALTIME, &now);
                std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }
};

void watchForFirstPaint()
{
    qApp->installEventFilter(new FirstPaint(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForFirstPaint)
