#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "graph/GraphTestSupport.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screen/Dos.h"
#include "screen/Keyboard.h"
#include "screen/Paths.h"
#include "screen/graph/Graph.h"
#include "screen/image/PngEncode.h"
#include "screen/sound/Sound.h"
#include "support/RowName.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

constexpr Rgb kKey = 0x404040;  // the pictures' see-through colour
constexpr Rgb kRed = 0xC00000, kGreen = 0x00C000, kBlue = 0x0000C0, kWhite = 0xFFFFFF;
constexpr int kLeft = 10, kTop = 10, kSide = 20;

// A kSide-square picture: a solid square of colour c on the key colour.
std::string Picture(Rgb c, int w = kSide, int h = kSide) {
    Bitmap b(w, h, kKey);
    FillRect(b, Rect{3, 3, w - 3, h - 3}, c);
    const std::vector<uint8_t> png = EncodePng(b);
    return {png.begin(), png.end()};
}

struct Shown {
    int ms;
    int entry;
    Rgb colour;
    friend bool operator==(const Shown&, const Shown&) = default;
};

std::ostream& operator<<(std::ostream& o, const Shown& s) {
    return o << "{" << s.ms << " ms, entry " << s.entry << ", " << std::hex << s.colour << std::dec
             << "}";
}

// A machine with a picture folder "filme" in its app folder; every frame
// drawn is logged with the time and the colour the window shows in the
// frame's middle.
struct FilmRig {
    FilmRig() : platform(Options(dir)), d(platform) {
        d.film.SetWidth(kSide);
        d.film.SetHeight(kSide);
        d.film.SetHintergrundfarbe(kKey);
        d.film.OnFrame = [this](int entry) {
            shown.push_back({Now(), entry, d.Canvas().Pixel(kLeft + kSide / 2, kTop + kSide / 2)});
        };
        d.film.OnFinish = [this] { finishedAt.push_back(Now()); };
    }

    static HeadlessOptions Options(const TempDir& dir) {
        HeadlessOptions o;
        o.programPath = dir / "quendelstrand";
        return o;
    }

    int Now() { return static_cast<int>(platform.NowMicros() / 1000); }
    void Put(const std::string& name, const std::string& bytes) { dir.Put("filme/" + name, bytes); }
    void Load() { d.film.SetVerzeichnis(AppDir(platform.Files()) + "FILME"); }
    void Play(int start, int repeats, int delay) {
        d.film.Play(kLeft, kTop, d.Canvas(), start, repeats, delay);
    }
    // One message step a millisecond, as a waiting loop that polls.
    void PumpFor(int ms) {
        for (int i = 0; i < ms; ++i) {
            PumpMessages(d, false);
            platform.AdvanceMillis(1);
        }
        PumpMessages(d, false);
    }

    TempDir dir;
    HeadlessPlatform platform;
    Dos d;
    std::vector<Shown> shown;
    std::vector<int> finishedAt;
};

struct SequenceRow {
    std::string what;
    std::vector<std::pair<std::string, Rgb>> pictures;
    std::optional<std::string> control;  // nullopt: the folder has none
    int delayWhenLoaded;
    bool bilddelay;
    int start, repeats, delay;
    std::vector<Shown> expected;
    int finishMs;
    std::string controlAfter;  // what "steuer.txt" holds after loading
};

void PrintTo(const SequenceRow& row, std::ostream* os) { *os << row.what; }

const std::vector<std::pair<std::string, Rgb>> kThree = {
    {"b.png", kGreen}, {"A.png", kRed}, {"c.PNG", kBlue}};
const std::string kWritten = "A.png\r\n200\r\nb.png\r\nc.PNG\r\n";
const std::string kAbc = "a.png\r\nb.png\r\nc.png\r\n";

