// The kit's clears at every window size the program meets and at every text
// size: a text cleared from its inked extent, a letter put back over what
// lay under it, a figure erased where it stood. Each draws, clears and
// compares with the window before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exercises/Programs.h"
#include "exercises/common/ExerciseScreen.h"
#include "exercises/common/Kit.h"
#include "graph/GraphTestSupport.h"
#include "support/ClearCheck.h"

namespace qs::test {
namespace {

const Size kWindows[] = {{640, 480}, {1000, 750}, {1280, 1024}, {1920, 1080}, {3840, 2160}};

std::string Name(Size s) { return std::to_string(s.w) + "x" + std::to_string(s.h); }

struct KitScreen {
    explicit KitScreen(Size window) : screen(window), tr(screen.d, AllPrograms()) {
        InitGraph(screen.d, 0);
        tr.t.opt.GraphFont = 1;
    }
    GraphScreen screen;
    Trainer tr;
    Dos& d = screen.d;
};

// Texts with letters below the line, umlauts above it, a special glyph and
// a leading blank, in every size, thin and fat, left-aligned and centred.
TEST(KitClears, ClearTextTakesEveryInkedPixel) {
    const char* const texts[] = {"Es ist leider nicht gleich.", "     Es ist gleich !!!",
                                 "\216jgpq\232y|", "Wie bitte?"};
    for (Size window : kWindows) {
        KitScreen k(window);
        SetFillStyle(k.d, fillstyle::Solid, colour::Grey);
        Bar(k.d, 0, 0, 639, 479);
        for (int size = 1; size <= 10; ++size)
            for (const char* text : texts)
                for (bool thick : {false, true})
                    for (int hJust : {0, 1}) {
                        SetSize(k.tr, size);
                        SetTextJustify(k.d, hJust, 2);
                        SetColor(k.d, colour::Red);
                        EXPECT_TRUE(ClearsWhatWasDrawn(
                            k.d, [&] { OutTextXY(k.d, 320, 200, text, thick); },
                            [&] { ClearText(k.tr, 320, 200, text, thick); }))
                            << Name(window) << " size " << size << " \"" << text << "\""
                            << (thick ? " fat" : "") << (hJust ? " centred" : "");
                    }
    }
}

// A fat red letter drawn over a bubble goes away with the piece saved from
// under it, smoothed edges and all, so a thin grey letter drawn next keeps
// no red outline.
TEST(KitClears, RestoredAreaTakesAFatLetterAway) {
    for (Size window : kWindows) {
        KitScreen k(window);
        SetFillStyle(k.d, fillstyle::Solid, colour::Background);
        Bar(k.d, 0, 0, 639, 479);
        SetFillStyle(k.d, fillstyle::Solid, colour::Grey);
        SetColor(k.d, colour::LightYellow);
        FillEllipse(k.d, 420, 350, 30, 14);
        for (int size = 2; size <= 6; ++size) {
            SetSize(k.tr, size);
            const SavedArea under = SaveArea(k.tr, TextInkRect(k.d, 411, 335, "N", true));
            SetColor(k.d, colour::Red);
            EXPECT_TRUE(ClearsWhatWasDrawn(
                k.d, [&] { OutTextXY(k.d, 411, 335, "N", true); },
                [&] { RestoreArea(k.tr, under); }))
                << Name(window) << " size " << size;
        }
    }
}

class Figures : public monitor {
public:
    using monitor::monitor;
    void Prepare() override {}
    void Run() override {}
};

// A figure drawn plain or mirrored, inside the screen, partly left of it or
// partly below it, is erased whole from the page it was drawn over.
TEST(KitClears, EraseSpriteTakesTheWholeFigure) {
    struct Place {
        const char* name;
        int x, y;
        bool mirrored;
    };
    const Place places[] = {
        {"inside", 300, 200, false},
        {"inside, mirrored", 300, 200, true},
        {"partly left of the screen", -104, 340, false},
        {"partly left of the screen, mirrored", -104, 340, true},
        {"partly below the screen", 500, 400, false},
    };
    for (Size window : kWindows) {
        KitScreen k(window);
        Figures m(k.tr);
        SetFillStyle(k.d, fillstyle::Solid, colour::Background);
        Bar(k.d, 0, 0, 639, 479);
        SetFillStyle(k.d, fillstyle::Solid, colour::Grey);
        FillEllipse(k.d, 320, 300, 200, 100);
        SavePage(k.d, 1);
        Picture figure;
        NewPicture(k.d, figure, 136, 136);
        FillPicture(figure, 0xC08040);
        for (const Place& p : places) {
            EXPECT_TRUE(ClearsWhatWasDrawn(
                k.d,
                [&] {
                    if (p.mirrored) m.DrawSpriteMirrored(figure, 1, p.x, p.y);
                    else m.DrawSprite(figure, 1, p.x, p.y);
                },
                [&] { m.EraseSprite(figure, 1, p.x, p.y, p.mirrored); }))
                << Name(window) << " " << p.name;
        }
    }
}

}  // namespace
}  // namespace qs::test
