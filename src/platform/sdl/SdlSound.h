// WAV playback through SDL2_mixer: overlapping sounds, each on its own mixer
// channel, with completion reported by handle.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <SDL2/SDL_mixer.h>

namespace qs {

class SdlSound {
public:
    // Opens the audio device; without one the object stays silent.
    SdlSound();
    ~SdlSound();
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    bool Available() const { return open_; }
    // A handle > 0, or 0 when the file cannot be played.
    int PlayWav(const std::string& path, int startMs, int lengthMs);
    std::vector<int> TakeFinished();
    void StopAll();
    void Beep();

private:
    struct ChunkDeleter {
        void operator()(Mix_Chunk* c) const { Mix_FreeChunk(c); }
    };
    using ChunkPtr = std::unique_ptr<Mix_Chunk, ChunkDeleter>;

    // A loaded file, remembered with the modification time and size it had,
    // so that a file written again under the same name is loaded again.
    struct Cached {
        int64_t mtimeNanos = 0;
        int64_t size = 0;
        std::shared_ptr<Mix_Chunk> chunk;
    };

    // What a mixer channel plays. Touched by the mixer's completion callback
    // (audio thread) under mutex_.
    struct Channel {
        int handle = 0;                     // 0: free; < 0: a beep, not reported
        std::shared_ptr<Mix_Chunk> source;  // keeps the file's samples alive
        std::unique_ptr<Mix_Chunk> window;  // the played part of source
    };

    static void OnChannelFinished(int channel);
    std::shared_ptr<Mix_Chunk> Load(const std::string& path);
    int Start(std::shared_ptr<Mix_Chunk> source, uint32_t offset, uint32_t length, int handle);
    int FreeChannel();
    uint32_t MillisToBytes(int ms) const;

    bool open_ = false;
    int frequency_ = 0;
    int frameBytes_ = 0;
    int nextHandle_ = 1;
    std::map<std::string, Cached> cache_;
    std::shared_ptr<Mix_Chunk> beep_;
    std::vector<uint8_t> beepSamples_;

    std::mutex mutex_;
    std::vector<Channel> channels_;
    std::vector<int> finished_;
};

}  // namespace qs
