// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowfixture.h"

// Typing on the window in sending mode: each key shows its letter's picture at once.
class SendingTest : public QObject
{
    Q_OBJECT

private slots:
    void typedCharacter_data();
    void typedCharacter();
    void keysThatTypeNothing_data();
    void keysThatTypeNothing();
    void oneEventWithSeveralCharacters();
    void buttonPassesKeysOn_data();
    void buttonPassesKeysOn();
    void buttonTakesFocusOnlyFromMouse();
    void startStopKey_data();
    void startStopKey();
    void displayIsCrispBlocks();
    void everyAssignmentOfLetterToGuessShows_data();
    void everyAssignmentOfLetterToGuessShows();
};

void SendingTest::typedCharacter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("picture"); // whose picture is up afterwards

    QTest::newRow("lower case") << "a" << "A" << "A";
    QTest::newRow("upper case") << "A" << "A" << "A";
    QTest::newRow("last letter") << "z" << "Z" << "Z";
    QTest::newRow("space") << " " << " " << " ";
    QTest::newRow("digit") << "5" << "5" << "B";
    QTest::newRow("diacritic") << "ř" << "ř" << "B";
    QTest::newRow("upper diacritic") << "Š" << "Š" << "B";
    QTest::newRow("punctuation") << "?" << "?" << "B";
    QTest::newRow("markup-like") << "<" << "<" << "B";
    QTest::newRow("enter") << "\r" << "\r" << "B";
    QTest::newRow("backspace") << "\b" << "\b" << "B";
    QTest::newRow("escape") << "\x1b" << "\x1b" << "B";
    QTest::newRow("beyond 16 bits") << "\U0001D400" << "\U0001D400" << "B";
}

void SendingTest::typedCharacter()
{
    QFETCH(QString, typed);
    QFETCH(QString, label);
    QFETCH(QString, picture);

    WindowFixture f;
    QVERIFY(f.ready);
    f.type(QStringLiteral("b"));
    QCOMPARE(f.displayPicture(), f.holderPicture("B"));
    QTest::sendKeyEvent(QTest::Click, f.keyTarget(), Qt::Key_unknown, typed, Qt::NoModifier);
    QCOMPARE(f.text("F6"), label);
    QCOMPARE(f.displayPicture(), f.holderPicture(picture));
    QCOMPARE(f.window->letterToGuess(), QStringLiteral("A")); // sending never touches it
}

void SendingTest::keysThatTypeNothing_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("tab") << int(Qt::Key_Tab);
    QTest::newRow("backtab") << int(Qt::Key_Backtab);
    QTest::newRow("delete") << int(Qt::Key_Delete);
    QTest::newRow("left") << int(Qt::Key_Left);
    QTest::newRow("F1") << int(Qt::Key_F1);
    QTest::newRow("shift") << int(Qt::Key_Shift);
}

void SendingTest::keysThatTypeNothing()
{
    QFETCH(int, key);
    WindowFixture f;
    QVERIFY(f.ready);
    f.type(QStringLiteral("Z")); // also starts the hidden sequence, which any arriving key would break
    f.typeKey(Qt::Key(key));
    QCOMPARE(f.text("F6"), QStringLiteral("Z"));
    QCOMPARE(f.window->unlockProgress(), QStringLiteral("Z"));
    QCOMPARE(QApplication::focusWidget(), nullptr);
}

void SendingTest::oneEventWithSeveralCharacters()
{
    WindowFixture f;
    QVERIFY(f.ready);
    QTest::sendKeyEvent(QTest::Click, f.window.get(), Qt::Key_unknown, QStringLiteral("Zob"), Qt::NoModifier);
    QCOMPARE(f.text("F6"), QStringLiteral("B"));
    QCOMPARE(f.window->unlockProgress(), QStringLiteral("Zob"));
}

void SendingTest::buttonPassesKeysOn_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("caption");
    QTest::newRow("letter") << int(Qt::Key_C) << "C" << "Start";
    QTest::newRow("space clicks") << int(Qt::Key_Space) << "" << "Stop";
    QTest::newRow("enter clicks") << int(Qt::Key_Return) << "" << "Stop";
    QTest::newRow("keypad enter clicks") << int(Qt::Key_Enter) << "" << "Stop";
    QTest::newRow("F2 clicks") << int(Qt::Key_F2) << "" << "Stop";
}

