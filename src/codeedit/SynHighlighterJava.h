#pragma once
// TSynJavaSyn: colours Java source (keywords, comments and documentation comments that may span
// lines, strings, character literals, numbers, operators). It does not parse declarations.

#include "codeedit/SynHighlighterScanner.h"

#include <cstdint>
#include <initializer_list>
#include <string>

enum class TJavaTokenKind : int {
    Comment = 0,
    Documentation = 1,
    Identifier = 2,
    InvalidSymbol = 3,
    Key = 4,
    Null = 5,
    Number = 6,
    Space = 7,
    String = 8,
    Symbol = 9,
    Unknown = 10
};

enum class TJavaRange : std::uint8_t { Comment = 1, Documentation = 2, Normal = 3 };

extern const TSynLanguageDescriptor javaLanguage;

class TSynJavaSyn final : public TSynRangedHighlighter<TJavaRange> {
public:
    TSynJavaSyn();

    void NextToken() override;
    void TokensOfLine(std::string_view text, LineIndex lineIndex,
                      std::vector<TSynToken>& tokens) override {
        TokensOfLineAs(*this, text, lineIndex, tokens);
    }

    TSynHighlighterAttributes* CommentAttri() const { return KindAttribute(K::Comment); }
    TSynHighlighterAttributes* DocumentAttri() const { return KindAttribute(K::Documentation); }
    TSynHighlighterAttributes* IdentifierAttri() const { return KindAttribute(K::Identifier); }
    TSynHighlighterAttributes* InvalidAttri() const { return KindAttribute(K::InvalidSymbol); }
    TSynHighlighterAttributes* KeyAttri() const { return KindAttribute(K::Key); }
    TSynHighlighterAttributes* NumberAttri() const { return KindAttribute(K::Number); }
    TSynHighlighterAttributes* SpaceAttri() const { return KindAttribute(K::Space); }
    TSynHighlighterAttributes* StringAttri() const { return KindAttribute(K::String); }
    TSynHighlighterAttributes* SymbolAttri() const { return KindAttribute(K::Symbol); }

private:
    using K = TJavaTokenKind;

    friend struct TJavaDispatch;
    // The longest of the given operators that starts here, else one character.
    void LongestSymbol(std::initializer_list<std::string_view> operators);
    void CommentScan();
    void QuotedScan(unsigned char quote);

    void IdentProc();
    void NumberProc();
    void DotProc();
    void StringProc();
    void CharProc();
    void SlashProc();
    void InvalidSymbolProc();
    void UnknownProc();
    void AndProc();
    void OrProc();
    void PlusProc();
    void MinusProc();
    void LessProc();
    void GreaterProc();
    void EqualFollowsProc();
    void SymbolProc();
};
