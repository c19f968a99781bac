#pragma once
// The scanning machinery every language highlighter shares: the current line, the scan
// position, the token start and kind, the attributes built from the language's descriptor and
// reached by kind and by DefaultAttribute role, the identifier characters, the dispatch entries
// every language has, and (in TSynRangedHighlighter) the range kept from line to line. Language
// files hold only their descriptor and their rules: the rest of the dispatch table and the
// procedures it names.

#include "codeedit/SynEditHighlighter.h"
#include "codeedit/SynHighlighterKeywords.h"
#include "codeedit/SynHighlighterLanguage.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// The bytes a predicate accepts, looked up in a table: scanners test every character of a word.
class TSynCharClass {
public:
    template <class Predicate> constexpr explicit TSynCharClass(Predicate accepts) : table{} {
        for (int c = 0; c < 256; ++c) {
            table[static_cast<std::size_t>(c)] = accepts(static_cast<unsigned char>(c));
        }
    }
    constexpr bool operator()(unsigned char c) const { return table[c]; }

private:
    std::array<bool, 256> table;
};

// Character tests most languages share.
namespace SynChars {
constexpr bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
constexpr bool IsLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
constexpr bool IsHexDigit(unsigned char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
constexpr bool IsLineBreakOrNul(unsigned char c) {
    return c == 0 || c == '\n' || c == '\r';
}
// Blanks that continue a run: characters 1-32 but CR and LF (a table: tested for every blank).
inline constexpr TSynCharClass IsRunBlank([](unsigned char c) {
    return c != 0 && c <= 32 && c != '\n' && c != '\r';
});
} // namespace SynChars

// One scanning procedure per first byte of a token, built once per language.
template <class Scanner> using TSynDispatchTable = std::array<void (Scanner::*)(), 256>;

// The table a language's Builder::Build() makes: a compile-time constant, so scanning needs no
// guard for it.
template <class Builder> inline constexpr auto dispatchTable = Builder::Build();

// Points every byte of chars at proc.
template <class Scanner>
constexpr void SetDispatch(TSynDispatchTable<Scanner>& table, std::string_view chars,
                           std::type_identity_t<void (Scanner::*)()> proc) {
    for (const char c : chars) {
        table[static_cast<unsigned char>(c)] = proc;
    }
}

class TSynScanningHighlighter : public TSynCustomHighlighter {
public:
    TSynHighlighterAttributes* DefaultAttribute(int role) const override;
    TSynCharSet IdentifierChars() const override { return identifierChars; }
    std::string LanguageName() const override { return std::string(language.name); }
    std::string SampleSource() const override { return std::string(language.sample); }
    bool AtLineEnd() const override { return tokenKind == nullKind; }
    std::string TokenText() const override;
    std::size_t TokenLength() const override { return run - tokenPos; }
    TSynHighlighterAttributes* TokenAttribute() const override { return KindAttribute(tokenKind); }
    int TokenKind() const override { return tokenKind; }
    ByteColumn TokenStart() const override { return ByteColumn(tokenPos); }
    void StartLine(std::string_view line, LineIndex lineIndex) override;
    std::optional<TSynScanState> ScanState() const override {
        return TSynScanState{ByteColumn(tokenPos), ByteColumn(run), tokenKind, CurrentRange(),
                             LineState()};
    }
    void ResumeLine(std::string_view line, LineIndex lineIndex,
                    const TSynScanState& state) override;

protected:
    // The token loop with the language's own NextToken and TokenAttribute called directly
    // rather than through the virtual table: every language overrides TokensOfLine with
    // TokensOfLineAs(*this, ...), and is final, so that nothing can override them beneath it.
    template <class Language>
    static void TokensOfLineAs(Language& language, std::string_view text, LineIndex lineIndex,
                               std::vector<TSynToken>& tokens) {
        tokens.clear();
        language.TSynScanningHighlighter::StartLine(text, lineIndex);
        while (language.tokenKind != language.nullKind) {
            tokens.push_back({ByteColumn(language.tokenPos), language.run - language.tokenPos,
                              language.Language::TokenKind(), language.Language::TokenAttribute()});
            language.Language::NextToken();
        }
    }
    TSynHighlighterAttributes* KindAttribute(int kind) const {
        const auto index = static_cast<std::size_t>(kind);
        return index < kindAttributes.size() ? kindAttributes[index] : nullptr;
    }
    // A language's own kind enumeration.
    template <class Kind> TSynHighlighterAttributes* KindAttribute(Kind kind) const {
        return KindAttribute(static_cast<int>(kind));
    }

    // Builds the language's attributes; spaceKind is the kind of blanks, line breaks and NULs
    // inside the line. The descriptor must outlive the highlighter (every one is a constant).
    TSynScanningHighlighter(const TSynLanguageDescriptor& language, int nullKind, int spaceKind);

    // The byte at i, or 0 at and past the line's end. The end is a position, not a byte: a NUL
    // inside the line reads as 0 too but AtEnd tells them apart, and nothing past the line is
    // ever read.
    unsigned char At(std::size_t i) const {
        return i < length ? static_cast<unsigned char>(line[i]) : 0;
    }
    bool AtEnd(std::size_t i) const { return i >= length; }
    // A table whose NUL, line break and blank entries are the shared procedures and whose
    // other entries are `other`; languages set the rest.
    enum class Blanks { Run, TabApart }; // SpaceProc or SpaceUpToTabProc
    template <class Scanner>
    static constexpr TSynDispatchTable<Scanner> SharedDispatch(void (Scanner::*other)(),
                                                               Blanks blanks = Blanks::Run) {
        TSynDispatchTable<Scanner> table{};
        table.fill(other);
        for (std::size_t c = 1; c <= 32; ++c) {
            if (blanks == Blanks::Run) {
                table[c] = &TSynScanningHighlighter::SpaceProc;
            } else {
                table[c] = &TSynScanningHighlighter::SpaceUpToTabProc;
            }
        }
        table[0] = &TSynScanningHighlighter::NullProc;
        table['\n'] = &TSynScanningHighlighter::LineBreakProc;
        table['\r'] = &TSynScanningHighlighter::LineBreakProc;
        return table;
    }

