// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QWidget>

// An image control. Stretched, it fills its whole area without keeping the aspect
// ratio and without smoothing, so each picture pixel becomes a sharp block; otherwise
// the picture is drawn at its own size from the top left corner.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    enum class Fit { Stretch, Natural };

    explicit PictureBox(Fit fit, QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    QImage picture() const { return m_picture; }

    // A copy of `picture` in which the colour of its lower left pixel is see-through,
    // the way a transparent bitmap is drawn over a window.
    static QImage withTransparentKey(const QImage &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Fit m_fit;
    QImage m_picture;
};
