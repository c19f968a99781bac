#include "richedit/RtfControlWords.h"

#include <gtest/gtest.h>

namespace {

using detail::RtfAction;

TEST(RtfControlWordsTest, TableIsSortedSoEveryNameIsFound) {
    const auto table = detail::ControlWordTable();
    for (std::size_t i = 1; i < table.size(); ++i) {
        EXPECT_LT(table[i - 1].name, table[i].name);
    }
    for (const auto& word : table) {
        EXPECT_EQ(detail::FindControlWord(word.name).action, word.action) << word.name;
    }
    EXPECT_EQ(detail::FindControlWord("nosuchword").action, RtfAction::Ignore);
    EXPECT_EQ(detail::FindControlWord("").action, RtfAction::Ignore);
}

} // namespace
