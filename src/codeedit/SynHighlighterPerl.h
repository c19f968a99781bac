#pragma once
// TSynPerlSyn: colours Perl scripts (keywords and built-in functions, word operators, pragmas,
// special variables, numbers, strings, "#" comments). Every line is scanned on its own: nothing
// is carried from one line to the next, so here-documents and multi-line strings are not seen.

#include "codeedit/SynHighlighterScanner.h"

#include <string>

enum class TPerlTokenKind : int {
    Comment = 0,
    Identifier = 1,
    Key = 2,
    Null = 3,
    Number = 4,
    Operator = 5,
    Pragma = 6,
    Space = 7,
    String = 8,
    Symbol = 9,
    Unknown = 10,
    Variable = 11
};

extern const TSynLanguageDescriptor perlLanguage;

class TSynPerlSyn final : public TSynScanningHighlighter {
public:
    TSynPerlSyn();

    void NextToken() override;
    void TokensOfLine(std::string_view text, LineIndex lineIndex,
                      std::vector<TSynToken>& tokens) override {
        TokensOfLineAs(*this, text, lineIndex, tokens);
    }

    TSynHighlighterAttributes* CommentAttri() const { return KindAttribute(K::Comment); }
    TSynHighlighterAttributes* IdentifierAttri() const { return KindAttribute(K::Identifier); }
    TSynHighlighterAttributes* InvalidAttri() const { return KindAttribute(K::Unknown); }
    TSynHighlighterAttributes* KeyAttri() const { return KindAttribute(K::Key); }
    TSynHighlighterAttributes* NumberAttri() const { return KindAttribute(K::Number); }
    TSynHighlighterAttributes* OperatorAttri() const { return KindAttribute(K::Operator); }
    TSynHighlighterAttributes* PragmaAttri() const { return KindAttribute(K::Pragma); }
    TSynHighlighterAttributes* SpaceAttri() const { return KindAttribute(K::Space); }
    TSynHighlighterAttributes* StringAttri() const { return KindAttribute(K::String); }
    TSynHighlighterAttributes* SymbolAttri() const { return KindAttribute(K::Symbol); }
    TSynHighlighterAttributes* VariableAttri() const { return KindAttribute(K::Variable); }

private:
    using K = TPerlTokenKind;

    friend struct TPerlDispatch;
    // Tries the special forms that start with "$", "%" or "x"; false when none applies.
    bool SpecialWord();
    void HashedWord();

    void WordProc();
    void NumberOrDotProc();
    void CommentProc();
    void DoubleQuoteProc();
    void SingleQuoteProc();
    void OperatorProc();
    void SymbolProc();
    void UnknownProc();
};
