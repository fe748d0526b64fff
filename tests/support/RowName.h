// Readable names for the rows of a parameterised test: the row's `what`
// (a description such as "two players never") as "TwoPlayersNever", since
// test names take letters, digits and '_' only.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace qs::test {

inline std::string RowIdentifier(const std::string& description) {
    std::string name;
    bool upper = true;
    for (unsigned char c : description) {
        if (!std::isalnum(c)) {
            upper = true;
            continue;
        }
        name += upper ? static_cast<char>(std::toupper(c)) : static_cast<char>(c);
        upper = false;
    }
    return name;
}

// The name generator of INSTANTIATE_TEST_SUITE_P for rows with a `what`.
struct RowName {
    template <class Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
        return RowIdentifier(info.param.what);
    }
};

}  // namespace qs::test
