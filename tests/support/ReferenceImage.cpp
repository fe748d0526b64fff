#include "support/ReferenceImage.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>

#include "support/PngFile.h"

namespace qs::test {

namespace fs = std::filesystem;

::testing::AssertionResult MatchesReference(const Bitmap& bitmap, const std::string& reference,
                                            Tolerance tolerance) {
    const std::string refPath = std::string(QS_TEST_DATA_DIR) + "/" + reference + ".png";
    const char* update = std::getenv("QS_UPDATE_REFERENCES");
    if (update && std::string(update) == "1") {
        if (!WritePng(refPath, bitmap))
            return ::testing::AssertionFailure() << "cannot write " << refPath;
        return ::testing::AssertionSuccess();
    }
    const fs::path actual =
        fs::path(QS_APP_DIR).parent_path() / "ref-actual" / (reference + ".png");
    auto failure = [&](const std::string& what) {
        std::error_code ec;
        fs::create_directories(actual.parent_path(), ec);
        WritePng(actual.string(), bitmap);
        return ::testing::AssertionFailure()
               << reference << ": " << what << "; drawn picture in " << actual.string()
               << " (QS_UPDATE_REFERENCES=1 makes it the reference)";
    };
    const std::optional<Bitmap> ref = ReadPng(refPath);
    if (!ref) return failure("the reference " + refPath + " is missing or unreadable");
    if (ref->Width() != bitmap.Width() || ref->Height() != bitmap.Height()) {
        return failure("size " + std::to_string(bitmap.Width()) + "x" +
                       std::to_string(bitmap.Height()) + ", reference " +
                       std::to_string(ref->Width()) + "x" + std::to_string(ref->Height()));
    }
    long long differing = 0;
    int fx = -1, fy = -1;
    for (int y = 0; y < ref->Height(); ++y)
        for (int x = 0; x < ref->Width(); ++x)
            if (ref->Pixel(x, y) != bitmap.Pixel(x, y) && differing++ == 0) {
                fx = x;
                fy = y;
            }
    const long long allowed = static_cast<long long>(bitmap.Width()) * bitmap.Height() *
                              tolerance.differingPerMille / 1000;
    if (differing <= allowed) return ::testing::AssertionSuccess();
    std::ostringstream what;
    what << differing << " pixels differ (" << allowed << " may), first at (" << fx << ", " << fy
         << "): drawn " << std::hex << bitmap.Pixel(fx, fy) << ", reference " << ref->Pixel(fx, fy);
    return failure(what.str());
}

}  // namespace qs::test
