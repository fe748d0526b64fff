#include "platform/sdl/SdlSound.h"

#include <sys/stat.h>

#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>

#include "platform/Platform.h"

namespace qs {

namespace {

// The mixer's completion callback is a plain function; it reaches the one
// sound object through this pointer.
SdlSound* g_owner = nullptr;

constexpr int kFirstChannels = 16;

void PutLe16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
    PutLe16(out, v & 0xFFFF);
    PutLe16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

// A short mono 16-bit tone as a WAV file in memory, for the system beep.
std::vector<uint8_t> MakeBeepWav() {
    constexpr int kRate = 22050;
    constexpr int kMillis = 120;
    constexpr double kHertz = 880.0;
    const int samples = kRate * kMillis / 1000;
    std::vector<uint8_t> wav;
    PutTag(wav, "RIFF");
    PutLe32(wav, 36 + samples * 2);
    PutTag(wav, "WAVE");
    PutTag(wav, "fmt ");
    PutLe32(wav, 16);
    PutLe16(wav, 1);
    PutLe16(wav, 1);
    PutLe32(wav, kRate);
    PutLe32(wav, kRate * 2);
    PutLe16(wav, 2);
    PutLe16(wav, 16);
    PutTag(wav, "data");
    PutLe32(wav, samples * 2);
    const int fade = kRate / 200;  // 5 ms ramps keep the tone from clicking
    for (int i = 0; i < samples; ++i) {
        double ramp = std::min(
            {1.0, static_cast<double>(i) / fade, static_cast<double>(samples - 1 - i) / fade});
        double v = 9000.0 * ramp * std::sin(2.0 * M_PI * kHertz * i / kRate);
        PutLe16(wav, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v))));
    }
    return wav;
}

}  // namespace

SdlSound::SdlSound() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&frequency_, &format, &channels);
    frameBytes_ = channels * static_cast<int>(SDL_AUDIO_BITSIZE(format)) / 8;
    open_ = frequency_ > 0 && frameBytes_ > 0;
    if (!open_) {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    channels_.resize(static_cast<size_t>(Mix_AllocateChannels(kFirstChannels)));
    g_owner = this;
    Mix_ChannelFinished(&SdlSound::OnChannelFinished);

    std::vector<uint8_t> wav = MakeBeepWav();
    Mix_Chunk* beep =
        Mix_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size())), 1);
    if (beep) beep_ = std::shared_ptr<Mix_Chunk>(beep, ChunkDeleter{});
}

SdlSound::~SdlSound() {
    if (!open_) return;
    Mix_ChannelFinished(nullptr);
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        channels_.clear();
    }
    cache_.clear();
    beep_.reset();
    g_owner = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSound::OnChannelFinished(int channel) {
    SdlSound* self = g_owner;
    if (!self) return;
    std::lock_guard<std::mutex> lock(self->mutex_);
    if (channel < 0 || static_cast<size_t>(channel) >= self->channels_.size()) return;
    Channel& c = self->channels_[static_cast<size_t>(channel)];
    if (c.handle > 0) self->finished_.push_back(c.handle);
    c.handle = 0;
}

uint32_t SdlSound::MillisToBytes(int ms) const {
    uint64_t frames =
        static_cast<uint64_t>(std::max(ms, 0)) * static_cast<uint64_t>(frequency_) / 1000;
    uint64_t bytes = frames * static_cast<uint64_t>(frameBytes_);
    return static_cast<uint32_t>(std::min<uint64_t>(bytes, UINT32_MAX));
}

std::shared_ptr<Mix_Chunk> SdlSound::Load(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<uint64_t>(st.st_size) > FileSystem::kPictureLimit) {
        return nullptr;
    }
    int64_t mtime = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    auto it = cache_.find(path);
    if (it != cache_.end() && it->second.mtimeNanos == mtime && it->second.size == st.st_size)
        return it->second.chunk;
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (!chunk) return nullptr;
    Cached entry{mtime, static_cast<int64_t>(st.st_size),
                 std::shared_ptr<Mix_Chunk>(chunk, ChunkDeleter{})};
    // A sound still playing from the replaced entry keeps its own reference.
    cache_[path] = entry;
    return entry.chunk;
}

int SdlSound::FreeChannel() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (size_t i = 0; i < channels_.size(); ++i)
            if (channels_[i].handle == 0) return static_cast<int>(i);
    }
    // Every channel is busy: make room so that the new sound overlaps the rest.
    int had = Mix_AllocateChannels(-1);
    int now = Mix_AllocateChannels(had * 2);
    std::lock_guard<std::mutex> lock(mutex_);
    if (now <= had) return -1;
    channels_.resize(static_cast<size_t>(now));
    return had;
}

int SdlSound::Start(std::shared_ptr<Mix_Chunk> source, uint32_t offset, uint32_t length,
                    int handle) {
    int channel = FreeChannel();
    if (channel < 0) return 0;
    auto window = std::make_unique<Mix_Chunk>();
    window->allocated = 0;
    window->abuf = source->abuf + offset;
    window->alen = length;
    window->volume = source->volume;
    Mix_Chunk* played = window.get();

    std::shared_ptr<Mix_Chunk> oldSource;
    std::unique_ptr<Mix_Chunk> oldWindow;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        Channel& c = channels_[static_cast<size_t>(channel)];
        oldSource = std::move(c.source);
        oldWindow = std::move(c.window);
        c.handle = handle;
        c.source = std::move(source);
        c.window = std::move(window);
    }
    // The handle is in place before the channel starts, so that even a sound
    // that ends at once is reported.
    if (Mix_PlayChannel(channel, played, 0) < 0) {
        std::lock_guard<std::mutex> lock(mutex_);
        Channel& c = channels_[static_cast<size_t>(channel)];
        if (c.handle == handle) c.handle = 0;
        return 0;
    }
    return handle;
}

int SdlSound::PlayWav(const std::string& path, int startMs, int lengthMs) {
    if (!open_ || path.empty()) return 0;
    std::shared_ptr<Mix_Chunk> chunk = Load(path);
    if (!chunk) return 0;
    uint32_t offset = std::min(MillisToBytes(startMs), chunk->alen);
    offset -= offset % static_cast<uint32_t>(frameBytes_);
    uint32_t length = chunk->alen - offset;
    if (lengthMs >= 0) {
        uint32_t wanted = MillisToBytes(lengthMs);
        wanted -= wanted % static_cast<uint32_t>(frameBytes_);
        length = std::min(length, wanted);
    }
    int handle = nextHandle_++;
    if (nextHandle_ <= 0) nextHandle_ = 1;
    if (length == 0) {
        // Nothing left to play after the offset: it has started and ended.
        std::lock_guard<std::mutex> lock(mutex_);
        finished_.push_back(handle);
        return handle;
    }
    return Start(std::move(chunk), offset, length, handle);
}

std::vector<int> SdlSound::TakeFinished() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<int> done;
    done.swap(finished_);
    return done;
}

void SdlSound::StopAll() {
    if (open_) Mix_HaltChannel(-1);
}

void SdlSound::Beep() {
    if (open_ && beep_) Start(beep_, 0, beep_->alen, -1);
}

}  // namespace qs
