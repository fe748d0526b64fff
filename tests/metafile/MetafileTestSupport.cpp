#include "metafile/MetafileTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/PngFile.h"

namespace qs::test {

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

::testing::AssertionResult MatchesReference(const Bitmap& bitmap, const std::string& name) {
    std::string refPath = std::string(QS_TEST_DATA_DIR) + "/metafile/ref/" + name + ".png";
    const char* update = std::getenv("QS_UPDATE_REFERENCES");
    if (update != nullptr && std::string(update) == "1") {
        if (!WritePng(refPath, bitmap))
            return ::testing::AssertionFailure() << "cannot write " << refPath;
        return ::testing::AssertionSuccess();
    }
    std::filesystem::path actualDir = std::filesystem::temp_directory_path() / "qs_metafile_actual";
    std::filesystem::create_directories(actualDir);
    std::string actualPath = (actualDir / (name + ".png")).string();
    WritePng(actualPath, bitmap);
    std::optional<Bitmap> ref = ReadPng(refPath);
    if (!ref)
        return ::testing::AssertionFailure()
               << "no reference " << refPath << " (rendered: " << actualPath
               << "; QS_UPDATE_REFERENCES=1 writes it)";
    if (ref->Width() != bitmap.Width() || ref->Height() != bitmap.Height())
        return ::testing::AssertionFailure()
               << name << ": size " << bitmap.Width() << "x" << bitmap.Height() << ", reference "
               << ref->Width() << "x" << ref->Height();
    // A few pixels may differ between cairo versions on the edges of shapes.
    long differing = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Pixel(x, y) != ref->Pixel(x, y)) ++differing;
    long allowed = static_cast<long>(bitmap.Width()) * bitmap.Height() / 200;
    if (differing > allowed)
        return ::testing::AssertionFailure() << name << ": " << differing << " pixels differ from "
                                             << refPath << " (rendered: " << actualPath << ")";
    return ::testing::AssertionSuccess();
}

}  // namespace qs::test
