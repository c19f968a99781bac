#include "codeedit/SynHighlighterKeywords.h"

#include <cassert>

TSynWeights CaseFoldedLetterWeights() {
    TSynWeights weights{};
    for (int c = 'A'; c <= 'Z'; ++c) {
        weights[static_cast<std::size_t>(c)] = c - 'A' + 1;
        weights[static_cast<std::size_t>(c + 32)] = c - 'A' + 1;
    }
    return weights;
}

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
