#include "screen/script/Script.h"

#include <array>
#include <charconv>
#include <string_view>
#include <utility>

#include "base/CodePage.h"
#include "screen/GraphMapping.h"
#include "screen/script/Dump.h"

namespace qs {

namespace {

constexpr uint64_t kIdleLimitMicros = 10ull * 60 * 1000 * 1000;
// The mouse cells of the graphics screen: 80 x 60 cells of 8 x 8 points.
constexpr int kMouseCell = 8;
constexpr int kMaxRow = kGraphHeight / kMouseCell;
constexpr int kColumns = 80;

struct NamedKey {
    std::string_view name;
    Key key;
};

constexpr std::array<NamedKey, 27> kKeyNames{{
    {"RET", Key::Return},    {"ESC", Key::Escape}, {"BS", Key::Backspace}, {"TAB", Key::Tab},
    {"SPACE", Key::Space},   {"UP", Key::Up},      {"DOWN", Key::Down},    {"LEFT", Key::Left},
    {"RIGHT", Key::Right},   {"HOME", Key::Home},  {"END", Key::End},      {"PGUP", Key::PageUp},
    {"PGDN", Key::PageDown}, {"INS", Key::Insert}, {"DEL", Key::Delete},   {"F1", Key::F1},
    {"F2", Key::F2},         {"F3", Key::F3},      {"F4", Key::F4},        {"F5", Key::F5},
    {"F6", Key::F6},         {"F7", Key::F7},      {"F8", Key::F8},        {"F9", Key::F9},
    {"F10", Key::F10},       {"F11", Key::F11},    {"F12", Key::F12},
}};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string> Words(std::string_view s) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && IsBlank(s[i])) ++i;
        size_t j = i;
        while (j < s.size() && !IsBlank(s[j])) ++j;
        if (j > i) words.emplace_back(s.substr(i, j - i));
        i = j;
    }
    return words;
}

// A word starting with '#' begins a trailing comment, except as the
// character of `key`.
void DropComment(std::vector<std::string>& words, size_t from) {
    for (size_t i = from; i < words.size(); ++i) {
        if (words[i].front() == '#') {
            words.resize(i);
            return;
        }
    }
}

// Decodes the code point at pos; nullopt for a malformed one (a real
// U+FFFD in the text is kept).
std::optional<char32_t> NextCharacter(const std::string& s, size_t& pos) {
    const size_t start = pos;
    const char32_t cp = DecodeUtf8(s, pos);
    if (cp == 0xFFFD && s.compare(start, pos - start, EncodeUtf8(0xFFFD)) != 0) {
        return std::nullopt;
    }
    return cp;
}

// The single code point of s, or nullopt when s holds more, fewer or
// malformed ones.
std::optional<char32_t> SingleCharacter(const std::string& s) {
    size_t pos = 0;
    if (s.empty()) return std::nullopt;
    const std::optional<char32_t> cp = NextCharacter(s, pos);
    if (pos != s.size()) return std::nullopt;
    return cp;
}

bool IsValidUtf8(const std::string& s) {
    size_t pos = 0;
    while (pos < s.size()) {
        if (!NextCharacter(s, pos)) return false;
    }
    return true;
}

class LineParser {
public:
    LineParser(int line, std::vector<std::string> args) : line_(line), args_(std::move(args)) {}

    [[noreturn]] void Fail(const std::string& what) const { throw ScriptError(line_, what); }

    void ExpectCount(size_t min, size_t max, const char* usage) const {
        if (args_.size() < min || args_.size() > max) {
            Fail("expected '" + std::string(usage) + "'");
        }
    }

    int Integer(size_t i, int min, int max, const char* what) const {
        const std::string& s = args_[i];
        int v = 0;
        auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec != std::errc{} || ptr != s.data() + s.size() || v < min || v > max) {
            Fail(std::string(what) + " must be a whole number from " + std::to_string(min) +
                 " to " + std::to_string(max) + ", got '" + s + "'");
        }
        return v;
    }

    const std::vector<std::string>& Args() const { return args_; }

private:
    int line_;
    std::vector<std::string> args_;
};

