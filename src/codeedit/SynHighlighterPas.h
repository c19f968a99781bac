#pragma once
// TSynPasSyn: colours Object Pascal source (keywords, some only inside a property declaration
// or an exports clause; "{ }", "(* *)" and "//" comments; directives; strings; character codes;
// numbers; inline assembler). It tracks only the state a line ends in, not the program's
// structure.

#include "codeedit/SynHighlighterScanner.h"

#include <cstdint>
#include <string>
#include <string_view>

enum class TPasTokenKind : int {
    Assembler = 0,
    Comment = 1,
    Identifier = 2,
    Keyword = 3,
    Null = 4,
    Number = 5,
    Space = 6,
    String = 7,
    Symbol = 8,
    Unknown = 9,
    Float = 10,
    Hex = 11,
    Directive = 12,
    Char = 13
};

enum class TPasRange : std::uint8_t {
    AnsiComment = 1,
    AsmAnsiComment = 2,
    Asm = 3,
    BorlandComment = 4,
    AsmBorlandComment = 5,
    Property = 6,
    Exports = 7,
    Normal = 8
};

enum class TDelphiVersion : int {
    dvDelphi1,
    dvDelphi2,
    dvDelphi3,
    dvDelphi4,
    dvDelphi5,
    dvDelphi6
};

extern const TSynLanguageDescriptor pasLanguage;

class TSynPasSyn final : public TSynRangedHighlighter<TPasRange> {
public:
    TSynPasSyn();

    void NextToken() override;
    void TokensOfLine(std::string_view text, LineIndex lineIndex,
                      std::vector<TSynToken>& tokens) override {
        TokensOfLineAs(*this, text, lineIndex, tokens);
    }
    // Inside an asm block every token but comments, spaces and the "asm" keyword is assembler.
    int TokenKind() const override;
    TSynHighlighterAttributes* TokenAttribute() const override;

    TDelphiVersion DelphiVersion() const { return delphiVersion; }
    void SetDelphiVersion(TDelphiVersion value) { delphiVersion = value; }
    bool PackageSource() const { return packageSource; }
    void SetPackageSource(bool value) { packageSource = value; }
    // Kept for the form; the scanner does not consult it.
    bool D4syntax() const { return d4syntax; }
    void SetD4syntax(bool value) { d4syntax = value; }

    TSynHighlighterAttributes* AsmAttri() const { return KindAttribute(K::Assembler); }
    TSynHighlighterAttributes* CommentAttri() const { return KindAttribute(K::Comment); }
    TSynHighlighterAttributes* DirectiveAttri() const { return KindAttribute(K::Directive); }
    TSynHighlighterAttributes* IdentifierAttri() const { return KindAttribute(K::Identifier); }
    TSynHighlighterAttributes* KeyAttri() const { return KindAttribute(K::Keyword); }
    TSynHighlighterAttributes* NumberAttri() const { return KindAttribute(K::Number); }
    TSynHighlighterAttributes* FloatAttri() const { return KindAttribute(K::Float); }
    TSynHighlighterAttributes* HexAttri() const { return KindAttribute(K::Hex); }
    TSynHighlighterAttributes* SpaceAttri() const { return KindAttribute(K::Space); }
    TSynHighlighterAttributes* StringAttri() const { return KindAttribute(K::String); }
    TSynHighlighterAttributes* CharAttri() const { return KindAttribute(K::Char); }
    TSynHighlighterAttributes* SymbolAttri() const { return KindAttribute(K::Symbol); }

protected:
    void ResetLineState() override { asmStart = false; }
    std::uint64_t LineState() const override { return asmStart ? 1 : 0; }
    void SetLineState(std::uint64_t state) override { asmStart = state != 0; }

private:
    using K = TPasTokenKind;

    friend struct TPasDispatch;
    bool InAsm() const { return range == TPasRange::Asm; }

    void WordProc();
    void NumberProc();
    void StringProc();
    void CharCodeProc();
    void HexProc();
    void BraceProc();
    void RoundOpenProc();
    void SlashProc();
    void ColonOrGreaterProc();
    void LowerProc();
    void AtProc();
    void PointProc();
    void SemicolonProc();
    void SymbolProc();
    void UnknownProc();
    void BorlandScanner();
    void AnsiScanner();

    bool asmStart = false;
    TDelphiVersion delphiVersion = TDelphiVersion::dvDelphi6;
    bool packageSource = true;
    bool d4syntax = true;
};