const SequenceRow kSequences[] = {
    {"a folder without control file gets one in name order with 200 second",
     kThree,
     std::nullopt,
     0,
     false,
     0,
     1,
     100,
     {{0, 0, kRed}, {100, 2, kGreen}, {200, 3, kBlue}},
     300,
     kWritten},
    {"the written pause waits with bilddelay and becomes the delay",
     kThree,
     std::nullopt,
     0,
     true,
     0,
     1,
     100,
     {{0, 0, kRed}, {300, 2, kGreen}, {500, 3, kBlue}},
     700,
     kWritten},
    {"a delay of 50 or more is written as the pause",
     kThree,
     std::nullopt,
     80,
     true,
     0,
     1,
     100,
     {{0, 0, kRed}, {180, 2, kGreen}, {260, 3, kBlue}},
     340,
     "A.png\r\n80\r\nb.png\r\nc.PNG\r\n"},
    {"a delay below 50 is written as 200",
     kThree,
     std::nullopt,
     49,
     false,
     0,
     1,
     10,
     {{0, 0, kRed}, {10, 2, kGreen}, {20, 3, kBlue}},
     30,
     kWritten},
    {"a picture listed three times shows three times",
     {{"x.png", kRed}, {"y.png", kGreen}},
     "x.png\r\nX.PNG\r\nx.png\r\n",
     0,
     false,
     0,
     1,
     100,
     {{0, 0, kRed}, {100, 1, kRed}, {200, 2, kRed}},
     300,
     "x.png\r\nX.PNG\r\nx.png\r\n"},
    {"the control file's order wins over name order",
     kThree,
     "c.png\r\na.png\r\nB.png\r\n",
     0,
     false,
     0,
     1,
     100,
     {{0, 0, kBlue}, {100, 1, kRed}, {200, 2, kGreen}},
     300,
     "c.png\r\na.png\r\nB.png\r\n"},
    {"a number line pauses only with bilddelay",
     kThree,
     "a.png\r\n250\r\nb.png\r\n",
     0,
     false,
     0,
     1,
     100,
     {{0, 0, kRed}, {100, 2, kGreen}},
     200,
     "a.png\r\n250\r\nb.png\r\n"},
    {"a number line with bilddelay pauses and sets the delay",
     kThree,
     "a.png\r\n250\r\nb.png\r\nc.png\r\n",
     0,
     true,
     0,
     1,
     100,
     {{0, 0, kRed}, {350, 2, kGreen}, {600, 3, kBlue}},
     850,
     "a.png\r\n250\r\nb.png\r\nc.png\r\n"},
    {"lines that name nothing in the folder are left out",
     kThree,
     "a.png\r\nghost.png\r\n..\\filme\\b.png\r\n\r\n-5\r\nc.png\r\n",
     0,
     false,
     0,
     1,
     100,
     {{0, 0, kRed}, {100, 1, kBlue}},
     200,
     "a.png\r\nghost.png\r\n..\\filme\\b.png\r\n\r\n-5\r\nc.png\r\n"},
    {"start index 20 on fewer entries starts at the first",
     kThree,
     kAbc,
     0,
     false,
     20,
     1,
     100,
     {{0, 0, kRed}, {100, 1, kGreen}, {200, 2, kBlue}},
     300,
     kAbc},
    {"start index on the last entry starts at the first",
     kThree,
     kAbc,
     0,
     false,
     2,
     1,
     100,
     {{0, 0, kRed}, {100, 1, kGreen}, {200, 2, kBlue}},
     300,
     kAbc},
    {"a start index inside the list starts there",
     kThree,
     kAbc,
     0,
     false,
     1,
     1,
     100,
     {{0, 1, kGreen}, {100, 2, kBlue}},
     200,
     kAbc},
    {"further rounds start at the first entry",
     kThree,
     kAbc,
     0,
     false,
     1,
     2,
     100,
     {{0, 1, kGreen}, {100, 2, kBlue}, {200, 0, kRed}, {300, 1, kGreen}, {400, 2, kBlue}},
     500,
     kAbc},
    {"a start index below 0 shows the last picture first",
     kThree,
     "a.png\r\nc.png\r\n300\r\n",
     0,
     false,
     -1,
     1,
     100,
     {{0, 1, kBlue}, {100, 0, kRed}, {200, 1, kBlue}},
     300,
     "a.png\r\nc.png\r\n300\r\n"},
};

class FilmSequence : public ::testing::TestWithParam<SequenceRow> {
protected:
    void Load(FilmRig& rig) {
        const SequenceRow& row = GetParam();
        for (const auto& [name, colour] : row.pictures) rig.Put(name, Picture(colour));
        if (row.control) rig.Put("steuer.txt", *row.control);
        rig.d.film.delay = row.delayWhenLoaded;
        rig.d.film.bilddelay = row.bilddelay;
        rig.Load();
        EXPECT_EQ(rig.dir.Get("filme/steuer.txt"), row.controlAfter);
    }
};