void ParseKey(const LineParser& p, ScriptCommand& c) {
    p.ExpectCount(1, 1, "key X");
    std::string k = p.Args()[0];
    for (;;) {
        if (k.size() > 4 && k.starts_with("alt+")) {
            c.alt = true;
            k.erase(0, 4);
        } else if (k.size() > 6 && k.starts_with("shift+")) {
            c.shift = true;
            k.erase(0, 6);
        } else {
            break;
        }
    }
    for (const NamedKey& n : kKeyNames) {
        if (k == n.name) {
            c.key = n.key;
            if (n.key == Key::Space) c.text = " ";
            return;
        }
    }
    const std::optional<char32_t> cp = SingleCharacter(k);
    if (!cp || *cp < 0x20 || *cp == 0x7F) {
        p.Fail("unknown key '" + k + "' (a single character, or RET ESC BS TAB SPACE UP DOWN " +
               "LEFT RIGHT HOME END PGUP PGDN INS DEL F1..F12)");
    }
    c.key = Key::Other;
    c.text = k;
}

void ParseArguments(const LineParser& p, ScriptCommand& c, std::string_view command) {
    using K = ScriptCommand::Kind;
    constexpr int kBig = 1 << 20;
    if (command == "key") {
        c.kind = K::Key;
        ParseKey(p, c);
    } else if (command == "click") {
        c.kind = K::Click;
        p.ExpectCount(2, 2, "click COL ROW");
        c.x = p.Integer(0, 1, kColumns, "COL");
        c.y = p.Integer(1, 1, kMaxRow, "ROW");
    } else if (command == "gclick") {
        c.kind = K::GClick;
        p.ExpectCount(2, 3, "gclick X Y [right]");
        c.x = p.Integer(0, -kBig, kBig, "X");
        c.y = p.Integer(1, -kBig, kBig, "Y");
        if (p.Args().size() == 3) {
            if (p.Args()[2] != "right") p.Fail("expected 'right', got '" + p.Args()[2] + "'");
            c.right = true;
        }
    } else if (command == "move" || command == "down" || command == "up") {
        c.kind = command == "move" ? K::Move : command == "down" ? K::Down : K::Up;
        p.ExpectCount(2, 2, "move|down|up X Y");
        c.x = p.Integer(0, -kBig, kBig, "X");
        c.y = p.Integer(1, -kBig, kBig, "Y");
    } else if (command == "wait") {
        c.kind = K::Wait;
        p.ExpectCount(1, 1, "wait MS");
        c.ms = p.Integer(0, 0, 24 * 60 * 60 * 1000, "MS");
    } else if (command == "resize") {
        c.kind = K::Resize;
        p.ExpectCount(2, 2, "resize W H");
        c.x = p.Integer(0, 1, 16384, "W");
        c.y = p.Integer(1, 1, 16384, "H");
    } else if (command == "focus") {
        p.ExpectCount(1, 1, "focus out|in");
        const std::string& a = p.Args()[0];
        if (a != "out" && a != "in") p.Fail("expected 'focus out' or 'focus in'");
        c.kind = a == "out" ? K::FocusOut : K::FocusIn;
    } else if (command == "close") {
        c.kind = K::Close;
        p.ExpectCount(0, 0, "close");
    } else if (command == "dump") {
        c.kind = K::Dump;
        p.ExpectCount(1, 1, "dump NAME");
        c.text = p.Args()[0];
        if (c.text.find_first_of("/\\") != std::string::npos) {
            p.Fail("the dump name '" + c.text + "' must not contain a folder");
        }
    } else {
        p.Fail("unknown command '" + std::string(command) + "'");
    }
}

