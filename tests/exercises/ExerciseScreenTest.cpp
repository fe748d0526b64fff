// The sprite operations of the exercise screen: pictures over a saved
// background page on a 640 x 480 window (graph points are window pixels).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exercises/Programs.h"
#include "exercises/common/ExerciseScreen.h"
#include "exercises/comparison/Comparison.h"
#include "graph/GraphTestSupport.h"
#include "screen/surface/Raster.h"

namespace qs::test {
namespace {

constexpr Rgb kRed = 0xFF0000;
constexpr Rgb kGreen = 0x00FF00;
constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kNavy = 0x000080;

class TestScreen : public monitor {
public:
    using monitor::monitor;
    void Prepare() override {}
    void Run() override {}
    void Release() override { ReleaseScreen(); }
};

class ExerciseScreenTest : public ::testing::Test {
protected:
    ExerciseScreenTest() : screen(Size{640, 480}), tr(screen.d, AllPrograms()), m(tr) {
        InitGraph(screen.d, 0);
        // Background: black with a white band across the middle.
        FillRect(screen.d.Canvas(), Rect{0, 200, 640, 260}, kWhite);
        SavePage(screen.d, 0);
        background = screen.d.Canvas();
    }

    // A w x h picture in colour c; its top-left pixel black (transparent).
    Picture MakePicture(int w, int h, Rgb c) {
        Picture p;
        NewPicture(screen.d, p, w, h);
        FillPicture(p, c);
        p->SetPixel(0, 0, 0);
        return p;
    }

    const Bitmap& Window() { return screen.d.Canvas(); }

    // The smallest rectangle where the window differs from the background.
    Rect Changed() {
        Rect r{640, 480, 0, 0};
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                if (Window().Pixel(x, y) != background.Pixel(x, y)) {
                    r = Rect{std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
                             std::max(r.bottom, y + 1)};
                }
        return r.Empty() ? Rect{} : r;
    }

