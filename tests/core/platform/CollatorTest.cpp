#include "platform/Collator.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const Encoding& Page(int codePage) {
    return *Encoding::ForCodePage(codePage);
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

struct Pair {
    std::string a;
    std::string b;
    int ignoringCase;   // sign of the comparison without case
    int respectingCase; // sign of the comparison with case
    int codePage;
};

// Pairs whose order the user can see in a sort; each holds in both the collator and its keys.
const std::vector<Pair>& Pairs() {
    static const std::vector<Pair> pairs = {
        {"a", "B", -1, -1, 1252},
        {"B", "c", -1, -1, 1252},
        {"a", "A", 0, -1, 1252},
        {"A", "b", -1, -1, 1252},
        {"abc", "ABC", 0, -1, 1252},
        {"abc", "ABD", -1, -1, 1252},
        {"", "a", -1, -1, 1252},
        {"a", "a ", -1, -1, 1252},
        {"e", "\xE9", -1, -1, 1252},            // accents count even without case
        {"\xE9", "f", -1, -1, 1252},            // é sorts with e, not after z
        {"\xE0", "\xC0", 0, -1, 1252},          // à, À
        {"2", "10", 1, 1, 1252},                // character by character, not numeric
        {"\xE0", "\xC1", -1, -1, 1251},         // а < Б
        {"\xC1", "\xE2", -1, -1, 1251},         // Б < в
        {"\xE0", "\xC0", 0, -1, 1251},          // а, А
        {"z", "\xE0", -1, -1, 1251},            // Latin before Cyrillic
        {"a", "\xD0\x91", -1, -1, 65001},       // a < Б
        {"\xD0\xB1", "\xD0\x91", 0, -1, 65001}, // б, Б
        {"\x81", "\x8D", -1, -1, 65001},        // raw bytes: by byte value
        {"z", "\x81", -1, -1, 65001},           // raw bytes after characters
        {"a\xFF", "a\xFE", 1, 1, 65001},
        {"\xD2", "\xFF", -1, -1, 1253}, // bytes the code page leaves undefined
        {std::string("a\0b", 3), std::string("a\0c", 3), -1, -1, 1252},
    };
    return pairs;
}

TEST(Collator, OrdersPairsWithAndWithoutCaseAndKeysAgree) {
    const Collator ignoring("en_US.UTF-8", LetterCase::Ignore);
    const Collator respecting("en_US.UTF-8", LetterCase::Respect);
    for (const Pair& pair : Pairs()) {
        const Encoding& encoding = Page(pair.codePage);
        const std::string shown = testing::PrintToString(pair.a) + " vs " +
                                  testing::PrintToString(pair.b) + " in " + encoding.Name();
        EXPECT_EQ(Sign(ignoring.Compare(pair.a, pair.b, encoding)), pair.ignoringCase) << shown;
        EXPECT_EQ(Sign(ignoring.Compare(pair.b, pair.a, encoding)), -pair.ignoringCase) << shown;
        EXPECT_EQ(Sign(respecting.Compare(pair.a, pair.b, encoding)), pair.respectingCase) << shown;
        EXPECT_EQ(
            Sign(ignoring.SortKey(pair.a, encoding).compare(ignoring.SortKey(pair.b, encoding))),
            pair.ignoringCase)
            << shown;
        EXPECT_EQ(
            Sign(
                respecting.SortKey(pair.a, encoding).compare(respecting.SortKey(pair.b, encoding))),
            pair.respectingCase)
            << shown;
    }
}

TEST(Collator, CAndPosixUseTheRootOrder) {
    for (const char* locale : {"C", "POSIX", ""}) {
        const Collator ignoring(locale, LetterCase::Ignore);
        EXPECT_LT(ignoring.Compare("a", "B", Page(1252)), 0) << locale;
        EXPECT_LT(ignoring.Compare("B", "c", Page(1252)), 0) << locale;
        EXPECT_EQ(ignoring.Compare("b", "B", Page(1252)), 0) << locale;
    }
}

TEST(Collator, LocaleRulesApply) {
    // Swedish puts ä after z; German sorts it with a.
    const Collator swedish("sv_SE.UTF-8", LetterCase::Ignore);
    const Collator german("de_DE.UTF-8", LetterCase::Ignore);
    EXPECT_GT(swedish.Compare("\xC3\xA4", "z", Page(65001)), 0);
    EXPECT_LT(german.Compare("\xC3\xA4", "z", Page(65001)), 0);
}

TEST(Collator, SortingByKeysGivesTheCompareOrder) {
    const Collator ignoring("en_US", LetterCase::Ignore);
    const Encoding& encoding = Page(1252);
    std::vector<std::string> lines = {"delta",
                                      "Alpha",
                                      "charlie",
                                      "\xC9"
                                      "cho",
                                      "bravo",
                                      "alpha",
                                      "Bravo2",
                                      "",
                                      " space",
                                      "echo"};
    std::vector<std::string> byCompare = lines;
    std::stable_sort(byCompare.begin(), byCompare.end(), [&](const auto& a, const auto& b) {
        return ignoring.Compare(a, b, encoding) < 0;
    });
    std::vector<std::string> byKey = lines;
    std::stable_sort(byKey.begin(), byKey.end(), [&](const auto& a, const auto& b) {
        return ignoring.SortKey(a, encoding) < ignoring.SortKey(b, encoding);
    });
    EXPECT_EQ(byKey, byCompare);
    const std::vector<std::string> expected = {"",
                                               " space",
                                               "Alpha",
                                               "alpha",
                                               "bravo",
                                               "Bravo2",
                                               "charlie",
                                               "delta",
                                               "echo",
                                               "\xC9"
                                               "cho"};
    EXPECT_EQ(byCompare, expected);
}

} // namespace
