#pragma once
// TSynPHPSyn: colours PHP source as code throughout ("<?" and "?>" are plain symbols; HTML
// around the code is not recognised): keywords, variables, numbers, strings and comments.

#include "codeedit/SynHighlighterScanner.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TPhpTokenKind : int {
    Comment = 0,
    Identifier = 1,
    InvalidSymbol = 2,
    Key = 3,
    Null = 4,
    Number = 5,
    Space = 6,
    String = 7,
    Symbol = 8,
    Unknown = 9,
    Variable = 10
};

enum class TPhpRange : std::uint8_t { Normal = 0, String39 = 1, String34 = 2, Comment = 3 };

extern const TSynLanguageDescriptor phpLanguage;

class TSynPHPSyn final : public TSynRangedHighlighter<TPhpRange> {
public:
    TSynPHPSyn();

    void NextToken() override;
    void TokensOfLine(std::string_view text, LineIndex lineIndex,
                      std::vector<TSynToken>& tokens) override {
        TokensOfLineAs(*this, text, lineIndex, tokens);
    }

    // The colours the main window's form gives its instance over the constructor's.
    void ApplyFormDefaults() override;

    TSynHighlighterAttributes* CommentAttri() const { return KindAttribute(K::Comment); }
    TSynHighlighterAttributes* IdentifierAttri() const { return KindAttribute(K::Identifier); }
    TSynHighlighterAttributes* InvalidSymbolAttri() const {
        return KindAttribute(K::InvalidSymbol);
    }
    TSynHighlighterAttributes* KeyAttri() const { return KindAttribute(K::Key); }
    TSynHighlighterAttributes* NumberAttri() const { return KindAttribute(K::Number); }
    TSynHighlighterAttributes* SpaceAttri() const { return KindAttribute(K::Space); }
    TSynHighlighterAttributes* StringAttri() const { return KindAttribute(K::String); }
    TSynHighlighterAttributes* SymbolAttri() const { return KindAttribute(K::Symbol); }
    TSynHighlighterAttributes* VariableAttri() const { return KindAttribute(K::Variable); }

    static const std::vector<std::string_view>& Keywords();

private:
    using K = TPhpTokenKind;

    friend struct TPhpDispatch;
    void Dispatch();
    void StringContinuation();
    void CommentContinuation();
    void CommentToLineEnd();
    void QuotedString(char quote, TPhpRange stringRange);

    void WordProc();
    void NumberProc();
    void VariableProc();
    void DoubleQuoteProc();
    void SingleQuoteProc();
    void HashProc();
    void SlashProc();
    void AtProc();
    void UnknownProc();
    void AmpersandProc();
    void EqualProc();
    void GreaterProc();
    void LessProc();
    void MinusProc();
    void PlusProc();
    void BarProc();
    void WithEqualProc();
    void SymbolProc();
    // A symbol of one character, or two when the next is one of pairs.
    void SymbolOrPair(std::string_view pairs);
};
