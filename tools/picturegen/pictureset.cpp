// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictureset.h"

#include "emblem.h"
#include "figure.h"
#include "jpegwriter.h"
#include "semaphore.h"

#include <QSaveFile>

#include <stdexcept>

namespace pictureset {
namespace {

// Larger icons for desktop menus, each drawn at its own size.
constexpr int menuIconSizes[] = {48, 64, 128, 256};

// A fixed resolution keeps the files independent of the screen they were made on.
QImage withFixedResolution(QImage image)
{
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error(QStringLiteral("cannot write %1: %2")
                                     .arg(path, file.errorString())
                                     .toStdString());
}

void saveImage(const QString &path, const QImage &image, const char *format)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !withFixedResolution(image).save(&file, format)
        || !file.commit())
        throw std::runtime_error(QStringLiteral("cannot write %1: %2")
                                     .arg(path, file.errorString())
                                     .toStdString());
}

} // namespace

std::vector<NamedImage> signalPictures()
{
    std::vector<NamedImage> pictures;
    for (const Signal &signal : semaphore::alphabet())
        pictures.push_back({semaphore::fileName(signal), figure::picture(signal)});
    return pictures;
}

std::vector<NamedImage> emblems()
{
    std::vector<NamedImage> images{{QStringLiteral("logo.bmp"), emblem::logo()},
                                   {QStringLiteral("icon.png"), emblem::smallIcon(32)},
                                   // for the Windows program's icon file, beside the 32 and 48
                                   {QStringLiteral("icon-16.png"), emblem::smallIcon(16)}};
    for (int size : menuIconSizes)
        images.push_back({QStringLiteral("icon-%1.png").arg(size),
                          emblem::draw(size, Qt::transparent, true)});
    return images;
}

void writeAll(const QDir &folder)
{
    if (!folder.exists() && !QDir().mkpath(folder.path()))
        throw std::runtime_error(QStringLiteral("cannot create %1").arg(folder.path()).toStdString());
    for (const NamedImage &picture : signalPictures()) {
        const QString path = folder.filePath(picture.fileName);
        try {
            writeFile(path, JpegWriter::encode(picture.image));
        } catch (const JpegError &error) {
            throw std::runtime_error(QStringLiteral("cannot encode %1: %2")
                                         .arg(path, QString::fromLocal8Bit(error.what()))
                                         .toStdString());
        }
    }
    for (const NamedImage &image : emblems()) {
        const bool bitmap = image.fileName.endsWith(QLatin1String(".bmp"));
        saveImage(folder.filePath(image.fileName), image.image, bitmap ? "BMP" : "PNG");
    }
}

} // namespace pictureset
