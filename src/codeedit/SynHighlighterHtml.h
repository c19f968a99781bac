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

extern const TSynLanguageDescriptor htmlLanguage;

class TSynHTMLSyn final : public TSynRangedHighlighter<THtmlRange> {
public:
    TSynHTMLSyn();

    void NextToken() override;
    void TokensOfLine(std::string_view text, LineIndex lineIndex,
                      std::vector<TSynToken>& tokens) override {
        TokensOfLineAs(*this, text, lineIndex, tokens);
    }

    TSynHighlighterAttributes* ASPAttri() const { return KindAttribute(K::Asp); }
    TSynHighlighterAttributes* CommentAttri() const { return KindAttribute(K::Comment); }
    TSynHighlighterAttributes* IdentifierAttri() const { return KindAttribute(K::Identifier); }
    TSynHighlighterAttributes* KeyAttri() const { return KindAttribute(K::KnownTag); }
    TSynHighlighterAttributes* SpaceAttri() const { return KindAttribute(K::Space); }
    TSynHighlighterAttributes* SymbolAttri() const { return KindAttribute(K::Symbol); }
    TSynHighlighterAttributes* TextAttri() const { return KindAttribute(K::Text); }
    TSynHighlighterAttributes* UndefKeyAttri() const { return KindAttribute(K::UndefinedTag); }
    TSynHighlighterAttributes* ValueAttri() const { return KindAttribute(K::Value); }
    TSynHighlighterAttributes* AndAttri() const { return KindAttribute(K::Entity); }

    // The entity names in search order, each with its "&" and ";".
    static const std::vector<std::string_view>& EntityNames();
    // Known tag names: the opening ones, the closing ones (with "/"), then "!DOCTYPE".
    static const std::vector<std::string>& TagNames();

protected:
    void ResetLineState() override { entityIndex = -1; }
    std::uint64_t LineState() const override { return std::uint64_t(entityIndex + 1); }
    void SetLineState(std::uint64_t state) override { entityIndex = int(state) - 1; }

private:
    using K = THtmlTokenKind;

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

    int entityIndex = -1;
};
