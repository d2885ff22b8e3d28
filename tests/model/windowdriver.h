// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "trainermodel.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <utility>

class QDialog;
class QWidget;
class TA0;

// Works the real window the way a person does, with keys and clicks through its window
// handle, and reads back everything a person can see of it. The cycler's timer is
// stopped before the window first runs, so ticks count only when tick() asks for them.
class WindowDriver
{
public:
    WindowDriver();
    ~WindowDriver();

    // Empty when the window came up shown and active with all its pictures.
    QString setupProblem() const { return m_setupProblem; }

    struct Key
    {
        int code = 0; // a Qt::Key
        QString text;
        bool shift = false;
    };
    void type(const Key &key);
    void tick(quint64 ticks);
    void click(const QString &code);
    void doubleClick(const QString &code);

    // Every message box that opens while an action runs is handed to this handler,
    // which must close it; a box that it leaves open is closed for it, and reported.
    using BoxHandler = std::function<void(QDialog *box)>;
    void setBoxHandler(BoxHandler handler) { m_boxHandler = std::move(handler); }

    // The ways of closing a box that a person has.
    enum class Close { OkButton, Enter, KeypadEnter, Escape };
    static void close(QDialog *box, Close how);

    // What the window shows now. The picture row is -1 when the display shows none of the
    // 27 pictures; `likelyRow` is only the one compared first, to save comparing them all.
    TrainerModel::View view(int likelyRow) const;
    // True while every picture holder still has the picture it started with.
    bool holdersIntact() const;

    // Problems found while an action ran, such as a box its handler left open; taken once.
    QStringList takeProblems();
    void addProblem(const QString &problem) { m_problems << problem; }

private:
    class BoxWatch;
    template <typename Action>
    void watched(Action &&action);
    QPoint centreOf(const QString &code) const;

    std::unique_ptr<TA0> m_window;
    QList<QImage> m_holderPictures; // as they were at the start
    QString m_setupProblem;
    BoxHandler m_boxHandler;
    QStringList m_problems;
    QList<QWidget *> m_openBoxes;
};
