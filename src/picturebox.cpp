// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "picturebox.h"

#include <QPainter>

#include <utility>

PictureBox::PictureBox(Fit fit, QWidget *parent)
    : QWidget(parent), m_fit(fit)
{
    setAttribute(Qt::WA_OpaquePaintEvent, fit == Fit::Stretch);
}

void PictureBox::setPicture(const QImage &picture)
{
    m_load = nullptr;
    m_picture = forDrawing(picture);
    update();
}

void PictureBox::setPictureLoader(std::function<QImage()> load)
{
    m_load = std::move(load);
    m_picture = QImage();
    update();
}

QImage PictureBox::picture() const
{
    if (m_load)
        m_picture = forDrawing(std::exchange(m_load, nullptr)());
    return m_picture;
}

QImage PictureBox::forDrawing(const QImage &picture) const
{
    // Converted once, when the picture arrives: in this format the painter stretches with a
    // plain scaling loop; from the decoder's 24-bit one it takes its general path, which
    // hands the work to helper threads that start with the first paint and wake for every
    // letter shown. A picture copied from a box that converted it already is only shared.
    return m_fit == Fit::Stretch ? picture.convertToFormat(QImage::Format_RGB32) : picture;
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
    const QImage shown = picture();
    QPainter painter(this);
    if (shown.isNull()) {
        if (m_fit == Fit::Stretch)
            painter.fillRect(rect(), palette().window());
        return;
    }
    if (m_fit == Fit::Stretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(rect(), shown);
    } else {
        painter.drawImage(0, 0, shown);
    }
}
