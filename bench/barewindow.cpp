// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QLabel>
#include <QWidget>

// For comparison: a window of the trainer's size that does nothing at all. Built with
// WITH_TEXT it also shows one short label, which tells how much of any start-up goes to
// drawing text at all.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(449, 217);
#ifdef WITH_TEXT
    QLabel text(QStringLiteral("Vlajkor"), &window);
#endif
    window.show();
    return app.exec();
}
