#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace qs::test {
namespace {

struct GoodLine {
    const char* name;
    std::vector<std::string> args;
    CommandLine want;
};

CommandLine Make(auto&& edit) {
    CommandLine c;
    edit(c);
    return c;
}

TEST(CommandLineTest, AcceptsEveryOption) {
    const GoodLine cases[] = {
        {"nothing", {}, CommandLine{}},
        {"headless", {"--headless"}, Make([](CommandLine& c) { c.headless = true; })},
        {"size alone changes nothing else", {"--size", "640x480"}, Make([](CommandLine& c) {
             c.size = {640, 480};
         })},
        {"window", {"--window"}, Make([](CommandLine& c) { c.window = true; })},
        {"all",
         {"--headless", "--window", "--size", "1920x1080", "--script", "a.txt", "--out", "dumps",
          "--seed", "4294967295", "--app-dir", "/opt/q", "--max-ms", "5000", "nodx"},
         Make([](CommandLine& c) {
             c.headless = c.window = true;
             c.size = {1920, 1080};
             c.script = "a.txt";
             c.outDir = "dumps";
             c.seed = 4294967295u;
             c.appDir = "/opt/q";
             c.maxMs = 5000;
             c.firstArgument = "nodx";
         })},
        {"argument before options", {"optionen.txt", "--seed", "0"}, Make([](CommandLine& c) {
             c.firstArgument = "optionen.txt";
             c.seed = 0;
         })},
        {"later value wins", {"--seed", "1", "--seed", "2"}, Make([](CommandLine& c) {
             c.seed = 2;
         })},
    };
    for (const GoodLine& t : cases) {
        SCOPED_TRACE(t.name);
        const CommandLine got = ParseCommandLine(t.args);
        EXPECT_EQ(got.headless, t.want.headless);
        EXPECT_EQ(got.window, t.want.window);
        EXPECT_EQ(got.size, t.want.size);
        EXPECT_EQ(got.script, t.want.script);
        EXPECT_EQ(got.outDir, t.want.outDir);
        EXPECT_EQ(got.appDir, t.want.appDir);
        EXPECT_EQ(got.seed, t.want.seed);
        EXPECT_EQ(got.maxMs, t.want.maxMs);
        EXPECT_EQ(got.firstArgument, t.want.firstArgument);
    }
}

TEST(CommandLineTest, ReadsTheWordListModes) {
    const CommandLine check = ParseCommandLine({"--check", "a.WWT", "b.kwt", "--app-dir", "/q"});
    EXPECT_EQ(check.listMode, ListMode::Check);
    EXPECT_EQ(check.listFiles, (std::vector<std::string>{"a.WWT", "b.kwt"}));
    EXPECT_EQ(check.appDir, "/q");

    const CommandLine import = ParseCommandLine(
        {"--import", "Tiere.txt", "--as", "kwt", "--name", "Meine Tiere", "--force"});
    EXPECT_EQ(import.listMode, ListMode::Import);
    EXPECT_EQ(import.listFiles, std::vector<std::string>{"Tiere.txt"});
    EXPECT_EQ(import.importAs, "kwt");
    EXPECT_EQ(import.importName, "Meine Tiere");
    EXPECT_TRUE(import.force);

    const CommandLine exported = ParseCommandLine({"--export", "a.WWT"});
    EXPECT_EQ(exported.listMode, ListMode::Export);
    EXPECT_EQ(exported.listFiles, std::vector<std::string>{"a.WWT"});
    EXPECT_EQ(ParseCommandLine({}).listMode, ListMode::None);
}

struct BadLine {
    std::vector<std::string> args;
    const char* messagePart;
};

TEST(CommandLineTest, RejectsBadArgumentsWithAClearMessage) {
    const BadLine cases[] = {
        {{"--fullscreen"}, "unknown option '--fullscreen'"},
        {{"-h"}, "unknown option '-h'"},
        {{"--size=640x480"}, "unknown option"},
        {{"--size"}, "--size: missing value"},
        {{"--script"}, "--script: missing value"},
        {{"--out", ""}, "--out: empty value"},
        {{"--size", "640"}, "WIDTHxHEIGHT"},
        {{"--max-ms", "0"}, "--max-ms: expected a number of milliseconds"},
        {{"--max-ms", "10s"}, "--max-ms: expected a number of milliseconds"},
        {{"--size", "640x"}, "WIDTHxHEIGHT"},
        {{"--size", "0x480"}, "WIDTHxHEIGHT"},
        {{"--size", "-640x480"}, "WIDTHxHEIGHT"},
        {{"--size", "640x480x2"}, "WIDTHxHEIGHT"},
        {{"--size", "99999x480"}, "WIDTHxHEIGHT"},
        {{"--seed", "abc"}, "--seed: expected a number"},
        {{"--seed", "-1"}, "--seed: expected a number"},
        {{"--seed", "4294967296"}, "--seed: expected a number"},
        {{"--seed", "12 "}, "--seed: expected a number"},
        {{"a.txt", "nodx"}, "unexpected second argument 'nodx'"},
        {{"--check"}, "--check: missing FILE"},
        {{"--import", "a.txt"}, "--import: missing --as EXT"},
        {{"--export", "a.WWT", "--as", "WWT"}, "--as, --name and --force belong to --import"},
        {{"--force", "a.txt"}, "--as, --name and --force belong to --import"},
        {{"--check", "a.WWT", "--export", "b.WWT"}, "only one of --check, --import and --export"},
        {{"--export", "a.WWT", "b.WWT"}, "unexpected argument 'b.WWT'"},
        {{"--check", "a.WWT", "--headless"}, "run without a window"},
        {{"opt.txt", "--export", "a.WWT"}, "unexpected argument 'opt.txt'"},
    };
    for (const BadLine& t : cases) {
        std::string joined;
        for (const std::string& a : t.args) joined += "[" + a + "]";
        SCOPED_TRACE(joined);
        try {
            ParseCommandLine(t.args);
            ADD_FAILURE() << "accepted";
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find(t.messagePart), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace qs::test
