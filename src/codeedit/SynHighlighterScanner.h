#pragma once
// The scanning machinery every language highlighter shares: the current line, the scan
// position, the token start and kind, and the attribute of each kind. Language files hold only
// their rules: a dispatch table on the first byte of a token and the procedures it names.
// It knows nothing about ranges; each language keeps its own.

#include "codeedit/SynEditHighlighter.h"
#include "codeedit/SynHighlighterKeywords.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TSynScanningHighlighter : public TSynCustomHighlighter {
public:
    bool AtLineEnd() const override { return tokenKind == nullKind; }
    std::string TokenText() const override;
    int TokenLength() const override { return static_cast<int>(run - tokenPos); }
    TSynHighlighterAttributes* TokenAttribute() const override;
    int TokenKind() const override { return tokenKind; }
    int TokenStart() const override { return static_cast<int>(tokenPos); }
    void StartLine(std::string_view line, int lineIndex) override;

protected:
    // spaceKind is the kind of blanks, line breaks and NULs inside the line.
    TSynScanningHighlighter(int nullKind, int spaceKind);

    // The byte at i, or 0 at and past the line's end. The end is a position, not a byte: a NUL
    // inside the line reads as 0 too but AtEnd tells them apart, and nothing past the line is
    // ever read.
    unsigned char At(std::size_t i) const {
        return i < length ? static_cast<unsigned char>(line[i]) : 0;
    }
    bool AtEnd(std::size_t i) const { return i >= length; }
    // Gives kind its attribute (nothing by default).
    void SetKindAttribute(int kind, TSynHighlighterAttributes* attribute);
    // Dispatch entries every language shares. NUL: the null token at the line's end; a NUL
    // inside the line (text from the plain editor keeps them) is a one-byte space token, so
    // tokens still cover the whole line.
    void NullProc();
    // A line break inside the line (CR LF, CR or LF) as one space token.
    void LineBreakProc();
    // A run of blanks: characters 1-32 other than CR and LF.
    void SpaceProc();
    // The same, except that a TAB only starts a run (markup keeps each TAB apart).
    void SpaceUpToTabProc();

    // Advances over the run of characters isWordChar accepts and returns the run.
    template <class IsWordChar> std::string_view TakeWord(const IsWordChar& isWordChar) {
        const std::size_t start = run;
        while (isWordChar(At(run))) {
            ++run;
        }
        return {line + start, run - start};
    }
    // Advances over the word at the scan position and returns the kind keywords files it
    // under, else otherwise. Hashed while it is scanned: every word of the text comes through.
    template <class IsWordChar>
    int ScanKeyword(const IsWordChar& isWordChar, const TSynKeywordTable& keywords, int otherwise) {
        const std::size_t start = run;
        const TSynWeights& weights = keywords.Weights();
        long long sum = 0;
        for (unsigned char c = At(run); isWordChar(c); c = At(run)) {
            sum += weights[c];
            ++run;
        }
        return keywords.KindOf({line + start, run - start}, keywords.HashOfSum(sum), otherwise);
    }
    // The word at the scan position as a keyword or an identifier.
    template <class IsWordChar>
    void KeywordOrIdentifier(const IsWordChar& isWordChar, const TSynKeywordTable& keywords,
                             int identifierKind) {
        tokenKind = ScanKeyword(isWordChar, keywords, identifierKind);
    }
    // Called by StartLine before the first token: drops state that must not outlive a line.
    virtual void ResetLineState() {}

    const char* line = "";
    std::size_t length = 0;
    std::size_t run = 0;
    std::size_t tokenPos = 0;
    int tokenKind;
    int lineNumber = 0;

private:
    const int nullKind;
    const int spaceKind;
    std::vector<TSynHighlighterAttributes*> kindAttributes;
};

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

// One scanning procedure per first byte of a token, built once per language.
template <class Scanner> using TSynDispatchTable = std::array<void (Scanner::*)(), 256>;
