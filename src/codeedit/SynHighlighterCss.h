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

extern const TSynLanguageDescriptor cssLanguage;

class TSynCssSyn final : public TSynRangedHighlighter<TCssRange> {
public:
    TSynCssSyn();

    void NextToken() override;
    void TokensOfLine(std::string_view text, LineIndex lineIndex,
                      std::vector<TSynToken>& tokens) override {
        TokensOfLineAs(*this, text, lineIndex, tokens);
    }

    TSynHighlighterAttributes* CommentAttri() const { return KindAttribute(K::Comment); }
    TSynHighlighterAttributes* IdentifierAttri() const { return KindAttribute(K::Identifier); }
    TSynHighlighterAttributes* KeyAttri() const { return KindAttribute(K::Key); }
    TSynHighlighterAttributes* NumberAttri() const { return KindAttribute(K::Number); }
    TSynHighlighterAttributes* SpaceAttri() const { return KindAttribute(K::Space); }
    TSynHighlighterAttributes* StringAttri() const { return KindAttribute(K::String); }
    TSynHighlighterAttributes* SymbolAttri() const { return KindAttribute(K::Symbol); }

    // The keywords in the order they are tested.
    static const std::vector<std::string_view>& Keywords();

private:
    using K = TCssTokenKind;

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
};
