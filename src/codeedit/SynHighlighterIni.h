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

class TSynIniSyn final : public TSynScanningHighlighter {
public:
    TSynIniSyn();

    std::string SampleSource() const override;
    std::string LanguageName() const override;
    void NextToken() override;
    void TokensOfLine(std::string_view text, int lineIndex,
                      std::vector<TSynToken>& tokens) override {
        TokensOfLineAs(*this, text, lineIndex, tokens);
    }

    TSynHighlighterAttributes* CommentAttri() const { return commentAttri; }
    TSynHighlighterAttributes* TextAttri() const { return textAttri; }
    TSynHighlighterAttributes* SectionAttri() const { return sectionAttri; }
    TSynHighlighterAttributes* KeyAttri() const { return keyAttri; }
    TSynHighlighterAttributes* NumberAttri() const { return numberAttri; }
    TSynHighlighterAttributes* SpaceAttri() const { return spaceAttri; }
    TSynHighlighterAttributes* StringAttri() const { return stringAttri; }
    TSynHighlighterAttributes* SymbolAttri() const { return symbolAttri; }

private:
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

    TSynHighlighterAttributes* commentAttri;
    TSynHighlighterAttributes* textAttri;
    TSynHighlighterAttributes* sectionAttri;
    TSynHighlighterAttributes* keyAttri;
    TSynHighlighterAttributes* numberAttri;
    TSynHighlighterAttributes* spaceAttri;
    TSynHighlighterAttributes* stringAttri;
    TSynHighlighterAttributes* symbolAttri;
};
