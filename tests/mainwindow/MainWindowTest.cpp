// The main window's life: start after the first paint, restart on resize,
// close while the trainer runs, the recent-files list and typed keys.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/HeadlessScriptBackend.h"
#include "screen/Keyboard.h"
#include "screen/TextScreen.h"
#include "screen/script/Script.h"
#include "shell/MainWindow.h"
#include "shell/MessageBox.h"
#include "shell/StartSetup.h"
#include "support/TestFiles.h"

namespace qs::test {
namespace {

namespace fs = std::filesystem;

class MainWindowTest : public ::testing::Test {
public:
    MainWindowTest() { app_.MakeDir("bgi7"); }

    HeadlessPlatform& Platform(Size size = {640, 480}) {
        if (!platform_) {
            HeadlessOptions o;
            o.size = size;
            o.programPath = appDir_ + "quendelstrand";
            o.settings = std::move(settings_);
            platform_ = std::make_unique<HeadlessPlatform>(std::move(o));
            dos_ = std::make_unique<Dos>(*platform_);
        }
        return *platform_;
    }

    // Creates, opens and shows the window with the given trainer; the run
    // ends when the window closes or waits with nothing left to do.
    void RunWindow(std::function<void(Dos&)> trainer, bool open = true,
                   const std::function<void()>& beforeRun = {}) {
        Platform();
        form_ = std::make_unique<TForm_dos>(*dos_, std::move(trainer));
        form_->Create();
        if (open) platform_->OpenWindow(WindowOptions{});
        form_->Show();
        if (beforeRun) beforeRun();
        dos_->waitingForInput = [] { throw ScriptFinished{}; };
        try {
            form_->Run();
        } catch (const ScriptFinished&) {}
    }

    void PostKey(Key key) {
        Event e;
        e.type = Event::Type::KeyDown;
        e.key = key;
        Platform().PostEvent(e);
        e.type = Event::Type::KeyUp;
        Platform().PostEvent(e);
    }
    void PostText(const std::string& utf8) {
        Event e;
        e.type = Event::Type::Text;
        e.text = utf8;
        Platform().PostEvent(e);
    }

