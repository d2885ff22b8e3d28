// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowfixture.h"

#include "ticktimer.h"

#include <QElapsedTimer>

#include <limits>

// Receiving: the cycler picks the letters, the learner types them, the score follows.
// The cycler's timer is stopped and stepped by hand so every round is reproducible.
class ReceivingTest : public QObject
{
    Q_OBJECT

private slots:
    void cyclerSteps_data();
    void cyclerSteps();
    void aRoundOfReceiving();
    void everyOtherCharacterIsWrong_data();
    void everyOtherCharacterIsWrong();
    void keystrokeFinishesAfterTheBoxCloses();
    void timerCountsWhileTheBoxIsOpen();

private:
    // Stops the timer and steps the cycler on to `letter`; it may have ticked any number
    // of times while the window was being shown.
    static void stopCyclerAt(const WindowFixture &f, const QString &letter)
    {
        f.window->findChild<TickTimer *>(QStringLiteral("F5"))->stop();
        while (f.window->cyclerLetter() != letter)
            f.window->F5Timer();
    }
    static void tick(const WindowFixture &f) { f.window->F5Timer(); }
    static bool shows(const WindowFixture &f, const QString &letter)
    {
        return f.displayPicture() == f.holderPicture(letter);
    }
};

void ReceivingTest::cyclerSteps_data()
{
    // The ticks counted between two readings of the cycler, one gap per reading, and who
    // reads it: a look at it (empty), a click on Start (after Stop) or a right answer.
    // Each must first catch up with the ticks counted, or the next letter is predictable.
    QTest::addColumn<QList<quint64>>("gaps");
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QString>("letter");
    QTest::newRow("one") << QList<quint64>{1} << "" << "B";
    QTest::newRow("to Z") << QList<quint64>{25} << "" << "Z";
    QTest::newRow("wraps to A") << QList<quint64>{26} << "" << "A";
    QTest::newRow("after the wrap") << QList<quint64>{27} << "" << "B";
    QTest::newRow("tick by tick, two rounds") << QList<quint64>(52, 1) << "" << "A";
    QTest::newRow("in pieces") << QList<quint64>{13, 13, 5} << "" << "F";
    // Catching up after a long idle takes a few steps, not one per tick.
    QTest::newRow("an hour idle") << QList<quint64>{3'600'000} << "" << "O";
    QTest::newRow("a year idle, then one") << QList<quint64>{31'536'000'000, 1} << "" << "Z";
    QTest::newRow("the counter's limit") << QList<quint64>{std::numeric_limits<quint64>::max()} << "" << "P";
    QTest::newRow("Start") << QList<quint64>{3, 27} << "Start" << "E";
    QTest::newRow("right answers") << QList<quint64>{5, 1, 26} << "answer" << "G";
}

void ReceivingTest::cyclerSteps()
{
    QFETCH(QList<quint64>, gaps);
    QFETCH(QString, reader);
    QFETCH(QString, letter);
    WindowFixture f;
    QVERIFY(f.ready);
    stopCyclerAt(f, QStringLiteral("A"));
    if (reader == u"answer")
        f.click("B5");
    quint64 total = 0;
    for (const quint64 gap : gaps) {
        f.window->findChild<TickTimer *>(QStringLiteral("F5"))->addTicks(gap);
        total = (total + gap % 26) % 26;
        const QString expected(QChar(u'A' + int(total)));
        if (reader == u"Start") {
            if (f.control<QPushButton>("B5")->text() == TA0::StopCaption)
                f.click("B5");
            f.click("B5");
        } else if (reader == u"answer") {
            f.type(f.window->letterToGuess());
        }
        if (!reader.isEmpty()) {
            QCOMPARE(f.window->letterToGuess(), expected);
            QVERIFY(shows(f, expected));
        }
        // No tick lost or added, and no value outside "A" to "Z" ever seen.
        QCOMPARE(f.window->cyclerLetter(), expected);
    }
    QCOMPARE(f.window->cyclerLetter(), letter);
}

void ReceivingTest::aRoundOfReceiving()
{
    WindowFixture f;
    QVERIFY(f.ready);
    stopCyclerAt(f, QStringLiteral("C"));

    f.click("B5");
    QCOMPARE(f.control<QPushButton>("B5")->text(), QStringLiteral("Stop"));
    QVERIFY(!f.control("B3")->isVisible());
    QVERIFY(f.control("B4")->isVisible());
    QCOMPARE(QApplication::focusWidget(), f.window.get());
    QCOMPARE(f.window->letterToGuess(), QStringLiteral("C"));
    QVERIFY(shows(f, "C"));

    // Right answers, the same letter twice: the cycler has not moved, so "C" comes again.
    f.type(QStringLiteral("c"));
    f.type(QStringLiteral("C"));
    QCOMPARE(f.scores(), (QStringList{"2", "0", "2", "2", "100 %"}));
    QVERIFY(shows(f, "C"));

    // A wrong answer: the message first, the penalty only once it is closed, the picture stays.
    tick(f);
    QStringList whileOpen;
    const auto message = answerMessageBox(Qt::Key_Return, [&] { whileOpen = f.scores(); });
    f.type(QStringLiteral("x"));
    QCOMPARE(*message, TA0::WrongAnswer);
    QCOMPARE(whileOpen, (QStringList{"2", "0", "2", "2", "100 %"}));
    QCOMPARE(f.scores(), (QStringList{"2", "1", "1", "3", "66 %"}));
    QCOMPARE(f.window->letterToGuess(), QStringLiteral("C"));
    QVERIFY(shows(f, "C"));

    f.type(QStringLiteral("c"));
    QCOMPARE(f.window->letterToGuess(), QStringLiteral("D"));
    QVERIFY(shows(f, "D"));

    // Stop: the rest picture, sending again, counters kept.
    f.click("B5");
    QCOMPARE(f.control<QPushButton>("B5")->text(), QStringLiteral("Start"));
    QVERIFY(f.control("B3")->isVisible());
    QVERIFY(!f.control("B4")->isVisible());
    QVERIFY(shows(f, " "));
    QCOMPARE(f.text("F6"), QStringLiteral(" "));
    f.type(QStringLiteral("qe"));
    QVERIFY(shows(f, "E"));
    const QStringList kept{"3", "1", "2", "4", "75 %"};
    QCOMPARE(f.scores(), kept);

    f.click("B5");
    QCOMPARE(f.scores(), kept);
    QCOMPARE(f.window->letterToGuess(), f.window->cyclerLetter());
}

void ReceivingTest::everyOtherCharacterIsWrong_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("closingKey");
    QTest::newRow("space") << " " << int(Qt::Key_Return);
    QTest::newRow("digit") << "1" << int(Qt::Key_Escape);
    QTest::newRow("diacritic") << "č" << int(Qt::Key_Return);
    QTest::newRow("next letter") << "b" << int(Qt::Key_Return);
    QTest::newRow("enter") << "\r" << int(Qt::Key_Enter);
    QTest::newRow("escape") << "\x1b" << int(Qt::Key_Escape);
    QTest::newRow("backspace") << "\b" << int(Qt::Key_Return);
}