void SendingTest::buttonPassesKeysOn()
{
    QFETCH(int, key);
    QFETCH(QString, label);
    QFETCH(QString, caption);

    WindowFixture f;
    QVERIFY(f.ready);
    auto *button = f.control<QPushButton>("B5");
    // A press that does not end in a click leaves the focus on the button.
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(f.window.get(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(QApplication::focusWidget(), button);
    QCOMPARE(button->text(), QStringLiteral("Start"));

    QTest::keyClick(button, Qt::Key(key));
    QCOMPARE(button->text(), caption);
    if (caption == QStringLiteral("Stop")) {
        // Clicking took the focus back and put up the cycler's letter to guess.
        QCOMPARE(QApplication::focusWidget(), f.window.get());
        QCOMPARE(f.text("F6"), f.window->letterToGuess());
    } else {
        QCOMPARE(f.text("F6"), label);
    }
}

void SendingTest::buttonTakesFocusOnlyFromMouse()
{
    WindowFixture f;
    QVERIFY(f.ready);
    QCOMPARE(f.control("B5")->focusPolicy(), Qt::ClickFocus);
    f.typeKey(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), nullptr);
    f.type(QStringLiteral("k"));
    QCOMPARE(f.text("F6"), QStringLiteral("K"));
}

void SendingTest::startStopKey_data()
{
    QTest::addColumn<bool>("receiving");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("held");
    QTest::addColumn<QString>("caption");
    QTest::newRow("starts") << false << int(Qt::NoModifier) << false << "Stop";
    QTest::newRow("stops") << true << int(Qt::NoModifier) << false << "Start";
    // Held down, the key would start and stop over and over.
    QTest::newRow("held") << false << int(Qt::NoModifier) << true << "Start";
    QTest::newRow("with Ctrl") << false << int(Qt::ControlModifier) << false << "Start";
    QTest::newRow("with Shift, receiving") << true << int(Qt::ShiftModifier) << false << "Stop";
}

void SendingTest::startStopKey()
{
    QFETCH(bool, receiving);
    QFETCH(int, modifiers);
    QFETCH(bool, held);
    QFETCH(QString, caption);

    WindowFixture f;
    QVERIFY(f.ready);
    f.type(QStringLiteral("Z")); // starts the hidden sequence, which any typed key would break
    if (receiving)
        f.window->B5Click();
    const QStringList scores = f.scores();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F2, Qt::KeyboardModifiers(modifiers), QString(), held);
    QApplication::sendEvent(f.keyTarget(), &press);
    QCOMPARE(f.control<QPushButton>("B5")->text(), caption);
    // Never an answer, a message or a keystroke of the sequence.
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(f.scores(), scores);
    QCOMPARE(f.window->unlockProgress(), QStringLiteral("Z"));
}

void SendingTest::displayIsCrispBlocks()
{
    WindowFixture f;
    QVERIFY(f.ready);
    f.type(QStringLiteral("r"));
    const QImage picture = f.displayPicture().convertToFormat(QImage::Format_RGB32);
    QWidget *display = f.control("B2");
    const QImage grabbed = display->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = display->devicePixelRatioF();
    const int block = qRound(2 * ratio);
    QCOMPARE(grabbed.size(), QSize(79 * block, 75 * block));
    for (int y = 0; y < grabbed.height(); ++y) {
        for (int x = 0; x < grabbed.width(); ++x) {
            if (grabbed.pixel(x, y) != picture.pixel(x / block, y / block))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is not its block's colour").arg(x).arg(y)));
        }
    }
}

void SendingTest::everyAssignmentOfLetterToGuessShows_data()
{
    QTest::addColumn<QString>("letter");
    QTest::addColumn<QString>("picture");
    QTest::newRow("letter") << "Q" << "Q";
    QTest::newRow("the letter held already") << "A" << "A";
    QTest::newRow("space") << " " << " ";
    QTest::newRow("no picture") << "ř" << "C";
    QTest::newRow("lower case has none") << "q" << "C";
    QTest::newRow("two letters") << "AB" << "C";
}

void SendingTest::everyAssignmentOfLetterToGuessShows()
{
    QFETCH(QString, letter);
    QFETCH(QString, picture);
    WindowFixture f;
    QVERIFY(f.ready);
    f.type(QStringLiteral("c"));
    const QImage holderBefore = f.holderPicture("C");
    f.window->setF4(letter);
    QCOMPARE(f.text("F6"), letter);
    QCOMPARE(f.displayPicture(), f.holderPicture(picture));
    QCOMPARE(f.holderPicture("C"), holderBefore);
}

QTEST_MAIN(SendingTest)
#include "tst_sending.moc"
