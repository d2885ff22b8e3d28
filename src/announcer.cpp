// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcer.h"

#include "accessibletree.h"
#include "signaltable.h"

#include <QLabel>

namespace {

const QString SendingDescription = QStringLiteral(
    "Vysílání: obrázek ukazuje znak každého napsaného písmene. Přijímání zahájí klávesa F2.");
const QString ReceivingDescription = QStringLiteral(
    "Přijímání: napište písmeno, které ukazuje obrázek. Přijímání ukončí klávesa F2.");
const QString ReceivingStarted = QStringLiteral("Přijímání. Určete písmeno na obrázku, F2 ukončí.");
const QString SendingStarted = QStringLiteral("Vysílání. F2 zahájí přijímání.");
const QString HiddenPicture = QStringLiteral("Vysílané písmeno");
const QString RestPosition = QStringLiteral("Základní postavení");
const QString HiddenAnswer = QStringLiteral("Odpověď");
// How far below the window the notification lies: a few pixels, so that no scale's
// rounding brings it back onto the edge.
constexpr int NoticeGap = 8;

// The score fields' captions, in the order of ScoreBoard::Fields, and their labels' codes.
const std::array<const char *, 5> NumberCodes{"B7", "B9", "C1", "C3", "C5"};
const std::array<QString, 5> Captions{QStringLiteral("Získané body"), QStringLiteral("Trestné body"),
                                      QStringLiteral("Body celkem"), QStringLiteral("Počet pokusů"),
                                      QStringLiteral("Úspěšnost")};

template <typename T = QWidget>
T *control(QWidget *window, const char *code)
{
    return window->findChild<T *>(QLatin1String(code));
}

void name(QWidget *widget, QAccessible::Role role, const QString &text)
{
    AccessibleTree::setRole(widget, role);
    widget->setAccessibleName(text);
}

} // namespace

Announcer::Announcer(QWidget *window)
    : QObject(window)
    , m_window(window)
    , m_picture(control(window, "B2"))
    , m_answer(control<QLabel>(window, "F6"))
{
    AccessibleTree::setRole(window, QAccessible::Window);
    window->setAccessibleDescription(SendingDescription);
    name(control(window, "B0"), QAccessible::Graphic, QStringLiteral("Logo"));
    name(m_picture, QAccessible::Graphic, pictureName(QStringLiteral(" ")));
    name(m_answer, QAccessible::StaticText, HiddenAnswer);
    for (std::size_t i = 0; i < NumberCodes.size(); ++i) {
        m_numbers[i] = control<QLabel>(window, NumberCodes[i]);
        name(m_numbers[i]->parentWidget(), QAccessible::Grouping, Captions[i]);
        AccessibleTree::setRole(m_numbers[i], QAccessible::StaticText);
    }
    const std::array<std::pair<const char *, QString>, 4> signs{{
        {"F7", QStringLiteral("Ubrat získaný bod")},
        {"F8", QStringLiteral("Přidat získaný bod")},
        {"F9", QStringLiteral("Ubrat trestný bod")},
        {"G0", QStringLiteral("Přidat trestný bod")},
    }};
    for (const auto &[code, text] : signs)
        name(control(window, code), QAccessible::StaticText, text);
}

QString Announcer::pictureName(const QString &letter) const
{
    if (m_receiving)
        return HiddenPicture;
    return letter == u' ' ? RestPosition : QStringLiteral("Obrázek %1").arg(letter);
}

void Announcer::modeChanged(bool receiving)
{
    m_receiving = receiving;
    m_window->setAccessibleDescription(receiving ? ReceivingDescription : SendingDescription);
    announce(receiving ? ReceivingStarted : SendingStarted);
}

void Announcer::pictureChanged(const QString &letter)
{
    answerChanged();
    if (SignalTable::rowOf(letter) >= 0)
        m_picture->setAccessibleName(pictureName(letter));
}

void Announcer::letterTyped(const QString &letter)
{
    pictureChanged(letter);
    if (SignalTable::rowOf(letter) >= 0)
        announce(pictureName(letter));
}

void Announcer::scoreChanged(const ScoreBoard::Fields &fields)
{
    const std::array<const QString *, 5> shown{&fields.gained, &fields.penalty, &fields.total, &fields.attempts,
                                               &fields.rate};
    for (std::size_t i = 0; i < m_numbers.size(); ++i)
        m_numbers[i]->setAccessibleName(Captions[i] + u' ' + *shown[i]);
}

void Announcer::rightAnswer(const ScoreBoard::Fields &fields)
{
    announce(QStringLiteral("Správně, další písmeno. %1 %2, %3 %4.")
                 .arg(Captions[0], fields.gained, Captions[4], fields.rate));
}

void Announcer::hiddenModeChanged(bool shown)
{
    m_answerShown = shown;
    m_answer->setAccessibleName(shown ? m_answer->text() : HiddenAnswer);
}

void Announcer::answerChanged()
{
    // The answer's name is set, never taken from its text, so that while it is hidden no
    // event carries a new letter.
    if (m_answerShown)
        m_answer->setAccessibleName(m_answer->text());
}

void Announcer::announce(const QString &text)
{
    m_lastAnnouncement = text;
    // Without a screen reader there is nobody to tell.
    if (!QAccessible::isActive())
        return;
    if (!m_notice) {
        // Below the drawn area like the picture holders, where showing it changes no pixel,
        // and clear of the window's bottom edge: a screen reader's review of the window
        // counts an object that touches the edge as on the window, and would read the last
        // announcement as a line under the scores.
        m_notice = new QWidget(m_window);
        m_notice->setObjectName(QStringLiteral("announcement"));
        m_notice->setGeometry(0, m_window->height() + NoticeGap, 1, 1);
        AccessibleTree::setRole(m_notice, QAccessible::Notification);
    }
    m_notice->hide();
    m_notice->setAccessibleName(text);
    m_notice->show();
}
