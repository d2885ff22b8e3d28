// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "trainermodel.h"
#include "windowdriver.h"

#include <QStringList>

#include <cstdint>
#include <random>

// Random steps, each applied to the real window and to the model alike, and everything a
// person could see compared after each, and inside every message box before it is closed.
class RandomWalk
{
public:
    explicit RandomWalk(std::uint64_t seed);

    QString setupProblem() const { return m_driver.setupProblem(); }
    // Compares the window as it starts. Returns what differs.
    QStringList checkStart();
    // One random step, then everything compared. Returns what went wrong, if anything.
    QStringList step(qint64 number);

    // The most recent steps, oldest first, for a failure report.
    QStringList history() const { return m_history; }
    QString coverage() const;
    // Whether the walk reached every kind of behaviour it is meant to check.
    bool coveredEverything() const;

    struct Habit
    {
        const char *name;
        int type, tick, startStop; // percent of steps; the rest click the plus and minus labels
        int minusInSix;            // how many of six of those clicks are on a minus label
    };

private:
    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(m_random); }
    void log(const QString &what);
    void compare(const QString &when);

    WindowDriver::Key chooseKey();
    void typeStep(const WindowDriver::Key &key);
    void tick();
    void clickStartStop();
    void clickAdjust();
    void onBox(QDialog *box);

    std::mt19937_64 m_random;
    const QList<WindowDriver::Key> m_pool;
    TrainerModel m_model;
    WindowDriver m_driver;
    qint64 m_number = 0;
    QStringList m_history;
    QStringList m_mismatches;
    bool m_boxExpected = false;
    int m_boxesSeen = 0;
    const Habit *m_habit = nullptr;
    int m_habitLeft = 0;
    int m_rightAnswers = 0;
    int m_wrongAnswers = 0;
    int m_modeSwitches = 0;
    int m_hiddenSwitches = 0;
    int m_adjustments = 0;
    int m_minusAtZero = 0;
};