    test::GraphScreen screen;
    Trainer tr;
    TestScreen m;
    Bitmap background;
};

TEST_F(ExerciseScreenTest, DrawSpriteLeftOfTheWindowShowsItsRightPartInPlace) {
    Picture p = MakePicture(80, 40, kRed);
    m.DrawSprite(p, 0, -64, 100);
    // Picture columns 64..79 land on window columns 0..15.
    EXPECT_EQ(Changed(), (Rect{0, 100, 16, 140}));
}

TEST_F(ExerciseScreenTest, BlackPixelsOfAPictureAreTransparent) {
    Picture p = MakePicture(20, 20, kRed);
    m.DrawSprite(p, 0, 100, 190);  // the black corner pixel lies over the white band
    EXPECT_EQ(Window().Pixel(100, 190), 0u);
    p->SetPixel(0, 15, 0);
    m.DrawSprite(p, 0, 100, 190);
    EXPECT_EQ(Window().Pixel(100, 205), kWhite);
    EXPECT_EQ(Window().Pixel(101, 205), kRed);
}

TEST_F(ExerciseScreenTest, StepsOfEightLeaveNoTrail) {
    Picture p = MakePicture(40, 40, kRed);
    int x = 400;
    for (int i = 0; i < 21; ++i) {
        x -= 8;
        m.DrawSprite(p, 0, x, 210);
    }
    Bitmap expected = background;
    Blit(expected, x, 210, *p, p->Bounds());
    expected.SetPixel(x, 210, kWhite);  // the transparent corner over the band
    EXPECT_TRUE(test::GraphScreen::Same(Window(), expected));
}

TEST_F(ExerciseScreenTest, PaintWithModeTwoRestoresTheCleanPage) {
    Picture p = MakePicture(40, 40, kRed);
    m.PaintSprite(p, 0, 1, 300, 180);
    EXPECT_FALSE(test::GraphScreen::Same(Window(), background));
    m.PaintSprite(p, 0, 2, 300, 180);
    EXPECT_TRUE(test::GraphScreen::Same(Window(), background));
}

TEST_F(ExerciseScreenTest, PaintWithModeOneCombinesByOr) {
    Picture black = MakePicture(40, 40, 0);
    m.PaintSprite(black, 0, 1, 300, 190);
    EXPECT_TRUE(test::GraphScreen::Same(Window(), background));

    Picture navy = MakePicture(40, 40, kNavy);
    m.PaintSprite(navy, 0, 1, 300, 190);
    EXPECT_EQ(Window().Pixel(310, 195), kNavy) << "over black";
    EXPECT_EQ(Window().Pixel(310, 210), kWhite) << "white stays visible under navy";
}

TEST_F(ExerciseScreenTest, MirroredSpriteIsReversedAndPlacedFurtherRight) {
    Picture p;
    NewPicture(screen.d, p, 40, 20);
    FillRect(*p, Rect{0, 0, 20, 20}, kRed);
    FillRect(*p, Rect{20, 0, 40, 20}, kGreen);
    m.DrawSpriteMirrored(p, 0, 100, 100);
    // The region reaches 30 pixels right of the picture and 16 left of it.
    const Rect drawn = Changed();
    EXPECT_EQ(drawn, (Rect{114, 100, 154, 120}));
    EXPECT_EQ(Window().Pixel(114, 110), kGreen);
    EXPECT_EQ(Window().Pixel(153, 110), kRed);
    FillRect(screen.d.Canvas(), drawn, 0);
    EXPECT_TRUE(test::GraphScreen::Same(Window(), background)) << "the background is unchanged";
}

TEST_F(ExerciseScreenTest, NothingIsDrawnOutsideTheWindowOrWithoutItsPage) {
    Picture p = MakePicture(40, 40, kRed);
    m.DrawSprite(p, 0, 700, 100);
    m.DrawSprite(p, 0, 100, 500);
    m.DrawSprite(p, 3, 100, 100);  // page 3 was never saved
    EXPECT_TRUE(test::GraphScreen::Same(Window(), background));
}

TEST_F(ExerciseScreenTest, ReleaseFreesPicturesAndTheTrainersPages) {
    NewPicture(screen.d, m.Pictures[24], 10, 10);
    SavePage(screen.d, 3);
    SavePage(screen.d, 4);
    m.Release();
    EXPECT_EQ(m.Pictures[24], nullptr);
    for (int page = 0; page <= 3; ++page) EXPECT_EQ(screen.d.Pages[page], nullptr) << page;
    EXPECT_NE(screen.d.Pages[4], nullptr) << "page 4 belongs to the main window";
}

// Numbered frames and repeated cycles, as the word comparison's dinosaur
// and the race's runner use them.
TEST(PictureSlotsTest, NumberedAndCycledFrames) {
    const struct {
        const char* what;
        std::vector<PictureSlot> slots;
        int firstSlot;
        std::vector<std::string> files;
    } cases[] = {
        {"Dino n in slot 24 + n",
         NumberedSlots(24, 11, "Dino", 136, 136),
         24,
         {"Dino0", "Dino1", "Dino2", "Dino3", "Dino4", "Dino5", "Dino6", "Dino7", "Dino8", "Dino9",
          "Dino10"}},
        {"girl1..girl8, then girl1..girl4 again",
         NumberedSlots(12, 12, "girl", 48, 100, 1, 8),
         12,
         {"girl1", "girl2", "girl3", "girl4", "girl5", "girl6", "girl7", "girl8", "girl1", "girl2",
          "girl3", "girl4"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> files;
        for (size_t i = 0; i < c.slots.size(); ++i) {
            const PictureSlot& s = c.slots[i];
            EXPECT_EQ(s.slot, c.firstSlot + static_cast<int>(i)) << c.what;
            EXPECT_EQ(s.w, c.slots.front().w) << c.what;
            EXPECT_EQ(s.h, c.slots.front().h) << c.what;
            files.push_back(s.file);
        }
        EXPECT_EQ(files, c.files) << c.what;
    }
}

// A list of another exercise is refused with a message; the game never
// switches to graphics.
TEST(ExerciseLauncherTest, WordFileOfAnotherProgramIsRefused) {
    test::GraphScreen screen(Size{640, 480});
    Trainer tr(screen.d, AllPrograms());
    tr.t.ProgramNo = 1;
    tr.t.WordFileExt = "VWT";  // a list of the race
    tr.t.WordFileName = "TIERE.VWT";
    tr.t.WordFilePath = "LS1DAT\\TIERE.VWT";
    tr.t.WordList[1] = "be-ent-ver";
    tr.t.WordCount = 1;
    RunComparison(tr);
    EXPECT_TRUE(tr.t.WrongExtension);
    EXPECT_FALSE(screen.d.screen.GraphMode);
    std::u32string top(screen.d.screen.Grid.begin(), screen.d.screen.Grid.begin() + 80);
    EXPECT_EQ(top.substr(0, 15), U"Falsche Endung ");
}

}  // namespace
}  // namespace qs::test