    std::unique_ptr<SettingsStore> settings_;  // default: in memory
    TempDir app_;
    const std::string appDir_ = app_.Path();
    std::unique_ptr<HeadlessPlatform> platform_;
    std::unique_ptr<Dos> dos_;
    std::unique_ptr<TForm_dos> form_;
};

TEST_F(MainWindowTest, TrainerWaitsForTheFirstPaint) {
    int runs = 0;
    RunWindow([&](Dos&) { ++runs; }, /*open=*/false);
    EXPECT_EQ(runs, 0);
    EXPECT_FALSE(form_->Closed());
}

TEST_F(MainWindowTest, TrainerReturningClosesTheWindow) {
    int runs = 0;
    RunWindow([&](Dos& d) {
        ++runs;
        EXPECT_TRUE(d.keys.TrainerActive);
        EXPECT_TRUE(d.keys.ScaleDelays);
    });
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(form_->Closed());
    EXPECT_FALSE(dos_->keys.TrainerActive);
    EXPECT_EQ(platform_->Title(), "Quendelstrand");
}

TEST_F(MainWindowTest, ResizeRestartsTheTrainerOnARebuiltScreen) {
    std::vector<Size> sizes;
    std::vector<int> cellWidths;
    RunWindow([&](Dos& d) {
        sizes.push_back(d.ClientSize());
        cellWidths.push_back(d.screen.CellWidth);
        if (sizes.size() == 1) {
            platform_->ResizeWindow(800, 600);
            PostKey(Key::Escape);
        }
        while (ReadKey(d) != 27) {}
    });
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[1], (Size{800, 600}));
    EXPECT_EQ(cellWidths[0], 8);
    EXPECT_EQ(cellWidths[1], 10);
    EXPECT_TRUE(form_->Closed());
}

TEST_F(MainWindowTest, CloseWhileTheTrainerRunsIsTheTrainersEsc) {
    std::vector<int> keys;
    RunWindow([&](Dos& d) {
        Event e;
        e.type = Event::Type::Close;
        platform_->PostEvent(e);
        uint8_t k;
        do keys.push_back(k = ReadKey(d));
        while (k != 27);
    });
    EXPECT_EQ(keys, std::vector<int>{27});
    EXPECT_TRUE(form_->Closed());
}

// An error that ends the trainer must not leave it counted as running:
// the window closes instead of waiting for an ESC nobody reads.
TEST_F(MainWindowTest, AnErrorEndsTheRunAndTheWindowCloses) {
    RunWindow([](Dos&) { throw std::runtime_error("broken word list"); });
    EXPECT_TRUE(form_->Closed());
    EXPECT_EQ(form_->LastError(), "broken word list");
}

TEST_F(MainWindowTest, RecentFilesKeepTheirFirstTwentyLinesAtExit) {
    std::string text;
    for (int i = 1; i <= 25; ++i) text += "datei" + std::to_string(i) + ".wwt\r\n";
    ASSERT_TRUE(test::WriteFileBytes(appDir_ + "bgi7/filelist.txt",
                                     std::vector<uint8_t>(text.begin(), text.end())));
    RunWindow([](Dos&) {});
    ASSERT_EQ(form_->RecentFiles.size(), 25u);
    form_->Destroy();
    const auto saved = test::ReadFileBytes(appDir_ + "bgi7/filelist.txt");
    std::string expected;
    for (int i = 1; i <= 20; ++i) expected += "datei" + std::to_string(i) + ".wwt\r\n";
    EXPECT_EQ(std::string(saved.begin(), saved.end()), expected);
}

TEST_F(MainWindowTest, RecentFilesAreWrittenEvenWhenThereWereNone) {
    RunWindow([](Dos&) {});
    form_->Destroy();
    EXPECT_TRUE(fs::exists(appDir_ + "bgi7/filelist.txt"));
    EXPECT_TRUE(fs::is_directory(appDir_ + "Wavs"));
}

TEST_F(MainWindowTest, DelaySettingGivesTheSpeedFactor) {
    struct Row {
        const char* stored;
        double factor;
    };
    const Row rows[] = {
        {"1", 1.0},      {"1,50", 1.5},   {"0,1", 0.1},  {"440,00", 440.0},
        {" 2 ", 2.0},    {"0", 0.0},      {"-0", 0.0},   {"abc", 1.0},
        {"", 1.0},       {"1.5", 1.0},    {"1,5x", 1.0}, {",", 1.0},
        {"440,01", 1.0}, {"100000", 1.0}, {"-1", 1.0},   {"99999999999999999999999", 1.0},
    };
    for (const Row& row : rows) {
        EXPECT_DOUBLE_EQ(ParseSpeedFactor(row.stored, ','), row.factor) << '"' << row.stored << '"';
    }
}

// A stored speed the program cannot read must not keep it from starting.
TEST_F(MainWindowTest, UnreadableDelaySettingStartsWithFactorOne) {
    Platform().Settings().Write("Software\\Q.X.\\quendelstrand", "Allgemein", "Delay", "schnell");
    double seen = -1;
    RunWindow([&](Dos& d) { seen = d.keys.SpeedFactor; });
    EXPECT_DOUBLE_EQ(seen, 1.0);
}

TEST_F(MainWindowTest, TypedKeysReachTheKeyBuffer) {
    struct Row {
        const char* name;
        std::function<void(MainWindowTest&)> post;
        std::string expected;  // code page 437 bytes in the order typed
    };
    auto key = [](Key k) { return [k](MainWindowTest& t) { t.PostKey(k); }; };
    auto text = [](const char* s) { return [s](MainWindowTest& t) { t.PostText(s); }; };
    const Row rows[] = {
        {"letter", text("a"), "a"},
        {"umlaut", text("\xc3\xa4"), "\x84"},
        {"sharp s", text("\xc3\x9f"), "\xe1"},
        {"return", key(Key::Return), "\r"},
        {"escape", key(Key::Escape), "\x1b"},
        {"backspace", key(Key::Backspace), "\b"},
        {"tab", key(Key::Tab), "\t"},
        {"left arrow", key(Key::Left), "K"},
        {"alt held",
         [](MainWindowTest& t) {
             Event e;
             e.type = Event::Type::KeyDown;
             e.key = Key::Alt;
             t.Platform().PostEvent(e);
             t.PostText("x");
             t.PostKey(Key::Left);
             e.type = Event::Type::KeyUp;
             t.Platform().PostEvent(e);
         },
         "x"},
    };
    for (const Row& row : rows) {
        form_.reset();
        dos_.reset();
        platform_.reset();
        std::string got;
        Platform();
        row.post(*this);
        RunWindow([&](Dos& d) {
            while (true) {
                const uint8_t k = ReadKey(d);
                got.push_back(static_cast<char>(k));
            }
        });
        EXPECT_EQ(got, row.expected) << row.name;
    }
}

// A press and release within two pixels is a click on the region under it;
// a longer way is a drag and gives nothing.
TEST_F(MainWindowTest, ClicksOnARegionBecomeItsKey) {
    fs::create_directories(appDir_ + "maustxt");
    const std::string table = "1 10 3 3 65 \r\n";
    ASSERT_TRUE(test::WriteFileBytes(appDir_ + "maustxt/quendelstrand.mtb",
                                     std::vector<uint8_t>(table.begin(), table.end())));
    struct Row {
        const char* name;
        int downX, upX;
        std::string expected;
    };
    // Cells are 8 x 19 pixels at 640 x 480: row 3 spans y 38..56.
    const Row rows[] = {
        {"click", 20, 20, "A"},
        {"one pixel off", 20, 21, "A"},
        {"two pixels right is a drag", 20, 22, ""},
        {"two pixels left still a click", 20, 18, "A"},
        {"three pixels left is a drag", 20, 17, ""},
    };
    for (const Row& row : rows) {
        form_.reset();
        dos_.reset();
        platform_.reset();
        std::string got;
        auto mouse = [&](Event::Type type, int x) {
            Event e;
            e.type = type;
            e.x = x;
            e.y = 45;
            e.button = MouseButton::Left;
            Platform().PostEvent(e);
        };
        mouse(Event::Type::MouseDown, row.downX);
        mouse(Event::Type::MouseUp, row.upX);
        RunWindow([&](Dos& d) {
            while (true) got.push_back(static_cast<char>(ReadKey(d)));
        });
        EXPECT_EQ(got, row.expected) << row.name;
        EXPECT_FALSE(dos_->mouse.LeftHeld) << row.name;
    }
}

// Switching to another program covers the top of the screen with a grey
// bar; coming back restores every pixel as it was.
TEST_F(MainWindowTest, DeactivationBannerAndExactRestore) {
    Bitmap before, during, after;
    RunWindow([&](Dos& d) {
        TextColor(d, 14);
        TextBackground(d, 1);
        ClrScr(d);
        Write(d, "Hund und Katze");
        before = d.Canvas();
        platform_->SetActive(false);
        PumpMessages(d, true);
        during = d.Canvas();
        platform_->SetActive(true);
        PumpMessages(d, true);
        after = d.Canvas();
    });
    const int barHeight = 480 / 24;
    EXPECT_EQ(during.Pixel(5, 1), MakeRgb(128, 128, 128));
    EXPECT_EQ(during.Pixel(5, barHeight - 1), MakeRgb(128, 128, 128));
    EXPECT_EQ(during.Pixel(5, barHeight), before.Pixel(5, barHeight));
    bool whiteText = false;
    for (int y = 0; y < barHeight; ++y)
        for (int x = 640 / 3; x < 640; ++x)
            whiteText |= during.Pixel(x, y) == MakeRgb(255, 255, 255);
    EXPECT_TRUE(whiteText) << "the banner text is drawn in white";
    int differing = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) differing += after.Pixel(x, y) != before.Pixel(x, y);
    EXPECT_EQ(differing, 0) << "the screen comes back exactly";
    EXPECT_FALSE(dos_->Pages[5]) << "page 5 is freed on return";
}

