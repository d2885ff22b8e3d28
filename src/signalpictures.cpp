// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "signalpictures.h"

#include "jpegdecoder.h"
#include "messagebox.h"
#include "picturebox.h"

#include <QEvent>
#include <QFile>
#include <QTimer>

namespace {

constexpr QSize PictureSize(79, 75);

} // namespace

SignalPictures::SignalPictures(QWidget *window, const Holders &holders)
    : QObject(window), m_window(window), m_holders(holders)
{
    for (int row = 0; row < SignalTable::Count; ++row)
        m_holders[row]->setPictureLoader([this, row] { return load(row); });
    m_window->installEventFilter(this);
}

QStringList SignalPictures::failures() const
{
    for (const PictureBox *holder : m_holders)
        holder->picture();
    QStringList lines;
    for (const QString &line : m_failures) {
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

bool SignalPictures::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Paint) {
        m_window->removeEventFilter(this);
        // Posted, so that the paint is finished and on the screen first.
        QTimer::singleShot(0, this, &SignalPictures::loadRest);
    }
    return false;
}

QImage SignalPictures::decode(const QByteArray &data)
{
    QImage picture = JpegDecoder::decode(data);
    if (picture.size() != PictureSize)
        throw PictureError("unexpected size");
    return picture;
}

QImage SignalPictures::load(int row)
{
    const QString path = SignalTable::resourcePath(row);
    QFile file(path);
    try {
        if (!file.open(QIODevice::ReadOnly))
            throw PictureError("not embedded in the program");
        return decode(file.readAll());
    } catch (const PictureError &error) {
        m_failures[row] = QStringLiteral("%1: %2").arg(path.section(u'/', -1), QString::fromLocal8Bit(error.what()));
        return {};
    }
}

void SignalPictures::loadRest()
{
    const QStringList lines = failures();
    if (!lines.isEmpty())
        MessageBox::inform(m_window, QStringLiteral("Některé obrázky se nepodařilo načíst:\n") + lines.join(u'\n'));
}
