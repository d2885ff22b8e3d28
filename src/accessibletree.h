// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessible>

class QWidget;

// What a screen reader walks: the window's controls with the roles given here, each
// container listing only its shown children, in reading order (top to bottom, left to
// right by where they are drawn). Hidden controls are then nowhere in the tree: not the
// picture holders, nor a label whose text the learner must not hear.
//
// Widgets keep Qt's own accessible objects unless given a role here. The role is a
// property on the widget, read whenever Qt makes the widget's accessible object.
class AccessibleTree
{
public:
    static void setRole(QWidget *widget, QAccessible::Role role);

    // The shown children of `widget`, in reading order.
    static QList<QWidget *> readingOrder(const QWidget *widget);

private:
    static QAccessibleInterface *make(const QString &className, QObject *object);
};
