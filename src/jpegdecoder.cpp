// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "jpegdecoder.h"

#include <QByteArray>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void failDecoding(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    cinfo->err->format_message(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings (level -1) mean the data is damaged: an embedded picture must be whole, so they fail too.
void emitMessage(j_common_ptr cinfo, int level)
{
    if (level < 0)
        failDecoding(cinfo);
}

// Everything that must survive a longjmp lives here, reached through a pointer,
// so its state is always the one last stored.
struct DecodeJob
{
    const QByteArray *data = nullptr;
    QImage image;
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    bool tooLarge = false;
};

// Holds only trivially destructible locals, as setjmp requires.
bool runDecode(DecodeJob *job)
{
    job->cinfo.err = jpeg_std_error(&job->err.pub);
    job->err.pub.error_exit = failDecoding;
    job->err.pub.emit_message = emitMessage;
    if (setjmp(job->err.jump)) {
        jpeg_destroy_decompress(&job->cinfo);
        return false;
    }
    jpeg_create_decompress(&job->cinfo);
    jpeg_mem_src(&job->cinfo, reinterpret_cast<const unsigned char *>(job->data->constData()),
                 static_cast<unsigned long>(job->data->size()));
    jpeg_read_header(&job->cinfo, TRUE);
    if (job->cinfo.image_width > JpegDecoder::MaxSide || job->cinfo.image_height > JpegDecoder::MaxSide) {
        job->tooLarge = true;
        jpeg_destroy_decompress(&job->cinfo);
        return false;
    }
    job->cinfo.out_color_space = JCS_RGB;
    job->cinfo.dct_method = JDCT_FLOAT;
    jpeg_start_decompress(&job->cinfo);
    job->image = QImage(int(job->cinfo.output_width), int(job->cinfo.output_height), QImage::Format_RGB888);
    if (job->image.isNull()) {
        std::snprintf(job->err.message, sizeof job->err.message, "out of memory");
        jpeg_destroy_decompress(&job->cinfo);
        return false;
    }
    while (job->cinfo.output_scanline < job->cinfo.output_height) {
        JSAMPROW row = job->image.scanLine(int(job->cinfo.output_scanline));
        jpeg_read_scanlines(&job->cinfo, &row, 1);
    }
    jpeg_finish_decompress(&job->cinfo);
    jpeg_destroy_decompress(&job->cinfo);
    return true;
}

} // namespace

QImage JpegDecoder::decode(const QByteArray &data)
{
    if (data.isEmpty())
        throw PictureError("no data");
    DecodeJob job;
    job.data = &data;
    if (!runDecode(&job)) {
        if (job.tooLarge)
            throw PictureError("picture larger than " + std::to_string(MaxSide) + " pixels a side");
        throw PictureError(job.err.message);
    }
    return job.image;
}