// F10 opens the speed dialog over the screen; OK stores the factor in the
// user's settings, Escape keeps it; either way the screen comes back.
TEST_F(MainWindowTest, SpeedDialogSetsAndStoresTheFactor) {
    struct Row {
        const char* name;
        std::vector<Key> keys;
        double factor;
        const char* stored;  // nullptr: nothing written
    };
    const Row rows[] = {
        {"five steps right, OK",
         {Key::Right, Key::Right, Key::Right, Key::Right, Key::Right, Key::Return},
         1.5,
         "1,50"},
        {"end, OK", {Key::End, Key::Return}, 440.0, "440,00"},
        {"moved, then escape", {Key::Right, Key::Escape}, 1.0, nullptr},
    };
    for (const Row& row : rows) {
        form_.reset();
        dos_.reset();
        platform_.reset();
        double factor = -1;
        int differing = -1;
        RunWindow([&](Dos& d) {
            TextBackground(d, 1);
            ClrScr(d);
            Write(d, "Silben");
            const Bitmap before = d.Canvas();
            PostKey(Key::F10);
            // The dialog flushes pending keys when it opens; these come later.
            d.waitingForInput = nullptr;
            size_t next = 0;
            d.beforePump = [&] {
                Event e;
                if (next < row.keys.size() && !platform_->PeekEvent(e)) PostKey(row.keys[next++]);
            };
            PumpMessages(d, true);
            d.beforePump = nullptr;
            factor = d.keys.SpeedFactor;
            differing = 0;
            for (int y = 0; y < 480; ++y)
                for (int x = 0; x < 640; ++x)
                    differing += d.Canvas().Pixel(x, y) != before.Pixel(x, y);
        });
        EXPECT_DOUBLE_EQ(factor, row.factor) << row.name;
        EXPECT_EQ(differing, 0) << row.name;
        auto stored =
            platform_->Settings().Read("Software\\Q.X.\\quendelstrand", "Allgemein", "Delay");
        if (row.stored) {
            EXPECT_EQ(stored.value_or("(none)"), row.stored) << row.name;
        } else {
            EXPECT_FALSE(stored) << row.name;
        }
    }
}

