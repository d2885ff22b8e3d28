// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

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
    // The picture is made by `load` the first time it is asked for, and not before.
    void setPictureLoader(std::function<QImage()> load);
    QImage picture() const;

    // A copy of `picture` in which the colour of its lower left pixel is see-through,
    // the way a transparent bitmap is drawn over a window.
    static QImage withTransparentKey(const QImage &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Fit m_fit;
    // Filled in from m_load on first use, which reading the picture is.
    mutable QImage m_picture;
    mutable std::function<QImage()> m_load;
    // A stretched picture in the form the painter stretches fastest, made at its first paint.
    QImage m_drawn;
};
