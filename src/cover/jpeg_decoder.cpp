#include "cover/jpeg_decoder.h"

// jpeglib.h needs size_t and FILE declared first.
#include <csetjmp>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include "text/limits.h"

namespace {

// A progressive file of the largest cover allowed keeps every coefficient: more than this
// (at 2 bytes each) is a file built to exhaust memory.
constexpr long kMostMemory = 256L * 1024 * 1024;
// Common encoders write at most a dozen scans; each one decodes the whole image again.
constexpr int kMostScans = 100;

struct Errors {
    jpeg_error_mgr manager;
    jpeg_progress_mgr progress;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
    bool tooLarge;
};

[[noreturn]] void Escape(j_common_ptr info) {
    auto* errors = reinterpret_cast<Errors*>(info->err);
    errors->manager.format_message(info, errors->message);
    const int code = errors->manager.msg_code;
    errors->tooLarge |= code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE;
    std::longjmp(errors->escape, 1);
}

// libjpeg's progress monitor, called at least once a scan.
void OnProgress(j_common_ptr info) {
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMostScans) {
        auto* errors = reinterpret_cast<Errors*>(info->err);
        errors->tooLarge = true;
        std::longjmp(errors->escape, 1);
    }
}

// libjpeg calls warnings level -1: a corrupt file that it would go on decoding.
void OnMessage(j_common_ptr info, int level) {
    if (level < 0) {
        Escape(info);
    }
}

// The largest of 1, 2, 4, 8 that keeps the longer side at least `atLeast`.
unsigned Denominator(JDIMENSION longer, int atLeast) {
    unsigned denominator = 1;
    while (denominator < 8 && longer / (denominator * 2) >= static_cast<JDIMENSION>(atLeast)) {
        denominator *= 2;
    }
    return denominator;
}

// Adobe's CMYK JPEGs are stored inverted.
void CmykToRgb(const JSAMPLE* cmyk, QRgb* rgb, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
        const int k = cmyk[3];
        rgb[x] = qRgb(cmyk[0] * k / 255, cmyk[1] * k / 255, cmyk[2] * k / 255);
    }
}

// Between setjmp and a longjmp nothing with a destructor may begin its life here: the
// image is made by the caller.
bool Decode(jpeg_decompress_struct& info, Errors& errors, const QByteArray& bytes, int atLeast,
            QImage& image, QSize& size) {
    if (setjmp(errors.escape) != 0) {
        return false;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kMostMemory;
    info.progress = &errors.progress;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    size = QSize(static_cast<int>(info.image_width), static_cast<int>(info.image_height));
    if (std::uint64_t{info.image_width} * info.image_height > velmora::kMostCoverPixels) {
        errors.tooLarge = true;
        return false;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    info.scale_num = 1;
    info.scale_denom = Denominator(std::max(info.image_width, info.image_height), atLeast);
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                   QImage::Format_RGB32);
    if (image.isNull()) {
        return false;
    }
    // From libjpeg's own pool, which jpeg_destroy_decompress frees on every path.
    JSAMPARRAY row = cmyk ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info),
                                                      JPOOL_IMAGE, info.output_width * 4, 1)
                          : nullptr;
    while (info.output_scanline < info.output_height) {
        auto* line =
            reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(info.output_scanline)));
        JSAMPROW target = cmyk ? row[0] : reinterpret_cast<JSAMPROW>(line);
        jpeg_read_scanlines(&info, &target, 1);
        if (cmyk) {
            CmykToRgb(row[0], line, info.output_width);
        }
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

DecodedJpeg DecodeJpeg(const QByteArray& bytes, int atLeast) {
    jpeg_decompress_struct info{};
    Errors errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = Escape;
    errors.manager.emit_message = OnMessage;
    errors.progress.progress_monitor = OnProgress;
    DecodedJpeg decoded;
    if (!Decode(info, errors, bytes, atLeast, decoded.image, decoded.size)) {
        decoded.image = QImage();
        decoded.error = QString::fromLocal8Bit(errors.message);
        decoded.tooLarge = errors.tooLarge;
    }
    jpeg_destroy_decompress(&info);
    return decoded;
}
