#pragma once
// TSynXMLSyn: colours XML documents (elements, attributes and their values, namespace
// declarations, entity references, comments, processing instructions, CDATA, DOCTYPE, text).
// It has no keyword list and does not check that the document is well formed.

#include "codeedit/SynHighlighterScanner.h"

#include <cstdint>
#include <string>

enum class TXmlTokenKind : int {
    AposAttrValue = 0,
    AposEntityRef = 1,
    AttributeName = 2,
    CDATA = 3,
    Comment = 4,
    ElementName = 5,
    EntityRef = 6,
    EqualSign = 7,
    Null = 8,
    ProcessingInstruction = 9,
    QuoteAttrValue = 10,
    QuoteEntityRef = 11,
    Space = 12,
    Symbol = 13,
    Text = 14,
    NsAposAttrValue = 15,
    NsAposEntityRef = 16,
    NsAttributeName = 17,
    NsEqualSign = 18,
    NsQuoteAttrValue = 19,
    NsQuoteEntityRef = 20,
    DocType = 21
};

enum class TXmlRange : std::uint8_t {
    AposAttrValue = 0,
    AposEntityRef = 1,
    Attribute = 2,
    CDATA = 3,
    Comment = 4,
    Element = 5,
    EntityRef = 6,
    EqualSign = 7,
    ProcessingInstruction = 8,
    QuoteAttrValue = 9,
    QuoteEntityRef = 10,
    Text = 11,
    NsAposAttrValue = 12,
    NsAposEntityRef = 13,
    NsEqualSign = 14,
    NsQuoteAttrValue = 15,
    NsQuoteEntityRef = 16,
    DocType = 17,
    DocTypeSubset = 18
};

extern const TSynLanguageDescriptor xmlLanguage;

class TSynXMLSyn final : public TSynRangedHighlighter<TXmlRange> {
public:
    TSynXMLSyn();

    void NextToken() override;
    void TokensOfLine(std::string_view text, LineIndex lineIndex,
                      std::vector<TSynToken>& tokens) override {
        TokensOfLineAs(*this, text, lineIndex, tokens);
    }

    // The main window's form stores WantBracesParsed as false; the scanner ignores it.
    void ApplyFormDefaults() override { wantBracesParsed = false; }
    bool WantBracesParsed() const { return wantBracesParsed; }
    void SetWantBracesParsed(bool value) { wantBracesParsed = value; }

    TSynHighlighterAttributes* ElementAttri() const { return KindAttribute(K::ElementName); }
    TSynHighlighterAttributes* TextAttri() const { return KindAttribute(K::Text); }
    TSynHighlighterAttributes* SpaceAttri() const { return KindAttribute(K::Space); }
    TSynHighlighterAttributes* EntityRefAttri() const { return KindAttribute(K::EntityRef); }
    TSynHighlighterAttributes* ProcessingInstructionAttri() const {
        return KindAttribute(K::ProcessingInstruction);
    }
    TSynHighlighterAttributes* CDATAAttri() const { return KindAttribute(K::CDATA); }
    TSynHighlighterAttributes* CommentAttri() const { return KindAttribute(K::Comment); }
    TSynHighlighterAttributes* DocTypeAttri() const { return KindAttribute(K::DocType); }
    TSynHighlighterAttributes* AttributeAttri() const { return KindAttribute(K::AttributeName); }
    TSynHighlighterAttributes* NamespaceAttributeAttri() const {
        return KindAttribute(K::NsAttributeName);
    }
    TSynHighlighterAttributes* AttributeValueAttri() const {
        return KindAttribute(K::AposAttrValue);
    }
    TSynHighlighterAttributes* NamespaceAttributeValueAttri() const {
        return KindAttribute(K::NsAposAttrValue);
    }
    TSynHighlighterAttributes* SymbolAttri() const { return KindAttribute(K::Symbol); }

private:
    using K = TXmlTokenKind;

    friend struct TXmlDispatch;
    void Dispatch();

    void LessThanProc();
    void GreaterThanProc();
    void StateProc();

    void TextScanner();
    void CommentScanner();
    void ClosedBlockScanner(TXmlTokenKind kind, char beforeClose);
    void DocTypeScanner();
    void ElementName();
    void AttributeName();
    void AfterAttributeName(bool ns);
    void AttributeValue(TXmlTokenKind kind, char quote, TXmlRange atEntity);
    void EntityReference(TXmlTokenKind kind, TXmlRange after);
    void NameRun();

    bool wantBracesParsed = true;
};
