// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowfixture.h"

#include "scoreboard.h"
#include "unlockrecogniser.h"

#include <limits>

// The score board's arithmetic, its plus and minus labels, and the hidden sequence that shows them.
class ScoringTest : public QObject
{
    Q_OBJECT

private slots:
    void fields_data();
    void fields();
    void countersStopAtTheirLimits();
    void adjustLabels_data();
    void adjustLabels();
    void recogniser_data();
    void recogniser();
    void hiddenModeShowsAndHidesTogether();
};

void ScoringTest::fields_data()
{
    QTest::addColumn<int>("gained");
    QTest::addColumn<int>("penalty");
    QTest::addColumn<QStringList>("expected");

    constexpr int max = std::numeric_limits<std::int32_t>::max();
    QTest::newRow("no attempts") << 0 << 0 << QStringList{"0", "0", "0", "0", "- - %"};
    QTest::newRow("2 of 3 truncates") << 2 << 1 << QStringList{"2", "1", "1", "3", "66 %"};
    QTest::newRow("1 of 1") << 1 << 0 << QStringList{"1", "0", "1", "1", "100 %"};
    QTest::newRow("0 of 4") << 0 << 4 << QStringList{"0", "4", "-4", "4", "0 %"};
    QTest::newRow("negative total") << 1 << 3 << QStringList{"1", "3", "-2", "4", "25 %"};
    QTest::newRow("1 of 3 truncates") << 1 << 2 << QStringList{"1", "2", "-1", "3", "33 %"};
    QTest::newRow("rate product beyond 32 bits") << 30000000 << 1 << QStringList{"30000000", "1", "29999999", "30000001", "99 %"};
    QTest::newRow("both at the limit") << max << max
                                       << QStringList{"2147483647", "2147483647", "0", "4294967294", "50 %"};
    QTest::newRow("penalty at the limit") << 0 << max << QStringList{"0", "2147483647", "-2147483647", "2147483647", "0 %"};
}

void ScoringTest::fields()
{
    QFETCH(int, gained);
    QFETCH(int, penalty);
    QFETCH(QStringList, expected);
    const ScoreBoard::Fields shown = ScoreBoard(gained, penalty).fields();
    QCOMPARE((QStringList{shown.gained, shown.penalty, shown.total, shown.attempts, shown.rate}), expected);
}

void ScoringTest::countersStopAtTheirLimits()
{
    constexpr int max = std::numeric_limits<std::int32_t>::max();
    ScoreBoard score(max, max);
    score.addGained();
    score.addPenalty();
    QCOMPARE(score.gainedPoints(), max);
    QCOMPARE(score.penaltyPoints(), max);

    ScoreBoard empty;
    empty.removeGained();
    empty.removePenalty();
    QCOMPARE(empty.gainedPoints(), 0);
    QCOMPARE(empty.penaltyPoints(), 0);
}

void ScoringTest::adjustLabels_data()
{
    QTest::addColumn<QStringList>("clicks"); // "F8" a click, "F8*2" a double click
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("minus at zero refreshes") << QStringList{"F7"} << QStringList{"0", "0", "0", "0", "- - %"};
    QTest::newRow("penalty minus at zero") << QStringList{"F9"} << QStringList{"0", "0", "0", "0", "- - %"};
    QTest::newRow("one penalty") << QStringList{"G0"} << QStringList{"0", "1", "-1", "1", "0 %"};
    QTest::newRow("gained plus and minus") << QStringList{"F8", "F8", "F7"} << QStringList{"1", "0", "1", "1", "100 %"};
    QTest::newRow("minus stops at zero") << QStringList{"G0", "F9", "F9"} << QStringList{"0", "0", "0", "0", "- - %"};
    QTest::newRow("double click counts once") << QStringList{"F8*2"} << QStringList{"1", "0", "1", "1", "100 %"};
    QTest::newRow("two of three") << QStringList{"F8", "G0", "F8"} << QStringList{"2", "1", "1", "3", "66 %"};
}

void ScoringTest::adjustLabels()
{
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, expected);

    WindowFixture f;
    QVERIFY(f.ready);
    f.showHiddenControls();
    for (const QString &click : clicks) {
        const QByteArray code = click.left(2).toLatin1();
        if (click.endsWith(u"*2"))
            f.doubleClick(code.constData());
        else
            f.click(code.constData());
    }
    QCOMPARE(f.scores(), expected);
}

void ScoringTest::recogniser_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<int>("toggles");
    QTest::addColumn<QString>("progress");

    const QString confirm(QChar(UnlockRecogniser::ConfirmingKey));
    const auto keys = [](const QString &typed) {
        QStringList list;
        for (const QChar c : typed)
            list << QString(c);
        return list;
    };
    QTest::newRow("whole sequence") << keys("Zobilu" + confirm) << 1 << "";
    QTest::newRow("twice") << keys("Zobilu" + confirm + "Zobilu" + confirm) << 2 << "";
    QTest::newRow("first letter twice") << keys("ZZobilu" + confirm) << 1 << "";
    QTest::newRow("lower-case first letter") << keys("zobilu" + confirm) << 0 << "";
    QTest::newRow("word then a wrong key") << keys("Zobiluk") << 0 << "";
    QTest::newRow("word then the first letter") << keys("ZobiluZ") << 0 << "Z";
    QTest::newRow("upper-case confirming key") << keys("Zobilu" + confirm.toUpper()) << 0 << "";
    QTest::newRow("broken then restarted") << keys("ZobZobilu" + confirm) << 1 << "";
    QTest::newRow("partial") << keys("Zobi") << 0 << "Zobi";
    QTest::newRow("confirming key alone") << keys(confirm) << 0 << "";
    QTest::newRow("whole word") << keys("Zobilu") << 0 << "Zobilu";
    QTest::newRow("a key of two units") << (QStringList{"Z", "\U0001D400"}) << 0 << "";
}

void ScoringTest::recogniser()
{
    QFETCH(QStringList, keys);
    QFETCH(int, toggles);
    QFETCH(QString, progress);

    UnlockRecogniser recogniser;
    int seen = 0;
    for (const QString &key : keys)
        seen += recogniser.step(key);
    QCOMPARE(seen, toggles);
    QCOMPARE(recogniser.progress(), progress);
}

void ScoringTest::hiddenModeShowsAndHidesTogether()
{
    WindowFixture f;
    QVERIFY(f.ready);
    const char *codes[] = {"F6", "F7", "F8", "F9", "G0"};
    f.showHiddenControls();
    for (const char *code : codes)
        QVERIFY2(f.control(code)->isVisible(), code);
    // In sending mode the sequence's own keys were shown as pictures, the last one in F6.
    QCOMPARE(f.text("F6"), QString(QChar(UnlockRecogniser::ConfirmingKey)).toUpper());
    f.showHiddenControls();
    for (const char *code : codes)
        QVERIFY2(!f.control(code)->isVisible(), code);
    // Hidden labels take no clicks.
    f.click("F8");
    QCOMPARE(f.text("B7"), QStringLiteral("0"));
}

QTEST_MAIN(ScoringTest)
#include "tst_scoring.moc"
