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

void SetListMode(CommandLine& cl, ListMode mode, const std::string& arg) {
    if (cl.listMode != ListMode::None && cl.listMode != mode)
        throw std::invalid_argument(arg + ": only one of --check, --import and --export");
    cl.listMode = mode;
}

// The word-list modes take their own arguments and nothing of a run.
void CheckListModes(const CommandLine& cl) {
    const bool importOptions = !cl.importAs.empty() || !cl.importName.empty() || cl.force;
    if (importOptions && cl.listMode != ListMode::Import)
        throw std::invalid_argument("--as, --name and --force belong to --import");
    if (cl.listMode == ListMode::Import && cl.importAs.empty())
        throw std::invalid_argument("--import: missing --as EXT");
    if (cl.listMode == ListMode::None) return;
    if (cl.listFiles.empty()) throw std::invalid_argument("--check: missing FILE");
    if (cl.listMode != ListMode::Check && cl.listFiles.size() > 1)
        throw std::invalid_argument("unexpected second file '" + cl.listFiles[1] + "'");
    if (cl.headless || cl.window || !cl.script.empty())
        throw std::invalid_argument("--check, --import and --export run without a window");
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
        } else if (arg == "--check") {
            SetListMode(cl, ListMode::Check, arg);
        } else if (arg == "--import" || arg == "--export") {
            SetListMode(cl, arg == "--import" ? ListMode::Import : ListMode::Export, arg);
            cl.listFiles.push_back(value());
        } else if (arg == "--as") {
            cl.importAs = value();
        } else if (arg == "--name") {
            cl.importName = value();
        } else if (arg == "--force") {
            cl.force = true;
        } else if (arg == "--max-ms") {
            cl.maxMs = ParseMaxMs(value());
        } else if (!arg.empty() && arg.front() == '-') {
            throw std::invalid_argument("unknown option '" + arg + "'");
        } else if (cl.listMode == ListMode::Check) {
            cl.listFiles.push_back(arg);
        } else if (haveFirst) {
            throw std::invalid_argument("unexpected second argument '" + arg +
                                        "' (the first was '" + cl.firstArgument + "')");
        } else {
            cl.firstArgument = arg;
            haveFirst = true;
        }
    }
    CheckListModes(cl);
    if (cl.listMode != ListMode::None && haveFirst)
        throw std::invalid_argument("unexpected argument '" + cl.firstArgument + "'");
    return cl;
}

}  // namespace qs
