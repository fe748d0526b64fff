// The sound component: WAV files and generated tones through the platform.
#pragma once

#include <string>

namespace qs {

class Platform;

class SoundComponent {
public:
    explicit SoundComponent(Platform& platform) : platform_(platform) {}
    bool Play(const std::string&) { return false; }
    void Tone(const std::string&, int, int) {}
    void Poll() {}
    void Stop() {}

private:
    [[maybe_unused]] Platform& platform_;
};

}  // namespace qs