void ReceivingTest::everyOtherCharacterIsWrong()
{
    QFETCH(QString, typed);
    QFETCH(int, closingKey);
    WindowFixture f;
    QVERIFY(f.ready);
    stopCyclerAt(f, QStringLiteral("A"));
    f.click("B5");
    QCOMPARE(f.window->letterToGuess(), QStringLiteral("A"));
    const auto message = answerMessageBox(Qt::Key(closingKey));
    f.type(typed);
    QCOMPARE(*message, TA0::WrongAnswer);
    QCOMPARE(f.scores(), (QStringList{"0", "1", "-1", "1", "0 %"}));
    QCOMPARE(f.window->letterToGuess(), QStringLiteral("A"));
}

void ReceivingTest::keystrokeFinishesAfterTheBoxCloses()
{
    WindowFixture f;
    QVERIFY(f.ready);
    stopCyclerAt(f, QStringLiteral("A"));
    f.click("B5");
    QString progressWhileOpen = QStringLiteral("unset");
    answerMessageBox(Qt::Key_Return, [&] { progressWhileOpen = f.window->unlockProgress(); });
    f.type(QStringLiteral("Z"));
    QCOMPARE(progressWhileOpen, QString());
    QCOMPARE(f.window->unlockProgress(), QStringLiteral("Z"));
}

void ReceivingTest::timerCountsWhileTheBoxIsOpen()
{
    WindowFixture f;
    QVERIFY(f.ready);
    f.click("B5");
    auto *timer = f.window->findChild<TickTimer *>(QStringLiteral("F5"));
    QElapsedTimer clock;
    qint64 drainedBy = 0, takenFrom = 0, takenBy = 0;
    quint64 counted = 0;
    answerMessageBox(Qt::Key_Return, [&] {
        clock.start();
        timer->takeTicks();
        drainedBy = clock.nsecsElapsed();
        QEventLoop wait;
        QTimer::singleShot(50, &wait, &QEventLoop::quit);
        wait.exec();
        takenFrom = clock.nsecsElapsed();
        counted = timer->takeTicks();
        takenBy = clock.nsecsElapsed();
    });
    f.type(QStringLiteral("5"));
    // Exactly one tick per millisecond, whenever the two readings fell inside their windows.
    const qint64 fewest = (takenFrom - drainedBy) / 1'000'000 - 1;
    const qint64 most = takenBy / 1'000'000 + 1;
    QVERIFY2(qint64(counted) >= fewest && qint64(counted) <= most,
             qPrintable(QStringLiteral("%1 ticks, expected %2 to %3").arg(counted).arg(fewest).arg(most)));
}

QTEST_MAIN(ReceivingTest)
#include "tst_receiving.moc"
