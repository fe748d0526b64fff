#include "screen/image/PngEncode.h"

#include <csetjmp>

#include <png.h>

namespace qs {

namespace {

struct WriteContext {
    const Bitmap* bitmap = nullptr;
    std::vector<uint8_t> out;
    std::vector<uint8_t> row;
};

void WriteBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* ctx = static_cast<WriteContext*>(png_get_io_ptr(png));
    ctx->out.insert(ctx->out.end(), data, data + length);
}

void FlushNothing(png_structp) {}

void IgnoreWarning(png_structp, png_const_charp) {}

// Damaged files are expected; leave quietly instead of printing.
[[noreturn]] void QuietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// Kept free of objects with destructors: libpng leaves it by longjmp on error.
bool WriteAll(png_structp png, png_infop info, WriteContext* ctx) {
    if (setjmp(png_jmpbuf(png))) return false;
    const Bitmap& bm = *ctx->bitmap;
    png_set_write_fn(png, ctx, WriteBytes, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(bm.Width()),
                 static_cast<png_uint_32>(bm.Height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 6);
    png_write_info(png, info);
    uint8_t* row = ctx->row.data();
    for (int y = 0; y < bm.Height(); ++y) {
        const uint32_t* src = bm.Row(y);
        for (int x = 0; x < bm.Width(); ++x) {
            row[3 * x] = static_cast<uint8_t>(src[x] >> 16);
            row[3 * x + 1] = static_cast<uint8_t>(src[x] >> 8);
            row[3 * x + 2] = static_cast<uint8_t>(src[x]);
        }
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

}  // namespace

std::vector<uint8_t> EncodePng(const Bitmap& bitmap) {
    if (bitmap.Empty()) return {};
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, IgnoreWarning);
    if (!png) return {};
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return {};
    }
    WriteContext ctx;
    ctx.bitmap = &bitmap;
    ctx.row.resize(static_cast<size_t>(bitmap.Width()) * 3);
    bool ok = WriteAll(png, info, &ctx);
    png_destroy_write_struct(&png, &info);
    if (!ok) return {};
    return std::move(ctx.out);
}

}  // namespace qs
