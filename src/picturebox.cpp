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
    // The same picture again (a letter shown twice, or the space between words) keeps the
    // form made for drawing it.
    if (picture.cacheKey() != m_picture.cacheKey())
        m_drawn = QImage();
    m_picture = picture;
    update();
}

void PictureBox::setPictureLoader(std::function<QImage()> load)
{
    m_load = std::move(load);
    m_picture = QImage();
    m_drawn = QImage();
    update();
}

QImage PictureBox::picture() const
{
    if (m_load)
        m_picture = std::exchange(m_load, nullptr)();
    return m_picture;
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
        // Converted once per picture, at its first paint: in 32-bit form the painter stretches
        // with a plain scaling loop; from the decoder's 24-bit one it takes its general path,
        // which hands the work to helper threads that wake for every letter shown. The hidden
        // holders never paint, so they keep the decoder's smaller form.
        if (m_drawn.isNull())
            m_drawn = shown.convertToFormat(QImage::Format_RGB32);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(rect(), m_drawn);
    } else {
        painter.drawImage(0, 0, shown);
    }
}
