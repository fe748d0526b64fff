// The player question's mouse text: a click on the "1" or the "2" of the
// question drawn at the top of the exercise screen answers it, whatever the
// window's size (the question's font follows it).
#include <gtest/gtest.h>

#include "screen/GraphMapping.h"
#include "screen/TextScreen.h"
#include "screen/graph/Graph.h"
#include "screen/mouse/Mouse.h"
#include "support/WindowRun.h"

namespace qs::test {
namespace {

const std::string kQuestion = "Anzahl der Spieler:  1   oder   2  ?";

// The key code and ExtendedKey of a click at graph point (x, y).
std::pair<int, bool> ClickAt(Dos& d, int x, int y) {
    ToWindow(d.screen.Area, x, y);
    d.keys.ExtendedKey = false;
    const int code = MouseHitCode(d, x, y);
    return {code, d.keys.ExtendedKey};
}

// The x span of the character at index i of the question, drawn from x 10.
std::pair<int, int> SpanOf(Dos& d, size_t i) {
    return {10 + TextWidth640(d, kQuestion.substr(0, i)),
            10 + TextWidth640(d, kQuestion.substr(0, i + 1))};
}

TEST(PlayerCountClick, DigitsOfTheQuestionAnswerItInEveryWindowSize) {
    for (Size size : {Size{640, 480}, Size{800, 600}, Size{1024, 768}, Size{1280, 800},
                      Size{1366, 768}, Size{1920, 1080}, Size{2560, 1440}}) {
        const std::string window = std::to_string(size.w) + "x" + std::to_string(size.h);
        RunOptions o;
        o.size = size;
        const RunResult run = RunTrainerProc(o, [&](Trainer& tr) {
            Dos& d = tr.d;
            InitGraph(d, 0);
            // The question as the exercises ask it.
            SetFillStyle(d, 1, 7);
            Bar(d, 0, 0, 639, 40);
            SetTextStyle(d, 1, 0, 4);
            SetTextJustify(d, 0, 2);
            SetColor(d, 1);
            Rect drawn;
            OutTextXYRect(d, 10, 1, kQuestion, drawn);
            PushMouseTexts(d, "", "quendel.sp1");

            const int middleY = (drawn.top + drawn.bottom) / 2;
            for (char digit : {'1', '2'}) {
                const auto [left, right] = SpanOf(d, kQuestion.find(digit));
                for (int x : {left + 1, (left + right) / 2, right - 1}) {
                    for (int y : {drawn.top + 2, middleY, drawn.bottom - 2}) {
                        const auto [code, extended] = ClickAt(d, x, y);
                        EXPECT_EQ(code, digit)
                            << window << ": " << digit << " at " << x << "," << y;
                        EXPECT_TRUE(extended) << window << ": " << digit << " at " << x;
                    }
                }
            }
            // The words beside the digits, and the screen below, answer
            // nothing; a 640 x 480 window draws the question too coarsely
            // for cells of 8 points to keep its words apart.
            for (const char* word : {"Spieler:", "oder"}) {
                if (size.w < 800) break;
                const size_t at = kQuestion.find(word);
                for (size_t i = at; i < at + std::string(word).size(); ++i) {
                    const auto [left, right] = SpanOf(d, i);
                    EXPECT_EQ(ClickAt(d, (left + right) / 2, middleY).first, 0)
                        << window << ": " << kQuestion[i] << " of " << word;
                }
            }
            const auto [left, right] = SpanOf(d, kQuestion.find('1'));
            EXPECT_EQ(ClickAt(d, (left + right) / 2, 60).first, 0) << window;
            PopMouseTexts(d);
            CloseGraph(d);
        });
        ASSERT_TRUE(run.returned) << window;
    }
}

}  // namespace
}  // namespace qs::test
