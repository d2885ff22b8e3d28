// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDir>
#include <QImage>
#include <QString>

#include <vector>

// Everything the program shows that is drawn rather than typed: the 27
// signal pictures, the logo and the icons, as files.
namespace pictureset {

struct NamedImage {
    QString fileName;
    QImage image;
};

// The rest picture and A to Z as drawn, before encoding.
std::vector<NamedImage> signalPictures();
// The logo and every icon size.
std::vector<NamedImage> emblems();

// Writes all files into folder. Throws std::runtime_error naming the file
// that could not be written.
void writeAll(const QDir &folder);

} // namespace pictureset
