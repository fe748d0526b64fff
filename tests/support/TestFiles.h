// Folders and files of the tests: a plain private folder for a test that
// needs no data, an app folder with the program's shipped data, and whole
// files read and written at once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qs::test {

// A fresh empty folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, ending in '/'.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + relative; }

    void MakeDir(const std::string& relative) const;
    // Writes bytes into the file (folders made as needed); returns its path.
    std::string Put(const std::string& relative, const std::string& bytes) const;
    std::string Write(const std::string& relative, const std::vector<uint8_t>& bytes) const;
    // The file's bytes; empty when it is missing.
    std::string Get(const std::string& relative) const;
    bool Has(const std::string& relative) const;
    // Names in the folder (sorted), to see that nothing else was left behind.
    std::vector<std::string> List(const std::string& relative = "") const;

private:
    std::string path_;
};

// A fresh app folder for one test: the program's shipped data from the
// build's app folder, with the pictures, sounds, glyph pictures and fonts
// linked and the rest copied, so that a test may change it. Removed
// when the test process ends. name only helps to tell the folders apart.
// Ends in '/'.
std::string MakeTestAppDir(const std::string& name = "app");

// A whole file; empty when it is missing.
std::vector<uint8_t> ReadFileBytes(const std::string& path);
std::string FileText(const std::string& path);
// Writes a whole file, making its folders; false when it cannot.
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// Writes a file into an app folder (folders made as needed).
void WriteAppFile(const std::string& appDir, const std::string& relative, const std::string& bytes);

}  // namespace qs::test
