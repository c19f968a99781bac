#pragma once
// TSynVBSyn: colours Visual Basic source (keywords and built-in functions, apostrophe and "rem"
// comments, strings, date literals, numbers, symbols). Every line is scanned on its own; it
// does not follow statements across line continuations.

#include "codeedit/SynHighlighterScanner.h"

#include <string>
#include <string_view>
#include <vector>

enum class TVbTokenKind : int {
    Comment = 0,
    Identifier = 1,
    Keyword = 2,
    Null = 3,
    Number = 4,
    Space = 5,
    String = 6,
    Symbol = 7,
    Unknown = 8
};

class TSynVBSyn final : public TSynScanningHighlighter {
public:
    TSynVBSyn();

    std::string LanguageName() const override;
    void NextToken() override;
    void TokensOfLine(std::string_view text, int lineIndex,
                      std::vector<TSynToken>& tokens) override {
        TokensOfLineAs(*this, text, lineIndex, tokens);
    }

    TSynHighlighterAttributes* CommentAttri() const { return commentAttri; }
    TSynHighlighterAttributes* IdentifierAttri() const { return identifierAttri; }
    TSynHighlighterAttributes* KeyAttri() const { return keyAttri; }
    TSynHighlighterAttributes* NumberAttri() const { return numberAttri; }
    TSynHighlighterAttributes* SpaceAttri() const { return spaceAttri; }
    TSynHighlighterAttributes* StringAttri() const { return stringAttri; }
    TSynHighlighterAttributes* SymbolAttri() const { return symbolAttri; }

    static const std::vector<std::string_view>& Keywords();

private:
    friend struct TVbDispatch;

    void WordProc();
    void NumberProc();
    void CommentProc();
    void StringProc();
    void DateProc();
    void LowerProc();
    void GreaterProc();
    void SymbolProc();
    void UnknownProc();

    TSynHighlighterAttributes* commentAttri;
    TSynHighlighterAttributes* identifierAttri;
    TSynHighlighterAttributes* keyAttri;
    TSynHighlighterAttributes* numberAttri;
    TSynHighlighterAttributes* spaceAttri;
    TSynHighlighterAttributes* stringAttri;
    TSynHighlighterAttributes* symbolAttri;
};
