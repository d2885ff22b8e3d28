// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scorebox.h"

#include <QEvent>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

#include <algorithm>

namespace {

QRect titleRect(const QGroupBox *box, const QStyleOptionGroupBox &option)
{
    return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
}

} // namespace

QList<ScoreBox *> ScoreBox::row() const
{
    if (!parentWidget())
        return {const_cast<ScoreBox *>(this)};
    return parentWidget()->findChildren<ScoreBox *>(Qt::FindDirectChildrenOnly);
}

int ScoreBox::rowDrop(const QFontMetrics &metrics, int titleTop) const
{
    // The styles put every title at the same height, whatever its text, and draw it top-aligned
    // there, so its baseline lies an ascent below; the highest ink of all the titles is that of
    // the line of them.
    QStringList titles;
    for (const ScoreBox *box : row())
        titles << box->title();
    return std::max(0, -(titleTop + metrics.ascent() + metrics.tightBoundingRect(titles.join(u' ')).top()));
}

bool ScoreBox::rowFits(const QFont &font) const
{
    std::optional<int> drop;
    for (const ScoreBox *box : row()) {
        QStyleOptionGroupBox option;
        box->initStyleOption(&option);
        option.fontMetrics = QFontMetrics(font);
        const QRect title = titleRect(box, option);
        if (!drop)
            drop = rowDrop(option.fontMetrics, title.top());
        if (!box->rect().contains(title.translated(0, *drop)))
            return false;
    }
    return true;
}

void ScoreBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_drop.reset();
    QGroupBox::changeEvent(event);
}

void ScoreBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    if (!m_drop) {
        const int drop = rowDrop(option.fontMetrics, titleRect(this, option).top());
        for (ScoreBox *box : row())
            box->m_drop = drop;
    }
    if (*m_drop == 0) {
        painter.drawComplexControl(QStyle::CC_GroupBox, option);
        return;
    }
    // Styles lay the box out from its top-left corner, so moving the painter and shortening the
    // box moves the frame's top and the title down together and keeps the bottom where it is.
    // The title is drawn here, unclipped: the styles clip it to the line they measured, which
    // the accents rise above as well.
    painter.translate(0, *m_drop);
    option.rect.setHeight(option.rect.height() - *m_drop);
    option.subControls &= ~QStyle::SC_GroupBoxLabel;
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
    // Centred in the room the style leaves, as the Windows styles put it.
    painter.drawItemText(titleRect(this, option), Qt::AlignHCenter | int(option.textAlignment) | Qt::TextDontClip,
                         option.palette, isEnabled(), option.text, QPalette::WindowText);
}
