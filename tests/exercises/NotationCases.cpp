#include "exercises/NotationCases.h"

#include <algorithm>
#include <filesystem>

#include "app/WordListTool.h"
#include "support/TestFiles.h"

namespace qs::test {

std::vector<ShippedList> ShippedListsOf(const std::string& extension) {
    const std::filesystem::path dir = std::string(QS_SOURCE_DIR) + "/data/LS1DAT";
    std::vector<ShippedList> lists;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension().string() != "." + extension) continue;
        lists.push_back({entry.path().filename().string(),
                         SplitListLines(ReadFileBytes(entry.path().string()))});
    }
    std::sort(lists.begin(), lists.end(),
              [](const ShippedList& a, const ShippedList& b) { return a.name < b.name; });
    return lists;
}

}  // namespace qs::test
