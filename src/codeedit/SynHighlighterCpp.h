#pragma once
// TSynCppSyn: colours C and C++ source (keywords, preprocessor lines, comments, strings,
// character literals, numbers by base). It does not parse: a directive is any line whose first
// non-blank character is "#".

#include "codeedit/SynHighlighterScanner.h"

#include <cstdint>
#include <string>

enum class TCppTokenKind : int {
    Asm = 0,
    Comment = 1,
    Directive = 2,
    Identifier = 3,
    Key = 4,
    Null = 5,
    Number = 6,
    Space = 7,
    String = 8,
    Symbol = 9,
    Unknown = 10,
    Char = 11,
    Float = 12,
    Hex = 13,
    Octal = 14
};

enum class TCppRange : std::uint8_t {
    Normal = 0,
    AnsiComment = 1,
    DirectiveComment = 7,
    MultilineString = 10,
    MultilineDirective = 11
};

class TSynCppSyn final : public TSynRangedHighlighter<TCppRange> {
public:
    TSynCppSyn();

    unsigned Capabilities() const override;
    std::string LanguageName() const override;
    void NextToken() override;
    void TokensOfLine(std::string_view text, int lineIndex,
                      std::vector<TSynToken>& tokens) override {
        TokensOfLineAs(*this, text, lineIndex, tokens);
    }

    TSynHighlighterAttributes* AsmAttri() const { return asmAttri; }
    TSynHighlighterAttributes* CommentAttri() const { return commentAttri; }
    TSynHighlighterAttributes* IdentifierAttri() const { return identifierAttri; }
    TSynHighlighterAttributes* InvalidAttri() const { return invalidAttri; }
    TSynHighlighterAttributes* KeyAttri() const { return keyAttri; }
    TSynHighlighterAttributes* NumberAttri() const { return numberAttri; }
    TSynHighlighterAttributes* CharAttri() const { return charAttri; }
    TSynHighlighterAttributes* FloatAttri() const { return floatAttri; }
    TSynHighlighterAttributes* HexAttri() const { return hexAttri; }
    TSynHighlighterAttributes* OctalAttri() const { return octalAttri; }
    TSynHighlighterAttributes* SpaceAttri() const { return spaceAttri; }
    TSynHighlighterAttributes* StringAttri() const { return stringAttri; }
    TSynHighlighterAttributes* SymbolAttri() const { return symbolAttri; }
    TSynHighlighterAttributes* DirecAttri() const { return direcAttri; }

private:
    friend struct TCppDispatch;

    void CommentScan();
    void StringRun();
    void DirectiveRun();
    void DirectiveContinuation();

    void IdentProc();
    void NumberProc();
    void DotProc();
    void StringProc();
    void CharProc();
    void DirectiveProc();
    void SlashProc();
    void UnknownProc();
    void AndProc();
    void OrProc();
    void PlusProc();
    void MinusProc();
    void LessProc();
    void GreaterProc();
    void ColonProc();
    void EqualFollowsProc();
    void SymbolProc();

    TSynHighlighterAttributes* asmAttri;
    TSynHighlighterAttributes* commentAttri;
    TSynHighlighterAttributes* identifierAttri;
    TSynHighlighterAttributes* invalidAttri;
    TSynHighlighterAttributes* keyAttri;
    TSynHighlighterAttributes* numberAttri;
    TSynHighlighterAttributes* charAttri;
    TSynHighlighterAttributes* floatAttri;
    TSynHighlighterAttributes* hexAttri;
    TSynHighlighterAttributes* octalAttri;
    TSynHighlighterAttributes* spaceAttri;
    TSynHighlighterAttributes* stringAttri;
    TSynHighlighterAttributes* symbolAttri;
    TSynHighlighterAttributes* direcAttri;
};
