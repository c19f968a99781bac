#include "codeedit/SynHighlighterKeywords.h"

#include <algorithm>
#include <cassert>

void AddCharRange(TSynCharSet& set, unsigned char from, unsigned char to) {
    for (unsigned c = from; c <= to; ++c) {
        set.set(c);
    }
}

void AddChars(TSynCharSet& set, std::string_view chars) {
    for (unsigned char c : chars) {
        set.set(c);
    }
}

TSynKeywordTable::TSynKeywordTable(const TSynWeights& weights, int maxKey, TSynKeywordCase compare)
    : weights(weights), compare(compare), entries(static_cast<std::size_t>(maxKey) + 1) {}

int TSynKeywordTable::Hash(std::string_view word) const {
    // Words can be as long as a line: summed wide, then any value outside the table is as good
    // as another.
    long long sum = 0;
    for (unsigned char c : word) {
        sum += weights[c];
    }
    return static_cast<int>(std::clamp(sum, -1LL, static_cast<long long>(MaxKey()) + 1));
}

void TSynKeywordTable::Add(std::string_view keyword, int kind) {
    Add(keyword, kind, Hash(keyword));
}

void TSynKeywordTable::Add(std::string_view keyword, int kind, int hash) {
    assert(hash >= 0 && hash <= MaxKey());
    entries[static_cast<std::size_t>(hash)].push_back({std::string(keyword), kind});
}

TSynKeywordTable::Result TSynKeywordTable::Find(std::string_view word, int hash) const {
    if (hash < 0 || hash > MaxKey()) {
        return {Outcome::OutOfRange, 0};
    }
    const auto& entry = entries[static_cast<std::size_t>(hash)];
    if (entry.empty()) {
        return {Outcome::EmptyEntry, 0};
    }
    for (const auto& keyword : entry) {
        if (Equal(keyword.text, word)) {
            return {Outcome::Found, keyword.kind};
        }
    }
    return {Outcome::NoMatch, 0};
}

bool TSynKeywordTable::Equal(std::string_view keyword, std::string_view word) const {
    if (keyword.size() != word.size()) {
        return false;
    }
    if (compare == TSynKeywordCase::Exact) {
        return keyword == word;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (weights[static_cast<unsigned char>(keyword[i])] !=
            weights[static_cast<unsigned char>(word[i])]) {
            return false;
        }
    }
    return true;
}
