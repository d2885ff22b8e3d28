// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clicklabel.h"
#include "messagebox.h"
#include "windowfixture.h"

#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>

// The two small controls every handler relies on: clickable labels and the message box.
class ControlsTest : public QObject
{
    Q_OBJECT

private slots:
    void labelClicks_data();
    void labelClicks();
    void messageBoxLooks();
    void messageBoxCloses_data();
    void messageBoxCloses();
};

void ControlsTest::labelClicks_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<int>("clicks");
    QTest::newRow("click") << "click" << 1;
    QTest::newRow("double click counts once") << "double" << 1;
    QTest::newRow("released outside") << "drag-out" << 0;
    QTest::newRow("right button") << "right" << 0;
    QTest::newRow("hidden label") << "hidden" << 0;
}

void ControlsTest::labelClicks()
{
    QFETCH(QString, gesture);
    QFETCH(int, clicks);

    QWidget window;
    window.resize(100, 100);
    auto *label = new ClickLabel(QStringLiteral("+"), &window);
    label->setGeometry(10, 10, 17, 19);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy spy(label, &ClickLabel::clicked);

    if (gesture == u"click") {
        QTest::mouseClick(label, Qt::LeftButton);
    } else if (gesture == u"double") {
        // Through the window, so the second press arrives as the double click a person makes.
        QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, label->geometry().center());
    } else if (gesture == u"drag-out") {
        QTest::mousePress(label, Qt::LeftButton);
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(60, 60));
    } else if (gesture == u"right") {
        QTest::mouseClick(label, Qt::RightButton);
    } else {
        label->hide();
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(15, 15));
    }
    QCOMPARE(spy.count(), clicks);
}

void ControlsTest::messageBoxLooks()
{
    const QString longText = QString(QStringLiteral("slovo ")).repeated(200);
    QTimer::singleShot(0, [] {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(box);
        // Closed however the checks end, so that a failing one fails the test, not hangs it.
        const auto close = qScopeGuard([box] { box->accept(); });
        QCOMPARE(box->windowTitle(), QStringLiteral("Vlajkor"));
        const auto buttons = box->findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(buttons.front()->text(), QStringLiteral("OK"));
        QVERIFY(buttons.front()->isDefault());
        const QRect screen = box->screen()->geometry();
        // Wrapped at half the screen's width, to within the word that did not fit.
        const auto *text = box->findChild<QLabel *>(QStringLiteral("MessageText"));
        const int half = box->screen()->availableGeometry().width() / 2;
        QVERIFY(text->width() <= half);
        QVERIFY(text->width() > half - text->fontMetrics().horizontalAdvance(QStringLiteral("slovo ")));
        QVERIFY((box->frameGeometry().center() - screen.center()).manhattanLength() <= 2);
    });
    MessageBox::inform(nullptr, longText);
}

void ControlsTest::messageBoxCloses_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("enter") << int(Qt::Key_Return);
    QTest::newRow("keypad enter") << int(Qt::Key_Enter);
    QTest::newRow("escape") << int(Qt::Key_Escape);
    QTest::newRow("OK button") << 0;
}

void ControlsTest::messageBoxCloses()
{
    QFETCH(int, key);
    QTimer::singleShot(0, [key] {
        QWidget *box = QApplication::activeModalWidget();
        if (key)
            QTest::keyClick(box, Qt::Key(key));
        else
            QTest::mouseClick(box->findChild<QPushButton *>(), Qt::LeftButton);
    });
    // A box that did not close would hang here; the test's watchdog would then fail it.
    MessageBox::inform(nullptr, QStringLiteral("Zpráva"));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

QTEST_MAIN(ControlsTest)
#include "tst_controls.moc"