// The frames show on time whether the program polls or rests in one long
// Delay, which wakes for each frame.
TEST_P(FilmSequence, ShowsEachFrameAtItsMillisecond) {
    const SequenceRow& row = GetParam();
    for (const bool polling : {true, false}) {
        SCOPED_TRACE(polling ? "polling every millisecond" : "resting in Delay");
        FilmRig rig;
        Load(rig);
        rig.Play(row.start, row.repeats, row.delay);
        if (polling) rig.PumpFor(row.finishMs + 500);
        else Delay(rig.d, 1000);  // waits 1000 ms in 50 pieces
        EXPECT_EQ(rig.shown, row.expected);
        EXPECT_EQ(rig.finishedAt, std::vector<int>{row.finishMs});
        EXPECT_TRUE(rig.d.film.Stopped());
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, FilmSequence, ::testing::ValuesIn(kSequences), RowName{});

TEST(FilmLoading, APictureListedThreeTimesSharesOneBitmapFreedWithTheList) {
    FilmRig rig;
    rig.Put("x.png", Picture(kRed));
    rig.Put("steuer.txt", "x.png\r\nx.png\r\nx.png\r\n");
    rig.Load();
    const auto& entries = rig.d.film.Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].frame, entries[1].frame);
    EXPECT_EQ(entries[0].frame, entries[2].frame);
    EXPECT_EQ(rig.d.film.LastPicture(), 2);
    std::weak_ptr<const Bitmap> frame = entries[0].frame;
    rig.d.film.SetVerzeichnis(rig.dir / "nowhere");
    EXPECT_TRUE(frame.expired());
    EXPECT_TRUE(rig.d.film.Entries().empty());
    EXPECT_EQ(rig.d.film.Verzeichnis(), "") << "a missing folder is forgotten";
}

TEST(FilmLoading, TakesPicturesAndSoundsAndLeavesOutWhatCannotBeShown) {
    FilmRig rig;
    rig.Put("a.png", Picture(kRed));
    rig.Put("broken.png", "not a picture");
    rig.Put("notes.txt", "x");
    rig.Put("ding.WAV", "RIFF");
    rig.Put("b.jpeg", Picture(kGreen));  // not one of the picture extensions
    rig.dir.MakeDir("filme/sub.png");
    rig.Load();
    EXPECT_EQ(rig.dir.Get("filme/steuer.txt"), "a.png\r\n200\r\nding.WAV\r\n");
    const auto& entries = rig.d.film.Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_NE(entries[0].frame, nullptr);
    EXPECT_EQ(entries[1].text, "200");
    EXPECT_EQ(entries[2].text, rig.dir / "filme/ding.WAV") << "a sound by its path";
    EXPECT_EQ(entries[2].frame, nullptr);
}

TEST(FilmLoading, AFolderWithoutPicturesOrSoundsIsNoSequence) {
    FilmRig rig;
    rig.Put("notes.txt", "x");
    rig.Load();
    EXPECT_FALSE(rig.dir.Has("filme/steuer.txt"));
    rig.Play(0, 1, 100);
    rig.PumpFor(300);
    EXPECT_TRUE(rig.shown.empty());
    EXPECT_TRUE(rig.finishedAt.empty());
}

TEST(FilmLoading, TheMaskChoosesThePictures) {
    FilmRig rig;
    rig.Put("a.png", Picture(kRed));
    rig.Put("b.png", Picture(kGreen));
    rig.Put("ab.png", Picture(kBlue));
    rig.d.film.maske = "a*.*";
    rig.Load();
    EXPECT_EQ(rig.dir.Get("filme/steuer.txt"), "a.png\r\n200\r\nab.png\r\n");
}

TEST(FilmLoading, FramesAreFittedToThePictureWithEvenEdgesAndABorder) {
    struct Case {
        const char* what;
        int pictureW, pictureH;
        int width, height;
        int frameW, frameH;
    };
    const Case cases[] = {
        {"the frame's own size", 20, 20, 20, 20, 22, 22},
        {"a wide picture in a square", 30, 20, 16, 16, 18, 14},
        {"odd right and bottom edges move in", 30, 20, 15, 15, 16, 12},
        {"an odd top edge moves in", 40, 20, 20, 13, 22, 12},
        {"height 0 follows the picture", 30, 20, 15, 0, 16, 12},
        {"a tall picture in a square", 20, 40, 20, 20, 10, 22},
    };
    for (const Case& c : cases) {
        FilmRig rig;
        rig.Put("p.png", Picture(kRed, c.pictureW, c.pictureH));
        rig.d.film.SetWidth(c.width);
        rig.d.film.SetHeight(c.height);
        rig.Load();
        ASSERT_FALSE(rig.d.film.Entries().empty()) << c.what;
        const auto& frame = rig.d.film.Entries()[0].frame;
        ASSERT_NE(frame, nullptr) << c.what;
        EXPECT_EQ(frame->Width(), c.frameW) << c.what;
        EXPECT_EQ(frame->Height(), c.frameH) << c.what;
        EXPECT_EQ(frame->Pixel(0, 0), kKey) << c.what << ": the border is the background";
    }
}

