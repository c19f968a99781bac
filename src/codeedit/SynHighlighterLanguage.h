#pragma once
// What a language is before any highlighter of it exists: its name, open-dialog filter, sample
// text and extra identifier characters, and its attributes, each with the look it starts with,
// the DefaultAttribute role it plays and the token kinds it colours. One constant per language
// stands beside its rules; the registry lists them, and a highlighter builds its attributes from
// its own. Nothing here scans.

#include "codeedit/SynEditHighlighter.h"
#include "platform/Color.h"

#include <cstdint>
#include <span>
#include <string_view>

// A set of token kinds by their ordinals (0 to 63).
class TSynKindSet {
public:
    static constexpr int Capacity = 64;

    constexpr bool Contains(int kind) const {
        return kind >= 0 && kind < Capacity && (bits >> kind & 1u) != 0;
    }

    template <class... Kind> friend constexpr TSynKindSet Kinds(Kind... kinds);

private:
    std::uint64_t bits = 0;
};

template <class... Kind> constexpr TSynKindSet Kinds(Kind... kinds) {
    TSynKindSet set;
    for (const int kind : {static_cast<int>(kinds)...}) {
        // A kind past the set's capacity stops the constant's evaluation: it cannot compile.
        set.bits |= kind >= 0 && kind < TSynKindSet::Capacity ? std::uint64_t{1} << kind
                                                              : throw "token kind out of range";
    }
    return set;
}

// The role of an attribute that no DefaultAttribute role names.
inline constexpr int kNoRole = -1;

struct TSynAttributeDescriptor {
    std::string_view name;
    int role; // a TSynDefaultAttributeRole, or kNoRole
    TSynKindSet kinds;
    TFontStyles style = 0;
    TColor foreground = clNone; // clNone: the editor's own colour
    TColor background = clNone;
};

struct TSynLanguageDescriptor {
    std::string_view name;        // LanguageName
    std::string_view filter;      // the initial DefaultFilter
    std::string_view sample = {}; // SampleSource
    // Added to the identifier characters every language has.
    std::string_view identifierChars = {};
    // In creation order.
    std::span<const TSynAttributeDescriptor> attributes = {};
};
