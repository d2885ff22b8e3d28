// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "randomwalk.h"

#include <QElapsedTimer>
#include <QTest>

// A long random walk of keys, clicks and ticks on the real window, each step checked
// against what the trainer must show. The seed is fixed so that a failure repeats;
// VLAJKOR_MODEL_SEED picks another walk and VLAJKOR_MODEL_STEPS another length.
class ModelTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void randomWalk();
    void cleanupTestCase();
};

namespace {

constexpr std::uint64_t DefaultSeed = 20060912;
constexpr qint64 DefaultSteps = 100000;

qint64 numberFromEnvironment(const char *name, qint64 fallback)
{
    bool ok = false;
    const qint64 value = qEnvironmentVariable(name).toLongLong(&ok);
    return ok ? value : fallback;
}

// The headless platform says this of every message box; a hundred thousand steps would drown the log in it.
QtMessageHandler passOnMessage = nullptr;
void quieterMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.contains(QLatin1String("does not support propagateSizeHints")))
        passOnMessage(type, context, message);
}

QString report(std::uint64_t seed, qint64 step, const QStringList &mismatches, const QStringList &history)
{
    return QStringLiteral("seed %1 (VLAJKOR_MODEL_SEED=%1 repeats it), step %2:\n  %3\nlast steps:\n  %4")
        .arg(seed)
        .arg(step)
        .arg(mismatches.join(QStringLiteral("\n  ")), history.join(QStringLiteral("\n  ")));
}

} // namespace

void ModelTest::initTestCase()
{
    passOnMessage = qInstallMessageHandler(quieterMessages);
}

void ModelTest::cleanupTestCase()
{
    qInstallMessageHandler(passOnMessage);
}

void ModelTest::randomWalk()
{
    const auto seed = std::uint64_t(numberFromEnvironment("VLAJKOR_MODEL_SEED", DefaultSeed));
    const qint64 steps = numberFromEnvironment("VLAJKOR_MODEL_STEPS", DefaultSteps);
    qInfo("seed %llu, %lld steps", static_cast<unsigned long long>(seed), steps);

    RandomWalk walk(seed);
    QVERIFY2(walk.setupProblem().isEmpty(), qPrintable(walk.setupProblem()));
    const QStringList atStart = walk.checkStart();
    QVERIFY2(atStart.isEmpty(), qPrintable(report(seed, 0, atStart, {})));

    QElapsedTimer clock;
    clock.start();
    for (qint64 number = 1; number <= steps; ++number) {
        const QStringList mismatches = walk.step(number);
        if (!mismatches.isEmpty())
            QFAIL(qPrintable(report(seed, number, mismatches, walk.history())));
    }
    qInfo("%lld steps in %.1f s: %s", steps, clock.elapsed() / 1000.0, qPrintable(walk.coverage()));
    // A walk this long that never reached some behaviour would prove little about it.
    if (steps >= 10000)
        QVERIFY2(walk.coveredEverything(), qPrintable(walk.coverage()));
}

QTEST_MAIN(ModelTest)
#include "tst_model.moc"
