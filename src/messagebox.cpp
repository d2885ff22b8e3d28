#include "messagebox.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

MessageBox::MessageBox(QWidget *parent, const QString &text)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_text(new QLabel(text, this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("MessageBox"));
    setWindowTitle(Title);
    setModal(true);

    m_text->setObjectName(QStringLiteral("MessageText"));
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setMaximumWidth(screen()->availableGeometry().width() / 2);

    // Enter presses the default button; QDialog already turns Escape into a reject.
    m_ok->setObjectName(QStringLiteral("MessageOk"));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_text);
    layout->addWidget(m_ok, 0, Qt::AlignHCenter);
}

void MessageBox::inform(QWidget *parent, const QString &text)
{
    MessageBox box(parent, text);
    box.exec();
}

void MessageBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->geometry().center());
    move(frame.topLeft());
}
