#include "platform/host/WavInfo.h"

#include <algorithm>
#include <cstring>

namespace qs {

namespace {
uint32_t Le32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
}  // namespace

std::optional<WavInfo> ParseWavHeader(const std::vector<uint8_t>& b) {
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 ||
        std::memcmp(b.data() + 8, "WAVE", 4) != 0)
        return std::nullopt;
    WavInfo info;
    bool haveFmt = false;
    size_t pos = 12;
    while (pos + 8 <= b.size()) {
        uint32_t len = Le32(&b[pos + 4]);
        const uint8_t* body = &b[pos + 8];
        size_t avail = b.size() - (pos + 8);
        if (std::memcmp(&b[pos], "fmt ", 4) == 0 && avail >= 16) {
            info.channels = Le16(body + 2);
            info.sampleRate = static_cast<int>(Le32(body + 4));
            info.bitsPerSample = Le16(body + 14);
            haveFmt = true;
        } else if (std::memcmp(&b[pos], "data", 4) == 0) {
            info.dataBytes = static_cast<uint32_t>(std::min<size_t>(len, avail));
            if (haveFmt) return info;
            return std::nullopt;
        }
        if (len > avail) break;
        pos += 8 + len + (len & 1);
    }
    return std::nullopt;
}

}  // namespace qs
