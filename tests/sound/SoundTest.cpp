#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "platform/host/WavInfo.h"
#include "screen/Keyboard.h"
#include "screen/sound/Sound.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }
std::string Text(const std::vector<uint8_t>& b) { return {b.begin(), b.end()}; }

int16_t SampleAt(const std::vector<uint8_t>& wav, int i) {
    const size_t at = 44 + static_cast<size_t>(i) * 2;
    return static_cast<int16_t>(wav[at] | (wav[at + 1] << 8));
}

TEST(TonePlayMillis, WholePeriodsStretchedByHalf) {
    struct Case {
        int frequency, ms, expected;
    };
    const Case cases[] = {
        {440, 100, 150},                                 // 44 periods
        {1000, 2, 3},     {300, 10, 15},                 // exactly 3 periods
        {441, 100, 150},                                 // 44 periods of 441 Hz: 149.66 ms
        {3, 1000, 1500},                                 // counts as 10 Hz
        {-5, 1000, 1500}, {10, 99, 0},                   // not one whole period
        {440, 0, 0},      {440, -50, 0}, {20000, 1, 2},  // 20 periods: 1.5 ms, rounded
    };
    for (const auto& c : cases)
        EXPECT_EQ(TonePlayMillis(c.frequency, c.ms), c.expected) << c.frequency << " Hz " << c.ms;
}

TEST(ToneWav, TwoSecondsOf16BitMonoAt22050) {
    const auto wav = MakeToneWav(440);
    ASSERT_EQ(wav.size(), 44u + 44100u * 2);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    const auto info = ParseWavHeader(wav);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->channels, 1);
    EXPECT_EQ(info->sampleRate, 22050);
    EXPECT_EQ(info->bitsPerSample, 16);
    EXPECT_EQ(info->DurationMs(), 2000);
}

TEST(ToneWav, RepeatsWithTheFrequencyAndStaysClearOfClipping) {
    struct Case {
        int frequency;
        int periodSamples;
    };
    const Case cases[] = {{10, 2205}, {441, 50}, {2205, 10}, {7350, 3}};
    for (const auto& c : cases) {
        const auto wav = MakeToneWav(c.frequency);
        int peak = 0;
        bool periodic = true;
        EXPECT_EQ(SampleAt(wav, 0), 0) << c.frequency;  // starts without a click
        for (int i = 0; i < 44100; ++i) {
            peak = std::max(peak, std::abs(static_cast<int>(SampleAt(wav, i))));
            // After the fade-in every period is the same.
            if (i >= 200 && i + c.periodSamples < 44100 &&
                std::abs(SampleAt(wav, i) - SampleAt(wav, i + c.periodSamples)) > 2)
                periodic = false;
        }
        EXPECT_TRUE(periodic) << c.frequency;
        EXPECT_GE(peak, 6000) << c.frequency;  // 3 samples a period miss the crest
        EXPECT_LE(peak, 16000) << c.frequency;
    }
}

class SoundTest : public ::testing::Test {
protected:
    SoundTest() : platform(Options(dir)), sound(platform) { dir.MakeDir("wavs"); }

    static HeadlessOptions Options(const TempDir& dir) {
        HeadlessOptions o;
        o.programPath = dir / "quendelstrand";
        return o;
    }

    std::string Wavs() const { return dir / "wavs/"; }

    using Started_ = std::vector<std::pair<std::string, int>>;

    // The (file name, length) of each sound started.
    Started_ Started() const {
        Started_ out;
        for (const auto& s : platform.SoundLog())
            out.emplace_back(s.path.substr(s.path.rfind('/') + 1), s.lengthMs);
        return out;
    }

    TempDir dir;
    HeadlessPlatform platform;
    SoundComponent sound;
};

TEST_F(SoundTest, ToneMakesAMissingFileAndPlaysItFromTheStart) {
    sound.Tone(Wavs(), 440, 100);
    ASSERT_TRUE(dir.Has("wavs/440.wav"));
    const std::string made = dir.Get("wavs/440.wav");
    EXPECT_EQ(Bytes(made), MakeToneWav(440));
    ASSERT_EQ(platform.SoundLog().size(), 1u);
    EXPECT_EQ(platform.SoundLog()[0].path, dir / "wavs/440.wav");
    EXPECT_EQ(platform.SoundLog()[0].startMs, 0);
    EXPECT_EQ(platform.SoundLog()[0].lengthMs, 150);
    EXPECT_TRUE(sound.TonePlaying());
}

