// The key reading of the exercises with its quit box.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "exercises/Programs.h"
#include "graph/GraphTestSupport.h"
#include "screen/GraphMapping.h"
#include "trainer/QuitKeys.h"

namespace qs::test {
namespace {

constexpr uint64_t kAnswerAfterMicros = 2'500'000;  // the box has blinked twice by then

// A graphics screen with a picture under the box, and a player who answers
// after a while: the answer keys arrive during the blinking, and the screen
// is taken just before.
struct QuitFixture {
    test::GraphScreen screen{{1280, 960}};
    Dos& d = screen.d;
    Trainer tr{d, AllPrograms()};
    std::optional<Bitmap> duringBox;
    uint64_t start = 0;

    QuitFixture() {
        InitGraph(d, 0);
        for (int i = 0; i < 16; ++i) {
            SetFillStyle(d, 1, i);
            Bar(d, 40 * i, 200, 40 * i + 39, 300);
        }
        SetColor(d, 10);
        OutTextXY(d, 100, 240, "Unter dem Kasten");
        SetFillStyle(d, 1, 5);
        SetTextStyle(d, 1, 0, 2);
        start = d.platform.NowMicros();
    }

    void AnswerLater(const std::string& keys) {
        d.beforePump = [this, keys] {
            if (duringBox || d.platform.NowMicros() - start < kAnswerAfterMicros) return;
            duringBox = d.Canvas();
            std::string reversed(keys.rbegin(), keys.rend());
            d.keys.KeyBuffer = reversed + d.keys.KeyBuffer;
            d.keys.ExtendedKey = false;
        };
    }

    Rgb BoxPixel() const {
        int x = 300, y = 262;
        ToWindow(d.screen.Area, x, y);
        return duringBox ? duringBox->Pixel(x, y) : 0xFFFFFFFF;
    }
};

TEST(QuitKeysTest, AnswersOfTheBox) {
    struct Case {
        const char* name;
        std::string keys;
        char lastKey;
    };
    const Case cases[] = {
        {"n", "n", 0},
        {"N", "N", 0},
        {"escape is no", "\x1b", 0},
        {"j", "j", 27},
        {"J", "J", 27},
        {"other keys are ignored", "x\rj", 27},
        {"other keys then n", " n", 0},
    };
    for (const Case& c : cases) {
        QuitFixture f;
        const Bitmap before = f.d.Canvas();
        const FontRequest font = f.d.screen.WindowFont;
        f.AnswerLater(c.keys);
        AskQuitNow(f.tr);
        EXPECT_EQ(f.tr.t.LastKey, c.lastKey) << c.name;
        ASSERT_TRUE(f.duringBox) << c.name;
        EXPECT_FALSE(test::GraphScreen::Same(*f.duringBox, before)) << c.name << ": no box";
        EXPECT_TRUE(test::GraphScreen::Same(f.d.Canvas(), before)) << c.name << ": not restored";
        EXPECT_EQ(f.d.graph.FillIndex, 5) << c.name;
        EXPECT_EQ(f.d.graph.FontNo, 1) << c.name;
        EXPECT_EQ(f.d.screen.WindowFont.sizePt, font.sizePt) << c.name;
        EXPECT_EQ(f.d.screen.WindowFont.face, font.face) << c.name;
    }
}

TEST(QuitKeysTest, BoxColourFollowsTheExercise) {
    struct Case {
        int programNo;
        int endungen;
        int fill;
    };
    const Case cases[] = {{1, 0, 12}, {2, 0, 1}, {8, 0, 1}, {3, 1, 1}, {3, 0, 12}, {4, 0, 12}};
    for (const Case& c : cases) {
        QuitFixture f;
        f.tr.t.ProgramNo = c.programNo;
        f.tr.t.opt.OptEndungen = c.endungen;
        f.AnswerLater("n");
        AskQuitNow(f.tr);
        const std::string name =
            "ProgramNo " + std::to_string(c.programNo) + " Endungen " + std::to_string(c.endungen);
        EXPECT_EQ(f.BoxPixel(), PaletteColour(f.d, c.fill)) << name;
        if (c.programNo == 4) {
            EXPECT_EQ(GetColor(f.d), 14) << name;
        }
    }
}

TEST(QuitKeysTest, ReadKeyOrQuit) {
    struct Case {
        const char* name;
        char key;
        bool extended;
        std::string answer;
        char lastKey;
        bool asked;
    };
    const Case cases[] = {
        {"a letter is returned", 'a', false, "", 'a', false},
        {"escape asks, n goes on", 27, false, "n", 0, true},
        {"escape asks, j quits", 27, false, "j", 27, true},
        {"F1 asks like escape", ';', true, "n", 0, true},
        {"F1 and j quits", ';', true, "j", 27, true},
        {"a typed semicolon is a key", ';', false, "", ';', false},
        {"an escape from a click asks", 27, true, "n", 0, true},
    };
    for (const Case& c : cases) {
        QuitFixture f;
        f.d.keys.KeyBuffer = std::string(1, c.key);
        f.d.keys.ExtendedKey = c.extended;
        f.AnswerLater(c.answer);
        ReadKeyOrQuit(f.tr);
        EXPECT_EQ(f.tr.t.LastKey, c.lastKey) << c.name;
        EXPECT_EQ(f.duringBox.has_value(), c.asked) << c.name;
    }
}

}  // namespace
}  // namespace qs::test
