// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// What a person sees of the trainer, predicted from what they do to it.
// It knows nothing of how the window works: only the behaviour it must show.
class TrainerModel
{
public:
    // Everything the window lets a person observe after a step.
    struct View
    {
        QString buttonCaption;
        bool sendingHelpShown = true;   // B3
        bool receivingHelpShown = false; // B4
        QStringList fields;              // B7, B9, C1, C3, C5
        int pictureRow = 0;              // 0 the rest position, 1 to 26 the letters A to Z
        QString answerLabel;             // F6
        bool answerLabelShown = false;
        QStringList adjustLabelsShown;   // the codes of those of F7, F8, F9, G0 that are shown
        QString cycler;
        QString letterToGuess;
        QString unlockProgress;
        bool keysReachWindow = true; // the button never keeps the focus after a click
    };

    static inline const QString AccessWord = QStringLiteral("Zobilu");
    static inline const QString ConfirmingKey = QStringLiteral("v");
    static inline const QString WrongAnswerMessage = QStringLiteral("Špatně. Zkuste to znova.");

    // The row of the picture that `text` shows, or -1 if it has none.
    static int pictureRowOf(const QString &text);
    // The code of the hidden image that holds the picture of `row` ("C6" to "F2").
    static QString holderCode(int row);

    bool receiving() const { return m_receiving; }
    bool adjustLabelsShown() const { return m_adjustShown; }
    QString letterToGuess() const { return m_letterToGuess; }
    QString unlockProgress() const { return m_unlockProgress; }
    bool boxOpen() const { return m_pendingKey.has_value(); }

    // A typed character reaches the trainer. Returns true when it is a wrong answer:
    // the message box is then open and the keystroke finishes only in closeBox().
    bool type(const QString &key);
    void closeBox();

    // The cycler steps on by `ticks` ticks of its timer.
    void tick(quint64 ticks);
    void clickStartStop();
    enum class Adjust { GainedMinus, GainedPlus, PenaltyMinus, PenaltyPlus };
    // A click, or a double click, which counts as one, on a plus or minus label.
    void clickAdjust(Adjust label);

    View view() const;

private:
    static QString fold(const QString &key);
    void assignLetterToGuess(const QString &text);
    void showLetter(const QString &text);
    void stepRecogniser(const QString &key);
    void toggleHiddenMode();
    static std::int64_t raised(std::int64_t counter);

    bool m_receiving = false;
    std::int64_t m_gained = 0;
    std::int64_t m_penalty = 0;
    int m_pictureRow = 0;
    QString m_answerLabel = QStringLiteral("A");
    bool m_answerShown = false;
    bool m_adjustShown = false;
    int m_cycler = 0; // 0 is "A"
    QString m_letterToGuess = QStringLiteral("A");
    QString m_unlockProgress;
    std::optional<QString> m_pendingKey; // the key of a wrong answer while its box is open
};
