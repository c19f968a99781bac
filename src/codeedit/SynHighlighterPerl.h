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

class TSynPerlSyn final : public TSynScanningHighlighter {
public:
    TSynPerlSyn();

    std::string LanguageName() const override;
    void NextToken() override;
    void TokensOfLine(std::string_view text, int lineIndex,
                      std::vector<TSynToken>& tokens) override {
        TokensOfLineAs(*this, text, lineIndex, tokens);
    }

    TSynHighlighterAttributes* CommentAttri() const { return commentAttri; }
    TSynHighlighterAttributes* IdentifierAttri() const { return identifierAttri; }
    TSynHighlighterAttributes* InvalidAttri() const { return invalidAttri; }
    TSynHighlighterAttributes* KeyAttri() const { return keyAttri; }
    TSynHighlighterAttributes* NumberAttri() const { return numberAttri; }
    TSynHighlighterAttributes* OperatorAttri() const { return operatorAttri; }
    TSynHighlighterAttributes* PragmaAttri() const { return pragmaAttri; }
    TSynHighlighterAttributes* SpaceAttri() const { return spaceAttri; }
    TSynHighlighterAttributes* StringAttri() const { return stringAttri; }
    TSynHighlighterAttributes* SymbolAttri() const { return symbolAttri; }
    TSynHighlighterAttributes* VariableAttri() const { return variableAttri; }

private:
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

    TSynHighlighterAttributes* commentAttri;
    TSynHighlighterAttributes* identifierAttri;
    TSynHighlighterAttributes* invalidAttri;
    TSynHighlighterAttributes* keyAttri;
    TSynHighlighterAttributes* numberAttri;
    TSynHighlighterAttributes* operatorAttri;
    TSynHighlighterAttributes* pragmaAttri;
    TSynHighlighterAttributes* spaceAttri;
    TSynHighlighterAttributes* stringAttri;
    TSynHighlighterAttributes* symbolAttri;
    TSynHighlighterAttributes* variableAttri;
};
