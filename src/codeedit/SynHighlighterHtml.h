#pragma once
// TSynHTMLSyn: colours HTML documents (tags, attribute names and values, comments, ASP blocks,
// character entities, text). It does not check that tags nest or close.

#include "codeedit/SynHighlighterScanner.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class THtmlTokenKind : int {
    Entity = 0,
    Asp = 1,
    Comment = 2,
    Identifier = 3,
    KnownTag = 4,
    Null = 5,
    Space = 6,
    String = 7,
    Symbol = 8,
    Text = 9,
    UndefinedTag = 10,
    Value = 11
};

enum class THtmlRange : std::uint8_t {
    EntityPending = 0,
    Asp = 1,
    Comment = 2,
    TagNameExpected = 3,
    InsideTag = 4,
    Text = 5,
    ValueExpected = 7
};

class TSynHTMLSyn final : public TSynRangedHighlighter<THtmlRange> {
public:
    TSynHTMLSyn();

    std::string SampleSource() const override;
    std::string LanguageName() const override;
    void NextToken() override;
    void TokensOfLine(std::string_view text, int lineIndex,
                      std::vector<TSynToken>& tokens) override {
        TokensOfLineAs(*this, text, lineIndex, tokens);
    }

    TSynHighlighterAttributes* ASPAttri() const { return aspAttri; }
    TSynHighlighterAttributes* CommentAttri() const { return commentAttri; }
    TSynHighlighterAttributes* IdentifierAttri() const { return identifierAttri; }
    TSynHighlighterAttributes* KeyAttri() const { return keyAttri; }
    TSynHighlighterAttributes* SpaceAttri() const { return spaceAttri; }
    TSynHighlighterAttributes* SymbolAttri() const { return symbolAttri; }
    TSynHighlighterAttributes* TextAttri() const { return textAttri; }
    TSynHighlighterAttributes* UndefKeyAttri() const { return undefKeyAttri; }
    TSynHighlighterAttributes* ValueAttri() const { return valueAttri; }
    TSynHighlighterAttributes* AndAttri() const { return andAttri; }

    // The entity names in search order, each with its "&" and ";".
    static const std::vector<std::string_view>& EntityNames();
    // Known tag names: the opening ones, the closing ones (with "/"), then "!DOCTYPE".
    static const std::vector<std::string>& TagNames();

protected:
    void ResetLineState() override { entityIndex = -1; }
    std::uint64_t LineState() const override { return std::uint64_t(entityIndex + 1); }
    void SetLineState(std::uint64_t state) override { entityIndex = int(state) - 1; }

private:
    friend struct THtmlDispatch;
    void Dispatch();
    void AspScanner();
    void CommentScanner();
    void BlockScanner(THtmlTokenKind kind, bool (TSynHTMLSyn::*closesAt)(std::size_t) const);
    bool AspClosesAt(std::size_t pos) const;
    bool CommentClosesAt(std::size_t pos) const;
    void TextScanner();

    void StringProc();
    void EntityProc();
    void TagOpenProc();
    void EqualProc();
    void GreaterProc();
    void WordProc();
    THtmlTokenKind TagNameKind();

    TSynHighlighterAttributes* aspAttri;
    TSynHighlighterAttributes* commentAttri;
    TSynHighlighterAttributes* identifierAttri;
    TSynHighlighterAttributes* keyAttri;
    TSynHighlighterAttributes* spaceAttri;
    TSynHighlighterAttributes* symbolAttri;
    TSynHighlighterAttributes* textAttri;
    TSynHighlighterAttributes* undefKeyAttri;
    TSynHighlighterAttributes* valueAttri;
    TSynHighlighterAttributes* andAttri;

    int entityIndex = -1;
};
