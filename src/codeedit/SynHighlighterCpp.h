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

extern const TSynLanguageDescriptor cppLanguage;

class TSynCppSyn final : public TSynRangedHighlighter<TCppRange> {
public:
    TSynCppSyn();

    unsigned Capabilities() const override;
    void NextToken() override;
    void TokensOfLine(std::string_view text, LineIndex lineIndex,
                      std::vector<TSynToken>& tokens) override {
        TokensOfLineAs(*this, text, lineIndex, tokens);
    }

    TSynHighlighterAttributes* AsmAttri() const { return KindAttribute(K::Asm); }
    TSynHighlighterAttributes* CommentAttri() const { return KindAttribute(K::Comment); }
    TSynHighlighterAttributes* IdentifierAttri() const { return KindAttribute(K::Identifier); }
    TSynHighlighterAttributes* InvalidAttri() const { return KindAttribute(K::Unknown); }
    TSynHighlighterAttributes* KeyAttri() const { return KindAttribute(K::Key); }
    TSynHighlighterAttributes* NumberAttri() const { return KindAttribute(K::Number); }
    TSynHighlighterAttributes* CharAttri() const { return KindAttribute(K::Char); }
    TSynHighlighterAttributes* FloatAttri() const { return KindAttribute(K::Float); }
    TSynHighlighterAttributes* HexAttri() const { return KindAttribute(K::Hex); }
    TSynHighlighterAttributes* OctalAttri() const { return KindAttribute(K::Octal); }
    TSynHighlighterAttributes* SpaceAttri() const { return KindAttribute(K::Space); }
    TSynHighlighterAttributes* StringAttri() const { return KindAttribute(K::String); }
    TSynHighlighterAttributes* SymbolAttri() const { return KindAttribute(K::Symbol); }
    TSynHighlighterAttributes* DirecAttri() const { return KindAttribute(K::Directive); }

private:
    using K = TCppTokenKind;

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
};
