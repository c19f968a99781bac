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

extern const TSynLanguageDescriptor vbLanguage;

class TSynVBSyn final : public TSynScanningHighlighter {
public:
    TSynVBSyn();

    void NextToken() override;
    void TokensOfLine(std::string_view text, LineIndex lineIndex,
                      std::vector<TSynToken>& tokens) override {
        TokensOfLineAs(*this, text, lineIndex, tokens);
    }

    TSynHighlighterAttributes* CommentAttri() const { return KindAttribute(K::Comment); }
    TSynHighlighterAttributes* IdentifierAttri() const { return KindAttribute(K::Identifier); }
    TSynHighlighterAttributes* KeyAttri() const { return KindAttribute(K::Keyword); }
    TSynHighlighterAttributes* NumberAttri() const { return KindAttribute(K::Number); }
    TSynHighlighterAttributes* SpaceAttri() const { return KindAttribute(K::Space); }
    TSynHighlighterAttributes* StringAttri() const { return KindAttribute(K::String); }
    TSynHighlighterAttributes* SymbolAttri() const { return KindAttribute(K::Symbol); }

    static const std::vector<std::string_view>& Keywords();

private:
    using K = TVbTokenKind;

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
};