bool AllDigits(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// until TEXT [MS]: TEXT is the rest of the line, less a last word that is a
// whole number (then MS) when something stands before it. "TEXT" in double
// quotes (\" and \\ inside) is taken as it is, blanks and digits included,
// and may be followed by MS and a comment.
void ParseUntil(int line, std::string_view rest, ScriptCommand& c) {
    c.kind = ScriptCommand::Kind::Until;
    c.ms = kUntilDefaultMs;
    constexpr const char* kUsage = "expected 'until TEXT [MS]'";
    const size_t first = rest.find_first_not_of(" \t");
    if (first == std::string_view::npos) throw ScriptError(line, kUsage);
    rest.remove_prefix(first);
    std::vector<std::string> after;
    if (rest.front() == '"') {
        size_t i = 1;
        for (; i < rest.size() && rest[i] != '"'; ++i) {
            if (rest[i] == '\\' && i + 1 < rest.size()) ++i;
            c.text += rest[i];
        }
        if (i >= rest.size()) throw ScriptError(line, "the quoted text has no closing '\"'");
        after = Words(rest.substr(i + 1));
        DropComment(after, 0);
        if (after.size() > 1) throw ScriptError(line, kUsage);
    } else {
        rest.remove_suffix(rest.size() - 1 - rest.find_last_not_of(" \t"));
        const size_t lastBlank = rest.find_last_of(" \t");
        if (lastBlank != std::string_view::npos && AllDigits(rest.substr(lastBlank + 1))) {
            after.emplace_back(rest.substr(lastBlank + 1));
            rest = rest.substr(0, rest.find_last_not_of(" \t", lastBlank) + 1);
        }
        c.text = std::string(rest);
    }
    if (c.text.empty()) throw ScriptError(line, kUsage);
    if (!IsValidUtf8(c.text)) throw ScriptError(line, "the text is not valid UTF-8");
    if (!after.empty()) {
        c.ms = LineParser(line, after).Integer(0, 0, 24 * 60 * 60 * 1000, "MS");
    }
}

ScriptCommand ParseLine(int line, std::string_view s) {
    ScriptCommand c;
    c.line = line;
    const size_t start = s.find_first_not_of(" \t");
    size_t end = s.find_first_of(" \t", start);
    if (end == std::string_view::npos) end = s.size();
    const std::string_view command = s.substr(start, end - start);
    if (command == "type") {
        c.kind = ScriptCommand::Kind::Type;
        // Everything after the one space is typed, blanks and '#' included.
        if (end < s.size() && s[end] == ' ') c.text = std::string(s.substr(end + 1));
        if (c.text.empty()) throw ScriptError(line, "expected 'type TEXT'");
        if (!IsValidUtf8(c.text)) throw ScriptError(line, "the text is not valid UTF-8");
        return c;
    }
    if (command == "until") {
        ParseUntil(line, s.substr(end), c);
        return c;
    }
    std::vector<std::string> args = Words(s.substr(end));
    DropComment(args, command == "key" ? 1 : 0);
    ParseArguments(LineParser(line, std::move(args)), c, command);
    return c;
}

}  // namespace

ScriptError::ScriptError(int line, const std::string& what)
    : std::runtime_error("script line " + std::to_string(line) + ": " + what) {}

std::vector<ScriptCommand> ParseScript(const std::string& text) {
    std::vector<ScriptCommand> commands;
    int line = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        if (eol == std::string::npos) eol = text.size();
        std::string_view s(text.data() + pos, eol - pos);
        pos = eol + 1;
        ++line;
        if (!s.empty() && s.back() == '\r') s.remove_suffix(1);
        const size_t first = s.find_first_not_of(" \t");
        if (first == std::string_view::npos || s[first] == '#') continue;
        commands.push_back(ParseLine(line, s));
    }
    return commands;
}

// --- The runner -----------------------------------------------------------------

ScriptTimeout::ScriptTimeout(uint64_t maxMs)
    : std::runtime_error("the scripted run did not end within " + std::to_string(maxMs) +
                         " ms of the program's time") {}

ScriptRunner::ScriptRunner(Dos& d, std::vector<ScriptCommand> commands, ScriptBackend& backend,
                           std::string outDir, uint64_t maxMs)
    : d_(d),
      commands_(std::move(commands)),
      backend_(backend),
      outDir_(std::move(outDir)),
      startMicros_(d.platform.NowMicros()),
      maxMs_(maxMs) {
    MarkInput();
}

void ScriptRunner::Install() {
    d_.beforePump = [this] { Step(); };
    d_.waitingForInput = [this] { OnWaitingForInput(); };
    d_.pumpDue = [this] { return NextDue(); };
}

std::optional<uint64_t> ScriptRunner::NextDue() const {
    const uint64_t now = d_.platform.NowMicros();
    // Used up, the script ends the run at the program's next wait for input.
    if (Finished()) return now;
    if (waitUntil_) return *waitUntil_;
    return now;
}

bool ScriptRunner::Settled() {
    Event e;
    return d_.keys.KeyBuffer.empty() && !d_.platform.PeekEvent(e);
}

