#include <algorithm>
#include <cstring>

#include <gif_lib.h>

#include "screen/image/ImageDecode.h"

namespace qs {

namespace {

struct GifSource {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t pos = 0;
};

int ReadBytes(GifFileType* gif, GifByteType* out, int length) {
    auto* src = static_cast<GifSource*>(gif->UserData);
    if (length <= 0) return 0;
    size_t n = std::min(static_cast<size_t>(length), src->size - src->pos);
    std::memcpy(out, src->data + src->pos, n);
    src->pos += n;
    return static_cast<int>(n);
}

struct GifCloser {
    GifFileType* gif;
    ~GifCloser() {
        int err = 0;
        if (gif) DGifCloseFile(gif, &err);
    }
};

// Reads the first image of the file onto a canvas of the logical screen size;
// the parts the image does not cover, and its transparent index, stay transparent.
std::optional<DecodedImage> ReadFirstFrame(GifFileType* gif) {
    int transparent = -1;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) return std::nullopt;
        if (type == TERMINATE_RECORD_TYPE) return std::nullopt;
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* ext = nullptr;
            if (DGifGetExtension(gif, &code, &ext) == GIF_ERROR) return std::nullopt;
            if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4) {
                GraphicsControlBlock gcb;
                if (DGifExtensionToGCB(ext[0], ext + 1, &gcb) == GIF_OK)
                    transparent = gcb.TransparentColor;
            }
            while (ext) {
                if (DGifGetExtensionNext(gif, &ext) == GIF_ERROR) return std::nullopt;
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE) continue;
        if (DGifGetImageDesc(gif) == GIF_ERROR) return std::nullopt;
        break;
    }

    const GifImageDesc& desc = gif->Image;
    if (!AcceptableImageSize(desc.Width, desc.Height)) return std::nullopt;
    long long sw = gif->SWidth, sh = gif->SHeight;
    if (desc.Left < 0 || desc.Top < 0) return std::nullopt;
    // Some writers leave the logical screen smaller than the image; grow it.
    sw = std::max<long long>(sw, static_cast<long long>(desc.Left) + desc.Width);
    sh = std::max<long long>(sh, static_cast<long long>(desc.Top) + desc.Height);
    if (!AcceptableImageSize(sw, sh)) return std::nullopt;
    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map || !map->Colors) return std::nullopt;

    int w = desc.Width, h = desc.Height;
    std::vector<GifPixelType> line(static_cast<size_t>(w));
    std::vector<int> rowOrder;
    rowOrder.reserve(static_cast<size_t>(h));
    if (desc.Interlace) {
        const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = start[pass]; y < h; y += step[pass]) rowOrder.push_back(y);
    } else {
        for (int y = 0; y < h; ++y) rowOrder.push_back(y);
    }

    DecodedImage img;
    img.rgb.Allocate(static_cast<int>(sw), static_cast<int>(sh), 0);
    img.alpha.assign(static_cast<size_t>(sw) * static_cast<size_t>(sh), 0);
    for (int y : rowOrder) {
        if (DGifGetLine(gif, line.data(), w) == GIF_ERROR) return std::nullopt;
        int cy = desc.Top + y;
        uint32_t* row = img.rgb.Row(cy);
        uint8_t* arow = img.alpha.data() + static_cast<size_t>(cy) * static_cast<size_t>(sw);
        for (int x = 0; x < w; ++x) {
            int idx = line[static_cast<size_t>(x)];
            int cx = desc.Left + x;
            if (idx == transparent) continue;
            if (idx < map->ColorCount) {
                const GifColorType& c = map->Colors[idx];
                row[cx] = MakeRgb(c.Red, c.Green, c.Blue);
            }
            arow[cx] = 255;
        }
    }
    DropOpaqueAlpha(img);
    return img;
}

}  // namespace

std::optional<DecodedImage> DecodeGif(const uint8_t* data, size_t size) {
    GifSource src{data, size, 0};
    int err = 0;
    GifCloser closer{DGifOpen(&src, ReadBytes, &err)};
    if (!closer.gif) return std::nullopt;
    // A zero logical screen is grown to the first image below.
    if (closer.gif->SWidth > kMaxImageSide || closer.gif->SHeight > kMaxImageSide)
        return std::nullopt;
    return ReadFirstFrame(closer.gif);
}

}  // namespace qs
