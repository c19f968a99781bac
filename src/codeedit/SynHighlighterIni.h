#pragma once
// TSynIniSyn: colours INI files (sections, keys, comments, numbers, quoted strings). Its rules
// depend only on the column, so it keeps no state between lines and checks no structure.

#include "codeedit/SynHighlighterScanner.h"

#include <string>

enum class TIniTokenKind : int {
    Comment = 0,
    Text = 1,
    Section = 2,
    Key = 3,
    Null = 4,
    Number = 5,
    Space = 6,
    String = 7,
    Symbol = 8
};

extern const TSynLanguageDescriptor iniLanguage;

class TSynIniSyn final : public TSynScanningHighlighter {
public:
    TSynIniSyn();

    void NextToken() override;
    void TokensOfLine(std::string_view text, LineIndex lineIndex,
                      std::vector<TSynToken>& tokens) override {
        TokensOfLineAs(*this, text, lineIndex, tokens);
    }

    TSynHighlighterAttributes* CommentAttri() const { return KindAttribute(K::Comment); }
    TSynHighlighterAttributes* TextAttri() const { return KindAttribute(K::Text); }
    TSynHighlighterAttributes* SectionAttri() const { return KindAttribute(K::Section); }
    TSynHighlighterAttributes* KeyAttri() const { return KindAttribute(K::Key); }
    TSynHighlighterAttributes* NumberAttri() const { return KindAttribute(K::Number); }
    TSynHighlighterAttributes* SpaceAttri() const { return KindAttribute(K::Space); }
    TSynHighlighterAttributes* StringAttri() const { return KindAttribute(K::String); }
    TSynHighlighterAttributes* SymbolAttri() const { return KindAttribute(K::Symbol); }

private:
    using K = TIniTokenKind;

    friend struct TIniDispatch;
    bool AtColumnZero() const { return run == 0; }

    void SectionProc();
    void CommentProc();
    void EqualProc();
    void StringProc();
    void NumberProc();
    void TextProc();
    // A key from column 0 up to the first "=" or the line end.
    void KeyScan();
};