// The lines' own ends (a finished script, a held line, an `until` that
// timed out) come first; the run's limit catches what they cannot.
void ScriptRunner::Step() {
    StepLines();
    if (d_.platform.NowMicros() - startMicros_ >= maxMs_ * 1000) throw ScriptTimeout(maxMs_);
}

void ScriptRunner::StepLines() {
    using K = ScriptCommand::Kind;
    while (!Finished()) {
        const ScriptCommand& c = commands_[next_];
        if (waitUntil_) {
            if (d_.platform.NowMicros() < *waitUntil_) return;
            waitUntil_.reset();
            ++next_;
            continue;
        }
        if (untilDeadline_) {
            if (!UntilDone(c)) return;
            ++next_;
            continue;
        }
        if (!Settled()) {
            CheckHeld(c);
            return;
        }
        heldSince_.reset();
        if (c.kind != K::Wait && c.kind != K::Until && c.kind != K::Dump) MarkInput();
        switch (c.kind) {
            case K::Wait:
                waitUntil_ = d_.platform.NowMicros() + static_cast<uint64_t>(c.ms) * 1000;
                continue;
            case K::Until: StartUntil(c); continue;
            case K::Key:
                PostKey(c.key, c.text, c.alt, c.shift);
                ++next_;
                return;
            case K::Type: {
                size_t pos = typed_;
                DecodeUtf8(c.text, pos);
                PostCharacter(c.text.substr(typed_, pos - typed_));
                typed_ = pos;
                if (typed_ >= c.text.size()) {
                    typed_ = 0;
                    ++next_;
                }
                return;
            }
            case K::Click:
                PostClick(CellCentre(c.x, c.y), MouseButton::Left);
                ++next_;
                return;
            case K::GClick:
                PostClick(GraphPoint(c.x, c.y), c.right ? MouseButton::Right : MouseButton::Left);
                ++next_;
                return;
            case K::Move:
            case K::Down:
            case K::Up: {
                const Event::Type type = c.kind == K::Move   ? Event::Type::MouseMove
                                         : c.kind == K::Down ? Event::Type::MouseDown
                                                             : Event::Type::MouseUp;
                PostMouse(type, GraphPoint(c.x, c.y),
                          c.kind == K::Move ? MouseButton::None : MouseButton::Left);
                ++next_;
                return;
            }
            case K::Resize: backend_.Resize(c.x, c.y); break;
            case K::FocusOut: backend_.Focus(false); break;
            case K::FocusIn: backend_.Focus(true); break;
            case K::Close: {
                Event e;
                e.type = Event::Type::Close;
                d_.platform.PostEvent(e);
                break;
            }
            case K::Dump: WriteDump(d_, outDir_, c.text); break;
        }
        ++next_;
    }
    CheckIdle();
}

void ScriptRunner::CheckHeld(const ScriptCommand& c) {
    const uint64_t now = d_.platform.NowMicros();
    if (!heldSince_) heldSince_ = now;
    if (now - *heldSince_ >= kIdleLimitMicros) {
        throw ScriptError(c.line,
                          "the program has left the input before this line untaken "
                          "for ten minutes of its time");
    }
}

void ScriptRunner::MarkInput() {
    inputTexts_ = d_.screen.GraphTexts.size();
    inputCleared_ = d_.screen.GraphTextsCleared;
}

// The graphics texts are a list of what was drawn since the screen was last
// cleared, not what shows now: those drawn before the last input count as
// old.
void ScriptRunner::StartUntil(const ScriptCommand& c) {
    untilDeadline_ = d_.platform.NowMicros() + static_cast<uint64_t>(c.ms) * 1000;
    untilText_.clear();
    for (size_t pos = 0; pos < c.text.size();) untilText_ += DecodeUtf8(c.text, pos);
    textsSearched_ = inputTexts_;
    textsCleared_ = inputCleared_;
    lookedAt_.reset();
}

