// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "a00.h"
#include "picturebox.h"
#include "signaltable.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// The five score fields as a window shows them: gained, penalty, total, attempts, rate.
inline QStringList scoreFields(const QWidget &window)
{
    QStringList fields;
    for (const char *code : {"B7", "B9", "C1", "C3", "C5"})
        fields << window.findChild<QLabel *>(QLatin1String(code))->text();
    return fields;
}

// A shown, active main window, and the ways a person reaches it: typing, clicking, and
// answering the message box that a keystroke may open.
class WindowFixture
{
public:
    WindowFixture()
    {
        window = std::make_unique<TA0>();
        window->show();
        window->activateWindow();
        ready = QTest::qWaitForWindowActive(window.get());
    }

    template <typename T = QWidget>
    T *control(const char *code) const
    {
        return window->findChild<T *>(QLatin1String(code));
    }

    QString text(const char *code) const { return control<QLabel>(code)->text(); }
    QStringList scores() const { return scoreFields(*window); }

    // The picture in the display, and the one the holder of `letter` keeps.
    QImage displayPicture() const { return control<PictureBox>("B2")->picture(); }
    QImage holderPicture(const QString &letter) const
    {
        return control<PictureBox>(qPrintable(SignalTable::holderCode(SignalTable::rowOf(letter))))->picture();
    }

    // Where typed keys go now: the focused control, or the window itself.
    QWidget *keyTarget() const
    {
        QWidget *focus = QApplication::focusWidget();
        return focus ? focus : window.get();
    }

    void type(const QString &characters) const
    {
        for (const QChar c : characters)
            QTest::sendKeyEvent(QTest::Click, keyTarget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    void typeKey(Qt::Key key) const { QTest::keyClick(keyTarget(), key); }

    // Clicks go through the window, as a person's would: a hidden control is not hit.
    QPoint centreOf(const char *code) const
    {
        const QWidget *widget = control(code);
        return widget->mapTo(window.get(), widget->rect().center());
    }
    void click(const char *code) const
    {
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, centreOf(code));
    }
    void doubleClick(const char *code) const
    {
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, centreOf(code));
    }

    void showHiddenControls() const
    {
        type(QStringLiteral("Zobilu"));
        type(QString(QChar(UnlockRecogniser::ConfirmingKey)));
    }

    std::unique_ptr<TA0> window;
    bool ready = false;
};

// Runs `whileOpen` on the message box once it is up, then closes it with `closingKey`.
// The returned text is the message the box showed, empty until then.
inline std::shared_ptr<QString> answerMessageBox(Qt::Key closingKey = Qt::Key_Return,
                                                 std::function<void()> whileOpen = {})
{
    auto seen = std::make_shared<QString>();
    auto *poll = new QTimer(qApp);
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return;
        poll->stop();
        poll->deleteLater();
        *seen = box->findChild<QLabel *>(QStringLiteral("MessageText"))->text();
        if (whileOpen)
            whileOpen();
        QTest::keyClick(box, closingKey);
    });
    poll->start();
    return seen;
}
