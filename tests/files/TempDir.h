// A fresh folder per test, removed afterwards, with helpers to put files in
// it and read them back byte for byte.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <algorithm>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace qs::testing {

class TempDir {
public:
    TempDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "qs-files-XXXXXX").string();
        char* made = ::mkdtemp(tmpl.data());
        if (!made) throw std::runtime_error("mkdtemp failed");
        path_ = made;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, ending in '/'.
    std::string Path() const { return path_ + "/"; }
    std::string operator/(const std::string& rel) const { return path_ + "/" + rel; }

    void MakeDir(const std::string& rel) const { std::filesystem::create_directories(*this / rel); }

    void Put(const std::string& rel, const std::string& bytes) const {
        auto full = std::filesystem::path(*this / rel);
        std::filesystem::create_directories(full.parent_path());
        std::ofstream out(full, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    std::string Get(const std::string& rel) const {
        std::ifstream in(*this / rel, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    bool Has(const std::string& rel) const { return std::filesystem::exists(*this / rel); }

    // Names in the folder (sorted), to see that nothing else was left behind.
    std::vector<std::string> List(const std::string& rel = "") const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(rel.empty() ? path_ : *this / rel))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string path_;
};

}  // namespace qs::testing
