// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "messagebox.h"

#include "applicationtitle.h"
#include "modalfocus.h"
#include "windowkeeper.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

MessageBox::MessageBox(QWidget *parent, const QString &text)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_text(new QLabel(text, this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("MessageBox"));
    setWindowTitle(ApplicationTitle);
    setModal(true);

    m_text->setObjectName(QStringLiteral("MessageText"));
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    // A wrapping label in a layout picks a narrow width of its own; give it the width
    // the text needs on one line, wrapping only past half the screen.
    const int limit = screen()->availableGeometry().width() / 2;
    const QRect needed = m_text->fontMetrics().boundingRect(QRect(0, 0, limit, 1 << 20), Qt::TextWordWrap, text);
    m_text->setFixedWidth(std::min(limit, needed.width() + 2));

    // Enter presses the default button; QDialog already turns Escape into a reject.
    m_ok->setObjectName(QStringLiteral("MessageOk"));
    m_ok->setMinimumWidth(ButtonWidth);
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_text);
    layout->addWidget(m_ok, 0, Qt::AlignHCenter);
    // The layout fixes the box at its size hint, which a minimum width of the box does not enter.
    layout->addStrut(MinimumWidth);
    // Sized now, so that it can be placed before it is shown.
    layout->activate();
    new WindowKeeper(this);

    // Keys belong to the box while it is open, even after a click on the main window.
    returnFocusToModalOnClicks();
}

void MessageBox::inform(QWidget *parent, const QString &text)
{
    MessageBox box(parent, text);
    box.exec();
}
