// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the signal pictures, the logo and the icons into a folder, and on
// request a contact sheet of them all for checking by eye.

#include "contactsheet.h"
#include "pictureset.h"

#include <QCommandLineParser>
#include <QGuiApplication>

#include <cstdio>
#include <exception>
#include <stdexcept>

int main(int argc, char *argv[])
{
    // The generator never opens a window, so it needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Draws the signal pictures, the logo and the icons."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("folder"),
                                 QStringLiteral("Where to write the pictures."));
    const QCommandLineOption sheetOption(QStringLiteral("sheet"),
                                         QStringLiteral("Also write a contact sheet PNG to <file>."),
                                         QStringLiteral("file"));
    parser.addOption(sheetOption);
    parser.process(application);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    try {
        pictureset::writeAll(QDir(parser.positionalArguments().constFirst()));
        if (parser.isSet(sheetOption)) {
            const QString path = parser.value(sheetOption);
            if (!contactsheet::draw().save(path, "PNG"))
                throw std::runtime_error("cannot write " + path.toStdString());
        }
    } catch (const std::exception &error) {
        std::fprintf(stderr, "picturegen: %s\n", error.what());
        return 1;
    }
    return 0;
}
