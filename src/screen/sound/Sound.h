// The sound component: WAV files and generated tones through the platform.
#pragma once

namespace qs {

class Platform;

class SoundComponent {
public:
    explicit SoundComponent(Platform& platform) : platform_(platform) {}

private:
    Platform& platform_;
};

}  // namespace qs
