// libFuzzer target for the script language of scripted runs: any text either
// is refused with a ScriptError naming one of its lines, or gives commands
// that each name the line they came from, without crashing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "screen/script/Script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t lines = 1;
    for (char c : text) lines += c == '\n';
    try {
        const std::vector<qs::ScriptCommand> commands = qs::ParseScript(text);
        int previous = 0;
        for (const qs::ScriptCommand& c : commands) {
            if (c.line < 1 || static_cast<size_t>(c.line) > lines || c.line < previous)
                std::abort();
            previous = c.line;
            if (c.ms < 0) std::abort();
        }
    } catch (const qs::ScriptError& e) {
        if (std::string(e.what()).rfind("script line ", 0) != 0) std::abort();
    }
    return 0;
}
