#include "decoders/CmykJpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>

// libjpeg reports a fatal error through a function that must not return: it jumps back to the
// call that began the step. Everything such a step changes lives in this object, never in a
// local variable, so nothing is lost or left half-destroyed by the jump.
struct CmykJpeg::Decoder {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    std::jmp_buf failed{};
    bool created = false;

    static void fail(j_common_ptr common) {
        auto* self = reinterpret_cast<Decoder*>(common->client_data);
        std::longjmp(self->failed, 1);
    }
    // Warnings (a cut file, an odd marker) are passed over, as Qt's reader does.
    static void quiet(j_common_ptr, int) {}

    Decoder() {
        info.err = jpeg_std_error(&errors);
        errors.error_exit = fail;
        errors.emit_message = quiet;
        info.client_data = this;
    }
    ~Decoder() {
        if (created)
            jpeg_destroy_decompress(&info);
    }
};

namespace {

// The smallest scale n/8 (n from 1 to 8) at which a side of `stored` pixels keeps `wanted`.
unsigned eighthsFor(int stored, int wanted) {
    for (unsigned n = 1; n < 8; ++n) {
        if ((qint64(stored) * n + 7) / 8 >= wanted)
            return n;
    }
    return 8;
}

} // namespace

CmykJpeg::CmykJpeg(QByteArray file)
    : decoder_(std::make_unique<Decoder>()), file_(std::move(file)) {
    Decoder& d = *decoder_;
    if (setjmp(d.failed))
        return;
    jpeg_create_decompress(&d.info);
    d.created = true;
    jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(file_.constData()),
                 static_cast<unsigned long>(file_.size()));
    if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK)
        return;
    if (d.info.num_components != 4 ||
        (d.info.jpeg_color_space != JCS_CMYK && d.info.jpeg_color_space != JCS_YCCK))
        return;
    size_ = QSize(int(d.info.image_width), int(d.info.image_height));
}

CmykJpeg::~CmykJpeg() = default;

bool CmykJpeg::read(QSize atLeast) {
    if (!size_.isValid())
        return false;
    Decoder& d = *decoder_;
    if (setjmp(d.failed))
        return false;
    d.info.out_color_space = JCS_CMYK;
    d.info.scale_num = std::max(eighthsFor(size_.width(), atLeast.width()),
                                eighthsFor(size_.height(), atLeast.height()));
    d.info.scale_denom = 8;
    d.info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&d.info);
    if (d.info.output_components != 4)
        return false;
    samplesSize_ = QSize(int(d.info.output_width), int(d.info.output_height));
    samples_.resize(size_t(bytesPerLine()) * size_t(samplesSize_.height()));
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW line = samples_.data() + size_t(d.info.output_scanline) * size_t(bytesPerLine());
        jpeg_read_scanlines(&d.info, &line, 1);
    }
    jpeg_finish_decompress(&d.info);
    return true;
}
