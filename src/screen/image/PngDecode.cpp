#include <csetjmp>
#include <cstring>

#include <png.h>

#include "screen/image/ImageDecode.h"

namespace qs {

namespace {

struct PngReadContext {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t pos = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
    std::vector<png_bytep> rows;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t length) {
    auto* ctx = static_cast<PngReadContext*>(png_get_io_ptr(png));
    if (length > ctx->size - ctx->pos) png_error(png, "truncated");
    std::memcpy(out, ctx->data + ctx->pos, length);
    ctx->pos += length;
}

void IgnoreWarning(png_structp, png_const_charp) {}

// Damaged files are expected; leave quietly instead of printing.
[[noreturn]] void QuietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// Holds no objects with destructors: libpng leaves it by longjmp on error.
bool ReadAll(png_structp png, png_infop info, PngReadContext* ctx) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, ctx, ReadBytes);
    png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
    png_set_chunk_malloc_max(png, 8u << 20);
    png_read_info(png, info);
    png_uint_32 w = 0, h = 0;
    int depth = 0, colorType = 0, interlace = 0;
    png_get_IHDR(png, info, &w, &h, &depth, &colorType, &interlace, nullptr, nullptr);
    if (!AcceptableImageSize(w, h)) return false;
    if (depth == 16) png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<size_t>(w) * 4) return false;
    ctx->width = static_cast<int>(w);
    ctx->height = static_cast<int>(h);
    ctx->rgba.resize(static_cast<size_t>(w) * h * 4);
    ctx->rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y)
        ctx->rows[y] = ctx->rgba.data() + static_cast<size_t>(y) * w * 4;
    png_read_image(png, ctx->rows.data());
    png_read_end(png, nullptr);
    return true;
}

}  // namespace

std::optional<DecodedImage> DecodePng(const uint8_t* data, size_t size) {
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, IgnoreWarning);
    if (!png) return std::nullopt;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return std::nullopt;
    }
    PngReadContext ctx;
    ctx.data = data;
    ctx.size = size;
    bool ok = ReadAll(png, info, &ctx);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) return std::nullopt;

    DecodedImage img;
    img.rgb.Allocate(ctx.width, ctx.height);
    img.alpha.resize(static_cast<size_t>(ctx.width) * ctx.height);
    const uint8_t* p = ctx.rgba.data();
    size_t i = 0;
    for (int y = 0; y < ctx.height; ++y) {
        uint32_t* row = img.rgb.Row(y);
        for (int x = 0; x < ctx.width; ++x, p += 4, ++i) {
            row[x] = MakeRgb(p[0], p[1], p[2]);
            img.alpha[i] = p[3];
        }
    }
    DropOpaqueAlpha(img);
    return img;
}

}  // namespace qs