// The screen is looked at once per millisecond of the program's time at
// most; the graphics texts only grow until they are cleared, so each look
// searches the ones drawn since the last.
bool ScriptRunner::UntilDone(const ScriptCommand& c) {
    const uint64_t now = d_.platform.NowMicros();
    if (!lookedAt_ || now - *lookedAt_ >= 1000) {
        lookedAt_ = now;
        if (Shows(c.text)) {
            untilDeadline_.reset();
            return true;
        }
    }
    if (now >= *untilDeadline_) {
        throw ScriptError(c.line, "'" + c.text + "' did not show on the screen within " +
                                      std::to_string(c.ms) + " ms of the program's time");
    }
    return false;
}

bool ScriptRunner::Shows(const std::string& text) {
    if (GridShows(d_, untilText_)) return true;
    const std::vector<GraphText>& texts = d_.screen.GraphTexts;
    if (d_.screen.GraphTextsCleared != textsCleared_ || texts.size() < textsSearched_) {
        textsCleared_ = d_.screen.GraphTextsCleared;
        textsSearched_ = 0;
    }
    if (!d_.screen.GraphMode) return false;
    for (; textsSearched_ < texts.size(); ++textsSearched_) {
        if (ShownGraphText(d_, texts[textsSearched_]).find(text) != std::string::npos) return true;
    }
    return false;
}

void ScriptRunner::CheckIdle() {
    if (!Settled()) {
        idleSince_.reset();
        return;
    }
    const uint64_t now = d_.platform.NowMicros();
    if (!idleSince_) idleSince_ = now;
    if (now - *idleSince_ >= kIdleLimitMicros) throw ScriptFinished{};
}

void ScriptRunner::OnWaitingForInput() {
    if (Finished() && Settled()) throw ScriptFinished{};
}

void ScriptRunner::PostKey(Key key, const std::string& text, bool alt, bool shift) {
    Platform& p = d_.platform;
    auto post = [&p](Event::Type type, Key k, const std::string& t = {}) {
        Event e;
        e.type = type;
        e.key = k;
        e.text = t;
        p.PostEvent(e);
    };
    if (alt) post(Event::Type::KeyDown, Key::Alt);
    if (shift) post(Event::Type::KeyDown, Key::Shift);
    post(Event::Type::KeyDown, key);
    // Without a window manager to take it, Alt+F4 asks the window to close.
    if (alt && key == Key::F4) post(Event::Type::Close, Key::Unknown);
    if (!text.empty()) post(Event::Type::Text, Key::Unknown, text);
    post(Event::Type::KeyUp, key);
    if (shift) post(Event::Type::KeyUp, Key::Shift);
    if (alt) post(Event::Type::KeyUp, Key::Alt);
}

void ScriptRunner::PostCharacter(const std::string& utf8) {
    // A window delivers no text for control characters; a tab is the tab key.
    const auto first = static_cast<unsigned char>(utf8[0]);
    if (first < 0x20 || first == 0x7F) {
        PostKey(first == '\t' ? Key::Tab : Key::Other, {}, false, false);
        return;
    }
    PostKey(utf8 == " " ? Key::Space : Key::Other, utf8, false, false);
}

void ScriptRunner::PostMouse(Event::Type type, Point at, MouseButton button) {
    d_.platform.WarpPointer(at.x, at.y);
    Event e;
    e.type = type;
    e.x = at.x;
    e.y = at.y;
    e.button = button;
    d_.platform.PostEvent(e);
}

void ScriptRunner::PostClick(Point at, MouseButton button) {
    PostMouse(Event::Type::MouseMove, at, MouseButton::None);
    PostMouse(Event::Type::MouseDown, at, button);
    PostMouse(Event::Type::MouseUp, at, button);
}

Point ScriptRunner::CellCentre(int col, int row) {
    const ScreenState& s = d_.screen;
    if (!s.GraphMode) {
        return Point{(col - 1) * s.CellWidth + s.CellWidth / 2,
                     (row - 1) * s.CellHeight + s.CellHeight / 2};
    }
    return GraphPoint((col - 1) * kMouseCell + kMouseCell / 2,
                      (row - 1) * kMouseCell + kMouseCell / 2);
}

Point ScriptRunner::GraphPoint(int x, int y) {
    // Before the first InitGraph the area is not set yet; the window's
    // drawing area is where it will be.
    const Rect area = d_.screen.Area.Empty() ? DrawingArea(d_.ClientSize()) : d_.screen.Area;
    ToWindow(area, x, y);
    return Point{x, y};
}

}  // namespace qs
