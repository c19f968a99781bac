#include "codeedit/HighlighterRegistry.h"
#include "codeedit/SynHighlighterKeywords.h"

#include <gtest/gtest.h>

namespace {

TSynWeights LetterWeights() {
    TSynWeights weights{};
    for (int c = 'a'; c <= 'z'; ++c) {
        weights[static_cast<std::size_t>(c)] = c - 'a' + 1;
        weights[static_cast<std::size_t>(c - 32)] = c - 'a' + 1;
    }
    return weights;
}

using Outcome = TSynKeywordTable::Outcome;

struct LookupCase {
    TSynKeywordCase compare;
    const char* word;
    Outcome outcome;
    int kind;
};

TEST(HighlighterKeywords, LookupOutcomes) {
    const LookupCase cases[] = {
        {TSynKeywordCase::Exact, "if", Outcome::Found, 1},
        {TSynKeywordCase::Exact, "IF", Outcome::NoMatch, 0},
        {TSynKeywordCase::ByWeight, "IF", Outcome::Found, 1},
        {TSynKeywordCase::ByWeight, "fi", Outcome::Found, 2}, // same hash, later keyword
        {TSynKeywordCase::ByWeight, "gh", Outcome::NoMatch, 0},
        {TSynKeywordCase::ByWeight, "a", Outcome::EmptyEntry, 0},
        {TSynKeywordCase::ByWeight, "zz", Outcome::OutOfRange, 0},
        {TSynKeywordCase::ByWeight, "h7", Outcome::Found, 3}, // digits weigh nothing
        {TSynKeywordCase::IgnoreCase, "IF", Outcome::Found, 1},
        {TSynKeywordCase::IgnoreCase, "fI", Outcome::Found, 2},
        {TSynKeywordCase::IgnoreCase, "H1", Outcome::Found, 3},
        {TSynKeywordCase::IgnoreCase, "h7", Outcome::NoMatch, 0},
        {TSynKeywordCase::IgnoreCase, "gh", Outcome::NoMatch, 0},
        // "[" and "{" differ from "{" and "[" by the case bit only; neither is a letter.
        {TSynKeywordCase::IgnoreCase, "{a", Outcome::NoMatch, 0},
    };
    for (const auto& c : cases) {
        TSynWeights weights = LetterWeights();
        weights['['] = 1;
        weights['{'] = 1;
        TSynKeywordTable table(weights, 30, c.compare);
        table.Add("if", 1);
        table.Add("fi", 2);
        table.Add("h1", 3);
        table.Add("[a", 4);
        const auto result = table.Find(c.word, table.Hash(c.word));
        EXPECT_EQ(result.outcome, c.outcome) << c.word;
        if (c.outcome == Outcome::Found) {
            EXPECT_EQ(result.kind, c.kind) << c.word;
        }
    }
}

TEST(HighlighterKeywords, NegativeHashIsOutOfRange) {
    TSynKeywordTable table(LetterWeights(), 10, TSynKeywordCase::Exact);
    EXPECT_EQ(table.Find("x", -1).outcome, Outcome::OutOfRange);
    EXPECT_EQ(table.MaxKey(), 10);
}

TEST(HighlighterKeywords, HashOfAHugeWordStaysOutOfRange) {
    TSynKeywordTable table(LetterWeights(), 10, TSynKeywordCase::Exact);
    const std::string huge(100'000'000, 'z'); // 2.6e9: would overflow an int sum
    EXPECT_EQ(table.Find(huge, table.Hash(huge)).outcome, Outcome::OutOfRange);
}

TEST(HighlighterKeywords, KeywordFiledUnderGivenHash) {
    TSynKeywordTable table(LetterWeights(), 30, TSynKeywordCase::Exact);
    table.Add("iff", 3, 15);
    EXPECT_EQ(table.Find("iff", table.Hash("iff")).outcome, Outcome::EmptyEntry);
    const auto result = table.Find("iff", 15);
    EXPECT_EQ(result.outcome, Outcome::Found);
    EXPECT_EQ(result.kind, 3);
}

TEST(HighlighterRegistry, ExtensionsPickClassesExactly) {
    const struct {
        const char* extension;
        const char* language; // empty: no highlighter
    } cases[] = {
        {".html", "HTML document"},
        {".htm", "HTML document"},
        {".HTML", ""},
        {"html", ""},
        {".html ", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        const auto highlighter = CreateHighlighter(c.extension);
        EXPECT_EQ(highlighter ? highlighter->LanguageName() : "", c.language) << c.extension;
    }
    const auto* html = FindHighlighterClass(".htm");
    ASSERT_NE(html, nullptr);
    EXPECT_EQ(html->className, "TSynHTMLSyn");
    EXPECT_EQ(html->instanceName, "SynHTMLSyn1");
}

TEST(HighlighterRegistry, EveryExtensionBelongsToOneClass) {
    std::vector<std::string_view> seen;
    for (const auto& highlighterClass : HighlighterClasses()) {
        EXPECT_NE(highlighterClass.create(), nullptr);
        for (auto extension : highlighterClass.extensions) {
            EXPECT_EQ(std::count(seen.begin(), seen.end(), extension), 0) << extension;
            seen.push_back(extension);
        }
    }
}

} // namespace
