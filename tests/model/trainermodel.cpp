// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "trainermodel.h"

#include <limits>

namespace {

constexpr std::int64_t CounterLimit = std::numeric_limits<std::int32_t>::max();

// Row 0 is the rest position (a space), rows 1 to 26 the letters "A" to "Z".
QString letterOfRow(int row)
{
    return row == 0 ? QStringLiteral(" ") : QString(QChar(u'A' + row - 1));
}

} // namespace

int TrainerModel::pictureRowOf(const QString &text)
{
    for (int row = 0; row <= 26; ++row) {
        if (text == letterOfRow(row))
            return row;
    }
    return -1;
}

QString TrainerModel::holderCode(int row)
{
    // The holders continue the running sequence of control codes from C6 on.
    const int code = 26 + row;
    return QString(QChar(u'A' + code / 10)) + QChar(u'0' + code % 10);
}

QString TrainerModel::fold(const QString &key)
{
    if (key.size() == 1 && key.front() >= u'a' && key.front() <= u'z')
        return QString(QChar(key.front().unicode() - u'a' + u'A'));
    return key;
}

bool TrainerModel::type(const QString &key)
{
    const QString folded = fold(key);
    if (!m_receiving) {
        showLetter(folded);
        m_answerLabel = folded;
        stepRecogniser(key);
        return false;
    }
    if (folded != m_letterToGuess) {
        m_pendingKey = key;
        return true;
    }
    assignLetterToGuess(letterOfRow(m_cycler + 1));
    m_gained = raised(m_gained);
    stepRecogniser(key);
    return false;
}

void TrainerModel::closeBox()
{
    m_penalty = raised(m_penalty);
    stepRecogniser(*m_pendingKey);
    m_pendingKey.reset();
}

void TrainerModel::tick(quint64 ticks)
{
    m_cycler = int((m_cycler + ticks % 26) % 26);
}

void TrainerModel::clickStartStop()
{
    m_receiving = !m_receiving;
    assignLetterToGuess(m_receiving ? letterOfRow(m_cycler + 1) : QStringLiteral(" "));
}

void TrainerModel::clickAdjust(Adjust label)
{
    // Hidden labels take no clicks.
    if (!m_adjustShown)
        return;
    switch (label) {
    case Adjust::GainedMinus:
        m_gained = std::max<std::int64_t>(m_gained - 1, 0);
        break;
    case Adjust::GainedPlus:
        m_gained = raised(m_gained);
        break;
    case Adjust::PenaltyMinus:
        m_penalty = std::max<std::int64_t>(m_penalty - 1, 0);
        break;
    case Adjust::PenaltyPlus:
        m_penalty = raised(m_penalty);
        break;
    }
}

std::int64_t TrainerModel::raised(std::int64_t counter)
{
    return std::min(counter + 1, CounterLimit);
}

void TrainerModel::assignLetterToGuess(const QString &text)
{
    m_letterToGuess = text;
    showLetter(text);
    m_answerLabel = text;
}

void TrainerModel::showLetter(const QString &text)
{
    const int row = pictureRowOf(text);
    if (row >= 0)
        m_pictureRow = row;
}

void TrainerModel::stepRecogniser(const QString &key)
{
    // Each check sees what the checks before it in the same step have left.
    if (m_unlockProgress == AccessWord) {
        m_unlockProgress.clear();
        if (key == ConfirmingKey)
            toggleHiddenMode();
    }
    for (int typed = AccessWord.size() - 1; typed >= 1; --typed) {
        if (m_unlockProgress == AccessWord.left(typed)) {
            m_unlockProgress.clear();
            if (key == AccessWord.mid(typed, 1))
                m_unlockProgress = AccessWord.left(typed + 1);
        }
    }
    if (m_unlockProgress.isEmpty() && key == AccessWord.left(1))
        m_unlockProgress = AccessWord.left(1);
}

void TrainerModel::toggleHiddenMode()
{
    m_answerShown = !m_answerShown;
    m_adjustShown = m_answerShown;
}

TrainerModel::View TrainerModel::view() const
{
    View v;
    v.buttonCaption = m_receiving ? QStringLiteral("Stop") : QStringLiteral("Start");
    v.sendingHelpShown = !m_receiving;
    v.receivingHelpShown = m_receiving;
    const std::int64_t attempts = m_gained + m_penalty;
    v.fields = QStringList{QString::number(m_gained), QString::number(m_penalty),
                           QString::number(m_gained - m_penalty), QString::number(attempts),
                           attempts <= 0 ? QStringLiteral("- - %")
                                         : QString::number(m_gained * 100 / attempts) + QStringLiteral(" %")};
    v.pictureRow = m_pictureRow;
    v.answerLabel = m_answerLabel;
    v.answerLabelShown = m_answerShown;
    if (m_adjustShown)
        v.adjustLabelsShown = QStringList{"F7", "F8", "F9", "G0"};
    v.cycler = letterOfRow(m_cycler + 1);
    v.letterToGuess = m_letterToGuess;
    v.unlockProgress = m_unlockProgress;
    return v;
}
