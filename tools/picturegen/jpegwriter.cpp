// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "jpegwriter.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>

namespace {

// libjpeg's own error handler ends the process; this one jumps back so the
// failure reaches the caller with libjpeg's message.
struct ErrorHandler {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void jumpOut(j_common_ptr info)
{
    auto *handler = reinterpret_cast<ErrorHandler *>(info->err);
    (*info->err->format_message)(info, handler->message);
    std::longjmp(handler->jump, 1);
}

// Collects the compressed bytes in a QByteArray owned by the caller.
struct Destination {
    jpeg_destination_mgr manager;
    QByteArray *output;
    JOCTET chunk[4096];
};

void startChunk(j_compress_ptr info)
{
    auto *destination = reinterpret_cast<Destination *>(info->dest);
    destination->manager.next_output_byte = destination->chunk;
    destination->manager.free_in_buffer = sizeof destination->chunk;
}

boolean flushChunk(j_compress_ptr info)
{
    auto *destination = reinterpret_cast<Destination *>(info->dest);
    destination->output->append(reinterpret_cast<const char *>(destination->chunk),
                                sizeof destination->chunk);
    startChunk(info);
    return TRUE;
}

void finishChunks(j_compress_ptr info)
{
    auto *destination = reinterpret_cast<Destination *>(info->dest);
    destination->output->append(reinterpret_cast<const char *>(destination->chunk),
                                qsizetype(sizeof destination->chunk
                                          - destination->manager.free_in_buffer));
}

// Only trivially destructible objects live here, so leaving by longjmp is safe.
bool compress(const QImage &rgb, Destination &destination, ErrorHandler &errors)
{
    jpeg_compress_struct info;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jumpOut;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    destination.manager.init_destination = startChunk;
    destination.manager.empty_output_buffer = flushChunk;
    destination.manager.term_destination = finishChunks;
    info.dest = &destination.manager;

    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    info.comp_info[0].h_samp_factor = 2;
    info.comp_info[0].v_samp_factor = 2;
    for (int c = 1; c < 3; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    // Fixed choices, so the same image always gives the same bytes.
    info.dct_method = JDCT_ISLOW;
    info.optimize_coding = FALSE;
    info.write_JFIF_header = TRUE;

    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

QByteArray JpegWriter::encode(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QByteArray output;
    Destination destination{};
    destination.output = &output;
    ErrorHandler errors{};
    if (!compress(rgb, destination, errors))
        throw JpegError(errors.message);
    return output;
}
