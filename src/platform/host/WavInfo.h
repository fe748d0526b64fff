// Length of a RIFF WAVE file, read from its header.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace qs {

struct WavInfo {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    uint32_t dataBytes = 0;
    int DurationMs() const {
        int frameBytes = channels * ((bitsPerSample + 7) / 8);
        if (frameBytes <= 0 || sampleRate <= 0) return 0;
        return static_cast<int>(static_cast<uint64_t>(dataBytes / frameBytes) * 1000 / sampleRate);
    }
};

std::optional<WavInfo> ParseWavHeader(const std::vector<uint8_t>& bytes);

}  // namespace qs
