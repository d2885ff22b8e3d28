// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

// The yardstick: a window of the trainer's size whose only work is a 1 ms timer. Built with
// WITH_TEXT it also shows one short label, which tells how much of the trainer's start-up
// goes to drawing any text at all.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(449, 217);
#ifdef WITH_TEXT
    QLabel text(QStringLiteral("Vlajkor"), &window);
#endif
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [] {});
    timer.start(1);
    window.show();
    return app.exec();
}
