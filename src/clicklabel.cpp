// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clicklabel.h"

#include <QMouseEvent>

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent *)
{
    m_pressed = false;
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = m_pressed && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}
