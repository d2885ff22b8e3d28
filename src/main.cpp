// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "a00.h"
#include "applicationtitle.h"
#include "windowsystem.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    prepareWindowSystem();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vlajkor"));
    QApplication::setApplicationDisplayName(ApplicationTitle);
    // Lets docks match the window to its menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("cz.vlajkor.vlajkor"));

    TA0 A0;
    A0.show();
    return app.exec();
}
