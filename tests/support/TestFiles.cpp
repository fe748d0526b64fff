#include "support/TestFiles.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace qs::test {

namespace fs = std::filesystem;

namespace {

// App folders made by this test process, removed when it ends.
struct MadeFolders {
    std::vector<fs::path> dirs;
    ~MadeFolders() {
        std::error_code ec;
        for (const fs::path& d : dirs) fs::remove_all(d, ec);
    }
};

MadeFolders& Made() {
    static MadeFolders made;
    return made;
}

}  // namespace

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "qs-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern + "/";
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void TempDir::MakeDir(const std::string& relative) const {
    fs::create_directories(path_ + relative);
}

std::string TempDir::Put(const std::string& relative, const std::string& bytes) const {
    return Write(relative, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

std::string TempDir::Write(const std::string& relative, const std::vector<uint8_t>& bytes) const {
    const std::string path = path_ + relative;
    WriteFileBytes(path, bytes);
    return path;
}

std::string TempDir::Get(const std::string& relative) const { return FileText(path_ + relative); }

bool TempDir::Has(const std::string& relative) const { return fs::exists(path_ + relative); }

std::vector<std::string> TempDir::List(const std::string& relative) const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(path_ + relative))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string MakeTestAppDir(const std::string& name) {
    const fs::path app(QS_APP_DIR);
    // ctest runs tests in parallel processes: the folder names the process
    // and a count, so no two runs share one. Kept short: messages show it.
    static int made = 0;
    const std::string unique =
        name + "-" + std::to_string(::getpid()) + "-" + std::to_string(++made);
    const fs::path dir = fs::temp_directory_path() / ("qs-app-" + unique);
    fs::remove_all(dir);
    fs::create_directories(dir);
    Made().dirs.push_back(dir);
    for (const char* linked : {"bitplane", "wavs", "emfs"})
        fs::create_directory_symlink(app / linked, dir / linked);
    for (const char* copied : {"LS1DAT", "maustxt"})
        fs::copy(app / copied, dir / copied, fs::copy_options::recursive);
    // The program writes its recent-files list into bgi7; the fonts there
    // are only read.
    fs::create_directory(dir / "bgi7");
    for (const auto& entry : fs::directory_iterator(app / "bgi7")) {
        std::string ext = entry.path().extension().string();
        for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const fs::path to = dir / "bgi7" / entry.path().filename();
        if (ext == ".ttf") fs::create_symlink(entry.path(), to);
        else fs::copy(entry.path(), to, fs::copy_options::recursive);
    }
    return dir.string() + "/";
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string FileText(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

void WriteAppFile(const std::string& appDir, const std::string& relative,
                  const std::string& bytes) {
    WriteFileBytes(appDir + relative, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

}  // namespace qs::test
