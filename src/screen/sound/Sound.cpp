#include "screen/sound/Sound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/Platform.h"

namespace qs {

namespace {

constexpr int kMinFrequency = 10;
constexpr int kSampleRate = 22050;
constexpr int kToneMillis = 2000;
constexpr double kBaseAmplitude = 8000;
constexpr double kFadeInSeconds = 0.005;

// Overtone number and its share of the base amplitude. The shares add up to
// 1.5, so the peak stays near 12000 and far from clipping.
struct Partial {
    int multiple;
    double share;
};
constexpr Partial kPartials[] = {{1, 1.0}, {2, 0.3}, {3, 0.15}, {4, 0.05}};

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

int16_t ToneSample(int frequency, int index) {
    const double t = static_cast<double>(index) / kSampleRate;
    double sum = 0;
    for (const Partial& p : kPartials) {
        const double f = static_cast<double>(frequency) * p.multiple;
        // Overtones above half the sample rate would fold back as noise.
        if (f * 2 >= kSampleRate) continue;
        sum += p.share * std::sin(2 * std::numbers::pi * f * t);
    }
    const double fade = std::min(1.0, t / kFadeInSeconds);
    return static_cast<int16_t>(std::lround(kBaseAmplitude * fade * sum));
}

}  // namespace

int TonePlayMillis(int frequency, int ms) {
    if (ms <= 0) return 0;
    const int f = std::max(frequency, kMinFrequency);
    // Counted in whole numbers: 3 periods of 300 Hz do fit in 10 ms.
    const long long periods = static_cast<long long>(ms) * f / 1000;
    return static_cast<int>(std::lround(static_cast<double>(periods) * 1500.0 / f));
}

std::vector<uint8_t> MakeToneWav(int frequency) {
    const int samples = kSampleRate * kToneMillis / 1000;
    const uint32_t dataBytes = static_cast<uint32_t>(samples) * 2;
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    PutLe(out, 36 + dataBytes, 4);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutLe(out, 16, 4);  // format chunk size
    PutLe(out, 1, 2);   // PCM
    PutLe(out, 1, 2);   // mono
    PutLe(out, kSampleRate, 4);
    PutLe(out, kSampleRate * 2, 4);  // bytes per second
    PutLe(out, 2, 2);                // bytes per frame
    PutLe(out, 16, 2);               // bits per sample
    PutTag(out, "data");
    PutLe(out, dataBytes, 4);
    for (int i = 0; i < samples; ++i)
        PutLe(out, static_cast<uint16_t>(ToneSample(frequency, i)), 2);
    return out;
}

bool SoundComponent::Play(const std::string& realPath) {
    const int handle = platform_.PlayWav(realPath);
    if (handle > 0) open_.push_back(handle);
    return handle > 0;
}

void SoundComponent::Tone(const std::string& wavsFolder, int frequency, int ms) {
    ToneRequest request{wavsFolder, std::max(frequency, kMinFrequency), ms};
    if (toneHandle_ == 0) StartTone(request);
    else if (!waiting_) waiting_ = std::move(request);
}

void SoundComponent::StartTone(const ToneRequest& request) {
    FileSystem& fs = platform_.Files();
    const std::string path = request.folder + std::to_string(request.frequency) + ".wav";
    if (!fs.Exists(path)) {
        if (!fs.IsDirectory(request.folder)) fs.MakeDirectories(request.folder);
        if (fs.WriteFileAtomic(path, MakeToneWav(request.frequency))) generated_.push_back(path);
    }
    toneHandle_ = platform_.PlayWav(path, 0, TonePlayMillis(request.frequency, request.ms));
    if (toneHandle_ > 0) open_.push_back(toneHandle_);
    else toneHandle_ = 0;
}

void SoundComponent::Forget(int handle) {
    std::erase(open_, handle);
    if (handle == toneHandle_) toneHandle_ = 0;
}

void SoundComponent::Poll() {
    for (int handle : platform_.TakeFinishedSounds()) Forget(handle);
    if (toneHandle_ == 0 && waiting_) {
        const ToneRequest next = std::move(*waiting_);
        waiting_.reset();
        StartTone(next);
    }
}

void SoundComponent::Stop() {
    waiting_.reset();
    platform_.StopAllSounds();
    open_.clear();
    toneHandle_ = 0;
    FileSystem& fs = platform_.Files();
    for (const std::string& path : generated_) fs.RemoveFile(path);
    generated_.clear();
}

}  // namespace qs
