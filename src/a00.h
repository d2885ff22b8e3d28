// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "scoreboard.h"
#include "signaltable.h"
#include "unlockrecogniser.h"

#include <QStringList>
#include <QWidget>

#include <array>

class ClickLabel;
class PictureBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class SignalPictures;
class TickTimer;

// The main window: every control of the trainer and all of its event handlers.
// Controls carry their two-character codes as member and object names.
class TA0 : public QWidget
{
    Q_OBJECT

public:
    static inline const QString StartCaption = QStringLiteral("Start");
    static inline const QString StopCaption = QStringLiteral("Stop");
    static inline const QString WrongAnswer = QStringLiteral("Špatně. Zkuste to znova.");

    explicit TA0(QWidget *parent = nullptr);

    // The letter the cycler holds now, brought up to date with the ticks counted so far,
    // and the letter whose picture is to be guessed.
    QString cyclerLetter();
    QString letterToGuess() const { return F4; }
    const ScoreBoard &score() const { return m_score; }
    QString unlockProgress() const { return m_recogniser.progress(); }
    // Pictures that could not be loaded, one line each; empty when all are fine.
    QStringList pictureFailures() const;

    // Assigns the letter to guess; every assignment, also of the letter it holds, shows it.
    void setF4(const QString &text);

    // Handlers, public so that tests can drive single steps the way events would.
    void FormKeyPress(const QString &key);
    void B5Click();
    void F4Change();
    void F5Timer();
    // Steps the cycler on by `ticks` ticks of F5, in at most 25 steps however many.
    void advanceCycler(quint64 ticks);
    void F7Click();
    void F8Click();
    void F9Click();
    void G0Click();
    void RefreshScore();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void placeOnDesktop();
    void loadPictures();
    void deliverTypedKeys(const QKeyEvent &event);
    void showLetter(const QString &text);
    void catchUpCycler();
    void checkAnswer(const QString &folded);
    void toggleHiddenMode();
    template <typename Body> void guarded(const QString &message, Body &&body);

    QLabel *B3 = nullptr;
    QLabel *B4 = nullptr;
    PictureBox *B2 = nullptr;
    PictureBox *B0 = nullptr;
    QLabel *B1 = nullptr;
    std::array<PictureBox *, SignalTable::Count> m_holders{};
    QLabel *F6 = nullptr;
    QGroupBox *C2 = nullptr;
    QLabel *C3 = nullptr;
    QGroupBox *C0 = nullptr;
    QLabel *C1 = nullptr;
    QGroupBox *B8 = nullptr;
    QLabel *B9 = nullptr;
    ClickLabel *G0 = nullptr;
    ClickLabel *F9 = nullptr;
    QPushButton *B5 = nullptr;
    QGroupBox *B6 = nullptr;
    QLabel *B7 = nullptr;
    ClickLabel *F7 = nullptr;
    ClickLabel *F8 = nullptr;
    QGroupBox *C4 = nullptr;
    QLabel *C5 = nullptr;
    // The cycler and the letter to guess are plain values: nothing shows them,
    // and the cycler changes a thousand times a second.
    QString F3 = QStringLiteral("A");
    QString F4 = QStringLiteral("A");
    TickTimer *F5 = nullptr;

    ScoreBoard m_score;
    UnlockRecogniser m_recogniser;
    SignalPictures *m_pictures = nullptr;
    // Set once a failing tick has been reported, so that a fault that repeats on every
    // tick shows one box rather than a thousand a second; a good tick clears it.
    bool m_tickFailureReported = false;
};