TEST(FilmLoading, ChangingTheSizeOrColourReloadsTheFolder) {
    FilmRig rig;
    rig.Put("p.png", Picture(kRed));
    rig.Load();
    rig.d.film.SetWidth(30);
    rig.d.film.SetHeight(30);
    ASSERT_EQ(rig.d.film.Entries().size(), 2u);
    EXPECT_EQ(rig.d.film.Entries()[0].frame->Width(), 32);
    rig.d.film.SetHintergrundfarbe(kWhite);
    EXPECT_EQ(rig.d.film.Entries()[0].frame->Pixel(0, 0), kWhite);
}

// A tmpfs of its own that can be made read-only: a folder no one may write,
// even root. Without root the folder is made read-only by its mode.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::string& path) : path_(path) {
        if (::geteuid() == 0) mounted_ = ::mount("tmpfs", path.c_str(), "tmpfs", 0, nullptr) == 0;
    }
    ~ReadOnlyFolder() {
        if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    bool Lock() {
        if (mounted_)
            return ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
        return ::geteuid() != 0 && ::chmod(path_.c_str(), 0555) == 0;
    }

private:
    std::string path_;
    bool mounted_ = false;
};

TEST(FilmLoading, AReadOnlyFolderPlaysInNameOrderWithoutAControlFile) {
    FilmRig rig;
    rig.dir.MakeDir("filme");
    ReadOnlyFolder folder(rig.dir / "filme");
    for (const auto& [name, colour] : kThree) rig.Put(name, Picture(colour));
    if (!folder.Lock()) GTEST_SKIP() << "no way to make a folder read-only here";
    rig.Load();
    EXPECT_FALSE(rig.dir.Has("filme/steuer.txt"));
    rig.Play(0, 1, 100);
    rig.PumpFor(500);
    EXPECT_EQ(rig.shown, (std::vector<Shown>{{0, 0, kRed}, {100, 2, kGreen}, {200, 3, kBlue}}));
    EXPECT_EQ(rig.finishedAt, std::vector<int>{300});
}

TEST(FilmPlaying, SoundLinesPlayWithBilddelayOnly) {
    for (const bool bilddelay : {false, true}) {
        FilmRig rig;
        rig.Put("a.png", Picture(kRed));
        rig.dir.Write("filme/ding.wav", MakeToneWav(440));
        rig.Put("steuer.txt", "a.png\r\nDING.WAV\r\na.png\r\n");
        rig.d.film.bilddelay = bilddelay;
        rig.Load();
        rig.Play(0, 1, 100);
        rig.PumpFor(300);
        const auto& log = rig.platform.SoundLog();
        if (!bilddelay) {
            EXPECT_TRUE(log.empty());
            continue;
        }
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].path, rig.dir / "filme/ding.wav");
        EXPECT_EQ(log[0].atMicros, 100'000u) << "after the first frame's pause";
        EXPECT_EQ(rig.shown.size(), 2u);
        EXPECT_EQ(rig.shown[1].ms, 100) << "a sound takes no time";
    }
}

TEST(FilmPlaying, StopEndsTheSequenceWithoutTheFinishNotification) {
    FilmRig rig;
    for (const auto& [name, colour] : kThree) rig.Put(name, Picture(colour));
    rig.Load();
    rig.Play(0, 1, 100);
    rig.PumpFor(150);
    rig.d.film.SetStop(true);
    rig.PumpFor(500);
    EXPECT_EQ(rig.shown, (std::vector<Shown>{{0, 0, kRed}, {100, 2, kGreen}}));
    EXPECT_TRUE(rig.finishedAt.empty());
    EXPECT_TRUE(rig.d.film.Stopped());
}

TEST(FilmPlaying, StopDrawsAFrameThatHasFallenDue) {
    FilmRig rig;
    for (const auto& [name, colour] : kThree) rig.Put(name, Picture(colour));
    rig.Put("steuer.txt", kAbc);
    rig.Load();
    rig.Play(0, 1, 100);
    rig.PumpFor(50);
    rig.platform.AdvanceMillis(60);  // the next frame is due, no step has run
    rig.d.film.Stop();
    EXPECT_EQ(rig.shown, (std::vector<Shown>{{0, 0, kRed}, {110, 1, kGreen}}));
}

