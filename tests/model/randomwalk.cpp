// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "randomwalk.h"

#include <QDialog>
#include <QLabel>

#include <iterator>
#include <utility>

namespace {

// Control characters and anything beyond ASCII written so that a failure report can be read.
QString printable(const QString &text)
{
    QString out;
    for (const char32_t c : text.toUcs4()) {
        if (c >= 0x20 && c < 0x7f)
            out += QChar(c);
        else
            out += QStringLiteral("<U+%1>").arg(quint32(c), 4, 16, QLatin1Char('0')).toUpper();
    }
    return u'"' + out + u'"';
}

WindowDriver::Key keyTyping(const QString &character)
{
    const QChar c = character.front();
    if (character.size() == 1 && c >= u'a' && c <= u'z')
        return {c.unicode() - u'a' + Qt::Key_A, character, false};
    if (character.size() == 1 && c >= u'A' && c <= u'Z')
        return {int(c.unicode()), character, true};
    if (character.size() == 1 && c >= u' ' && c <= u'~')
        return {int(c.unicode()), character, false};
    return {Qt::Key_unknown, character, false};
}

// Everything the keyboard can type here: printable ASCII, Czech letters, control characters,
// a character beyond 16 bits, and keys that type nothing.
QList<WindowDriver::Key> keyPool()
{
    QList<WindowDriver::Key> pool;
    for (char16_t c = u' '; c <= u'~'; ++c)
        pool << keyTyping(QString(QChar(c)));
    for (const QChar c : QStringLiteral("áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ"))
        pool << keyTyping(QString(c));
    pool << WindowDriver::Key{Qt::Key_unknown, QStringLiteral("\U0001F6A9"), false}
         << WindowDriver::Key{Qt::Key_Return, QStringLiteral("\r"), false}
         << WindowDriver::Key{Qt::Key_Escape, QStringLiteral("\x1b"), false}
         << WindowDriver::Key{Qt::Key_Backspace, QStringLiteral("\b"), false}
         << WindowDriver::Key{Qt::Key_Tab, QStringLiteral("\t"), false}
         << WindowDriver::Key{Qt::Key_Delete, QStringLiteral("\x7f"), false}
         << WindowDriver::Key{Qt::Key_Left, QString(), false}
         << WindowDriver::Key{Qt::Key_F1, QString(), false};
    return pool;
}

// The character a key hands to the trainer, or nothing: Tab moves the focus and
// Delete, arrows and function keys type no character.
QString delivered(const WindowDriver::Key &key)
{
    if (key.code == Qt::Key_Tab || key.code == Qt::Key_Delete)
        return {};
    return key.text;
}

QStringList differences(const TrainerModel::View &expected, const TrainerModel::View &shown)
{
    QStringList out;
    const auto check = [&out](const char *what, const auto &want, const auto &got, auto &&describe) {
        if (want != got)
            out << QStringLiteral("%1: expected %2, shown %3").arg(QLatin1String(what), describe(want), describe(got));
    };
    const auto text = [](const QString &t) { return printable(t); };
    const auto flag = [](bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); };
    const auto list = [](const QStringList &l) { return u'[' + l.join(QStringLiteral(", ")) + u']'; };
    const auto picture = [](int row) {
        return row == 0 ? QStringLiteral("rest") : row < 0 ? QStringLiteral("none of the 27") : QString(QChar(u'A' + row - 1));
    };
    check("caption of B5", expected.buttonCaption, shown.buttonCaption, text);
    check("B3 shown", expected.sendingHelpShown, shown.sendingHelpShown, flag);
    check("B4 shown", expected.receivingHelpShown, shown.receivingHelpShown, flag);
    check("score fields", expected.fields, shown.fields, list);
    check("picture in B2", expected.pictureRow, shown.pictureRow, picture);
    check("text of F6", expected.answerLabel, shown.answerLabel, text);
    check("F6 shown", expected.answerLabelShown, shown.answerLabelShown, flag);
    check("plus and minus labels shown", expected.adjustLabelsShown, shown.adjustLabelsShown, list);
    check("cycler", expected.cycler, shown.cycler, text);
    check("letter to guess", expected.letterToGuess, shown.letterToGuess, text);
    check("recogniser progress", expected.unlockProgress, shown.unlockProgress, text);
    check("keys reach the window", expected.keysReachWindow, shown.keysReachWindow, flag);
    return out;
}

const QString AdjustCodes[] = {QStringLiteral("F7"), QStringLiteral("F8"), QStringLiteral("F9"), QStringLiteral("G0")};

