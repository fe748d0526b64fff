// The rules of Kontakt apart from the screen: which lines make the next
// board, which socket a click hits, and who scores.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exercises/contact/Contact.h"

namespace qs::test {
namespace {

using Lines = std::vector<std::string>;

std::string Firsts(const ContactRound& r) {
    std::string s;
    for (const ContactPair& p : r.pairs) s += p.first + " ";
    return s;
}

TEST(ContactRulesTest, FindsTheNextBoard) {
    struct Row {
        const char* what;
        Lines lines;
        int position;
        std::string firsts;  // "" for no board at all
        int needed;
        int next;
        bool odd;
        bool closed;
    };
    const Lines four = {"a-1", "b-2", "c-3", "d-4", "-"};
    const Row rows[] = {
        {"a block of 4", four, 1, "a b c d ", 4, 5, false, true},
        {"a block of 6 asking for 3",
         {"a-1", "b-2", "c-3", "d-4", "e-5", "f-6", "-3"},
         1,
         "a b c d e f ",
         3,
         7,
         false,
         true},
        {"a block of 8",
         {"a-1", "b-2", "c-3", "d-4", "e-5", "f-6", "g-7", "h-8", "-"},
         1,
         "a b c d e f g h ",
         8,
         9,
         false,
         true},
        {"a block of 9 plays its first 8",
         {"a-1", "b-2", "c-3", "d-4", "e-5", "f-6", "g-7", "h-8", "i-9", "-"},
         1,
         "a b c d e f g h ",
         8,
         10,
         false,
         true},
        {"an odd block plays the words that have a place",
         {"a-1", "b-2", "c-3", "d-4", "e-5", "-"},
         1,
         "a b c d ",
         4,
         6,
         true,
         true},
        {"-5 after an odd block of 5 asks for the 4 that have a place",
         {"a-1", "b-2", "c-3", "d-4", "e-5", "-5"},
         1,
         "a b c d ",
         4,
         6,
         true,
         true},
        {"a last block without its line ends at the list's end",
         {"a-1", "b-2", "c-3", "d-4", "-", "e-5", "f-6"},
         5,
         "e f ",
         2,
         8,
         false,
         false},
        {"after the last block the first comes again", four, 5, "a b c d ", 4, 5, false, true},
        {"block lines doubled and blank lines are passed over",
         {"-", "", "-2", "a-1", "  ", "b-2", "-"},
         1,
         "a b ",
         2,
         7,
         false,
         true},
        {"the start line chosen in the middle of a block",
         {"a-1", "b-2", "c-3", "d-4", "-"},
         3,
         "c d ",
         2,
         5,
         false,
         true},
        {"a block of one word is passed over",
         {"a-1", "-", "b-2", "c-3", "-"},
         1,
         "b c ",
         2,
         5,
         false,
         true},
        {"no block of two words", {"a-1", "-", "b-2", "-"}, 1, "", 0, 0, false, false},
        {"an empty list", {}, 1, "", 0, 0, false, false},
        {"only block lines", {"-", "-3", "-"}, 1, "", 0, 0, false, false},
        {"a line without a hyphen is a word with an empty second part",
         {"ab", "c-d", "-"},
         1,
         "ab c ",
         2,
         3,
         false,
         true},
    };
    for (const Row& r : rows) {
        const std::optional<ContactRound> round = NextContactRound(r.lines, r.position);
        if (r.firsts.empty()) {
            EXPECT_FALSE(round) << r.what;
            continue;
        }
        ASSERT_TRUE(round) << r.what;
        EXPECT_EQ(Firsts(*round), r.firsts) << r.what;
        EXPECT_EQ(round->needed, r.needed) << r.what;
        EXPECT_EQ(round->next, r.next) << r.what;
        EXPECT_EQ(round->odd, r.odd) << r.what;
        EXPECT_EQ(round->closed, r.closed) << r.what;
    }
}

TEST(ContactRulesTest, AClickHitsASocketOnlyInItsArea) {
    struct Row {
        int column, x, y, row;
    };
    // Row 1's socket centre is at y 108, row 2's at 188; the area reaches
    // 20 above and 26 below.
    for (const Row& r :
         {Row{1, 150, 108, 1}, Row{1, 130, 88, 1}, Row{1, 170, 134, 1}, Row{1, 129, 108, 0},
          Row{1, 171, 108, 0}, Row{1, 150, 87, 0}, Row{1, 150, 135, 0}, Row{1, 150, 168, 2},
          Row{2, 293, 348, 4}, Row{2, 293, 428, 0}, Row{3, 424, 188, 2}, Row{4, 607, 268, 3},
          Row{4, 566, 268, 0}})
        EXPECT_EQ(SocketRowAt(r.column, 4, r.x, r.y), r.row)
            << "column " << r.column << " at " << r.x << "," << r.y;
    EXPECT_EQ(SocketRowAt(1, 2, 150, 268), 0) << "a board of 4 has no third row";
}

TEST(ContactRulesTest, ScoresARightConnection) {
    struct Row {
        const char* what;
        int players;
        bool player1Turn;
        int wrong;
        int first, second;
    };
    const Row rows[] = {
        {"one player, at once: Gute", 1, true, 0, 1, 0},
        {"one player, after a wrong plug: Schlechte", 1, true, 1, 0, 1},
        {"one player, the turn flag does not matter", 1, false, 0, 1, 0},
        {"player 1's turn", 2, true, 0, 1, 0},
        {"player 2's turn", 2, false, 0, 0, 1},
        {"two players, after a wrong plug: nobody", 2, false, 2, 0, 0},
    };
    for (const Row& r : rows) {
        int first = 0;
        int second = 0;
        ScoreConnection(r.players, r.player1Turn, r.wrong, first, second);
        EXPECT_EQ(first, r.first) << r.what;
        EXPECT_EQ(second, r.second) << r.what;
    }
}

TEST(ContactRulesTest, NamesTheWinner) {
    EXPECT_EQ(ContactWinner("Anna", 3, "Ben", 2), "Anna hat gewonnen.");
    EXPECT_EQ(ContactWinner("Anna", 0, "Ben", 2), "Ben hat gewonnen.");
    EXPECT_EQ(ContactWinner("Anna", 2, "Ben", 2), "Beide Spieler haben gewonnen!");
}

}  // namespace
}  // namespace qs::test
