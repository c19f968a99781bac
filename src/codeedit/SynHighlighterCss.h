#pragma once
// TSynCssSyn: colours cascading style sheets (property names and units as keywords, numbers and
// colour codes, single-quoted strings, block comments). It does not parse selectors or rules.

#include "codeedit/SynHighlighterScanner.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TCssTokenKind : int {
    Comment = 0,
    Identifier = 1,
    Key = 2,
    Null = 3,
    Number = 4,
    Space = 5,
    String = 6,
    Symbol = 7,
    Unknown = 8
};

enum class TCssRange : std::uint8_t { Normal = 0, Comment = 1 };

class TSynCssSyn final : public TSynRangedHighlighter<TCssRange> {
public:
    TSynCssSyn();

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

    // The keywords in the order they are tested.
    static const std::vector<std::string_view>& Keywords();

private:
    friend struct TCssDispatch;
    void CommentScanner();

    void WordProc();
    void NumberProc();
    void ColourProc();
    void MinusProc();
    void StringProc();
    void BraceProc();
    void SymbolProc();
    void SlashProc();
    void UnknownProc();

    TSynHighlighterAttributes* commentAttri;
    TSynHighlighterAttributes* identifierAttri;
    TSynHighlighterAttributes* keyAttri;
    TSynHighlighterAttributes* numberAttri;
    TSynHighlighterAttributes* spaceAttri;
    TSynHighlighterAttributes* stringAttri;
    TSynHighlighterAttributes* symbolAttri;
};
