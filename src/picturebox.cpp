// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "picturebox.h"

#include <QPainter>

PictureBox::PictureBox(Fit fit, QWidget *parent)
    : QWidget(parent), m_fit(fit)
{
    setAttribute(Qt::WA_OpaquePaintEvent, fit == Fit::Stretch);
}

void PictureBox::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

QImage PictureBox::withTransparentKey(const QImage &picture)
{
    if (picture.isNull())
        return picture;
    QImage keyed = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = keyed.pixel(0, keyed.height() - 1);
    for (int y = 0; y < keyed.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if (line[x] == key)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return keyed;
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_picture.isNull()) {
        if (m_fit == Fit::Stretch)
            painter.fillRect(rect(), palette().window());
        return;
    }
    if (m_fit == Fit::Stretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(rect(), m_picture);
    } else {
        painter.drawImage(0, 0, m_picture);
    }
}
