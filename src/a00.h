// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "scoreboard.h"
#include "signaltable.h"
#include "unlockrecogniser.h"

#include <QColor>
#include <QStringList>
#include <QWidget>

#include <array>
#include <utility>

class Announcer;
class ClickLabel;
class PictureBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class ScoreBox;
class SignalPictures;
class TickTimer;

// The main window: every control of the trainer and all of its event handlers.
//
// Names: what the design names keeps its design name, spelt as the design spells it: the
// controls' two-character codes (also their object names, so tests find them), the
// handlers (`FormKeyPress`, `B5Click`, …) and the program-wide variables `GainedPoints`,
// `PenaltyPoints` (in ScoreBoard) and `UnlockProgress` (in UnlockRecogniser). Everything
// this program adds of its own is camelCase, and its data members carry `m_`.
//
// State lives in the controls where the design puts it: the mode is B5's caption ("Start"
// while sending, "Stop" while receiving) and the hidden mode is F6's visibility.
class TA0 : public QWidget
{
    Q_OBJECT

public:
    static inline const QString StartCaption = QStringLiteral("Start");
    static inline const QString StopCaption = QStringLiteral("Stop");
    static inline const QString WrongAnswer = QStringLiteral("Špatně. Zkuste to znova.");

    explicit TA0(QWidget *parent = nullptr);

    // The letter the cycler holds now, brought up to date with the ticks counted so far.
    QString cyclerLetter();
    QString letterToGuess() const { return F4; }
    const ScoreBoard &score() const { return m_score; }
    QString unlockProgress() const { return m_recogniser.progress(); }
    // Pictures that could not be loaded, one line each; empty when all are fine.
    QStringList pictureFailures() const;

    // Assigns the letter to guess; every assignment, also of the letter it holds, shows it.
    void setF4(const QString &text);

    // The handlers, public so that tests can drive single steps the way events would.
    // FormKeyPress: one typed character, from the window or from B5: in sending mode it
    // shows the letter's picture, in receiving mode it is checked as an answer; then it
    // goes on to the hidden sequence's recogniser.
    void FormKeyPress(const QString &key);
    // B5Click: Start/Stop; switches between sending and receiving.
    void B5Click();
    // F4Change: the letter display; puts the picture of the letter to guess (F4) into B2
    // and the letter into F6. Runs on every assignment of F4.
    void F4Change();
    // F5Timer: one tick of F5; steps the cycler (F3) on to the next letter, Z round to A.
    void F5Timer();
    // Steps the cycler on by `ticks` ticks of F5, in at most 25 steps however many.
    void advanceCycler(quint64 ticks);
    // F7Click: takes a gained point away (never below 0). F8Click: adds a gained point.
    // F9Click: takes a penalty point away (never below 0). G0Click: adds a penalty point.
    void F7Click();
    void F8Click();
    void F9Click();
    void G0Click();
    // RefreshScore: writes the five score fields from the two counters.
    void RefreshScore();

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    // Whether every text in the window's own font fits its control in `font`.
    bool textsFit(const QFont &font) const;
    void loadPictures();
    // Whether the key starts or stops receiving, which it then does.
    bool startStopKey(const QKeyEvent &event);
    void deliverTypedKeys(const QKeyEvent &event);
    void showLetter(const QString &text);
    void catchUpCycler();
    void checkAnswer(const QString &folded);
    // The answer and the signs are seen only in the hidden mode: their faces are checked,
    // and others taken where need be, when it is first shown, which spares every start
    // loading two more faces.
    void chooseHiddenModeFonts();
    void toggleHiddenMode();
    void followColourScheme();
    template <typename Body> void guarded(const QString &message, Body &&body);

    // The controls, grouped by where they are on screen; within a group in the order they
    // are created, which is also the order in which overlapping ones paint.

    // Letter display, top middle.
    PictureBox *B2 = nullptr; // the display: the picture of the letter shown, at twice its size
    QLabel *F6 = nullptr;     // the letter shown, white, over B2's lower left corner; hidden mode only

    // Top left: logo and about text.
    PictureBox *B0 = nullptr; // the logo, two crossed flags, cyan see-through
    QLabel *B1 = nullptr;     // "Vlajkor - v1.0 …", the about text

    // Top right: instructions and the button.
    QLabel *B3 = nullptr;      // sending instructions, shown while sending
    QLabel *B4 = nullptr;      // receiving instructions, shown while receiving, in B3's place
    QPushButton *B5 = nullptr; // Start/Stop; its caption is the mode

    // Score row along the bottom, left to right: a group box (caption) with its number label.
    ScoreBox *B6 = nullptr;  // "Získané body"
    QLabel *B7 = nullptr;    //   gained points, green
    ScoreBox *B8 = nullptr;  // "Trestné body"
    QLabel *B9 = nullptr;    //   penalty points, red
    ScoreBox *C0 = nullptr;  // "Body celkem"
    QLabel *C1 = nullptr;    //   total: gained − penalty, blue
    ScoreBox *C2 = nullptr;  // "Počet pokusů"
    QLabel *C3 = nullptr;    //   attempts: gained + penalty, olive
    ScoreBox *C4 = nullptr;  // "Úspěšnost"
    QLabel *C5 = nullptr;    //   success rate, purple; "- - %" before any attempt

    // Hidden mode: shown and hidden together with F6 by the hidden key sequence.
    ClickLabel *F7 = nullptr; // "-" at the left end of B6: takes a gained point away
    ClickLabel *F8 = nullptr; // "+" at the right end of B6: adds a gained point
    ClickLabel *F9 = nullptr; // "-" at the left end of B8: takes a penalty point away
    ClickLabel *G0 = nullptr; // "+" at the right end of B8: adds a penalty point

    // Invisible parts.
    // C6 … F2: the 27 picture holders, below the client area and never shown: C6 the rest
    // position (space), C7 "A" … F2 "Z". B2 shows copies of their pictures.
    std::array<PictureBox *, SignalTable::Count> m_holders{};
    // F3, the cycler, and F4, the letter to guess, are plain values: nothing shows them.
    QString F3 = QStringLiteral("A");
    QString F4 = QStringLiteral("A");
    // F5: the 1 ms tick that drives the cycler; its ticks are counted, not delivered.
    TickTimer *F5 = nullptr;

    // The score numbers' own colours, by which the learner knows the fields; each is drawn
    // as near to it as the colour scheme's background allows.
    std::array<std::pair<QLabel *, QColor>, 5> m_numberColours{};
    bool m_recolourQueued = false;

    ScoreBoard m_score;              // GainedPoints and PenaltyPoints
    UnlockRecogniser m_recogniser;   // UnlockProgress, the hidden sequence typed so far
    SignalPictures *m_pictures = nullptr; // decodes the holders' pictures, at first use at the latest
    Announcer *m_announcer = nullptr;      // what a screen reader says of the window
    // Set once a failing tick has been reported, so that a fault that repeats on every step
    // shows one box rather than one per step; a good tick clears it.
    bool m_tickFailureReported = false;
    bool m_hiddenModeFontsChosen = false;
};
