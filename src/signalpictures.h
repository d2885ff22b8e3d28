// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "signaltable.h"

#include <QObject>
#include <QStringList>

#include <array>

class PictureBox;
class QByteArray;
class QImage;
class QWidget;

// Loads the 27 signal pictures into their hidden holders. Decoding all of them took a
// sixth of the work before the window first appeared, yet the first paint shows only the
// rest position; so each holder decodes its picture the first time it is read, and once
// the window has been painted the ones still waiting are decoded in one go. A letter typed
// before then shows its picture at once all the same. Pictures that cannot be loaded are
// listed in one message after that first paint.
class SignalPictures : public QObject
{
    Q_OBJECT

public:
    using Holders = std::array<PictureBox *, SignalTable::Count>;

    // `window` holds the holders; its first paint starts the decoding of the rest.
    // Made after the holders, so that it is destroyed after them too.
    SignalPictures(QWidget *window, const Holders &holders);

    // The pictures that could not be loaded, one line each, in the order of the rows;
    // decodes first whatever is still waiting, so that the list is complete.
    QStringList failures() const;

    // Decodes one letter picture. Throws a PictureError when `data` is not a JPEG of
    // exactly 79 × 75 pixels: any other size would come out squeezed or stretched.
    static QImage decode(const QByteArray &data);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QImage load(int row);
    void loadRest();

    QWidget *m_window;
    Holders m_holders;
    // Why each row's picture could not be loaded; empty for those that loaded or wait.
    std::array<QString, SignalTable::Count> m_failures;
};
