#include <locale.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <set>

#include "SdlTestSupport.h"

namespace qs::test {
namespace {

// A mono 16-bit WAV file of a quiet tone, lengthMs long.
void WriteWav(const std::string& path, int lengthMs) {
    const int rate = 22050;
    const uint32_t samples = static_cast<uint32_t>(rate * lengthMs / 1000);
    std::vector<uint8_t> out;
    auto u16 = [&](uint32_t v) {
        out.push_back(static_cast<uint8_t>(v));
        out.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    auto tag = [&](const char* t) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(t[i]));
    };
    tag("RIFF");
    u32(36 + samples * 2);
    tag("WAVE");
    tag("fmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    tag("data");
    u32(samples * 2);
    for (uint32_t i = 0; i < samples; ++i) u16((i / 25) % 2 ? 0x0400 : 0xFC00);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}

class SdlServices : public SdlWindowTest {
protected:
    void SetUp() override {
        SdlWindowTest::SetUp();
        if (IsSkipped()) return;
        dir_ = ::testing::TempDir() + "qs_sdl_sound_" + std::to_string(getpid()) + "/";
        ASSERT_TRUE(RunCommand("mkdir -p " + dir_));
    }
    void TearDown() override {
        if (!dir_.empty()) RunCommand("rm -rf " + dir_);
        SdlWindowTest::TearDown();
    }

    // Waits until every handle in want has been reported finished.
    bool AllFinish(std::set<int> want, int timeoutMs) {
        return WaitUntil(
            [&] {
                for (int h : platform_->TakeFinishedSounds()) want.erase(h);
                return want.empty();
            },
            timeoutMs);
    }

    bool HaveAudio() {
        // A file that surely plays tells whether an audio device is open.
        WriteWav(dir_ + "probe.wav", 10);
        int h = platform_->PlayWav(dir_ + "probe.wav", 0, -1);
        if (h == 0) return false;
        return AllFinish({h}, 2000);
    }

    std::string dir_;
};

TEST_F(SdlServices, SoundsPlayForTheirPartAndReportTheirEnd) {
    if (!HaveAudio()) GTEST_SKIP() << "no audio device (set SDL_AUDIODRIVER=dummy)";
    WriteWav(dir_ + "long.wav", 4000);
    WriteWav(dir_ + "short.wav", 60);
    struct Row {
        const char* name;
        const char* file;
        int startMs, lengthMs;
        int finishWithinMs;  // well below the 4 s of the long file
    };
    const Row rows[] = {
        {"whole short file", "short.wav", 0, -1, 1500},
        {"first part of a long file", "long.wav", 0, 80, 1500},
        {"middle part of a long file", "long.wav", 2000, 80, 1500},
        {"tail of a long file", "long.wav", 3950, -1, 1500},
        {"start beyond the end", "long.wav", 9000, -1, 1500},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        int h = platform_->PlayWav(dir_ + row.file, row.startMs, row.lengthMs);
        ASSERT_GT(h, 0);
        EXPECT_TRUE(AllFinish({h}, row.finishWithinMs)) << "not reported finished in time";
    }
    EXPECT_EQ(platform_->PlayWav(dir_ + "missing.wav", 0, -1), 0);
    EXPECT_EQ(platform_->PlayWav("", 0, -1), 0);
}

TEST_F(SdlServices, ManySoundsOverlapAndStopTogether) {
    if (!HaveAudio()) GTEST_SKIP() << "no audio device (set SDL_AUDIODRIVER=dummy)";
    WriteWav(dir_ + "long.wav", 4000);
    // More sounds at once than the mixer starts with channels.
    std::set<int> handles;
    for (int i = 0; i < 40; ++i) {
        int h = platform_->PlayWav(dir_ + "long.wav", 0, -1);
        ASSERT_GT(h, 0) << "sound " << i;
        handles.insert(h);
    }
    EXPECT_EQ(handles.size(), 40u) << "handles are not distinct";
    EXPECT_TRUE(platform_->TakeFinishedSounds().empty());
    platform_->StopAllSounds();
    std::vector<int> stopped = platform_->TakeFinishedSounds();
    EXPECT_EQ(std::set<int>(stopped.begin(), stopped.end()), handles);
    platform_->Beep();
    EXPECT_TRUE(platform_->TakeFinishedSounds().empty()) << "a beep has no handle to report";
}

TEST_F(SdlServices, FileWrittenAgainUnderTheSameNameIsPlayedAnew) {
    if (!HaveAudio()) GTEST_SKIP() << "no audio device (set SDL_AUDIODRIVER=dummy)";
    // Tone files are made again under the same name; the first, short one
    // must not be played in place of the second.
    WriteWav(dir_ + "tone.wav", 30);
    int first = platform_->PlayWav(dir_ + "tone.wav", 0, -1);
    ASSERT_TRUE(AllFinish({first}, 1500));
    WriteWav(dir_ + "tone.wav", 4000);
    int second = platform_->PlayWav(dir_ + "tone.wav", 1000, -1);
    ASSERT_GT(second, 0);
    EXPECT_FALSE(AllFinish({second}, 300)) << "played the old, short file";
    platform_->StopAllSounds();
}

TEST_F(SdlServices, DecimalSeparatorFollowsTheUserLocale) {
    // Build a German locale beside the test when the system has none.
    std::string locales = dir_ + "locales";
    bool german = RunCommand("mkdir -p " + locales + " && localedef -i de_DE -f UTF-8 " + locales +
                             "/de_DE.UTF-8 >/dev/null 2>&1");
    struct Row {
        const char* name;
        const char* locale;
        char separator;
        bool available;
    };
    const Row rows[] = {
        {"C", "C", '.', true},
        {"German", "de_DE.UTF-8", ',', german},
    };
    std::string oldPath = std::getenv("LOCPATH") ? std::getenv("LOCPATH") : "";
    std::string oldAll = std::getenv("LC_ALL") ? std::getenv("LC_ALL") : "";
    setenv("LOCPATH", locales.c_str(), 1);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (!row.available) {
            std::printf("skipped %s: localedef could not build the locale\n", row.name);
            continue;
        }
        setenv("LC_ALL", row.locale, 1);
        EXPECT_EQ(platform_->DecimalSeparator(), row.separator);
    }
    auto restore = [](const char* name, const std::string& value) {
        if (value.empty()) unsetenv(name);
        else setenv(name, value.c_str(), 1);
    };
    restore("LC_ALL", oldAll);
    restore("LOCPATH", oldPath);
}

TEST_F(SdlServices, ClockCountsMicroseconds) {
    uint64_t before = platform_->NowMicros();
    platform_->SleepMillis(20);
    uint64_t after = platform_->NowMicros();
    EXPECT_GE(after - before, 19000u);
    EXPECT_LT(after - before, 2000000u) << "not microseconds";
}

}  // namespace
}  // namespace qs::test
