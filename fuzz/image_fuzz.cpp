// libFuzzer target for the picture decoders: any input must either be refused or
// give a consistent picture, without crashing, leaking or reading out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "screen/image/ImageDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    auto img = qs::DecodeImage(bytes);
    if (!img) return 0;
    const int w = img->rgb.Width(), h = img->rgb.Height();
    if (!qs::AcceptableImageSize(w, h)) std::abort();
    if (!img->alpha.empty() && img->alpha.size() != size_t(w) * size_t(h)) std::abort();
    // Touch every pixel so that the sanitizers see uninitialised or short buffers.
    uint32_t sum = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) sum += img->rgb.Pixel(x, y);
    volatile uint32_t sink = sum;
    (void)sink;
    return 0;
}
