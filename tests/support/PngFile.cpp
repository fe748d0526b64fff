#include "support/PngFile.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace qs::test {

namespace {
struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;
}  // namespace

bool WritePng(const std::string& path, const Bitmap& bitmap) {
    if (bitmap.Empty()) return false;
    File f(std::fopen(path.c_str(), "wb"));
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, f.get());
    png_set_IHDR(png, info, bitmap.Width(), bitmap.Height(), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<size_t>(bitmap.Width()) * 3);
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            uint32_t p = bitmap.Pixel(x, y);
            row[x * 3] = static_cast<png_byte>(p >> 16);
            row[x * 3 + 1] = static_cast<png_byte>(p >> 8);
            row[x * 3 + 2] = static_cast<png_byte>(p);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

std::optional<Bitmap> ReadPng(const std::string& path) {
    File f(std::fopen(path.c_str(), "rb"));
    if (!f) return std::nullopt;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return std::nullopt;
    png_infop info = png_create_info_struct(png);
    Bitmap result;
    std::vector<png_byte> row;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return std::nullopt;
    }
    png_init_io(png, f.get());
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_strip_alpha(png);
    png_read_update_info(png, info);
    int w = static_cast<int>(png_get_image_width(png, info));
    int h = static_cast<int>(png_get_image_height(png, info));
    if (w <= 0 || h <= 0 || w > 16384 || h > 16384 ||
        png_get_rowbytes(png, info) != size_t(w) * 3) {
        png_destroy_read_struct(&png, &info, nullptr);
        return std::nullopt;
    }
    result.Allocate(w, h);
    row.resize(static_cast<size_t>(w) * 3);
    for (int y = 0; y < h; ++y) {
        png_read_row(png, row.data(), nullptr);
        for (int x = 0; x < w; ++x)
            result.SetPixel(x, y, MakeRgb(row[x * 3], row[x * 3 + 1], row[x * 3 + 2]));
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return result;
}

}  // namespace qs::test
