// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QGroupBox>

#include <optional>

// The group box each score sits in, whose title is never cut. The style draws a title's top
// line at the box's top edge, so where a face's accents rise above its ascent (the acute of
// "Ú" in Wine's Tahoma at 150 %) they would be lost; such a box is drawn that much lower,
// frame and title together. Where the ink keeps to the ascent, as in DejaVu Sans at the
// window's 11 px, it is drawn just as a plain group box. The score boxes side by side, a
// row sharing one font and style, are lowered together, by the most any of their titles
// needs, so that their frames stay in line.
class ScoreBox : public QGroupBox
{
    Q_OBJECT

public:
    using QGroupBox::QGroupBox;

    // Whether every title of this box's row lies whole on its box in `font`, where the style
    // and the row's drop put it.
    bool rowFits(const QFont &font) const;

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // This box and the score boxes beside it.
    QList<ScoreBox *> row() const;
    // How far the row is drawn lower: the most its titles' ink, with the top of their line at
    // `titleTop`, rises above the box in `metrics`.
    int rowDrop(const QFontMetrics &metrics, int titleTop) const;

    // The row's drop in its font and style, once measured by whichever box is painted first.
    std::optional<int> m_drop;
};