// The walk goes through stretches of a few hundred steps with different habits, so that it
// has long runs of answers as well as times when the counters are taken back down to zero.
constexpr RandomWalk::Habit Habits[] = {
    {"mixed", 50, 20, 7, 4},
    {"drill", 70, 20, 2, 3},
    {"correcting", 20, 5, 3, 6},
};

} // namespace

RandomWalk::RandomWalk(std::uint64_t seed) : m_random(seed), m_pool(keyPool())
{
    m_driver.setBoxHandler([this](QDialog *box) { onBox(box); });
}

QStringList RandomWalk::checkStart()
{
    compare(QStringLiteral("at the start"));
    return std::exchange(m_mismatches, {});
}

QStringList RandomWalk::step(qint64 number)
{
    m_number = number;
    if (!m_habit || --m_habitLeft <= 0) {
        m_habit = &Habits[pick(int(std::size(Habits)))];
        m_habitLeft = 100 + pick(900);
        log(QStringLiteral("now %1").arg(QLatin1String(m_habit->name)));
    }
    int kind = pick(100);
    if ((kind -= m_habit->type) < 0)
        typeStep(chooseKey());
    else if ((kind -= m_habit->tick) < 0)
        tick();
    else if ((kind -= m_habit->startStop) < 0)
        clickStartStop();
    else
        clickAdjust();
    compare(QStringLiteral("after the step"));
    if (number % 1000 == 0 && !m_driver.holdersIntact())
        m_mismatches << QStringLiteral("a picture holder's picture changed");
    m_mismatches << m_driver.takeProblems();
    return std::exchange(m_mismatches, {});
}

QString RandomWalk::coverage() const
{
    return QStringLiteral("%1 right answers, %2 wrong answers, %3 mode switches, %4 hidden mode switches, "
                          "%5 effective plus/minus clicks, %6 minus clicks at zero")
        .arg(m_rightAnswers).arg(m_wrongAnswers).arg(m_modeSwitches).arg(m_hiddenSwitches).arg(m_adjustments)
        .arg(m_minusAtZero);
}

bool RandomWalk::coveredEverything() const
{
    return m_rightAnswers && m_wrongAnswers && m_modeSwitches && m_hiddenSwitches > 1 && m_adjustments
        && m_minusAtZero;
}

void RandomWalk::log(const QString &what)
{
    m_history << QStringLiteral("%1: %2").arg(m_number).arg(what);
    if (m_history.size() > 24)
        m_history.removeFirst();
}

void RandomWalk::compare(const QString &when)
{
    const TrainerModel::View expected = m_model.view();
    const QStringList found = differences(expected, m_driver.view(expected.pictureRow));
    for (const QString &difference : found)
        m_mismatches << when + QStringLiteral(": ") + difference;
}

// Mostly plain letters, the right answer, and the hidden sequence, which random typing
// would hardly ever complete; the rest from everything the keyboard can type.
WindowDriver::Key RandomWalk::chooseKey()
{
    const QString progress = m_model.unlockProgress();
    const int choice = pick(100);
    if (!progress.isEmpty() && choice < 70) {
        const QString next = progress == TrainerModel::AccessWord ? TrainerModel::ConfirmingKey
                                                                 : TrainerModel::AccessWord.mid(progress.size(), 1);
        return keyTyping(pick(10) ? next : next.toUpper() == next ? next.toLower() : next.toUpper());
    }
    if (choice < 10)
        return keyTyping(TrainerModel::AccessWord.left(1));
    if (m_model.receiving() && choice < 45)
        return keyTyping(pick(2) ? m_model.letterToGuess() : m_model.letterToGuess().toLower());
    if (choice < 60)
        return keyTyping(QString(QChar((pick(2) ? u'a' : u'A') + pick(26))));
    return m_pool[pick(int(m_pool.size()))];
}

void RandomWalk::typeStep(const WindowDriver::Key &key)
{
    log(QStringLiteral("type %1%2 (key 0x%3)")
            .arg(key.shift ? QStringLiteral("shift+") : QString(), printable(key.text))
            .arg(key.code, 0, 16));
    const QString typed = delivered(key);
    const bool wasAdjustShown = m_model.adjustLabelsShown();
    const bool receiving = m_model.receiving();
    m_boxExpected = !typed.isEmpty() && m_model.type(typed);
    m_boxesSeen = 0;
    m_driver.type(key);
    if (m_boxExpected) {
        if (m_boxesSeen == 0)
            m_mismatches << QStringLiteral("no message box for the wrong answer");
        m_model.closeBox();
        ++m_wrongAnswers;
    } else if (receiving && !typed.isEmpty()) {
        ++m_rightAnswers;
    }
    m_hiddenSwitches += wasAdjustShown != m_model.adjustLabelsShown();
    m_boxExpected = false;
}

