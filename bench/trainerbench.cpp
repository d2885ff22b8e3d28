// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "a00.h"
#include "applicationtitle.h"
#include "picturebox.h"
#include "signaltable.h"
#include "ticktimer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

// The trainer's window as the program builds it, measured from inside: how many steps the
// cycler really makes per second, and how long a typed letter takes to reach the screen as
// its picture; then, for comparison, how often a bare 1 ms timer ticks. Prints one
// "name: value" line per figure; details go to standard error.
namespace {

constexpr int CyclerMilliseconds = 5000; // in each mode
constexpr int Keys = 1200;

void wait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Reads the cycler every few milliseconds, as often as it cannot go round once between two
// readings, and adds up how far it moved each time.
double cyclerStepsPerSecond(TA0 &window)
{
    QString last = window.cyclerLetter();
    qint64 steps = 0;
    QTimer reader;
    reader.setTimerType(Qt::PreciseTimer);
    QObject::connect(&reader, &QTimer::timeout, [&] {
        const QString now = window.cyclerLetter();
        steps += (now.front().unicode() - last.front().unicode() + 26) % 26;
        last = now;
    });
    QElapsedTimer clock;
    clock.start();
    reader.start(5);
    wait(CyclerMilliseconds);
    reader.stop();
    const QString now = window.cyclerLetter();
    steps += (now.front().unicode() - last.front().unicode() + 26) % 26;
    return steps / (clock.nsecsElapsed() / 1e9);
}

// Types letters on the window, each one changing the picture, at uneven intervals so that
// they fall on every phase of the cycler's timer; times each from the key event being
// posted to the end of the paint of the display that shows the new picture.
class KeyToPaint : public QObject
{
public:
    explicit KeyToPaint(TA0 &window) : m_window(window), m_display(window.findChild<PictureBox *>(QStringLiteral("B2")))
    {
        m_display->installEventFilter(this);
        m_clock.start();
    }

    std::vector<double> run()
    {
        QEventLoop loop;
        m_done = [&loop] { loop.quit(); };
        typeNext();
        loop.exec();
        return m_samples;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (m_waiting && event->type() == QEvent::Paint && m_display->picture() == m_expected) {
            m_waiting = false;
            // Posted, so that it runs once the paint is finished and flushed to the screen.
            QTimer::singleShot(0, this, [this] {
                m_samples.push_back((m_clock.nsecsElapsed() - m_sent) / 1e6);
                if (int(m_samples.size()) == Keys)
                    m_done();
                else
                    QTimer::singleShot(2 + int(m_samples.size() % 8), Qt::PreciseTimer, this, &KeyToPaint::typeNext);
            });
        }
        return false;
    }

private:
    void typeNext()
    {
        const int letter = int(m_samples.size() % 26);
        const QString text(QChar(u'a' + letter));
        const auto *holder = m_window.findChild<PictureBox *>(SignalTable::holderCode(SignalTable::rowOf(text.toUpper())));
        m_expected = holder->picture();
        m_waiting = true;
        m_sent = m_clock.nsecsElapsed();
        QCoreApplication::postEvent(&m_window, new QKeyEvent(QEvent::KeyPress, Qt::Key_A + letter, Qt::NoModifier, text));
    }

    TA0 &m_window;
    PictureBox *m_display;
    QElapsedTimer m_clock;
    std::function<void()> m_done;
    std::vector<double> m_samples;
    QImage m_expected;
    bool m_waiting = false;
    qint64 m_sent = 0;
};

// The same count for a bare 1 ms timer, which shows what Qt's timers manage on this machine.
double bareTimerTicksPerSecond()
{
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    qint64 ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    QElapsedTimer clock;
    clock.start();
    timer.start(1);
    wait(CyclerMilliseconds);
    return ticks / (clock.nsecsElapsed() / 1e9);
}

double percentile(std::vector<double> samples, double share)
{
    std::sort(samples.begin(), samples.end());
    const auto rank = std::size_t(std::ceil(share * double(samples.size())));
    return samples[std::max<std::size_t>(rank, 1) - 1];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(ApplicationTitle);
    TA0 window;
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        wait(10);
    wait(500);

    const double sending = cyclerStepsPerSecond(window);
    window.B5Click();
    const double receiving = cyclerStepsPerSecond(window);
    window.B5Click();
    std::fprintf(stderr, "cycler steps per second: %.1f sending, %.1f receiving\n", sending, receiving);
    std::printf("ticks_per_second: %.0f\n", std::min(sending, receiving));
    std::fflush(stdout);

    const std::vector<double> latencies = KeyToPaint(window).run();
    std::fprintf(stderr, "key to paint over %zu keys: median %.3f ms, p99 %.3f ms, worst %.3f ms\n", latencies.size(),
                 percentile(latencies, 0.5), percentile(latencies, 0.99), percentile(latencies, 1.0));
    std::printf("key_to_paint_ms_p99: %.2f\n", percentile(latencies, 0.99));

    window.findChild<TickTimer *>(QStringLiteral("F5"))->stop();
    std::printf("bare_qt_ticks_per_second: %.0f\n", bareTimerTicksPerSecond());
    return 0;
}
