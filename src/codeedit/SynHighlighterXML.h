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

class TSynXMLSyn final : public TSynRangedHighlighter<TXmlRange> {
public:
    TSynXMLSyn();

    std::string LanguageName() const override;
    void NextToken() override;
    void TokensOfLine(std::string_view text, int lineIndex,
                      std::vector<TSynToken>& tokens) override {
        TokensOfLineAs(*this, text, lineIndex, tokens);
    }

    // The main window's form stores WantBracesParsed as false; the scanner ignores it.
    void ApplyFormDefaults() override { wantBracesParsed = false; }
    bool WantBracesParsed() const { return wantBracesParsed; }
    void SetWantBracesParsed(bool value) { wantBracesParsed = value; }

    TSynHighlighterAttributes* ElementAttri() const { return elementAttri; }
    TSynHighlighterAttributes* TextAttri() const { return textAttri; }
    TSynHighlighterAttributes* SpaceAttri() const { return spaceAttri; }
    TSynHighlighterAttributes* EntityRefAttri() const { return entityRefAttri; }
    TSynHighlighterAttributes* ProcessingInstructionAttri() const { return piAttri; }
    TSynHighlighterAttributes* CDATAAttri() const { return cdataAttri; }
    TSynHighlighterAttributes* CommentAttri() const { return commentAttri; }
    TSynHighlighterAttributes* DocTypeAttri() const { return docTypeAttri; }
    TSynHighlighterAttributes* AttributeAttri() const { return attributeAttri; }
    TSynHighlighterAttributes* NamespaceAttributeAttri() const { return nsAttributeAttri; }
    TSynHighlighterAttributes* AttributeValueAttri() const { return attributeValueAttri; }
    TSynHighlighterAttributes* NamespaceAttributeValueAttri() const { return nsValueAttri; }
    TSynHighlighterAttributes* SymbolAttri() const { return symbolAttri; }

private:
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

    TSynHighlighterAttributes* elementAttri;
    TSynHighlighterAttributes* textAttri;
    TSynHighlighterAttributes* spaceAttri;
    TSynHighlighterAttributes* entityRefAttri;
    TSynHighlighterAttributes* piAttri;
    TSynHighlighterAttributes* cdataAttri;
    TSynHighlighterAttributes* commentAttri;
    TSynHighlighterAttributes* docTypeAttri;
    TSynHighlighterAttributes* attributeAttri;
    TSynHighlighterAttributes* nsAttributeAttri;
    TSynHighlighterAttributes* attributeValueAttri;
    TSynHighlighterAttributes* nsValueAttri;
    TSynHighlighterAttributes* symbolAttri;

    bool wantBracesParsed = true;
};
