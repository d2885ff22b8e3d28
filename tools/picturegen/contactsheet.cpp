// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "contactsheet.h"

#include "pictureset.h"

#include <QFileInfo>
#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace contactsheet {
namespace {

constexpr int pictureScale = 4; // nearest neighbour, so every pixel shows
constexpr int columns = 7;
constexpr int gap = 12;
constexpr int captionHeight = 28;
constexpr int emblemHeight = 256; // emblems are enlarged to about this size

void drawCaptioned(QPainter &painter, const QImage &image, QPoint at, const QString &caption)
{
    painter.drawImage(at, image);
    painter.drawText(QRect(at.x(), at.y() + image.height(), image.width(), captionHeight),
                     Qt::AlignCenter, caption);
}

} // namespace

QImage draw()
{
    const auto pictures = pictureset::signalPictures();
    const auto emblems = pictureset::emblems();
    const QSize cell(pictures.front().image.width() * pictureScale + gap,
                     pictures.front().image.height() * pictureScale + captionHeight + gap);
    const int pictureRows = int(pictures.size() + columns - 1) / columns;

    QList<QImage> enlargedEmblems;
    int emblemRowWidth = gap;
    for (const auto &emblem : emblems) {
        const int factor = std::max(1, int(std::lround(double(emblemHeight) / emblem.image.height())));
        enlargedEmblems.append(emblem.image.scaled(emblem.image.size() * factor));
        emblemRowWidth += enlargedEmblems.last().width() + gap;
    }
    const int tallestEmblem = std::max_element(enlargedEmblems.cbegin(), enlargedEmblems.cend(),
                                               [](const QImage &a, const QImage &b) {
                                                   return a.height() < b.height();
                                               })->height();

    QImage sheet(std::max(columns * cell.width() + gap, emblemRowWidth),
                 gap + pictureRows * cell.height() + tallestEmblem + captionHeight + gap,
                 QImage::Format_RGB32);
    sheet.fill(QColor(200, 200, 200)); // grey, so the icons' transparency shows
    QPainter painter(&sheet);
    QFont font = painter.font();
    font.setPixelSize(20);
    painter.setFont(font);

    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const QImage &picture = pictures[i].image;
        const QPoint at(gap + int(i % columns) * cell.width(), gap + int(i / columns) * cell.height());
        drawCaptioned(painter, picture.scaled(picture.size() * pictureScale), at,
                      QFileInfo(pictures[i].fileName).baseName());
    }
    int x = gap;
    for (int i = 0; i < enlargedEmblems.size(); ++i) {
        drawCaptioned(painter, enlargedEmblems[i], QPoint(x, gap + pictureRows * cell.height()),
                      emblems[std::size_t(i)].fileName);
        x += enlargedEmblems[i].width() + gap;
    }
    return sheet;
}

} // namespace contactsheet
