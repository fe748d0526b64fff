// libFuzzer target for the word-list checkers and the line parsing they share
// with the games: any bytes, cut into lines as the loader cuts them, must give
// problems that name a line of the input (or the line after it, where a
// missing line belongs), without crashing or reading out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "exercises/buildingsite/Notation.h"
#include "exercises/comparison/Notation.h"
#include "exercises/contact/Notation.h"
#include "exercises/convert/Notation.h"
#include "exercises/race/Notation.h"
#include "exercises/syllables/Notation.h"
#include "exercises/twointoone/Notation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') lines.emplace_back();
        else lines.back() += static_cast<char>(data[i]);
    }
    for (auto check : {qs::CheckComparisonList, qs::CheckBuildingSiteList, qs::CheckTwoIntoOneList,
                       qs::CheckContactList, qs::CheckSyllableList, qs::CheckConvertList,
                       qs::CheckRepairList, qs::CheckPrefixList, qs::CheckEndingList}) {
        for (const qs::NotationProblem& p : check(lines)) {
            // A missing rule line is named where it belongs, one past the end.
            if (p.line < 1 || static_cast<size_t>(p.line) > lines.size() + 1) std::abort();
            if (p.message.empty()) std::abort();
        }
    }
    return 0;
}