// A script goes on while the trainer does not run: a resize of an inactive
// window unwinds the trainer, which starts again only once the window is
// active, so the script's own "focus in" must come from the window's loop.
TEST_F(MainWindowTest, AScriptGoesOnWhileTheInactiveWindowWaitsToStartAgain) {
    Platform();
    HeadlessScriptBackend backend(*platform_);
    ScriptRunner runner(*dos_, ParseScript("focus out\nresize 800 600\nfocus in\n"), backend,
                        app_.Path());
    int starts = 0;
    form_ = std::make_unique<TForm_dos>(*dos_, [&](Dos& d) {
        ++starts;
        for (;;) ReadKey(d);
    });
    form_->Create();
    platform_->OpenWindow(WindowOptions{});
    form_->Show();
    runner.Install();
    const auto finish = dos_->waitingForInput;
    int waits = 0;
    dos_->waitingForInput = [&] {
        if (++waits > 100000) throw std::runtime_error("the window's loop spins");
        finish();
    };
    EXPECT_THROW(form_->Run(), ScriptFinished);
    EXPECT_EQ(starts, 2);
    EXPECT_EQ(platform_->ClientSize(), (Size{800, 600}));
}

// A problem at start-up shows in a box before the trainer starts; the key
// that confirms it does not reach the trainer.
TEST_F(MainWindowTest, StartNoticeIsConfirmedBeforeTheTrainerStarts) {
    Platform();
    bool started = false;
    std::string keysAtStart = "(none)";
    form_ = std::make_unique<TForm_dos>(*dos_, [&](Dos& d) {
        started = true;
        keysAtStart = d.keys.KeyBuffer;
    });
    form_->StartNotice =
        "Der Ordner f\u00fcr die eigenen Dateien (/x/) kann nicht angelegt werden. Die "
        "mitgelieferten Wortlisten sind nur lesbar.";
    form_->Create();
    platform_->OpenWindow(WindowOptions{});
    form_->Show();
    int idles = 0;
    Rgb panel = 0;
    dos_->beforePump = [&] {
        if (++idles == 1) {
            EXPECT_FALSE(started);
            panel = dos_->Canvas().Pixel((640 - 460) / 2 + 8, 240);  // the left margin
        }
        if (idles == 3) PostKey(Key::Return);
    };
    form_->Run();
    EXPECT_GE(idles, 3);
    EXPECT_EQ(panel, MakeRgb(212, 208, 200)) << "the box is drawn over the screen";
    EXPECT_TRUE(started);
    EXPECT_EQ(keysAtStart, "");
    EXPECT_TRUE(form_->StartNotice.empty()) << "shown once";
}

