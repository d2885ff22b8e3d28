// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowdriver.h"

#include "a00.h"
#include "picturebox.h"
#include "ticktimer.h"
#include "windowfixture.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <utility>

// While alive, hands every new modal box to the driver's handler from inside the box's
// own event loop. Each level of boxes gets a watch of its own, since a timer is never
// re-entered while its earlier timeout is still being handled.
class WindowDriver::BoxWatch
{
public:
    explicit BoxWatch(WindowDriver &driver) : m_driver(driver)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(0);
    }

private:
    void poll()
    {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!box || m_driver.m_openBoxes.contains(box))
            return;
        m_driver.m_openBoxes << box;
        {
            BoxWatch nested(m_driver);
            if (m_driver.m_boxHandler)
                m_driver.m_boxHandler(box);
        }
        if (box->isVisible()) {
            const auto *text = box->findChild<QLabel *>(QStringLiteral("MessageText"));
            m_driver.addProblem(QStringLiteral("a message box stayed open: ") + (text ? text->text() : box->windowTitle()));
            box->reject();
        }
        m_driver.m_openBoxes.removeOne(box);
    }

    WindowDriver &m_driver;
    QTimer m_timer;
};

namespace {

template <typename T = QWidget>
T *child(const TA0 &window, const QString &code)
{
    return window.findChild<T *>(code);
}

} // namespace

WindowDriver::WindowDriver() : m_window(std::make_unique<TA0>())
{
    // The timer starts while the window is built; stopped before any event loop runs,
    // it has not ticked yet.
    auto *timer = child<TickTimer>(*m_window, QStringLiteral("F5"));
    if (!timer) {
        m_setupProblem = QStringLiteral("no timer F5");
        return;
    }
    timer->stop();
    if (!m_window->pictureFailures().isEmpty()) {
        m_setupProblem = m_window->pictureFailures().join(u'\n');
        return;
    }
    // Deep copies, so that a holder whose picture is changed in place is noticed.
    for (int row = 0; row <= 26; ++row) {
        const QImage picture = child<PictureBox>(*m_window, TrainerModel::holderCode(row))->picture();
        m_holderPictures << picture.copy();
    }
    // Telling the pictures apart is what shows which letter is up.
    for (int row = 0; row < m_holderPictures.size(); ++row) {
        if (m_holderPictures[row].isNull() || m_holderPictures.indexOf(m_holderPictures[row]) != row) {
            m_setupProblem = QStringLiteral("the picture of row %1 is missing or not unique").arg(row);
            return;
        }
    }
    m_window->show();
    m_window->activateWindow();
    if (!QTest::qWaitForWindowActive(m_window.get()))
        m_setupProblem = QStringLiteral("the window did not become active");
}

WindowDriver::~WindowDriver() = default;

template <typename Action>
void WindowDriver::watched(Action &&action)
{
    BoxWatch watch(*this);
    action();
}

void WindowDriver::type(const Key &key)
{
    watched([&] {
        QTest::sendKeyEvent(QTest::Click, m_window->windowHandle(), Qt::Key(key.code), key.text,
                            key.shift ? Qt::ShiftModifier : Qt::NoModifier);
    });
}

void WindowDriver::tick(quint64 ticks)
{
    watched([&] { m_window->advanceCycler(ticks); });
}

QPoint WindowDriver::centreOf(const QString &code) const
{
    const QWidget *widget = child(*m_window, code);
    return widget->mapTo(m_window.get(), widget->rect().center());
}

void WindowDriver::click(const QString &code)
{
    watched([&] { QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, centreOf(code)); });
}

void WindowDriver::doubleClick(const QString &code)
{
    watched([&] { QTest::mouseDClick(m_window->windowHandle(), Qt::LeftButton, {}, centreOf(code)); });
}

void WindowDriver::close(QDialog *box, Close how)
{
    switch (how) {
    case Close::OkButton: {
        const auto *ok = box->findChild<QPushButton *>();
        QTest::mouseClick(box->windowHandle(), Qt::LeftButton, {}, ok->mapTo(box, ok->rect().center()));
        break;
    }
    case Close::Enter:
        QTest::keyClick(box->windowHandle(), Qt::Key_Return);
        break;
    case Close::KeypadEnter:
        QTest::keyClick(box->windowHandle(), Qt::Key_Enter, Qt::KeypadModifier);
        break;
    case Close::Escape:
        QTest::keyClick(box->windowHandle(), Qt::Key_Escape);
        break;
    }
}

TrainerModel::View WindowDriver::view(int likelyRow) const
{
    const TA0 &w = *m_window;
    TrainerModel::View v;
    v.buttonCaption = child<QPushButton>(w, QStringLiteral("B5"))->text();
    v.sendingHelpShown = child(w, QStringLiteral("B3"))->isVisible();
    v.receivingHelpShown = child(w, QStringLiteral("B4"))->isVisible();
    v.fields = scoreFields(w);

    const QImage shown = child<PictureBox>(w, QStringLiteral("B2"))->picture();
    v.pictureRow = -1;
    if (likelyRow >= 0 && shown == m_holderPictures.value(likelyRow)) {
        v.pictureRow = likelyRow;
    } else {
        for (int row = 0; row < m_holderPictures.size() && v.pictureRow < 0; ++row) {
            if (shown == m_holderPictures[row])
                v.pictureRow = row;
        }
    }

    const auto *answer = child<QLabel>(w, QStringLiteral("F6"));
    v.answerLabel = answer->text();
    v.answerLabelShown = answer->isVisible();
    for (const char *code : {"F7", "F8", "F9", "G0"}) {
        if (child(w, QLatin1String(code))->isVisible())
            v.adjustLabelsShown << QLatin1String(code);
    }

    v.cycler = m_window->cyclerLetter();
    v.letterToGuess = w.letterToGuess();
    v.unlockProgress = w.unlockProgress();
    const QWidget *focus = w.focusWidget();
    v.keysReachWindow = !focus || focus == &w;
    return v;
}

bool WindowDriver::holdersIntact() const
{
    for (int row = 0; row < m_holderPictures.size(); ++row) {
        if (child<PictureBox>(*m_window, TrainerModel::holderCode(row))->picture() != m_holderPictures[row])
            return false;
    }
    return true;
}

QStringList WindowDriver::takeProblems()
{
    return std::exchange(m_problems, {});
}