    template <class Kind> void SetKind(Kind kind) { tokenKind = static_cast<int>(kind); }
    // A token of the next count bytes.
    template <class Kind> void Take(std::size_t count, Kind kind) {
        run += count;
        SetKind(kind);
    }
    // An operator: its first byte and, when one of seconds follows, that one too.
    template <class Kind> void TakeOperator(std::string_view seconds, Kind kind) {
        ++run;
        if (!AtEnd(run) && seconds.find(static_cast<char>(At(run))) != std::string_view::npos) {
            ++run;
        }
        SetKind(kind);
    }
    // Dispatch entries every language shares. NUL: the null token at the line's end; a NUL
    // inside the line (text from the plain editor keeps them) is a one-byte space token, so
    // tokens still cover the whole line.
    void NullProc();
    // A line break inside the line (CR LF, CR or LF) as one space token.
    void LineBreakProc();
    // A run of blanks: characters 1-32 other than CR and LF. Inline: a language may call it
    // directly for its commonest blank.
    void SpaceProc() {
        // A local position: the line's bytes could alias the member, which would then be
        // stored and loaded again for every byte.
        std::size_t i = run + 1;
        while (i < length && SynChars::IsRunBlank(static_cast<unsigned char>(line[i]))) {
            ++i;
        }
        run = i;
        tokenKind = spaceKind;
    }
    // The same, except that a TAB only starts a run (markup keeps each TAB apart).
    void SpaceUpToTabProc();

    // Advances over the run of characters isWordChar accepts and returns the run.
    template <class IsWordChar> std::string_view TakeWord(const IsWordChar& isWordChar) {
        // A local position: see ScanKeyword.
        const std::size_t start = run;
        std::size_t i = start;
        while (isWordChar(At(i))) {
            ++i;
        }
        run = i;
        return {line + start, i - start};
    }
    // Advances over the word at the scan position and returns the kind keywords files it
    // under, else otherwise. Hashed while it is scanned: every word of the text comes through.
    template <class IsWordChar>
    int ScanKeyword(const IsWordChar& isWordChar, const TSynKeywordTable& keywords, int otherwise) {
        // Counted in a local: the line's bytes could alias the member, which would then be
        // stored and loaded again for every byte.
        const std::size_t start = run;
        std::size_t i = start;
        const TSynWeights& weights = keywords.Weights();
        long long sum = 0;
        for (unsigned char c = At(i); isWordChar(c); c = At(++i)) {
            sum += weights[c];
        }
        run = i;
        return keywords.KindOf({line + start, i - start}, keywords.HashOfSum(sum), otherwise);
    }
    // The word at the scan position as a keyword or an identifier.
    template <class IsWordChar>
    void KeywordOrIdentifier(const IsWordChar& isWordChar, const TSynKeywordTable& keywords,
                             int identifierKind) {
        tokenKind = ScanKeyword(isWordChar, keywords, identifierKind);
    }
    // Called by StartLine before the first token: drops state that must not outlive a line.
    virtual void ResetLineState() {}
    // That state as a scan state keeps it, and setting it back (ResumeLine).
    virtual std::uint64_t LineState() const { return 0; }
    virtual void SetLineState(std::uint64_t /*state*/) {}

    const char* line = "";
    std::size_t length = 0;
    std::size_t run = 0;
    std::size_t tokenPos = 0;
    int tokenKind;

private:
    void SetKindAttribute(int kind, TSynHighlighterAttributes* attribute);

    const TSynLanguageDescriptor& language;
    const int nullKind;
    const int spaceKind;
    std::vector<TSynHighlighterAttributes*> kindAttributes;
    // By DefaultAttribute role; nothing where the language has none.
    std::array<TSynHighlighterAttributes*, 6> roles{};
    // Letters, digits, '_' and the letters of 192-255 (not 215 and 247, the multiplication and
    // division signs), and the language's own.
    TSynCharSet identifierChars;
};

// A highlighter whose range is one value of its enumeration Range, kept from line to line.
// Saved and restored by value; a value that is none of the language's ranges restores as the
// initial range, the one ClearRange sets.
template <class Range> class TSynRangedHighlighter : public TSynScanningHighlighter {
    static_assert(sizeof(Range) == sizeof(TSynRange), "a range is stored as one byte");

public:
    TSynRange CurrentRange() const override { return static_cast<TSynRange>(range); }
    void RestoreRange(TSynRange value) override {
        range = known.test(value) ? static_cast<Range>(value) : initialRange;
    }
    void ClearRange() override { range = initialRange; }

protected:
    TSynRangedHighlighter(const TSynLanguageDescriptor& language, int nullKind, int spaceKind,
                          Range initial, std::initializer_list<Range> ranges)
        : TSynScanningHighlighter(language, nullKind, spaceKind), range(initial),
          initialRange(initial) {
        known.set(static_cast<std::size_t>(initial));
        for (const Range r : ranges) {
            known.set(static_cast<std::size_t>(r));
        }
    }

    Range range;

private:
    const Range initialRange;
    std::bitset<256> known;
};
