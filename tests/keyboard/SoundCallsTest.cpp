// The sound calls' file names and today's date.
#include <gtest/gtest.h>

#include "keyboard/KeyboardRig.h"
#include "screen/sound/Sound.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

TEST(SoundCalls, WavFilesAreLookedUpInTheProgramFolderFirst) {
    TempDir app;
    TempDir elsewhere;
    app.Put("wavs/440.wav", "RIFF");
    app.Put("Bitplane/Klick.WAV", "RIFF");
    app.MakeDir("wavs/leer.wav");
    elsewhere.Put("fremd.wav", "RIFF");
    HeadlessOptions o;
    o.programPath = app / "quendelstrand";
    KeyboardRig rig(std::move(o));
    struct Row {
        std::string name;
        std::string path;  // "" when nothing is played
    };
    const Row rows[] = {
        {"wavs\\440.wav", app / "wavs/440.wav"},
        {"WAVS\\440.WAV", app / "wavs/440.wav"},
        {"bitplane\\klick.wav", app / "Bitplane/Klick.WAV"},
        {elsewhere / "fremd.wav", elsewhere / "fremd.wav"},
        {"wavs\\441.wav", ""},
        {"wavs\\leer.wav", ""},  // a folder
        {"", ""},
    };
    for (const Row& r : rows) EXPECT_EQ(WavPath(rig.dos, r.name), r.path) << r.name;
}

TEST(SoundCalls, PlayWavStartsFoundFilesAndLetsThemOverlap) {
    TempDir app;
    const std::vector<uint8_t> wav = MakeToneWav(440);
    app.Put("wavs/ja.wav", std::string(wav.begin(), wav.end()));
    app.Put("wavs/kaputt.wav", "RIFF....WAVE");
    HeadlessOptions o;
    o.programPath = app / "quendelstrand";
    KeyboardRig rig(std::move(o));
    EXPECT_TRUE(PlayWav(rig.dos, "WAVS\\JA.WAV"));
    EXPECT_TRUE(PlayWav(rig.dos, "wavs\\ja.wav"));  // the first one goes on
    EXPECT_FALSE(PlayWav(rig.dos, "wavs\\kaputt.wav"));
    EXPECT_FALSE(PlayWav(rig.dos, "wavs\\fehlt.wav"));
    EXPECT_FALSE(PlayWav(rig.dos, ""));
    ASSERT_EQ(rig.platform.SoundLog().size(), 2u);
    EXPECT_EQ(rig.platform.SoundLog()[0].path, app / "wavs/ja.wav");
    EXPECT_EQ(rig.platform.SoundLog()[1].path, app / "wavs/ja.wav");
}

TEST(SoundCalls, StopSoundWaitsOneMillisecond) {
    KeyboardRig rig;
    StopSound(rig.dos);
    EXPECT_EQ(rig.platform.Summary(), "1x1");
}

TEST(Today, DateTextPartsAndDayOfTheWeek) {
    struct Row {
        LocalDate today;
        const char* text;
        int dayIndex;  // 99: left unchanged
    };
    const Row rows[] = {
        {{2026, 12, 10, 4}, "10.12.2026", 4}, {{1999, 1, 3, 0}, "03.01.1999", 0},
        {{2024, 2, 29, 4}, "29.02.2024", 4},  {{2030, 6, 1, 6}, "01.06.2030", 6},
        {{2030, 6, 1, 7}, "01.06.2030", 99},  {{2030, 6, 1, -1}, "01.06.2030", 99},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        HeadlessOptions o;
        o.today = r.today;
        KeyboardRig rig(std::move(o));
        int year = 0, month = 0, day = 0, dayIndex = 99;
        std::string text;
        GetToday(rig.dos, year, month, day, text, dayIndex);
        EXPECT_EQ(text, r.text);
        EXPECT_EQ(year, r.today.year);
        EXPECT_EQ(month, r.today.month);
        EXPECT_EQ(day, r.today.day);
        EXPECT_EQ(dayIndex, r.dayIndex);
    }
}

}  // namespace
}  // namespace qs::test
