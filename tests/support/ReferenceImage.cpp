#include "support/ReferenceImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "screen/image/ImageDecode.h"
#include "screen/image/PngEncode.h"

namespace qs::test {

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

void ExpectMatchesReference(const Bitmap& bitmap, const std::string& name) {
    const std::string refPath = std::string(QS_TEST_DATA_DIR) + "/ref/" + name + ".png";
    const char* update = std::getenv("QS_UPDATE_REFERENCES");
    if (update && std::string(update) == "1") {
        ASSERT_TRUE(WriteFileBytes(refPath, EncodePng(bitmap))) << "cannot write " << refPath;
        return;
    }
    const std::string actualPath =
        (std::filesystem::path(QS_APP_DIR).parent_path() / "ref-actual" / (name + ".png")).string();
    auto reference = DecodeImage(ReadFileBytes(refPath));
    if (!reference) {
        WriteFileBytes(actualPath, EncodePng(bitmap));
        ADD_FAILURE() << "reference " << refPath << " is missing or unreadable; drawn picture in "
                      << actualPath << " (QS_UPDATE_REFERENCES=1 writes it)";
        return;
    }
    const Bitmap& ref = reference->rgb;
    if (ref.Width() != bitmap.Width() || ref.Height() != bitmap.Height()) {
        WriteFileBytes(actualPath, EncodePng(bitmap));
        ADD_FAILURE() << name << ": size " << bitmap.Width() << "x" << bitmap.Height()
                      << ", reference " << ref.Width() << "x" << ref.Height();
        return;
    }
    long long differing = 0;
    int fx = -1, fy = -1;
    for (int y = 0; y < ref.Height(); ++y)
        for (int x = 0; x < ref.Width(); ++x)
            if (ref.Pixel(x, y) != bitmap.Pixel(x, y)) {
                if (differing++ == 0) {
                    fx = x;
                    fy = y;
                }
            }
    if (differing == 0) return;
    WriteFileBytes(actualPath, EncodePng(bitmap));
    ADD_FAILURE() << name << ": " << differing << " pixels differ, first at (" << fx << ", " << fy
                  << "): drawn " << std::hex << bitmap.Pixel(fx, fy) << ", reference "
                  << ref.Pixel(fx, fy) << std::dec << "; drawn picture in " << actualPath;
}

}  // namespace qs::test
