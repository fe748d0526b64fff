// The Kontakt and Greifen lists as the games will read them (pairs, blocks,
// the connections a block asks for), and the checker on top.
#include <gtest/gtest.h>

#include <string>

#include "exercises/NotationCases.h"
#include "exercises/contact/Notation.h"

namespace qs::test {
namespace {

TEST(ContactNotationTest, ReadsPairsBlockLinesAndTheMark) {
    const ContactPair p = SplitContactLine("Autobahn-auffahrt");
    EXPECT_EQ(p.first, "Autobahn");
    EXPECT_EQ(p.second, "auffahrt");
    EXPECT_TRUE(IsBlockEnd("-"));
    EXPECT_TRUE(IsBlockEnd("-3"));
    EXPECT_FALSE(IsBlockEnd("Haus-dach"));
    EXPECT_EQ(WithoutSeparatedMark("/Haus-dach"), "Haus-dach");
    EXPECT_TRUE(HasSeparatedMark("/Haus-dach"));

    struct Row {
        const char* line;
        int size;
        int needed;
    };
    for (const Row& r : {Row{"-", 6, 6}, Row{"-3", 6, 3}, Row{"-1", 6, 6}, Row{"-7", 6, 6},
                         Row{"-2", 4, 2}, Row{"-33", 6, 6}})
        EXPECT_EQ(NeededConnections(r.line, r.size), r.needed) << r.line << " of " << r.size;
}

TEST(ContactNotationTest, CutsTheListIntoBlocks) {
    const Lines lines = {"-", "a-b", "c-d", "-", "-4", "e-f", "g-h", "i-j"};
    const std::vector<ContactBlock> blocks = ContactBlocks(lines);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].begin, 1u);
    EXPECT_EQ(blocks[0].size, 2u);
    EXPECT_TRUE(blocks[0].closed);
    EXPECT_EQ(blocks[1].begin, 5u);
    EXPECT_EQ(blocks[1].size, 3u);
    EXPECT_FALSE(blocks[1].closed);

    const Lines nine(9, "a-b");
    EXPECT_EQ(ContactBlocks(nine)[0].Played(), 8u) << "a board holds 8 words";
}

const Lines kThree = {"Tisch-decke", "Fenster-bank", "T\x81r-klinke"};

// A block of four: kThree with `line` put in at `at` (0-based), closed by "-".
Lines Block(size_t at, const std::string& line) {
    Lines l = kThree;
    l.insert(l.begin() + static_cast<ptrdiff_t>(at), line);
    l.push_back("-");
    return l;
}

Lines Closed(Lines l) {
    l.push_back("-");
    return l;
}

TEST(ContactNotationTest, FindsEachFaultOfABrokenLine) {
    const BrokenList rows[] = {
        {"no hyphen", Block(2, "Kopfh\x94rer"), 3, "Bindestrich vergessen"},
        {"two hyphens", Block(2, "Ei-er-kopf"), 3, "mehr als ein Bindestrich"},
        {"no second part", Block(2, "Kopf-"), 3, "zweiter Wortteil fehlt"},
        {"9 letters", Block(2, "Autobahnen-auffahrt"), 3, "Wortteil l\x84nger als 8 Buchstaben"},
        {"a key Kontakt does not take", Block(2, "Oma-2000"), 3,
         "Zeichen 2 kann nicht getippt werden"},
        {"a block line with more than a digit",
         {"Tisch-decke", "Fenster-bank", "Bade-wanne", "Kopf-h\x94rer", "-Haus"},
         5,
         "nach dem Bindestrich h\224chstens eine Ziffer"},
        {"first parts alike", Block(2, "Tisch-bein"), 3,
         "gleicher Wortteil wie Zeile 1 im selben Block"},
        {"second parts alike", Block(2, "Sofa-decke"), 3,
         "gleicher Wortteil wie Zeile 1 im selben Block"},
        {"odd block",
         {"Tisch-decke", "Fenster-bank", "Bade-wanne", "Kopf-h\x94rer", "-", "Zahn-b\x81rste",
          "Kerzen-licht", "Wand-uhr", "-"},
         6,
         "ungerade Anzahl von W\x94rtern",
         true},
        {"more than a board",
         Closed({"a-b", "c-d", "e-f", "g-h", "i-j", "k-l", "m-n", "o-p", "q-r", "s-t"}), 1,
         "mehr als 8 W\x94rter", true},
        {"two words", {"Tisch-decke", "Fenster-bank", "-"}, 1, "weniger als 4 W\x94rter", true},
        {"last block not closed",
         {"Tisch-decke", "Fenster-bank", "", "Bade-wanne", "Kopf-h\x94rer"},
         5,
         "Block ohne abschlie\341ende Zeile mit -"},
        {"no words", {"-", "-"}, 1, "Liste ohne W\x94rter"},
    };
    for (const BrokenList& row : rows) ExpectOnlyProblem(CheckContactList, row);
}

TEST(ContactNotationTest, AcceptsGoodLists) {
    ExpectClean(CheckContactList, Block(3, "Bade-wanne"), "4 words");
    ExpectClean(CheckContactList,
                {"/Tisch-decke", "Fenster-bank", "Bade-wanne", "Kopf-h\x94rer", "-3"},
                "the mark and a number of connections");
    ExpectClean(CheckContactList,
                Closed({"Autobahn-auffahrt", "Tisch-decke", "Fenster-bank", "Bade-wanne",
                        "Kopf-h\x94rer", "Zahn-b\x81rste"}),
                "6 words of up to 8 letters a part");
    for (const ShippedList& l : ShippedListsOf("KWT"))
        ExpectClean(CheckContactList, l.lines, l.name);
}

}  // namespace
}  // namespace qs::test
