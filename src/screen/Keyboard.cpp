#include "screen/Keyboard.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "base/CodePage.h"
#include "screen/DosPath.h"
#include "screen/KeyCodes.h"
#include "screen/Paths.h"

namespace qs {

namespace {

bool IsCursorBlock(Key key) {
    switch (key) {
        case Key::PageUp:
        case Key::PageDown:
        case Key::End:
        case Key::Home:
        case Key::Left:
        case Key::Up:
        case Key::Right:
        case Key::Down:
        case Key::Insert:
        case Key::Delete: return true;
        default: return false;
    }
}

void Dispatch(Dos& d, const Event& e) {
    if (d.window != nullptr) d.window->HandleEvent(e);
}

// Nothing is left for the program to react to: no key and no event.
bool NothingPending(Dos& d) {
    Event e;
    return d.keys.KeyBuffer.empty() && !d.platform.PeekEvent(e);
}

// Makes what was drawn visible (the window's drawing surface is flushed).
void FlushSurface(Dos& d) { d.PresentIfDirty(); }

// The longest single rest; a window with nothing to wait for still looks
// around now and then.
constexpr int kLongestRestMs = 1000;

// For how many milliseconds from now on a message pump would find nothing
// to do: nothing is pending, the window has the focus (an inactive one
// sleeps inside the pump, which only callers that count that sleep allow),
// no tone has to be followed up, and neither the hooks nor the picture
// sequence have anything due. 0 when a pump now may do something.
int QuietMillis(Dos& d, bool evenInactive = false) {
    Platform& p = d.platform;
    if (!NothingPending(d) || d.sound.EndMatters()) return 0;
    if (!evenInactive && !p.IsActive()) return 0;
    int quiet = kLongestRestMs;
    if (d.beforePump || d.waitingForInput) {
        if (!d.pumpDue) return 0;
        const std::optional<uint64_t> due = d.pumpDue();
        if (due) {
            const uint64_t now = p.NowMicros();
            if (*due <= now) return 0;
            const uint64_t ms = (*due - now + 999) / 1000;
            quiet = static_cast<int>(std::min<uint64_t>(ms, kLongestRestMs));
        }
    }
    if (const std::optional<uint64_t> frame = d.film.NextStepDue()) {
        const uint64_t now = p.NowMicros();
        if (*frame <= now) return 0;
        quiet = std::min(quiet, static_cast<int>(std::min<uint64_t>((*frame - now + 999) / 1000,
                                                                    kLongestRestMs)));
    }
    return quiet;
}

// Lets ms pass in which nothing is due, blocked in the system instead of
// sleeping; what was drawn is shown first. A real window wakes early when an
// event comes: woken(), which handles it, returns true to end the rest early
// (and Rest returns true), false to rest on. The headless clock moves on by
// ms at once.
template <class Woken>
bool Rest(Dos& d, int ms, Woken woken) {
    Platform& p = d.platform;
    d.PresentIfDirty();
    if (d.offstage) {
        p.SkipMillis(ms);
        return false;
    }
    const uint64_t end = p.NowMicros() + static_cast<uint64_t>(ms) * 1000;
    for (;;) {
        const uint64_t now = p.NowMicros();
        if (now >= end) return false;
        const int left = static_cast<int>((end - now + 999) / 1000);
        if (p.WaitEvent(left) && woken()) return true;
    }
}

}  // namespace

uint8_t ExtendedCodeOf(Key key, bool exclusive) {
    using namespace keycode;
    switch (key) {
        case Key::PageUp: return Byte(PgUp);
        case Key::PageDown: return Byte(PgDn);
        case Key::End: return Byte(End);
        case Key::Home: return Byte(Home);
        case Key::Left: return Byte(Left);
        case Key::Up: return Byte(Up);
        case Key::Right: return Byte(Right);
        case Key::Down: return Byte(Down);
        case Key::Insert: return Byte(Insert);
        case Key::Delete: return Byte(Del);
        case Key::F1: return Byte(F1);
        case Key::F2: return Byte(F2);
        case Key::F3: return Byte(F3);
        case Key::F4: return Byte(F4);
        case Key::F5: return Byte(F5);
        case Key::F6: return Byte(F6);
        case Key::F7: return Byte(F7);
        case Key::F8: return Byte(F8);
        case Key::F9: return Byte(F9);
        case Key::F10: return exclusive ? Byte(F10) : 0;
        case Key::F11: return Byte(F11);
        case Key::F12: return Byte(F12);
        default: return 0;
    }
}

bool KeyDownToBuffer(Dos& d, Key key) {
    KeyState& k = d.keys;
    k.ExtendedKey = false;
    const size_t before = k.KeyBuffer.size();
    const uint8_t code = ExtendedCodeOf(key, d.exclusive);
    // On the exclusive surface a held cursor key must not flood the buffer.
    const bool allowed = !(d.exclusive && IsCursorBlock(key) && !k.KeyBuffer.empty());
    if (code != 0 && allowed) k.KeyBuffer.push_back(static_cast<char>(code));
    if (k.KeyBuffer.size() > before) k.ExtendedKey = true;
    return k.ExtendedKey;
}

void KeyDownToKeys(Dos& d, Key key) {
    KeyDownToBuffer(d, key);
    std::string& buffer = d.keys.KeyBuffer;
    switch (key) {
        case Key::Return: buffer.push_back(keycode::Return); break;
        case Key::Escape: buffer.push_back(keycode::Esc); break;
        case Key::Backspace: buffer.push_back(keycode::Backspace); break;
        case Key::Tab: buffer.push_back(keycode::Tab); break;
        default: break;
    }
}

std::string WindowsLetters(const std::string& utf8) {
    std::string letters;
    size_t pos = 0;
    while (pos < utf8.size()) {
        const uint8_t b = UnicodeToCp1252(DecodeUtf8(utf8, pos));
        if (b != 0) letters.push_back(static_cast<char>(b));
    }
    return letters;
}

void TextToKeys(Dos& d, const std::string& utf8) {
    for (const char letter : WindowsLetters(utf8))
        d.keys.KeyBuffer.push_back(
            static_cast<char>(KeyToOem(static_cast<uint8_t>(letter), d.screen.NoConversion)));
}

void PumpMessages(Dos& d, bool force) {
    if (d.beforePump) d.beforePump();
    Platform& p = d.platform;
    Event e;
    if (p.PeekEvent(e) && e.type == Event::Type::FocusLost) p.Beep();
    d.sound.Poll();
    if (force || !p.HasPendingKeyboardEvent()) {
        if (p.PollEvent(e)) Dispatch(d, e);
    }
    p.RunMainThreadRequests();
    d.film.RunDue();
    if (!p.IsActive()) {
        while (p.PollEvent(e)) Dispatch(d, e);
        d.Sleep(1);
    }
    d.PresentIfDirty();
}

uint8_t ReadKey(Dos& d) {
    KeyState& k = d.keys;
    for (;;) {
        // The pumps before the next one that can find something are left
        // out. Each round takes a millisecond, and one more while the window
        // is inactive (the pump sleeps then); a round's pump looks at the
        // hooks a millisecond into it.
        const int quiet = QuietMillis(d, true);
        const int round = d.platform.IsActive() ? 1 : 2;
        const int skipped = round == 1 ? quiet - 1 : quiet / 2;
        if (skipped > 0) Rest(d, skipped * round + 1, [] { return true; });
        else d.Sleep(1);
        k.IdlePolls = 0;
        PumpMessages(d, true);
        uint8_t b = 0;
        if (!k.KeyBuffer.empty()) {
            b = static_cast<uint8_t>(k.KeyBuffer.back());
            k.KeyBuffer.pop_back();
        }
        if (k.RestartRequested) throw RestartUnwind{};
        if (b != 0) return b;
        if (d.waitingForInput && NothingPending(d)) d.waitingForInput();
    }
}

bool KeyPressed(Dos& d) {
    Platform& p = d.platform;
    Event e;
    if (p.PeekEvent(e) && e.type == Event::Type::KeyDown && e.key == Key::Shift) {
        p.PollEvent(e);
        Dispatch(d, e);
    }
    PumpMessages(d, true);
    KeyState& k = d.keys;
    const bool result = k.RestartRequested || !k.KeyBuffer.empty();
    if (result) {
        k.IdlePolls = 0;
    } else if (++k.IdlePolls > 200) {
        d.Sleep(1);
        k.IdlePolls = 0;
    }
    return result;
}

void NoteWaitingForInput(Dos& d) {
    if (d.waitingForInput && NothingPending(d)) d.waitingForInput();
}

void WaitForEnter(Dos& d) {
    for (;;) {
        const uint8_t c = ReadKey(d);
        if (c == 13 || c == 10) return;
    }
}

void FlushKeyMessages(Dos& d) { d.platform.FlushKeyboardEvents(); }

void ArrowToEditKey(Dos& d, uint8_t& ch) {
    if (!d.keys.ExtendedKey) return;
    if (ch == 75) ch = 8;
    else if (ch == 77) ch = 0;
}

void Delay(Dos& d, double ms) {
    KeyState& k = d.keys;
    if (ms >= 100) ms *= 2;  // the waits below are halved
    if (k.ScaleDelays) {
        if (ms <= 25) ms *= k.SpeedFactor;
        else if (ms <= 90) ms *= std::min(k.SpeedFactor, 10.0);
    }
    if (ms < 0.02) ms = 0.02;
    const int rounded = static_cast<int>(std::lround(ms));
    // Sleeps times pieces of each ms, looking for a key after each. Pieces
    // whose look would find nothing pass in one rest; the looks they leave
    // out still count as idle polls, as KeyPressed counts them.
    auto sleepUntilKey = [&](int times, int each) {
        int i = 0;
        while (i < times) {
            const int quiet = QuietMillis(d);
            int rest = 0;
            while (i < times && rest + each < quiet) {
                rest += each;
                ++i;
                if (++k.IdlePolls > 200) {
                    ++rest;
                    k.IdlePolls = 0;
                }
            }
            if (rest > 0 && Rest(d, rest, [&d] { return KeyPressed(d); })) break;
            if (i >= times) break;
            d.Sleep(each);
            ++i;
            if (KeyPressed(d)) break;
        }
        FlushSurface(d);
    };
    if (ms >= 1000) {
        sleepUntilKey(50, rounded / 100);
    } else if (ms >= 100) {
        sleepUntilKey(8, rounded / 16);
    } else if (ms > 10) {
        sleepUntilKey(4, rounded / 8);
    } else if (ms >= 1) {
        for (int i = 0; i < rounded;) {
            const int quiet = std::min(QuietMillis(d), rounded - i);
            if (quiet > 0) {
                Rest(d, quiet, [&d] {
                    PumpMessages(d, false);
                    return false;
                });
                i += quiet;
                continue;
            }
            PumpMessages(d, false);
            d.Sleep(1);
            ++i;
        }
        FlushSurface(d);
    } else if (k.SubMsCounter == 0) {
        d.Sleep(1);
    }
    if (ms > 0 && ms <= 1) {
        ++k.SubMsCounter;
        if (k.SubMsCounter >= std::lround(2 / ms)) k.SubMsCounter = 0;
    }
    PumpMessages(d, false);
}

std::string WavPath(Dos& d, const std::string& fileName) {
    if (fileName.empty()) return "";
    FileSystem& fs = d.platform.Files();
    std::string path = ResolvePath(fs, AppDir(fs) + fileName);
    if (!fs.Exists(path)) path = ResolvePath(fs, fileName);
    return fs.Exists(path) && !fs.IsDirectory(path) ? path : "";
}

bool PlayWav(Dos& d, const std::string& fileName) {
    if (fileName.empty()) return false;
    const std::string path = WavPath(d, fileName);
    const bool started = !path.empty() && d.sound.Play(path);
    PumpMessages(d, false);
    return started;
}

void StopSound(Dos& d) {
    PumpMessages(d, false);
    d.sound.Stop();
    Delay(d, 1);
    PumpMessages(d, false);
}

void Tone(Dos& d, int frequency, int ms) {
    FileSystem& fs = d.platform.Files();
    d.sound.Tone(ResolvePath(fs, AppDir(fs) + "wavs\\"), frequency, ms);
}

void GetToday(Dos& d, int& year, int& month, int& day, std::string& dateText, int& dayIndex) {
    const LocalDate t = d.platform.Today();
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", t.day % 100, t.month % 100, t.year % 10000);
    dateText = buf;
    day = std::stoi(dateText.substr(0, 2));
    month = std::stoi(dateText.substr(3, 2));
    year = std::stoi(dateText.substr(6, 4));
    if (t.weekday >= 0 && t.weekday <= 6) dayIndex = t.weekday;
}

}  // namespace qs
