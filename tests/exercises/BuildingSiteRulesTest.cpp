// The building site's rules apart from drawing: which course a line takes,
// where its words, joints and gap lie, which lines a task reads, the brick
// row, which gap a click hits, and the barrow's limits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exercises/buildingsite/BuildingSite.h"

namespace qs::test {
namespace {

// Every character 10 wide: positions can be worked out by hand.
int Tens(const std::string& s) { return 10 * static_cast<int>(s.size()); }

WallLine Lay(const std::string& line, int course = 3) {
    return LayOutWallLine(ParseBuildingSiteLine(line), line.size(), course, Tens);
}

TEST(BuildingSiteRulesTest, CoursesOfTheLines) {
    struct Row {
        int lines;
        std::vector<int> courses;
    };
    const Row rows[] = {{1, {3}}, {3, {1, 3, 5}}, {5, {1, 2, 3, 4, 5}}};
    for (const Row& r : rows)
        for (size_t n = 1; n <= r.courses.size(); ++n)
            EXPECT_EQ(CourseOfLine(r.lines, static_cast<int>(n)), r.courses[n - 1])
                << r.lines << " lines, line " << n;
    const int bases[] = {382, 326, 270, 214, 158};
    for (int c = 1; c <= 5; ++c) EXPECT_EQ(CourseBase(c), bases[c - 1]) << "course " << c;
    EXPECT_EQ(CourseTop(1), 360);
    EXPECT_EQ(CourseTop(5), 136);
    const int options[][2] = {{0, 1}, {1, 1}, {3, 3}, {5, 5}, {2, 1}, {9, 5}};
    for (const auto& o : options) EXPECT_EQ(LinesPerTask(o[0]), o[1]) << "OptBaustelle " << o[0];
}

TEST(BuildingSiteRulesTest, TheBarrowStaysBetweenTwoAndFiveHundredEighty) {
    struct Row {
        const char* what;
        int x;
        int units;
        bool back;
        int to;
    };
    const Row rows[] = {
        {"back from 10", 10, 4, true, 6},          {"back stops at 2", 3, 4, true, 2},
        {"back from 2 stays", 2, 2, true, 2},      {"back at the start stays at 0", 0, 4, true, 0},
        {"back from 1 stays at 1", 1, 2, true, 1}, {"on from 0", 0, 2, false, 2},
        {"on stops at 580", 578, 4, false, 580},   {"on at 580 stays", 580, 2, false, 580},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.back ? BarrowBack(r.x, r.units) : BarrowOn(r.x, r.units), r.to) << r.what;
    EXPECT_EQ(DriveRounds(1), 4);
    EXPECT_EQ(DriveRounds(3), 5);
    EXPECT_EQ(DriveRounds(5), 6);
}

TEST(BuildingSiteRulesTest, PointsAndWinner) {
    EXPECT_EQ(TaskPoints(3, 1), 2);
    EXPECT_EQ(TaskPoints(1, 0), 1);
    EXPECT_EQ(TaskPoints(5, 5), 0);
    PlayersState p;
    p.PlayerName1 = "Anna";
    p.PlayerName2 = "Ben";
    EXPECT_EQ(SiteWinnerText(p, 3, 2), "Anna hat gewonnen!");
    EXPECT_EQ(SiteWinnerText(p, 0, 2), "Ben hat gewonnen!");
    EXPECT_EQ(SiteWinnerText(p, 2, 2), "Beide Spieler haben gewonnen!");
}

TEST(BuildingSiteRulesTest, LaysOutALineOnItsCourse) {
    struct Row {
        const char* line;
        int course;
        std::vector<WallWord> words;
        std::vector<int> joints;
        int gapLeft;
        int gapRight;
        int textRight;
    };
    const Row rows[] = {
        // 18 characters: from 320 - 162; a blank puts a joint between two
        // pieces, 16 from text to text.
        {"der -kalte- Winter",
         3,
         {{158, "der"}, {270, "Winter"}},
         {100, 196, 259, 338, 438, 538},
         200,
         258,
         338},
        // The gap at the very start: a joint right before it, the word
        // joined to it 8 right of its edge.
        {"-Denkmal-schutz", 3, {{267, "schutz"}}, {100, 177, 335, 435, 535}, 181, 259, 335},
        // A line that ends in its gap: the closing joint follows the gap.
        {"Die Kuh gibt -Milch-",
         2,
         {{140, "Die"}, {186, "Kuh"}, {232, "gibt"}},
         {178, 224, 280, 343, 443, 543},
         284,
         342,
         343},
        // The course's joints keep a brick's width clear of the line: none
        // at 200 so close to the joint before the gap.
        {"-Oster-hase", 3, {{283, "hase"}}, {100, 213, 331, 431, 531}, 217, 275, 331},
        // The second and fourth course start their joints at 150.
        {"ab-fahr-en", 4, {{230, "ab"}, {314, "en"}}, {150, 342, 442, 542}, 258, 306, 342},
    };
    for (const Row& r : rows) {
        const WallLine w = Lay(r.line, r.course);
        EXPECT_EQ(w.base, CourseBase(r.course)) << r.line;
        ASSERT_EQ(w.words.size(), r.words.size()) << r.line;
        for (size_t i = 0; i < w.words.size(); ++i) {
            EXPECT_EQ(w.words[i].x, r.words[i].x) << r.line << " word " << i;
            EXPECT_EQ(w.words[i].text, r.words[i].text) << r.line << " word " << i;
        }
        EXPECT_EQ(w.joints, r.joints) << r.line;
        EXPECT_EQ(w.gapLeft, r.gapLeft) << r.line;
        EXPECT_EQ(w.gapRight, r.gapRight) << r.line;
        EXPECT_EQ(w.textRight, r.textRight) << r.line;
        EXPECT_TRUE(w.fits) << r.line;
    }
    EXPECT_EQ(Lay("-Denkmal-schutz").text, "Denkmalschutz");
    EXPECT_EQ(Lay("-Denkmal-schutz").brick, "Denkmal");
}

// Nothing of a line may stand outside the wall: a line too long for its
// course, or with letters wider than the wall takes, does not fit.
TEST(BuildingSiteRulesTest, ALineWiderThanTheWallDoesNotFit) {
    const std::string thirty = "Im Januar ist es sehr -kalt-..";
    EXPECT_TRUE(Lay(thirty).fits);
    const auto wide = [](const std::string& s) { return 20 * static_cast<int>(s.size()); };
    EXPECT_FALSE(LayOutWallLine(ParseBuildingSiteLine(thirty), thirty.size(), 3, wide).fits);
    const std::string forty = "Ein sehr langer Satz mit einem -Wort- am Ende";
    EXPECT_FALSE(Lay(forty).fits);
    const std::string longBrick = "-" + std::string(60, 'a') + "-";
    EXPECT_FALSE(Lay(longBrick).fits);
}

TEST(BuildingSiteRulesTest, TakesALineOnlyWithOneTypableGap) {
    struct Row {
        const char* line;
        SiteLineUse use;
    };
    const Row rows[] = {
        {"der -kalte- Winter", SiteLineUse::Play},
        {"-Denkmal-schutz", SiteLineUse::Play},
        {"Wir -sind 2- Kinder!", SiteLineUse::Play},
        {"der -kalte Winter", SiteLineUse::Unclosed},
        {"-", SiteLineUse::Unclosed},
        {"der kalte Winter", SiteLineUse::Skip},
        {"", SiteLineUse::Skip},
        {"der -- Winter", SiteLineUse::Skip},
        {"der -  - Winter", SiteLineUse::Skip},
        {"der -kalte- und -nasse- Winter", SiteLineUse::Skip},
        {"ein -Caf\x82- am Markt", SiteLineUse::Skip},
        {"ein -\x01\x02- Steuerzeichen", SiteLineUse::Skip},
        {"die -S\x81\xe1\x84- \x8e\x99\x9a", SiteLineUse::Play},
    };
    for (const Row& r : rows)
        EXPECT_EQ(UseOfSiteLine(ParseBuildingSiteLine(r.line)), r.use) << r.line;
}

SiteTask Read(const std::vector<std::string>& list, int lines, int& position) {
    return ReadSiteTask(
        [&](int n) -> const std::string& { return list[static_cast<size_t>(n - 1)]; },
        static_cast<int>(list.size()), position, lines, Tens);
}

std::vector<int> CoursesOf(const SiteTask& t) {
    std::vector<int> c;
    for (const WallLine& w : t.shown) c.push_back(w.course);
    return c;
}

TEST(BuildingSiteRulesTest, ATaskReadsFiveBricks) {
    const std::vector<std::string> animals = {
        "Die -Katze- schl\x84"
        "ft.",
        "Der -Hund- bellt.",
        "Die -Kuh- muht.",
        "Das -Pferd- frisst.",
        "Der -Vogel- singt.",
        "Die -Biene- summt."};
    struct Row {
        const char* what;
        std::vector<std::string> list;
        int lines;
        int start;
        std::vector<std::string> bricks;
        std::vector<int> courses;
        int position;  // where the reading stopped
        bool unclosed;
    };
    const Row rows[] = {
        {"one line still offers five bricks",
         animals,
         1,
         0,
         {"Katze", "Hund", "Kuh", "Pferd", "Vogel"},
         {3},
         5,
         false},
        {"three lines on courses 1, 3 and 5",
         animals,
         3,
         0,
         {"Katze", "Hund", "Kuh", "Pferd", "Vogel"},
         {1, 3, 5},
         5,
         false},
        {"five lines from the position on, back to the first",
         animals,
         5,
         3,
         {"Pferd", "Vogel", "Biene", "Katze", "Hund"},
         {1, 2, 3, 4, 5},
         2,
         false},
        {"a short list is read again from its start",
         {"a -b- c", "d -e- f", "g -h- i"},
         5,
         0,
         {"b", "e", "h", "b", "e"},
         {1, 2, 3, 4, 5},
         2,
         false},
        {"lines without one gap are passed over",
         {"kein Teil", "der -kalte- Winter", "zwei -a- und -b-", "-Denkmal-schutz", "x -- y",
          "-Eis-berg", "im -Sommer-", "ein -Ball-"},
         3,
         0,
         {"kalte", "Denkmal", "Eis", "Sommer", "Ball"},
         {1, 3, 5},
         8,
         false},
        {"an unclosed line ends the reading with the bricks so far",
         {"der -kalte- Winter", "die -warme Sonne", "-Eis-berg"},
         5,
         0,
         {"kalte"},
         {1},
         2,
         true},
        {"an unclosed first line leaves nothing",
         {"die -warme Sonne", "-Eis-berg"},
         1,
         0,
         {},
         {},
         1,
         true},
        {"a list without a gap ends after one round", {"a", "b", "c"}, 1, 1, {}, {}, 1, false},
    };
    for (const Row& r : rows) {
        int position = r.start;
        const SiteTask t = Read(r.list, r.lines, position);
        EXPECT_EQ(t.bricks, r.bricks) << r.what;
        EXPECT_EQ(CoursesOf(t), r.courses) << r.what;
        EXPECT_EQ(position, r.position) << r.what;
        EXPECT_EQ(t.unclosed, r.unclosed) << r.what;
    }
}

TEST(BuildingSiteRulesTest, ALineTooWideForTheWallIsPassedOver) {
    const std::vector<std::string> list = {"Ein sehr langer Satz mit einem -Wort- am Ende",
                                           "der -kalte- Winter"};
    int position = 0;
    const SiteTask t = Read(list, 1, position);
    ASSERT_EQ(t.shown.size(), 1u);
    EXPECT_EQ(t.shown[0].brick, "kalte");
    EXPECT_EQ(t.bricks.front(), "kalte");
}

TEST(BuildingSiteRulesTest, TheBrickRowAndItsClicks) {
    const std::vector<std::string> bricks = {"Katze", "Hund", "Kuh"};
    const std::vector<BrickPlace> row = LayOutBrickRow(bricks, {2, 3, 1}, Tens);
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[0].brick, 2);
    EXPECT_EQ(row[0].left, 10);
    EXPECT_EQ(row[0].right, 66);  // "Hund" + 16
    EXPECT_EQ(row[1].left, 82);   // 16 apart
    EXPECT_EQ(row[2].brick, 1);
    const int clicks[][2] = {{10, 2}, {66, 2}, {70, 0}, {82, 3}, {150, 1}, {600, 0}};
    for (const auto& c : clicks) EXPECT_EQ(BrickAt(row, c[0]), c[1]) << "x " << c[0];
}

TEST(BuildingSiteRulesTest, WhichGapAClickHits) {
    int position = 0;
    const std::vector<std::string> list = {"der -kalte- Winter", "der -kalte- Winter",
                                           "der -kalte- Winter", "der -kalte- Winter",
                                           "der -kalte- Winter"};
    const SiteTask one = Read(list, 1, position);
    position = 0;
    const SiteTask three = Read(list, 3, position);
    position = 0;
    const SiteTask five = Read(list, 5, position);
    const std::vector<bool> none;
    struct Row {
        const char* what;
        const SiteTask& task;
        int lines;
        bool large;
        std::vector<bool> filled;
        int x;
        int y;
        int gap;
    };
    const Row rows[] = {
        {"one line, on the gap", one, 1, false, none, 220, 280, 1},
        {"one line, the band's edges", one, 1, false, none, 200, 256, 1},
        {"one line, below the band", one, 1, false, none, 220, 313, 0},
        {"one line, right of the gap", one, 1, false, none, 300, 280, 0},
        {"one line, large bricks take the rest of the line", one, 1, true, none, 300, 280, 1},
        {"one line, large bricks end with the text", one, 1, true, none, 339, 280, 0},
        {"three lines, the lowest", three, 3, false, none, 220, 390, 1},
        {"three lines, the middle", three, 3, false, none, 220, 280, 2},
        {"three lines, the highest", three, 3, false, none, 220, 160, 3},
        {"three lines, course 4 is no gap", three, 3, false, none, 220, 230, 0},
        {"three lines, course 2 is no gap", three, 3, false, none, 220, 340, 0},
        {"three lines, a filled gap is no target",
         three,
         3,
         false,
         {false, true, false},
         220,
         280,
         0},
        {"five lines, course 2", five, 5, false, none, 220, 320, 2},
        {"five lines, course 5", five, 5, false, none, 220, 150, 5},
        {"five lines, left of the gap", five, 5, false, none, 190, 150, 0},
    };
    for (const Row& r : rows)
        EXPECT_EQ(GapAt(r.task, r.lines, r.large, r.filled, r.x, r.y), r.gap) << r.what;
}

}  // namespace
}  // namespace qs::test
