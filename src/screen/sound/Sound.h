// The sound component: WAV files and generated tones through the platform.
// Files overlap freely; tones play one after another, with room for one
// waiting tone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qs {

class Platform;

// The length a tone of frequency Hz asked to last ms plays: the whole
// periods that fit in ms, stretched by half (the trainer's tones were
// always heard that long). Frequencies below 10 Hz count as 10.
int TonePlayMillis(int frequency, int ms);

// A generated tone file: 2 s of 16-bit mono PCM at 22050 samples per second,
// a sine with a few softer overtones, faded in so that it starts cleanly.
std::vector<uint8_t> MakeToneWav(int frequency);

class SoundComponent {
public:
    explicit SoundComponent(Platform& platform) : platform_(platform) {}

    // Starts a WAV file (a real path); false when it could not be started.
    bool Play(const std::string& realPath);
    // Plays the tone file "<frequency>.wav" of wavsFolder (a real folder
    // ending in '/'), making it first when it is missing. While a tone is
    // playing the request waits; a further one while one waits is dropped.
    void Tone(const std::string& wavsFolder, int frequency, int ms);
    // Takes the finished sounds and starts the waiting tone once the
    // playing one is over.
    void Poll();
    // Stops every sound, forgets the waiting tone and deletes the tone
    // files this component made.
    void Stop();

    bool TonePlaying() const { return toneHandle_ != 0; }
    bool ToneWaiting() const { return waiting_.has_value(); }
    // Whether the end of a sound changes anything: a tone is playing (and
    // may have one waiting to follow it). A file that ends changes nothing
    // the program can see.
    bool EndMatters() const { return toneHandle_ != 0 || waiting_.has_value(); }

private:
    struct ToneRequest {
        std::string folder;
        int frequency = 0;
        int ms = 0;
    };

    void StartTone(const ToneRequest& request);
    void Forget(int handle);

    Platform& platform_;
    std::vector<int> open_;  // handles of sounds that have not finished
    int toneHandle_ = 0;
    std::optional<ToneRequest> waiting_;
    std::vector<std::string> generated_;
};

}  // namespace qs