void RandomWalk::tick()
{
    // Mostly single ticks; now and then the many that pass between two keystrokes, or a
    // long idle.
    quint64 ticks = 1;
    if (const int kind = pick(10); kind == 0)
        ticks = 2 + pick(100);
    else if (kind == 1)
        ticks = std::uniform_int_distribution<quint64>()(m_random);
    log(QStringLiteral("tick ×%1").arg(ticks));
    m_model.tick(ticks);
    m_driver.tick(ticks);
}

void RandomWalk::clickStartStop()
{
    log(QStringLiteral("click B5"));
    m_model.clickStartStop();
    m_driver.click(QStringLiteral("B5"));
    ++m_modeSwitches;
}

void RandomWalk::clickAdjust()
{
    const bool minus = pick(6) < m_habit->minusInSix;
    const bool gained = pick(2);
    const TrainerModel::Adjust label = gained ? (minus ? TrainerModel::Adjust::GainedMinus : TrainerModel::Adjust::GainedPlus)
                                              : (minus ? TrainerModel::Adjust::PenaltyMinus : TrainerModel::Adjust::PenaltyPlus);
    const QString &code = AdjustCodes[int(label)];
    const bool twice = pick(4) == 0;
    log(QStringLiteral("%1 %2%3").arg(twice ? QStringLiteral("double-click") : QStringLiteral("click"), code,
                                      m_model.adjustLabelsShown() ? QString() : QStringLiteral(" (hidden)")));
    const QStringList before = m_model.view().fields;
    m_model.clickAdjust(label);
    m_adjustments += before != m_model.view().fields;
    m_minusAtZero += minus && m_model.adjustLabelsShown() && before[gained ? 0 : 1] == u"0";
    if (twice)
        m_driver.doubleClick(code);
    else
        m_driver.click(code);
}

// Inside the message box's own event loop: the penalty is not counted yet, the timer
// still ticks, the main window takes no input; then the box is closed one of the ways.
void RandomWalk::onBox(QDialog *box)
{
    ++m_boxesSeen;
    const auto *message = box->findChild<QLabel *>(QStringLiteral("MessageText"));
    const QString text = message ? message->text() : QString();
    if (!m_boxExpected || m_boxesSeen > 1) {
        m_mismatches << QStringLiteral("unexpected message box: ") + printable(text);
        WindowDriver::close(box, WindowDriver::Close::Escape);
        return;
    }
    if (text != TrainerModel::WrongAnswerMessage || box->windowTitle() != QStringLiteral("Vlajkor"))
        m_mismatches << QStringLiteral("message box %1 captioned %2").arg(printable(text), printable(box->windowTitle()));
    compare(QStringLiteral("with the message box open"));

    for (int extra = pick(4); extra > 0; --extra) {
        const int kind = pick(10);
        if (kind < 5) {
            log(QStringLiteral("tick, box open"));
            m_model.tick(1);
            m_driver.tick(1);
        } else if (kind < 7) {
            log(QStringLiteral("click B5, box open"));
            m_driver.click(QStringLiteral("B5"));
        } else if (kind < 9) {
            const WindowDriver::Key key = chooseKey();
            log(QStringLiteral("type %1 on the main window, box open").arg(printable(key.text)));
            m_driver.type(key);
        } else {
            const QString &code = AdjustCodes[pick(4)];
            log(QStringLiteral("click %1, box open").arg(code));
            m_driver.click(code);
        }
        compare(QStringLiteral("with the message box open"));
    }

    static constexpr WindowDriver::Close Ways[] = {WindowDriver::Close::OkButton, WindowDriver::Close::Enter,
                                                   WindowDriver::Close::KeypadEnter, WindowDriver::Close::Escape};
    static const char *const WayNames[] = {"OK", "Enter", "keypad Enter", "Escape"};
    const int way = pick(4);
    log(QStringLiteral("close the box by %1").arg(QLatin1String(WayNames[way])));
    WindowDriver::close(box, Ways[way]);
    if (box->isVisible())
        m_mismatches << QStringLiteral("the message box did not close by %1").arg(QLatin1String(WayNames[way]));
}