TEST(FilmPlaying, PlayAgainReplacesTheRunningSequence) {
    FilmRig rig;
    for (const auto& [name, colour] : kThree) rig.Put(name, Picture(colour));
    rig.Load();
    rig.Play(0, 1, 100);
    rig.PumpFor(150);
    rig.Play(2, 1, 50);  // from B
    rig.PumpFor(500);
    EXPECT_EQ(rig.shown, (std::vector<Shown>{
                             {0, 0, kRed}, {100, 2, kGreen}, {150, 2, kGreen}, {200, 3, kBlue}}));
    EXPECT_EQ(rig.finishedAt, std::vector<int>{250}) << "only the second one finished";
}

TEST(FilmPlaying, ManyRoundsWithoutFramesOrPausesEnd) {
    FilmRig rig;
    rig.Put("ding.wav", "RIFF");
    rig.Load();  // "ding.wav" and "200", nothing to show or wait for
    rig.Play(0, 1'000'000'000, 0);
    rig.PumpFor(2);
    EXPECT_TRUE(rig.d.film.Stopped());
    EXPECT_EQ(rig.finishedAt, std::vector<int>{0});
}

TEST(FilmPlaying, KeyedFramesOverTheCapturedBackgroundOrReplacingIt) {
    for (const bool transparent : {true, false}) {
        FilmRig rig;
        rig.Put("a.png", Picture(kRed));
        rig.Load();
        FillRect(rig.d.Canvas(), rig.d.Canvas().Bounds(), kWhite);
        rig.d.film.transparent = transparent;
        rig.Play(0, 1, 100);
        rig.PumpFor(1);
        const Bitmap& c = rig.d.Canvas();
        EXPECT_EQ(c.Pixel(kLeft + kSide / 2, kTop + kSide / 2), kRed) << transparent;
        EXPECT_EQ(c.Pixel(kLeft + 1, kTop + 1), transparent ? kWhite : kKey) << transparent;
        EXPECT_EQ(c.Pixel(kLeft - 1, kTop), kWhite) << transparent << ": nothing left of the frame";
    }
}

TEST(FilmPlaying, AFrameOffTheLeftEdgeLosesItsLeftPart) {
    FilmRig rig;
    rig.Put("a.png", Picture(kRed));
    rig.Load();
    FillRect(rig.d.Canvas(), rig.d.Canvas().Bounds(), kWhite);
    rig.d.film.transparent = false;
    rig.d.film.Play(-kSide / 2, -5, rig.d.Canvas(), 0, 1, 100);
    rig.PumpFor(1);
    const Bitmap& c = rig.d.Canvas();
    EXPECT_EQ(c.Pixel(0, kSide / 2), kRed) << "the frame's middle at the left edge";
    EXPECT_EQ(c.Pixel(kSide / 2 - 1, kSide / 2), kKey) << "its right border";
    EXPECT_EQ(c.Pixel(kSide / 2 + 1, kSide / 2), kWhite);
    EXPECT_EQ(c.Pixel(5, 0), kKey) << "drawn at the top edge, its top row whole";
}

TEST(FilmPlaying, CloseGraphStopsTheSequenceBeforeTheScreenChanges) {
    GraphScreen s({640, 480});
    Dos& d = s.d;
    TempDir dir;
    for (const auto& [name, colour] : kThree) dir.Put("filme/" + name, Picture(colour));
    std::vector<uint64_t> frames;
    d.film.OnFrame = [&](int) { frames.push_back(s.platform.NowMicros()); };
    bool finished = false;
    d.film.OnFinish = [&] { finished = true; };
    d.film.transparent = false;
    d.film.SetVerzeichnis(dir / "filme/");
    InitGraph(d, 0);
    d.film.Play(kLeft, kTop, d.Canvas(), 0, 1, 100);
    Delay(d, 60);
    ASSERT_EQ(frames.size(), 1u);
    const uint64_t closing = s.platform.NowMicros();
    CloseGraph(d);
    EXPECT_TRUE(d.film.Stopped());
    EXPECT_FALSE(finished);
    ASSERT_EQ(frames.size(), 1u) << "no frame while CloseGraph waits and after";
    EXPECT_LE(frames.back(), closing);
    Delay(d, 500);
    EXPECT_EQ(frames.size(), 1u);
}

}  // namespace
}  // namespace qs::test
