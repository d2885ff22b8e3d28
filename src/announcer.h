// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "scoreboard.h"

#include <QObject>

#include <array>

class QLabel;
class QWidget;

// What a screen reader says of the window: the names and descriptions of its controls,
// and short announcements of what a sighted learner sees change. The window tells it
// where it changes; nothing here ever names the letter to guess while it is hidden.
//
// Announcements are a notification shown afresh for each one, outside the window's
// drawn area: screen readers speak a notification as it appears, on every Qt release we
// build with, where a changed name or description of the focused control goes unspoken.
class Announcer : public QObject
{
    Q_OBJECT

public:
    // The key that starts and stops receiving: it types nothing, and desktops and screen
    // readers leave it to the program.
    static constexpr int StartStopKey = Qt::Key_F2;

    // Names the window's controls; they must have been made already.
    explicit Announcer(QWidget *window);

    void modeChanged(bool receiving);
    // The display (and the answer, F6) shows the picture of `letter` (a space: the rest position).
    void pictureChanged(const QString &letter);
    // A character typed while sending has put its picture (and itself as the answer) up.
    void letterTyped(const QString &letter);
    void scoreChanged(const ScoreBoard::Fields &fields);
    // After scoreChanged with the new score.
    void rightAnswer(const ScoreBoard::Fields &fields);
    void hiddenModeChanged(bool shown);

    // The text of the last announcement, also when nobody was there to hear it.
    QString lastAnnouncement() const { return m_lastAnnouncement; }

private:
    void announce(const QString &text);
    void answerChanged();
    QString pictureName(const QString &letter) const;

    QWidget *m_window;
    QWidget *m_picture;
    QLabel *m_answer;
    std::array<QLabel *, 5> m_numbers{};
    // Made at the first announcement a screen reader is there to hear.
    QWidget *m_notice = nullptr;
    QString m_lastAnnouncement;
    bool m_receiving = false;
    bool m_answerShown = false;
};
