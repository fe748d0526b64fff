// libFuzzer target: any bytes through the metafile parser and player.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "screen/metafile/Metafile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::optional<qs::Metafile> m = qs::Metafile::Parse(std::vector<uint8_t>(data, data + size));
    if (!m) return 0;
    (void)m->NaturalSize();
    qs::Bitmap target(48, 40, 0x808080);
    m->Draw(target, qs::Rect{2, 3, 46, 37});
    m->Draw(target, qs::Rect{-30, -7, 20, 500}, true);
    return 0;
}
