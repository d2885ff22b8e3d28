// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The program's one kind of message: a modal box captioned with the application
// title, no icon, the text wrapped at half the screen width and a single "OK"
// button that Enter and Escape press too. It opens centred on the monitor that shows its
// parent.
// While it is open the main window takes no input, but its timers keep running.
class MessageBox : public QDialog
{
    Q_OBJECT

public:
    MessageBox(QWidget *parent, const QString &text);

    // Shows `text` and returns when the box has been closed.
    static void inform(QWidget *parent, const QString &text);

private:
    // Wide enough for the caption centred on a title bar with three buttons at its right
    // (Qt draws such a bar on Wayland), and a button of the usual size.
    static constexpr int MinimumWidth = 220;
    static constexpr int ButtonWidth = 75;

    QLabel *m_text = nullptr;
    QPushButton *m_ok = nullptr;
};
