// The rules of "Greifen" apart from the screen: the flight of the parts,
// the grab and the drop, the groups of a list and the applause.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exercises/grabbing/GrabbingRules.h"

namespace qs::test {
namespace {

// ---- Flight --------------------------------------------------------------------

TEST(GrabbingRulesTest, OneStepBouncesAtEachEdge) {
    struct Row {
        const char* what;
        Mover before;
        Mover after;
    };
    const MoveRect box{10, 100, 20, 200};
    const Row rows[] = {
        {"inside", {50, 50, 1, 1, box}, {51, 51, 1, 1, box}},
        {"at the right edge", {100, 50, 1, 1, box}, {99, 51, -1, 1, box}},
        {"at the left edge", {10, 50, -1, 1, box}, {11, 51, 1, 1, box}},
        {"at the top edge", {50, 20, 1, -1, box}, {51, 21, 1, 1, box}},
        {"at the bottom edge", {50, 200, 1, 1, box}, {51, 199, 1, -1, box}},
        {"in a corner", {100, 200, 1, 1, box}, {99, 199, -1, -1, box}},
        {"right of the box moving away", {150, 50, 1, 1, box}, {149, 51, -1, 1, box}},
        {"left of the box moving away", {2, 50, -1, 1, box}, {3, 51, 1, 1, box}},
        {"right of the box moving back in", {150, 50, -1, 1, box}, {149, 51, -1, 1, box}},
        {"above the box moving back in", {50, 5, 1, 1, box}, {51, 6, 1, 1, box}},
        {"below the box moving on", {50, 260, 1, 1, box}, {51, 259, 1, -1, box}},
        {"pinned in x: minX = maxX = x",
         {189, 56, 1, 1, {189, 189, 0, 479}},
         {189, 57, -1, 1, {189, 189, 0, 479}}},
        {"pinned in both",
         {189, 56, 1, -1, {189, 189, 56, 56}},
         {189, 56, -1, 1, {189, 189, 56, 56}}},
        {"a box without width right of the picture draws it there",
         {195, 56, 1, 1, {189, 189, 56, 56}},
         {194, 56, -1, -1, {189, 189, 56, 56}}},
        {"a box without width left of the picture draws it there",
         {180, 56, -1, 1, {189, 189, 56, 56}},
         {181, 56, 1, -1, {189, 189, 56, 56}}},
        {"negative places become 0",
         {0, 0, -1, -1, {-5, 10, -5, 10}},
         {0, 0, -1, -1, {-5, 10, -5, 10}}},
    };
    for (const Row& row : rows) {
        Mover m = row.before;
        MoveOneStep(m);
        EXPECT_EQ(m.x, row.after.x) << row.what;
        EXPECT_EQ(m.y, row.after.y) << row.what;
        EXPECT_EQ(m.dx, row.after.dx) << row.what;
        EXPECT_EQ(m.dy, row.after.dy) << row.what;
    }
}

// From their first places every part, even one that starts outside its
// box, flies into it and never leaves it again.
TEST(GrabbingRulesTest, EveryPartStaysInItsNestedBox) {
    for (int i = 1; i <= kGrabParts; ++i) {
        const Point start = StartPosition(i);
        Mover m{start.x, start.y, 1, 1, StartRect(i)};
        for (int frame = 1; frame <= 3000; ++frame) {
            MoveOneStep(m);
            if (frame < 100) continue;
            ASSERT_TRUE(m.x >= m.r.minX && m.x <= m.r.maxX && m.y >= m.r.minY && m.y <= m.r.maxY)
                << "part " << i << " frame " << frame << " at " << m.x << "," << m.y;
        }
        if (i > 1) {
            const MoveRect outer = StartRect(i - 1);
            EXPECT_TRUE(outer.minX < m.r.minX && outer.maxX > m.r.maxX) << "part " << i;
        }
    }
}

// ---- Grab and drop -----------------------------------------------------------------

// A group of words flying, the free parts in a row at the bottom, each
// out of the hand's reach of the others.
GrabBoard Board(int words, int greifen) {
    GrabBoard b;
    StartGroup(b, words, greifen);
    for (int i = 1; i <= kGrabParts; ++i) {
        PartObject& p = b.Part(i);
        p.textWidth = 60;
        if (p.placed) continue;
        p.x = 10 + 150 * ((i - 1) % 4);
        p.y = 300 + 60 * ((i - 1) / 4);
    }
    return b;
}

// Grabs part i where it stands and lets it go at (x, y).
DropOutcome Carry(GrabBoard& b, int i, Point to) {
    const Point fist{b.Part(i).x + 10, b.Part(i).y - 5};
    EXPECT_EQ(PartUnder(b, fist), i) << "the hand reaches part " << i;
    Grab(b, i, fist);
    FollowFist(b, Point{to.x + 10, to.y - 5});
    return Drop(b);
}

constexpr Point kSlot1{250, 52};
constexpr Point kSlot2{250, 102};

TEST(GrabbingRulesTest, DropsIntoTheSlots) {
    struct Row {
        const char* what;
        int greifen;
        std::vector<std::pair<int, Point>> before;  // carried first
        int part;
        Point to;
        int placedIn;
        bool joined;
        int pushedOut;
        int mistakes;  // GrabMistakes after all
    };
    const Row rows[] = {
        {"the first part into an empty slot", kGreifenAlles, {}, 1, kSlot1, 1, false, 0, 0},
        {"the right partner joins the word",
         kGreifenAlles,
         {{1, kSlot1}},
         2,
         kSlot1,
         1,
         true,
         0,
         0},
        {"the partner may come first", kGreifenAlles, {{2, kSlot2}}, 1, kSlot2, 2, true, 0, 0},
        {"a part of another word pushes the one there out",
         kGreifenAlles,
         {{1, kSlot1}},
         3,
         kSlot1,
         1,
         false,
         1,
         1},
        {"two second parts do not join", kGreifenAlles, {{2, kSlot1}}, 4, kSlot1, 1, false, 2, 1},
        {"an occupied slot takes nothing",
         kGreifenAlles,
         {{1, kSlot1}, {2, kSlot1}},
         3,
         kSlot1,
         0,
         false,
         0,
         0},
        {"a drop outside the slots", kGreifenAlles, {}, 1, Point{20, 300}, 0, false, 0, 0},
        {"a drop beside a slot", kGreifenAlles, {}, 1, Point{470, 52}, 0, false, 0, 0},
        {"a drop into a slot the group has no word for",
         kGreifenAlles,
         {},
         1,
         Point{250, 302},
         0,
         false,
         0,
         0},
        {"Vorgabe: the wrong slot is a mistake", kGreifenVorgabe, {}, 3, kSlot1, 0, false, 0, 1},
        {"Vorgabe: its own slot", kGreifenVorgabe, {}, 3, kSlot2, 2, false, 0, 0},
        {"2.Teil: the second part joins the first at once",
         kGreifenZweiterTeil,
         {},
         2,
         kSlot1,
         1,
         true,
         0,
         0},
        {"2.Teil: the wrong slot is a mistake", kGreifenZweiterTeil, {}, 4, kSlot1, 0, false, 0, 1},
    };
    for (const Row& row : rows) {
        GrabBoard b = Board(2, row.greifen);
        for (auto [part, to] : row.before) Carry(b, part, to);
        const DropOutcome out = Carry(b, row.part, row.to);
        EXPECT_EQ(out.placedIn, row.placedIn) << row.what;
        EXPECT_EQ(out.joined, row.joined) << row.what;
        EXPECT_EQ(out.pushedOut, row.pushedOut) << row.what;
        EXPECT_EQ(b.GrabMistakes, row.mistakes) << row.what;
        EXPECT_EQ(b.held, 0) << row.what;
        EXPECT_EQ(b.Part(row.part).placed, row.placedIn != 0) << row.what;
        if (row.placedIn != 0 && !row.joined) {
            EXPECT_EQ(b.Part(row.part).r, SlotRect(row.placedIn)) << row.what;
        }
        if (row.pushedOut != 0) {
            EXPECT_FALSE(b.Part(row.pushedOut).placed) << row.what;
            EXPECT_EQ(b.Part(row.pushedOut).r, ScreenRect()) << row.what;
        }
        if (row.placedIn == 0) {
            EXPECT_EQ(b.Part(row.part).r, ScreenRect()) << row.what;
        }
    }
}

TEST(GrabbingRulesTest, AJoinedWordComesToRestAndTheLastOneFinishes) {
    GrabBoard b = Board(2, kGreifenAlles);
    Carry(b, 1, kSlot1);
    Carry(b, 2, kSlot1);
    EXPECT_TRUE(b.occupied[1]);
    EXPECT_EQ(b.Part(1).r, (MoveRect{189, 189, 56, 56}));
    EXPECT_EQ(b.Part(2).r, (MoveRect{189 + 60, 189 + 60, 56, 56})) << "right behind the first text";
    EXPECT_FALSE(b.Finishing);
    Carry(b, 4, kSlot2);
    EXPECT_FALSE(b.Finishing);
    Carry(b, 3, kSlot2);
    EXPECT_TRUE(b.Finishing);

    // A first part wider than the slot leaves the second part inside it.
    GrabBoard wide = Board(1, kGreifenAlles);
    wide.Part(1).textWidth = 200;
    Carry(wide, 1, kSlot1);
    Carry(wide, 2, kSlot1);
    EXPECT_EQ(wide.Part(2).r.minX, 323);
}

TEST(GrabbingRulesTest, TheHandReachesAPartFromAboveLeft) {
    GrabBoard b = Board(1, kGreifenAlles);
    b.Part(1) = PartObject{{100, 100, 1, 1, StartRect(1)}, true};
    b.Part(2) = PartObject{{300, 300, 1, 1, StartRect(2)}, true};
    struct Row {
        Point fist;
        int part;
    };
    const Row rows[] = {
        {{61, 61}, 1},  {{189, 111}, 1}, {{60, 80}, 0},   {{190, 80}, 0},
        {{100, 60}, 0}, {{100, 112}, 0}, {{301, 299}, 2}, {{0, 0}, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(PartUnder(b, row.fist), row.part) << row.fist.x << "," << row.fist.y;
    b.Part(1).placed = true;
    EXPECT_EQ(PartUnder(b, {100, 100}), 0) << "a placed part stays";
    b.Part(2).inPlay = false;
    EXPECT_EQ(PartUnder(b, {301, 299}), 0) << "a part the group lacks";
}

TEST(GrabbingRulesTest, TheHeldPartFollowsTheFistOnScreen) {
    GrabBoard b = Board(1, kGreifenAlles);
    b.Part(1).x = 100;
    b.Part(1).y = 100;
    Grab(b, 1, {120, 90});
    FollowFist(b, {300, 200});
    EXPECT_EQ(b.Part(1).x, 280);
    EXPECT_EQ(b.Part(1).y, 210);
    FollowFist(b, {600, 432});
    EXPECT_EQ(b.Part(1).x, 509) << "kept on the screen";
    EXPECT_EQ(b.Part(1).y, 442);
    EXPECT_EQ(HandPosition({700, -5}), (Point{600, 0}));
}

TEST(GrabbingRulesTest, ANewGroupResetsTheBoxesButNotThePlaces) {
    GrabBoard b = Board(2, kGreifenAlles);
    Carry(b, 1, kSlot1);
    Carry(b, 3, kSlot1);
    StartGroup(b, 1, kGreifenZweiterTeil);
    EXPECT_EQ(b.GrabMistakes, 0);
    EXPECT_FALSE(b.occupied[1]);
    EXPECT_TRUE(b.Part(1).placed) << "2.Teil puts the first part into its slot";
    EXPECT_EQ(b.Part(1).x, 189);
    EXPECT_FALSE(b.Part(3).placed);
    EXPECT_FALSE(b.Part(3).inPlay);
    EXPECT_EQ(b.Part(2).r, StartRect(2));
    EXPECT_EQ(b.Part(2).x, 160) << "where the last group left it";
}

// ---- Groups --------------------------------------------------------------------------

TEST(GrabbingRulesTest, GroupsEndAtADashLineOrAfterEightLines) {
    const std::vector<std::string> nine = {"a-1", "b-2", "c-3", "d-4", "e-5",
                                           "f-6", "g-7", "h-8", "i-9"};
    struct Row {
        const char* what;
        std::vector<std::string> lines;
        int position;
        int firstLine;         // 0: no group
        std::vector<int> got;  // the word lines of the group
        int after;             // the position afterwards
    };
    const Row rows[] = {
        {"a closed block", {"Auto-bahn", "Haus-tuer", "-", "Tisch-bein"}, 1, 1, {1, 2}, 3},
        {"dash lines are passed over",
         {"Auto-bahn", "-", "-", "Tisch-bein", "Bett-decke", "-"},
         2,
         4,
         {4, 5},
         6},
        {"eight lines at most", nine, 1, 1, {1, 2, 3, 4, 5, 6, 7, 8}, 9},
        {"at the last line it starts over", {"a-1", "-", "b-2", "-"}, 4, 1, {1}, 2},
        {"past the end it starts over", {"a-1", "-", "b-2"}, 7, 1, {1}, 2},
        {"lines it cannot show are left out",
         {"Auto", " - ", "Haus-", "\x01-\x02", "Tisch-bein", "-"},
         1,
         1,
         {5},
         6},
        {"a group without words is tried again from the top",
         {"-", "a-1", "-", "Auto", "-", "-"},
         4,
         2,
         {2},
         3},
        {"only dash lines", {"-", "-", "-2"}, 1, 0, {}, 0},
        {"no line", {}, 1, 0, {}, 0},
        {"words nobody can see", {"  -  ", "\t-\t", "-"}, 1, 0, {}, 0},
    };
    for (const Row& row : rows) {
        int position = row.position;
        const auto group = NextGroup(row.lines, position);
        if (row.firstLine == 0) {
            EXPECT_FALSE(group.has_value()) << row.what;
            continue;
        }
        ASSERT_TRUE(group.has_value()) << row.what;
        EXPECT_EQ(group->firstLine, row.firstLine) << row.what;
        std::vector<int> got;
        for (const GrabWord& w : group->words) got.push_back(w.line);
        EXPECT_EQ(got, row.got) << row.what;
        EXPECT_EQ(position, row.after) << row.what;
    }
}

TEST(GrabbingRulesTest, AWordLineGivesItsTwoParts) {
    int position = 1;
    const auto group = NextGroup(std::vector<std::string>{"Autobahn-auffahrt", "-"}, position);
    ASSERT_TRUE(group.has_value());
    ASSERT_EQ(group->words.size(), 1u);
    EXPECT_EQ(group->words[0].first, "Autobahn");
    EXPECT_EQ(group->words[0].second, "auffahrt");
}

// ---- Applause ----------------------------------------------------------------------------

TEST(GrabbingRulesTest, FewerMistakesGiveMoreAndQuickerClaps) {
    struct Row {
        int mistakes;
        size_t claps;
        Clap first;
        Clap last;
    };
    const Row rows[] = {
        {0, 13, {60, 100}, {30, 100}},
        {3, 10, {300, 340}, {278, 340}},
        {10, 3, {860, 900}, {855, 900}},
        {25, 3, {860, 900}, {855, 900}},
    };
    for (const Row& row : rows) {
        const std::vector<Clap> claps = ApplauseClaps(row.mistakes);
        ASSERT_EQ(claps.size(), row.claps) << row.mistakes;
        EXPECT_EQ(claps.front().openMs, row.first.openMs) << row.mistakes;
        EXPECT_EQ(claps.front().closedMs, row.first.closedMs) << row.mistakes;
        EXPECT_EQ(claps.back().openMs, row.last.openMs) << row.mistakes;
        EXPECT_EQ(claps.back().closedMs, row.last.closedMs) << row.mistakes;
    }
}

}  // namespace
}  // namespace qs::test
