#include "app/CommandLine.h"

#include <charconv>
#include <limits>
#include <stdexcept>

namespace qs {

namespace {

// Larger windows than this are certainly typing mistakes.
constexpr int kMaxWindowSide = 16384;

bool ParseUnsigned(const std::string& text, uint64_t max, uint64_t& out) {
    if (text.empty() || text.front() == '+' || text.front() == '-') return false;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc{} && ptr == end && out <= max;
}

Size ParseSize(const std::string& text) {
    const size_t x = text.find('x');
    uint64_t w = 0;
    uint64_t h = 0;
    if (x == std::string::npos || !ParseUnsigned(text.substr(0, x), kMaxWindowSide, w) ||
        !ParseUnsigned(text.substr(x + 1), kMaxWindowSide, h) || w == 0 || h == 0) {
        throw std::invalid_argument("--size: expected WIDTHxHEIGHT (like 1280x960), got '" + text +
                                    "'");
    }
    return Size{static_cast<int>(w), static_cast<int>(h)};
}

uint32_t ParseSeed(const std::string& text) {
    uint64_t n = 0;
    if (!ParseUnsigned(text, std::numeric_limits<uint32_t>::max(), n)) {
        throw std::invalid_argument("--seed: expected a number from 0 to 4294967295, got '" + text +
                                    "'");
    }
    return static_cast<uint32_t>(n);
}

uint64_t ParseMaxMs(const std::string& text) {
    uint64_t n = 0;
    // A year of program time is more than any scripted run needs.
    constexpr uint64_t kLongest = 365ull * 24 * 3600 * 1000;
    if (!ParseUnsigned(text, kLongest, n) || n == 0) {
        throw std::invalid_argument("--max-ms: expected a number of milliseconds from 1 to " +
                                    std::to_string(kLongest) + ", got '" + text + "'");
    }
    return n;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine cl;
    bool haveFirst = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw std::invalid_argument(arg + ": missing value");
            const std::string& v = args[++i];
            if (v.empty()) throw std::invalid_argument(arg + ": empty value");
            return v;
        };
        if (arg == "--headless") {
            cl.headless = true;
        } else if (arg == "--window") {
            cl.window = true;
        } else if (arg == "--size") {
            cl.size = ParseSize(value());
        } else if (arg == "--script") {
            cl.script = value();
        } else if (arg == "--out") {
            cl.outDir = value();
        } else if (arg == "--seed") {
            cl.seed = ParseSeed(value());
        } else if (arg == "--app-dir") {
            cl.appDir = value();
        } else if (arg == "--max-ms") {
            cl.maxMs = ParseMaxMs(value());
        } else if (!arg.empty() && arg.front() == '-') {
            throw std::invalid_argument("unknown option '" + arg + "'");
        } else if (haveFirst) {
            throw std::invalid_argument("unexpected second argument '" + arg +
                                        "' (the first was '" + cl.firstArgument + "')");
        } else {
            cl.firstArgument = arg;
            haveFirst = true;
        }
    }
    return cl;
}

}  // namespace qs
