#include "screen/mouse/Mouse.h"

#include <algorithm>
#include <vector>

#include "screen/DosPath.h"
#include "screen/GraphMapping.h"
#include "screen/KeyCodes.h"
#include "screen/Keyboard.h"
#include "screen/Paths.h"

namespace qs {

namespace {

constexpr int kGraphCell = 8;  // points per mouse cell in graphics mode
constexpr int kLastColumn = 80;

// Codes with a meaning beyond the key they produce.
constexpr uint8_t kListRegion = 199;
constexpr uint8_t kItemFirst = 200;
constexpr uint8_t kItemLast = 220;
constexpr uint8_t kChoiceFirst = 230;
constexpr uint8_t kChoiceLast = 241;
constexpr uint8_t kLineRegion = 255;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Splits file bytes into lines at LF, dropping a CR before it.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// A folder given relative to the program lies inside the program folder.
std::string InProgramFolder(const MouseState& m, const std::string& folder) {
    if (folder.empty()) return m.ProgramDir + "maustxt\\";
    if (folder[0] == '/' || folder[0] == '\\' || (folder.size() > 1 && folder[1] == ':'))
        return folder;
    return m.ProgramDir + folder;
}

void TakeValue(int& value, int& v, int base, int max) {
    v = std::min(max, base + value);
    value = -1;
}

// The cell (1-based column and row) under window pixel (x, y).
Point CellAt(const Dos& d, int x, int y) {
    const ScreenState& s = d.screen;
    if (s.GraphMode) {
        FromWindow(s.Area, x, y);
        return {x / kGraphCell + 1, y / kGraphCell + 1};
    }
    return {x / std::max(1, s.CellWidth) + 1, y / std::max(1, s.CellHeight) + 1};
}

bool Contains(const MouseRegion& r, Point cell) {
    return cell.x >= r.ColFrom && cell.x <= r.ColTo && cell.y >= r.RowFrom && cell.y <= r.RowTo;
}

bool NothingPending(Dos& d) {
    Event e;
    return d.keys.KeyBuffer.empty() && !d.platform.PeekEvent(e);
}

// Lets a scripted run end while the program waits for the mouse.
void NoteIdle(Dos& d) {
    if (d.waitingForInput && NothingPending(d)) d.waitingForInput();
}

Point PointerInGraph(Dos& d) {
    PumpMessages(d, false);
    Point p = d.platform.PointerPosition();
    FromWindow(d.screen.Area, p.x, p.y);
    return p;
}

void GlideTo(Dos& d, Point target) {
    Platform& p = d.platform;
    Point at = p.PointerPosition();
    auto step = [](int from, int to) { return from + (to > from) - (to < from); };
    for (int i = 1; i <= 2001 && at != target; ++i) {
        at = {step(at.x, target.x), step(at.y, target.y)};
        if (i % 24 == 0) {
            p.WarpPointer(at.x, at.y);
            p.SleepMillis(1);
        }
    }
    // Set it more than once: a system may drop a warp that comes too soon
    // after the one before.
    for (int i = 0; i < 3; ++i) {
        if (i > 0) p.SleepMillis(1);
        p.WarpPointer(target.x, target.y);
    }
}

Point GraphToWindow(const Dos& d, int x, int y) {
    ToWindow(d.screen.Area, x, y);
    return {x, y};
}

}  // namespace

void InitMouse(Dos& d) {
    MouseState& m = d.mouse;
    FileSystem& fs = d.platform.Files();
    m.ProgramDir = AppDir(fs);
    std::string name(NameOf(fs.ProgramPath()));
    if (const size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
    m.ProgramName = name;
    m.Level = 0;
    m.LevelBase.fill(0);
    m.RegionCount = 0;
    m.RegionBase = 0;
    m.LastRegion = -1;
    m.MouseItem = -1;
    m.MouseChoice = -1;
    PushMouseTexts(d, m.ProgramDir + "maustxt\\", m.ProgramName + ".mtb");
}

std::optional<MouseRegion> ParseMouseTextLine(std::string_view line) {
    if (line.empty()) return std::nullopt;
    int numbers[5] = {0, 0, 0, 0, 0};
    int found = 0;
    long long value = 0;
    bool inNumber = false;
    for (char c : line) {
        if (IsDigit(c)) {
            // Saturates: a silly long run must not overflow.
            value = std::min(value * 10 + (c - '0'), 1'000'000'000LL);
            inNumber = true;
        } else if (inNumber) {
            if (found < 5) numbers[found++] = static_cast<int>(value);
            value = 0;
            inNumber = false;
        }
    }
    MouseRegion r;
    r.ColFrom = numbers[0];
    r.ColTo = numbers[1];
    r.RowFrom = numbers[2];
    r.RowTo = numbers[3];
    r.Code = found == 5 ? static_cast<uint8_t>(numbers[4]) : static_cast<uint8_t>(line.back());
    return r;
}

void PushMouseTexts(Dos& d, const std::string& folder, const std::string& fileName) {
    MouseState& m = d.mouse;
    m.Level = std::min(m.Level + 1, MouseState::kLevels - 1);
    m.LevelBase[m.Level] = m.RegionCount;
    FileSystem& fs = d.platform.Files();
    const std::string path = ResolvePath(fs, InProgramFolder(m, folder) + fileName);
    if (auto bytes = fs.ReadFile(path, FileSystem::kTextLimit)) {
        const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
        for (std::string_view line : SplitLines(text)) {
            if (m.RegionCount >= MouseState::kMaxRegions) break;
            if (auto region = ParseMouseTextLine(line)) m.Regions[m.RegionCount++] = *region;
        }
    }
    m.MouseLine = -1;
}

void PopMouseTexts(Dos& d) {
    MouseState& m = d.mouse;
    m.RegionCount = m.LevelBase[m.Level];
    if (m.Level > 0) --m.Level;
}

uint8_t MouseHitCode(Dos& d, int x, int y) {
    MouseState& m = d.mouse;
    const Point cell = CellAt(d, x, y);
    const int previousItem = m.MouseItem;
    const int previousRegion = m.LastRegion;
    m.MouseItem = m.MouseChoice = m.MouseLine = -1;
    d.keys.ExtendedKey = false;
    uint8_t code = 0;
    int hit = -1;
    // From the top down; a region hit by the previous click lets the click
    // through to the next region below it, so overlapping regions take turns.
    for (int i = m.RegionCount - 1; i >= std::max(0, m.RegionBase); --i) {
        const MouseRegion& r = m.Regions[i];
        if (!Contains(r, cell)) continue;
        code = r.Code;
        hit = i;
        bool open = i == m.LastRegion;
        if (code == kListRegion) {
            m.MouseItem = cell.y - r.RowFrom;
            if (m.MouseItem != previousItem) open = false;
        }
        m.LastRegion = i;
        d.keys.ExtendedKey = true;
        if (!open) break;
    }
    if (code >= kItemFirst && code <= kItemLast) {
        m.MouseItem = code - kItemFirst;
    } else if (code >= kChoiceFirst && code <= kChoiceLast) {
        m.MouseChoice = code - kChoiceFirst;
        m.LastRegion = previousRegion;
    } else if (code == kLineRegion) {
        m.MouseLine = m.RegionCount - hit - 1;
    } else if (code == keycode::Byte(keycode::Left) || code == keycode::Byte(keycode::Right)) {
        m.LastRegion = previousRegion;
    }
    if (code == 0 && cell.x >= kLastColumn && cell.y < 2) code = keycode::Byte(keycode::Esc);
    return code;
}

bool TakeMouseItem(Dos& d, int& v, int base, int max) {
    if (d.mouse.MouseItem < 0) return false;
    TakeValue(d.mouse.MouseItem, v, base, max);
    return true;
}

bool TakeMouseChoice(Dos& d, int& v, int base, int max) {
    if (d.mouse.MouseChoice < 0) return false;
    TakeValue(d.mouse.MouseChoice, v, base, max);
    return true;
}

void TakeMouseLine(Dos& d, int& v, int base, int max) {
    if (d.mouse.MouseLine >= 0) TakeValue(d.mouse.MouseLine, v, base, max);
}

int TakeClick(Dos& d) {
    const int click = d.mouse.LastClick;
    d.mouse.LastClick = 0;
    return click;
}

void GetMousePos(Dos& d, int& x, int& y) {
    const Point p = PointerInGraph(d);
    x = p.x;
    y = p.y;
}

int MouseX(Dos& d) { return PointerInGraph(d).x; }

int MouseY(Dos& d) { return PointerInGraph(d).y; }

int GetMouseState(Dos& d, int& x, int& y) {
    x = d.mouse.MouseDownX;
    y = d.mouse.MouseDownY;
    FromWindow(d.screen.Area, x, y);
    return MouseButtons(d);
}

int MouseButtons(Dos& d) {
    if (d.mouse.RightHeld) return 2;
    return d.mouse.LeftHeld ? 1 : 0;
}

int WaitKeyOrClick(Dos& d) {
    while (!KeyPressed(d) && MouseButtons(d) == 0) NoteIdle(d);
    const int buttons = MouseButtons(d);
    while (MouseButtons(d) != 0) {
        PumpMessages(d, true);
        NoteIdle(d);
    }
    return buttons;
}

bool MouseInRect(Dos& d, int x1, int y1, int x2, int y2) {
    int x = 0;
    int y = 0;
    GetMousePos(d, x, y);
    return x >= std::min(x1, x2) && x <= std::max(x1, x2) && y >= std::min(y1, y2) &&
           y <= std::max(y1, y2);
}

void MoveMouseTo(Dos& d, int x, int y) { GlideTo(d, GraphToWindow(d, x, y)); }

void SetMouseX(Dos& d, int x) {
    GlideTo(d, {GraphToWindow(d, x, 0).x, d.platform.PointerPosition().y});
}

void SetMouseY(Dos& d, int y) {
    GlideTo(d, {d.platform.PointerPosition().x, GraphToWindow(d, 0, y).y});
}

void MouseWindow(Dos& d, int x1, int y1, int x2, int y2) {
    if (x1 >= x2 || y1 >= y2) {
        d.platform.ConfinePointer(nullptr);
        return;
    }
    const Point a = GraphToWindow(d, x1, y1);
    const Point b = GraphToWindow(d, x2, y2);
    const Rect area{a.x, a.y, b.x, b.y};
    d.platform.ConfinePointer(&area);
}

void ShowPointer(Dos& d) { d.platform.ShowPointer(true); }

void HidePointer(Dos& d) { d.platform.ShowPointer(false); }

void SetPointerShape(Dos& d, int id) {
    PointerShape shape = PointerShape::Arrow;
    switch (id) {
        case -11: shape = PointerShape::Wait; break;
        case -3: shape = PointerShape::Cross; break;
        case -4: shape = PointerShape::IBeam; break;
        case -21: shape = PointerShape::Hand; break;
        default: break;
    }
    d.platform.SetPointerShape(shape);
}

void ShowMouse(Dos&) {}

void HideMouse(Dos&) {}

void MouseShow(Dos&, int) {}

bool MouseInstalled() { return true; }

}  // namespace qs
