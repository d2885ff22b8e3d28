// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>

#include <stdexcept>

class JpegError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Baseline JFIF at the highest quality: every quantisation value 1, colour
// difference sampled at half resolution both ways, standard Huffman tables,
// the JFIF header and nothing else.
class JpegWriter
{
public:
    // Throws JpegError when libjpeg refuses the image.
    static QByteArray encode(const QImage &image);
};
