// Scripted input: a script of one command a line drives the trainer as a
// user would, through the same events a window delivers, and writes screen
// dumps on the way. Tests and reviewers run the program headless with it.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/ScriptBackend.h"
#include "screen/Dos.h"

namespace qs {

struct ScriptCommand {
    enum class Kind : uint8_t {
        Key,     // key, alt, shift, text (the character for a printable key)
        Type,    // text: UTF-8, one character per step
        Click,   // x, y: mouse cell column and row, from 1
        GClick,  // x, y: graph point; right
        Move,    // x, y: graph point
        Down,
        Up,
        Wait,    // ms
        Until,   // text (UTF-8), ms: the longest wait
        Resize,  // x, y: the new client width and height
        FocusOut,
        FocusIn,
        Close,
        Dump,  // text: the file name without extension
    };
    Kind kind = Kind::Close;
    int line = 0;  // from 1, for messages
    Key key = Key::Unknown;
    bool alt = false;
    bool shift = false;
    bool right = false;
    std::string text;
    int x = 0;
    int y = 0;
    int ms = 0;
};

// A line of a script that cannot be understood; the message is
// "script line N: ...".
class ScriptError : public std::runtime_error {
public:
    ScriptError(int line, const std::string& what);
};

std::vector<ScriptCommand> ParseScript(const std::string& text);

// How long `until` waits for its text when the line names no time.
constexpr int kUntilDefaultMs = 60 * 1000;
// How much of the program's time a scripted run may take by default.
constexpr uint64_t kScriptDefaultMaxMs = 10ull * 60 * 1000;

// A scripted run that has taken longer than its limit; the message names it.
class ScriptTimeout : public std::runtime_error {
public:
    explicit ScriptTimeout(uint64_t maxMs);
};

// Feeds a parsed script into the program from its message pump. Each line
// waits until the program has taken the events of the lines before it and
// emptied its key buffer, so keys arrive one at a time as typed; `wait`
// holds the following lines for that much of the program's time, `until`
// until its text shows on the screen: in a row of the character grid, or in
// a graphics text drawn since the script last handed the program input.
class ScriptRunner {
public:
    // maxMs: the program time from now after which the run fails (Step
    // throws ScriptTimeout), however far the script has come.
    ScriptRunner(Dos& d, std::vector<ScriptCommand> commands, ScriptBackend& backend,
                 std::string outDir, uint64_t maxMs = kScriptDefaultMaxMs);

    // Hooks the runner into d's message pump and its waits for input. The
    // runner must outlive d's use of the hooks.
    void Install();

    // Takes the lines that are due. Throws ScriptFinished when the script is
    // used up and the program has gone on without input for ten minutes of
    // its time (a program that polls instead of waiting), and ScriptError
    // when a line has been held that long because the program does not take
    // the input before it, or when the text of `until` has not shown in its
    // time.
    void Step();
    // Throws ScriptFinished when the script is used up and nothing is left
    // for the program to take.
    void OnWaitingForInput();

    bool Finished() const { return next_ >= commands_.size(); }
    // The time from which the runner may next do something while the
    // program takes no input: the end of a `wait`. A line that is ready, a
    // pending `until` (the screen may change at any time) and a used-up
    // script (it ends the run at the next wait for input) make it now.
    std::optional<uint64_t> NextDue() const;

private:
    void StepLines();
    bool Settled();
    void PostKey(Key key, const std::string& text, bool alt, bool shift);
    void PostCharacter(const std::string& utf8);
    void PostMouse(Event::Type type, Point at, MouseButton button);
    void PostClick(Point at, MouseButton button);
    Point CellCentre(int col, int row);
    Point GraphPoint(int x, int y);
    void CheckHeld(const ScriptCommand& c);
    void CheckIdle();
    void MarkInput();
    void StartUntil(const ScriptCommand& c);
    bool UntilDone(const ScriptCommand& c);
    bool Shows(const std::string& text);

    Dos& d_;
    std::vector<ScriptCommand> commands_;
    ScriptBackend& backend_;
    std::string outDir_;
    uint64_t startMicros_ = 0;
    uint64_t maxMs_ = kScriptDefaultMaxMs;
    size_t next_ = 0;
    size_t typed_ = 0;  // bytes of the current `type` line already posted
    std::optional<uint64_t> waitUntil_;
    std::optional<uint64_t> idleSince_;
    std::optional<uint64_t> heldSince_;
    // The graphics texts when the script last handed the program input.
    size_t inputTexts_ = 0;
    uint32_t inputCleared_ = 0;
    // The pending `until`: its deadline and text, how far the graphics
    // texts have been searched, and when the screen was last looked at.
    std::optional<uint64_t> untilDeadline_;
    std::u32string untilText_;
    size_t textsSearched_ = 0;
    uint32_t textsCleared_ = 0;
    std::optional<uint64_t> lookedAt_;
};

}  // namespace qs
