#include "trainer/TrainerOnScreen.h"

#include <filesystem>

#include "base/CodePage.h"
#include "exercises/Programs.h"
#include "screen/script/Dump.h"
#include "support/ProgramRun.h"

namespace qs::test {

TrainerOnScreen::TrainerOnScreen(LocalDate today, std::unique_ptr<PrintSpooler> printer,
                                 Size size) {
    // The program's fonts, glyph pictures and mouse texts, as shipped.
    const std::filesystem::path app(QS_APP_DIR);
    for (const char* folder : {"bgi7", "emfs", "maustxt"})
        std::filesystem::create_directory_symlink(app / folder, dir / folder);
    HeadlessOptions o;
    o.size = size;
    o.programPath = dir / "quendelstrand";
    o.today = today;
    o.printer = printer ? std::move(printer) : std::make_unique<KeptPrints>(printed);
    platform = std::make_unique<HeadlessPlatform>(std::move(o));
    dos = std::make_unique<Dos>(*platform);
}

TrainerOnScreen::~TrainerOnScreen() = default;

void TrainerOnScreen::PostKey(Key key) {
    Event e;
    e.type = Event::Type::KeyDown;
    e.key = key;
    keys_.push_back(e);
    e.type = Event::Type::KeyUp;
    keys_.push_back(e);
}

void TrainerOnScreen::PostText(const std::string& utf8) {
    for (size_t i = 0; i < utf8.size();) {
        size_t n = 1;
        while (i + n < utf8.size() && (static_cast<uint8_t>(utf8[i + n]) & 0xc0) == 0x80) ++n;
        // A typed key comes as its key-down, then its character.
        Event e;
        e.type = Event::Type::KeyDown;
        e.key = Key::Other;
        keys_.push_back(e);
        e.type = Event::Type::Text;
        e.text = utf8.substr(i, n);
        keys_.push_back(e);
        i += n;
    }
}

void TrainerOnScreen::Run(const std::function<void(Trainer&)>& body) {
    TForm_dos form(*dos, [&](Dos& d) {
        // The window drops keys typed before the trainer starts.
        for (const Event& e : keys_) platform->PostEvent(e);
        Trainer tr(d, AllPrograms());
        tr.t.ProgramDir = dir.Path();
        body(tr);
        finished = true;
        dump = DumpText(d);
    });
    form.Create();
    platform->OpenWindow(WindowOptions{});
    form.Show();
    dos->waitingForInput = [] { throw ScriptFinished{}; };
    try {
        form.Run();
    } catch (const ScriptFinished&) {}
}

std::u32string TrainerOnScreen::Row(int row) const {
    const std::string utf8 = DumpRow(dump, row);
    std::u32string cells;
    for (size_t pos = 0; pos < utf8.size();) cells += DecodeUtf8(utf8, pos);
    return cells;
}

bool TrainerOnScreen::Shows(int col, int row, const std::string& text) const {
    const std::u32string cells = Row(row);
    std::u32string wanted;
    for (unsigned char c : text) wanted += c;
    const size_t from = static_cast<size_t>(col - 1);
    return cells.size() >= from + wanted.size() && cells.substr(from, wanted.size()) == wanted;
}

std::vector<std::string> CrLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < bytes.size()) {
        size_t end = bytes.find("\r\n", from);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(from));
            break;
        }
        lines.push_back(bytes.substr(from, end - from));
        from = end + 2;
    }
    return lines;
}

}  // namespace qs::test