TEST_F(SoundTest, LowFrequenciesUseTheTenHertzFile) {
    sound.Tone(Wavs(), 3, 1000);
    EXPECT_TRUE(dir.Has("wavs/10.wav"));
    EXPECT_EQ(Started(), (Started_{{"10.wav", 1500}}));
}

TEST_F(SoundTest, OneToneWaitsAndFurtherOnesAreDropped) {
    sound.Tone(Wavs(), 440, 100);  // plays 150 ms
    sound.Tone(Wavs(), 1000, 2);   // waits
    sound.Tone(Wavs(), 500, 100);  // dropped
    EXPECT_TRUE(sound.ToneWaiting());
    platform.AdvanceMillis(149);
    sound.Poll();
    EXPECT_EQ(Started(), (Started_{{"440.wav", 150}}));
    platform.AdvanceMillis(1);
    sound.Poll();
    EXPECT_EQ(Started(), (Started_{{"440.wav", 150}, {"1000.wav", 3}}));
    EXPECT_FALSE(sound.ToneWaiting());
    platform.AdvanceMillis(3);
    sound.Poll();
    EXPECT_FALSE(sound.TonePlaying());
    EXPECT_EQ(platform.SoundLog().size(), 2u);
    EXPECT_FALSE(dir.Has("wavs/500.wav"));
}

TEST_F(SoundTest, FilesOverlapAndDoNotHoldUpTones) {
    dir.Put("wavs/klick.wav", Text(MakeToneWav(220)));
    EXPECT_TRUE(sound.Play(dir / "wavs/klick.wav"));  // 2000 ms
    EXPECT_TRUE(sound.Play(dir / "wavs/klick.wav"));
    sound.Tone(Wavs(), 440, 100);
    EXPECT_EQ(platform.SoundLog().size(), 3u);
    platform.AdvanceMillis(150);
    sound.Poll();
    EXPECT_FALSE(sound.TonePlaying());
}

TEST_F(SoundTest, PlayFailsOnMissingAndBrokenFiles) {
    dir.Put("wavs/kaputt.wav", "RIFF....WAVEjunk");
    EXPECT_FALSE(sound.Play(dir / "wavs/fehlt.wav"));
    EXPECT_FALSE(sound.Play(dir / "wavs/kaputt.wav"));
    EXPECT_TRUE(platform.SoundLog().empty());
}

TEST_F(SoundTest, StopDeletesOnlyTheMadeFilesAndForgetsTheWaitingTone) {
    dir.Put("wavs/500.wav", Text(MakeToneWav(500)));
    sound.Tone(Wavs(), 500, 100);  // the shipped file
    sound.Tone(Wavs(), 440, 100);  // waits
    sound.Stop();
    EXPECT_FALSE(sound.TonePlaying());
    EXPECT_FALSE(sound.ToneWaiting());
    platform.AdvanceMillis(1000);
    sound.Poll();
    EXPECT_EQ(platform.SoundLog().size(), 1u);
    EXPECT_TRUE(dir.Has("wavs/500.wav"));

    sound.Tone(Wavs(), 440, 100);  // idle again: starts at once
    sound.Tone(Wavs(), 880, 100);  // waits and is made when it starts
    platform.AdvanceMillis(150);
    sound.Poll();
    EXPECT_EQ(dir.List("wavs"), (std::vector<std::string>{"440.wav", "500.wav", "880.wav"}));
    sound.Stop();
    EXPECT_EQ(dir.List("wavs"), (std::vector<std::string>{"500.wav"}));
}

TEST_F(SoundTest, TheMessagePumpStartsTheWaitingTone) {
    Dos d(platform);
    Tone(d, 440, 100);
    Tone(d, 660, 100);
    EXPECT_EQ(platform.SoundLog().size(), 1u);
    Delay(d, 200);  // a tone wait of the trainer
    ASSERT_EQ(platform.SoundLog().size(), 2u);
    EXPECT_EQ(platform.SoundLog()[1].path, dir / "wavs/660.wav");
    StopSound(d);
    EXPECT_TRUE(dir.List("wavs").empty());
}

}  // namespace
}  // namespace qs::test
