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
    : weights(weights), compare(compare), firstOfHash(static_cast<std::size_t>(maxKey) + 2, 0) {}

void TSynKeywordTable::Add(std::string_view keyword, int kind) {
    Add(keyword, kind, Hash(keyword));
}

void TSynKeywordTable::Add(std::string_view keyword, int kind, int hash) {
    assert(hash >= 0 && hash <= MaxKey());
    const auto h = static_cast<std::size_t>(hash);
    const Keyword added{static_cast<std::uint32_t>(text.size()),
                        static_cast<std::uint32_t>(keyword.size()), kind};
    text.append(keyword);
    keywords.insert(keywords.begin() + firstOfHash[h + 1], added);
    for (std::size_t later = h + 1; later < firstOfHash.size(); ++later) {
        ++firstOfHash[later];
    }
}

TSynKeywordTable::Result TSynKeywordTable::Find(std::string_view word, int hash) const {
    if (hash < 0 || hash > MaxKey()) {
        return {Outcome::OutOfRange, 0};
    }
    const auto h = static_cast<std::size_t>(hash);
    if (firstOfHash[h] == firstOfHash[h + 1]) {
        return {Outcome::EmptyEntry, 0};
    }
    for (std::uint32_t i = firstOfHash[h]; i < firstOfHash[h + 1]; ++i) {
        if (Equal(TextOf(keywords[i]), word)) {
            return {Outcome::Found, keywords[i].kind};
        }
    }
    return {Outcome::NoMatch, 0};
}
