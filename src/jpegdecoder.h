// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <stdexcept>

class QByteArray;

// Thrown when picture data cannot be turned into an image; what() says why.
class PictureError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Decodes JPEG data with libjpeg-turbo to a 24-bit RGB image at full size.
// libjpeg's own error handler would end the process; here every fault,
// including the warnings that truncated or damaged data raise, becomes a PictureError.
class JpegDecoder
{
public:
    // Larger pictures are refused before any memory is reserved for them.
    static constexpr int MaxSide = 4096;

    static QImage decode(const QByteArray &data);
};
