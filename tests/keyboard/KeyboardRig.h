// A headless machine for the keyboard and timing tests: the platform logs
// every sleep, and a stand-in for the main window turns key and text events
// into key codes as the real window does.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/CodePage.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screen/Dos.h"
#include "screen/Keyboard.h"

namespace qs::test {

class SleepLogPlatform : public HeadlessPlatform {
public:
    explicit SleepLogPlatform(HeadlessOptions o = {}) : HeadlessPlatform(std::move(o)) {}
    void SleepMillis(int ms) override {
        sleeps.push_back(ms);
        HeadlessPlatform::SleepMillis(ms);
    }
    // Time let pass without waiting is not logged as a sleep.
    void SkipMillis(int ms) override {
        skipped += ms;
        HeadlessPlatform::SleepMillis(ms);
    }
    // The sleeps in order, runs of equal ones shortened: "50x40", "4x5 1x1".
    std::string Summary() const {
        std::string out;
        for (size_t i = 0; i < sleeps.size();) {
            size_t j = i;
            while (j < sleeps.size() && sleeps[j] == sleeps[i]) ++j;
            if (!out.empty()) out += ' ';
            out += std::to_string(j - i) + "x" + std::to_string(sleeps[i]);
            i = j;
        }
        return out;
    }
    int NowMillis() { return static_cast<int>(NowMicros() / 1000); }

    std::vector<int> sleeps;
    int skipped = 0;
};

// Key-down events give their extended codes, typed UTF-8 text its code
// page 437 letters, as in the main window.
class TypingWindow : public WindowEvents {
public:
    explicit TypingWindow(Dos& d) : d_(d) { d.window = this; }
    void HandleEvent(const Event& e) override {
        handled.push_back(e.type);
        if (e.type == Event::Type::KeyDown) KeyDownToKeys(d_, e.key);
        if (e.type == Event::Type::Text) TextToKeys(d_, e.text);
    }
    std::vector<Event::Type> handled;

private:
    Dos& d_;
};

inline Event KeyDown(Key k) {
    Event e;
    e.type = Event::Type::KeyDown;
    e.key = k;
    return e;
}

inline Event Typed(const std::string& utf8) {
    Event e;
    e.type = Event::Type::Text;
    e.text = utf8;
    return e;
}

// A waiting ReadKey with nothing left to come ends the test instead of
// spinning for ever.
class KeyboardRig {
public:
    explicit KeyboardRig(HeadlessOptions o = {})
        : platform(std::move(o)), dos(platform), window(dos) {
        dos.waitingForInput = [] { throw ScriptFinished{}; };
    }
    // A printable key as the system delivers it: key-down, then its text.
    void Type(const std::string& utf8) {
        platform.PostEvent(KeyDown(Key::Other));
        platform.PostEvent(Typed(utf8));
    }
    void Press(Key k) { platform.PostEvent(KeyDown(k)); }

    SleepLogPlatform platform;
    Dos dos;
    TypingWindow window;
};

}  // namespace qs::test
