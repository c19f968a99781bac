#pragma once
// Keyword recognition shared by the language highlighters: a weight per character, the hash of
// a word as the sum of its weights, and a table of keywords per hash value. It does not decide
// where a word starts or ends; each language scans its own runs and hands the word over.

#include "codeedit/SynEditHighlighter.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using TSynWeights = std::array<int, 256>;

// Both cases of a letter weigh its place in the alphabet (A and a 1, Z and z 26), everything
// else nothing: where the weights of case-insensitive languages start.
TSynWeights CaseFoldedLetterWeights();

// Characters from..to (inclusive) added to a set.
void AddCharRange(TSynCharSet& set, unsigned char from, unsigned char to);
// Every character of chars added to a set.
void AddChars(TSynCharSet& set, std::string_view chars);

enum class TSynKeywordCase {
    Exact,     // case-sensitive languages: bytes compare as they are
    ByWeight,  // case-insensitive languages: characters of equal weight are equal
    IgnoreCase // case-insensitive languages whose keywords hold digits: only letters fold
};

class TSynKeywordTable {
public:
    // Hashes 0..maxKey have an entry; anything else is out of range.
    TSynKeywordTable(const TSynWeights& weights, int maxKey, TSynKeywordCase compare);
    // The same, with every word of keywords filed under kind.
    template <class Words>
    TSynKeywordTable(const TSynWeights& weights, int maxKey, TSynKeywordCase compare,
                     const Words& keywords, int kind)
        : TSynKeywordTable(weights, maxKey, compare) {
        for (const auto& keyword : keywords) {
            Add(keyword, kind);
        }
    }

    // Sum of the weights of the word's characters; a sum outside the table comes back as -1 or
    // MaxKey() + 1.
    int Hash(std::string_view word) const {
        // Words can be as long as a line: summed wide, then any value outside the table is as
        // good as another.
        long long sum = 0;
        for (unsigned char c : word) {
            sum += weights[c];
        }
        return HashOfSum(sum);
    }
    // The hash of a word whose weights a scanner summed on its way.
    int HashOfSum(long long sum) const {
        return sum < 0 ? -1 : sum > MaxKey() ? MaxKey() + 1 : static_cast<int>(sum);
    }
    // Files a keyword under its own hash, or under the hash given (languages whose hash is not
    // a plain weight sum). A hash outside 0..maxKey is a programming error.
    void Add(std::string_view keyword, int kind);
    void Add(std::string_view keyword, int kind, int hash);

    enum class Outcome {
        OutOfRange, // hash below 0 or above maxKey
        EmptyEntry, // no keyword has this hash
        NoMatch,    // keywords share the hash, none equals the word
        Found
    };
    struct Result {
        Outcome outcome;
        int kind; // the keyword's kind when found
    };
    // First keyword filed under hash that equals the word.
    Result Find(std::string_view word, int hash) const;
    // The kind of the keyword that equals the word, or otherwise. Inline: it runs for every
    // word the scanners meet.
    int KindOf(std::string_view word, int otherwise) const {
        return KindOf(word, Hash(word), otherwise);
    }
    int KindOf(std::string_view word, int hash, int otherwise) const {
        if (hash < 0 || hash > MaxKey()) {
            return otherwise;
        }
        const auto h = static_cast<std::size_t>(hash);
        for (std::uint32_t i = firstOfHash[h]; i < firstOfHash[h + 1]; ++i) {
            if (Equal(TextOf(keywords[i]), word)) {
                return keywords[i].kind;
            }
        }
        return otherwise;
    }

    int MaxKey() const { return static_cast<int>(firstOfHash.size()) - 2; }
    const TSynWeights& Weights() const { return weights; }

private:
    bool Equal(std::string_view keyword, std::string_view word) const {
        if (keyword.size() != word.size()) {
            return false;
        }
        // The rule chosen once per word, not per byte.
        switch (compare) {
        case TSynKeywordCase::Exact:
            return keyword == word;
        case TSynKeywordCase::ByWeight:
            for (std::size_t i = 0; i < word.size(); ++i) {
                if (weights[static_cast<unsigned char>(keyword[i])] !=
                    weights[static_cast<unsigned char>(word[i])]) {
                    return false;
                }
            }
            return true;
        case TSynKeywordCase::IgnoreCase:
            for (std::size_t i = 0; i < word.size(); ++i) {
                const auto k = static_cast<unsigned char>(keyword[i]);
                const auto w = static_cast<unsigned char>(word[i]);
                if (k != w &&
                    !((k | 0x20) == (w | 0x20) && (k | 0x20) >= 'a' && (k | 0x20) <= 'z')) {
                    return false;
                }
            }
            return true;
        }
        return false;
    }
    // Flat, so that a lookup touches a few neighbouring bytes: the keywords in the order of
    // their hashes, those of one hash in the order added, their bytes in one string.
    struct Keyword {
        std::uint32_t textStart;
        std::uint32_t length;
        int kind;
    };
    std::string_view TextOf(const Keyword& keyword) const {
        return {text.data() + keyword.textStart, keyword.length};
    }
    TSynWeights weights;
    TSynKeywordCase compare;
    // The keywords of hash h are keywords[firstOfHash[h]] up to keywords[firstOfHash[h + 1]].
    std::vector<std::uint32_t> firstOfHash;
    std::vector<Keyword> keywords;
    std::string text;
};
