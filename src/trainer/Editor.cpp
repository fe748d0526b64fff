#include "trainer/Editor.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "screen/KeyCodes.h"

namespace qs {

// Placeholder until the editor is written.
void EditorChooser(Trainer& tr) { tr.t.LastKey = keycode::Esc; }

void CleanWordListForSave(TrainerState& t) {
    if (t.WordCount <= 1) return;
    while (t.WordCount > 1 && t.WordList[t.WordCount].empty()) --t.WordCount;
    int kept = 0;
    for (int i = 1; i <= t.WordCount; ++i) {
        std::string line = t.WordList[i];
        const size_t end = line.find_last_not_of(' ');
        line.erase(end == std::string::npos ? 0 : end + 1);
        if (!line.empty()) t.WordList[++kept] = std::move(line);
    }
    for (int i = kept + 1; i <= t.WordCount; ++i) t.WordList[i].clear();
    t.WordCount = kept;
    if (t.WordFileExt == "KWT" && kept >= 1 && kept < kWordListSize &&
        !t.WordList[kept].starts_with('-')) {
        ++t.WordCount;
        t.WordList[t.WordCount].assign(1, '-');  // the closing line of the last block
    }
}

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiUpper(x) == AsciiUpper(y);
           });
}

}  // namespace

bool NameInFileList(const std::vector<std::string>& fileList, std::string_view name) {
    return std::any_of(fileList.begin(), fileList.end(),
                       [name](const std::string& f) { return SameIgnoringCase(f, name); });
}

bool AcceptsNameKey(std::string_view name, char c) {
    if (name.size() >= kSaveNameMax) return false;
    const bool letterOrDigit =
        (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == ' ';
    return letterOrDigit || (c == '-' && !name.empty());
}

std::string PrintedListLine(int i, std::string_view text) {
    std::string numbered = (i < 10 ? " " : "") + std::to_string(i) + " ";
    numbered.append(text);
    if (numbered.size() > 60) numbered.resize(60);
    return std::string(10, ' ') + numbered;
}

}  // namespace qs