// The notice is wrapped to the box's width at blanks.
TEST(MessageBoxTest, LongTextIsWrappedAtBlanks) {
    FontEngine fonts;
    Font& font = fonts.Get(FontRequest{"Arial", 9, false, false, false});
    const std::string text =
        "Die mitgelieferten Wortlisten sind nur lesbar; Einstellungen und "
        "Protokolle werden nicht gespeichert.";
    const std::vector<std::string> lines = WrapText(font, text, 200);
    ASSERT_GT(lines.size(), 1u);
    std::string joined;
    for (const std::string& line : lines) {
        EXPECT_LE(font.TextWidth(line), 200) << line;
        joined += (joined.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(joined, text);
    EXPECT_EQ(WrapText(font, "Unzerteilbarlangeswort", 10).size(), 1u) << "a long word stays whole";
}

// A store that refuses every write, as a settings file in a read-only folder.
class RefusingSettingsStore : public SettingsStore {
public:
    std::optional<std::string> Read(const std::string&, const std::string&,
                                    const std::string&) override {
        return std::nullopt;
    }
    bool Write(const std::string&, const std::string&, const std::string&,
               const std::string&) override {
        ++writes;
        return false;
    }
    int writes = 0;
};

// OK on a factor that cannot be stored keeps the factor for the run and
// brings the dialog back with a red line saying so; each further OK tries
// again, and Escape leaves with the factor still in force.
TEST_F(MainWindowTest, SpeedDialogThatCannotStoreSaysSoInTheDialog) {
    auto store = std::make_unique<RefusingSettingsStore>();
    RefusingSettingsStore& refusing = *store;
    settings_ = std::move(store);
    const std::vector<Key> keys = {Key::End, Key::Return, Key::Return, Key::Escape};
    const Rect notice = LayoutStartSetup({640, 480}, kSpeedSliderMax).notice;
    auto redInNotice = [&](const Bitmap& b) {
        int red = 0;
        for (int y = notice.top; y < notice.bottom; ++y)
            for (int x = notice.left; x < notice.right; ++x)
                red += b.Pixel(x, y) == MakeRgb(192, 0, 0);
        return red;
    };
    std::vector<int> redBeforeKey;
    double factor = -1;
    RunWindow([&](Dos& d) {
        ClrScr(d);
        PostKey(Key::F10);
        d.waitingForInput = nullptr;
        size_t next = 0;
        d.beforePump = [&] {
            Event e;
            if (next < keys.size() && !platform_->PeekEvent(e)) {
                redBeforeKey.push_back(redInNotice(d.Canvas()));
                PostKey(keys[next++]);
            }
        };
        PumpMessages(d, true);
        d.beforePump = nullptr;
        factor = d.keys.SpeedFactor;
    });
    EXPECT_DOUBLE_EQ(factor, 440.0);
    EXPECT_EQ(refusing.writes, 2) << "each OK tries to store";
    ASSERT_EQ(redBeforeKey.size(), keys.size());
    EXPECT_EQ(redBeforeKey[0], 0) << "no notice before the first OK";
    EXPECT_EQ(redBeforeKey[1], 0);
    EXPECT_GT(redBeforeKey[2], 0) << "the dialog came back with the notice";
    EXPECT_GT(redBeforeKey[3], 0);
}

}  // namespace
}  // namespace qs::test
