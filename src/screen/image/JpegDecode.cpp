#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "screen/image/ImageDecode.h"

namespace qs {

namespace {

struct JpegError {
    jpeg_error_mgr mgr;
    jmp_buf jump;
};

void ExitByJump(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<JpegError*>(cinfo->err);
    longjmp(err->jump, 1);
}

// Corrupt-data warnings are expected for damaged files; the picture is still shown.
void QuietMessage(j_common_ptr) {}

// Progressive files can hold thousands of tiny scans that take minutes to decode;
// real pictures have a dozen or so.
constexpr int kMaxScans = 256;

void LimitScans(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->is_decompressor && d->input_scan_number > kMaxScans) ExitByJump(cinfo);
}

struct JpegReadContext {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // 3 or 4 bytes per pixel, see cmyk
    bool cmyk = false;
};

// Holds no objects with destructors: libjpeg leaves it by longjmp on error.
bool ReadAll(jpeg_decompress_struct* cinfo, JpegError* err, jpeg_progress_mgr* progress,
             const uint8_t* data, size_t size, JpegReadContext* ctx) {
    if (setjmp(err->jump)) return false;
    jpeg_create_decompress(cinfo);
    cinfo->progress = progress;
    jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK) return false;
    if (!AcceptableImageSize(cinfo->image_width, cinfo->image_height)) return false;
    ctx->cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = ctx->cmyk ? JCS_CMYK : JCS_RGB;
    cinfo->mem->max_memory_to_use = 512L << 20;
    jpeg_start_decompress(cinfo);
    int comps = cinfo->output_components;
    if (comps != (ctx->cmyk ? 4 : 3)) return false;
    ctx->width = static_cast<int>(cinfo->output_width);
    ctx->height = static_cast<int>(cinfo->output_height);
    if (!AcceptableImageSize(ctx->width, ctx->height)) return false;
    size_t stride = static_cast<size_t>(ctx->width) * comps;
    ctx->pixels.resize(stride * ctx->height);
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW row = ctx->pixels.data() + stride * cinfo->output_scanline;
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1) return false;
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

}  // namespace

std::optional<DecodedImage> DecodeJpeg(const uint8_t* data, size_t size) {
    if (size == 0) return std::nullopt;
    jpeg_decompress_struct cinfo{};
    JpegError err{};
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = ExitByJump;
    err.mgr.output_message = QuietMessage;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = LimitScans;
    JpegReadContext ctx;
    bool ok = ReadAll(&cinfo, &err, &progress, data, size, &ctx);
    jpeg_destroy_decompress(&cinfo);
    if (!ok) return std::nullopt;

    DecodedImage img;
    img.rgb.Allocate(ctx.width, ctx.height);
    const uint8_t* p = ctx.pixels.data();
    for (int y = 0; y < ctx.height; ++y) {
        uint32_t* row = img.rgb.Row(y);
        for (int x = 0; x < ctx.width; ++x) {
            if (ctx.cmyk) {
                // Adobe files store inverted CMYK, which libjpeg passes through.
                int k = p[3];
                row[x] = MakeRgb(p[0] * k / 255, p[1] * k / 255, p[2] * k / 255);
                p += 4;
            } else {
                row[x] = MakeRgb(p[0], p[1], p[2]);
                p += 3;
            }
        }
    }
    return img;
}

}  // namespace qs
