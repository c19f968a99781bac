#include "codeedit/SynHighlighterXML.h"

#include "codeedit/SynHighlighterKeywords.h"

#include <string_view>

namespace {

using SynChars::IsLineBreakOrNul;

constexpr bool IsNameChar(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == ':' || c == '_';
}
constexpr TSynCharClass nameChars(IsNameChar);

const bool registered = (TSynHighlighterList::Instance().Add("TSynXMLSyn"), true);

} // namespace

struct TXmlDispatch {
    static constexpr TSynDispatchTable<TSynXMLSyn> Build() {
        auto t = TSynXMLSyn::SharedDispatch<TSynXMLSyn>(&TSynXMLSyn::StateProc,
                                                        TSynXMLSyn::Blanks::TabApart);
        t['<'] = &TSynXMLSyn::LessThanProc;
        t['>'] = &TSynXMLSyn::GreaterThanProc;
        return t;
    }
};

namespace {

using K = TXmlTokenKind;

constexpr TSynAttributeDescriptor xmlAttributes[] = {
    {"Element Name", SYN_ATTR_KEYWORD, Kinds(K::ElementName), fsBold, clMaroon},
    {"Text", kNoRole, Kinds(K::Text), fsBold, clBlack},
    {"Whitespace", SYN_ATTR_WHITESPACE, Kinds(K::Space)},
    {"Entity Reference", kNoRole,
     Kinds(K::AposEntityRef, K::EntityRef, K::QuoteEntityRef, K::NsAposEntityRef,
           K::NsQuoteEntityRef),
     fsBold, clBlue},
    {"Processing Instruction", kNoRole, Kinds(K::ProcessingInstruction), 0, clBlue},
    {"CDATA Section", kNoRole, Kinds(K::CDATA), fsItalic, clOlive},
    {"Comment", SYN_ATTR_COMMENT, Kinds(K::Comment), fsBold | fsItalic, clGray, clSilver},
    {"DOCTYPE Section", kNoRole, Kinds(K::DocType), fsItalic, clBlue},
    {"Attribute Name", SYN_ATTR_IDENTIFIER, Kinds(K::AttributeName), 0, clMaroon},
    {"Namespace Attribute Name", kNoRole, Kinds(K::NsAttributeName), 0, clRed},
    {"Attribute Value", kNoRole, Kinds(K::AposAttrValue, K::QuoteAttrValue), fsBold, clNavy},
    {"Namespace Attribute Value", kNoRole, Kinds(K::NsAposAttrValue, K::NsQuoteAttrValue), fsBold,
     clRed},
    {"Symbol", SYN_ATTR_SYMBOL, Kinds(K::EqualSign, K::Symbol, K::NsEqualSign), 0, clBlue},
};

} // namespace

const TSynLanguageDescriptor xmlLanguage = {
    .name = "XML document",
    .filter = "XML Document (*.xml,*.xsd,*.xsl,*.xslt,*.dtd)|*.xml;*.xsd;*.xsl;*.xslt;*.dtd",
    .identifierChars = "-.",
    .attributes = xmlAttributes,
};

TSynXMLSyn::TSynXMLSyn()
    : TSynRangedHighlighter(
          xmlLanguage, static_cast<int>(TXmlTokenKind::Null),
          static_cast<int>(TXmlTokenKind::Space), TXmlRange::Text,
          {TXmlRange::AposAttrValue, TXmlRange::AposEntityRef, TXmlRange::Attribute,
           TXmlRange::CDATA, TXmlRange::Comment, TXmlRange::Element, TXmlRange::EntityRef,
           TXmlRange::EqualSign, TXmlRange::ProcessingInstruction, TXmlRange::QuoteAttrValue,
           TXmlRange::QuoteEntityRef, TXmlRange::NsAposAttrValue, TXmlRange::NsAposEntityRef,
           TXmlRange::NsEqualSign, TXmlRange::NsQuoteAttrValue, TXmlRange::NsQuoteEntityRef,
           TXmlRange::DocType, TXmlRange::DocTypeSubset}) {}

void TSynXMLSyn::NextToken() {
    tokenPos = run;
    switch (range) {
    case TXmlRange::CDATA:
        ClosedBlockScanner(TXmlTokenKind::CDATA, ']');
        break;
    case TXmlRange::Comment:
        CommentScanner();
        break;
    case TXmlRange::ProcessingInstruction:
        ClosedBlockScanner(TXmlTokenKind::ProcessingInstruction, '?');
        break;
    case TXmlRange::Text:
        TextScanner();
        break;
    case TXmlRange::DocType:
    case TXmlRange::DocTypeSubset:
        DocTypeScanner();
        break;
    default:
        Dispatch();
        break;
    }
}

void TSynXMLSyn::Dispatch() {
    (this->*dispatchTable<TXmlDispatch>[At(run)])();
}

void TSynXMLSyn::LessThanProc() {
    ++run;
    if (At(run) == '/') {
        ++run;
    }
    const std::string_view rest(line + run, length - run);
    if (rest.starts_with("!--")) {
        run += 3;
        range = TXmlRange::Comment;
        SetKind(TXmlTokenKind::Symbol);
    } else if (rest.starts_with("!DOCTYPE")) {
        // "E" is left to the DOCTYPE scanner, in the same colour.
        run += 7;
        range = TXmlRange::DocType;
        SetKind(TXmlTokenKind::DocType);
    } else if (rest.starts_with("![CDATA[")) {
        run += 7;
        range = TXmlRange::CDATA;
        SetKind(TXmlTokenKind::CDATA);
    } else if (rest.starts_with("!")) {
        ++run;
        range = TXmlRange::Element;
        SetKind(TXmlTokenKind::Symbol);
    } else if (rest.starts_with("?")) {
        ++run;
        range = TXmlRange::ProcessingInstruction;
        SetKind(TXmlTokenKind::ProcessingInstruction);
    } else {
        range = TXmlRange::Element;
        SetKind(TXmlTokenKind::Symbol);
    }
}

void TSynXMLSyn::GreaterThanProc() {
    ++run;
    range = TXmlRange::Text;
    SetKind(TXmlTokenKind::Symbol);
}

// Characters 33 and above outside the block scanners: what they are depends on the state.
void TSynXMLSyn::StateProc() {
    using K = TXmlTokenKind;
    using R = TXmlRange;
    switch (range) {
    case R::Element:
        ElementName();
        break;
    case R::Attribute:
        AttributeName();
        break;
    case R::EqualSign:
        AfterAttributeName(false);
        break;
    case R::NsEqualSign:
        AfterAttributeName(true);
        break;
    case R::QuoteAttrValue:
        AttributeValue(K::QuoteAttrValue, '"', R::QuoteEntityRef);
        break;
    case R::NsQuoteAttrValue:
        AttributeValue(K::NsQuoteAttrValue, '"', R::NsQuoteEntityRef);
        break;
    case R::AposAttrValue:
        AttributeValue(K::AposAttrValue, '\'', R::AposEntityRef);
        break;
    case R::NsAposAttrValue:
        AttributeValue(K::NsAposAttrValue, '\'', R::NsAposEntityRef);
        break;
    case R::QuoteEntityRef:
        EntityReference(K::QuoteEntityRef, R::QuoteAttrValue);
        break;
    case R::NsQuoteEntityRef:
        EntityReference(K::NsQuoteEntityRef, R::NsQuoteAttrValue);
        break;
    case R::AposEntityRef:
        EntityReference(K::AposEntityRef, R::AposAttrValue);
        break;
    case R::NsAposEntityRef:
        EntityReference(K::NsAposEntityRef, R::NsAposAttrValue);
        break;
    case R::EntityRef:
        EntityReference(K::EntityRef, R::Text);
        break;
    default: // the block states scan these characters themselves
        TextScanner();
        break;
    }
}

void TSynXMLSyn::TextScanner() {
    const unsigned char first = At(run);
    if (first < 32 || first == '<') {
        Dispatch();
        return;
    }
    SetKind(TXmlTokenKind::Text);
    for (unsigned char c = At(run); c >= 32 && c != '<' && c != '&'; c = At(run)) {
        ++run;
    }
    if (At(run) == '&') {
        range = TXmlRange::EntityRef;
    }
}

void TSynXMLSyn::CommentScanner() {
    const std::string_view rest(line + run, length - run);
    if (rest.starts_with("-->")) {
        run += 3;
        range = TXmlRange::Text;
        SetKind(TXmlTokenKind::Symbol);
        return;
    }
    if (IsLineBreakOrNul(At(run))) {
        Dispatch();
        return;
    }
    SetKind(TXmlTokenKind::Comment);
    const auto close = rest.find("-->");
    run = close == std::string_view::npos ? length : run + close;
}

// A processing instruction or CDATA section up to the ">" after beforeClose, or the line end.
void TSynXMLSyn::ClosedBlockScanner(TXmlTokenKind kind, char beforeClose) {
    if (IsLineBreakOrNul(At(run))) {
        Dispatch();
        return;
    }
    SetKind(kind);
    while (!AtEnd(run)) {
        const bool closes = At(run) == '>' && run > 0 && line[run - 1] == beforeClose;
        ++run;
        if (closes) {
            range = TXmlRange::Text;
            return;
        }
    }
}

void TSynXMLSyn::DocTypeScanner() {
    if (IsLineBreakOrNul(At(run))) {
        Dispatch();
        return;
    }
    SetKind(TXmlTokenKind::DocType);
    if (range == TXmlRange::DocType) {
        for (; !AtEnd(run) && At(run) != '>' && At(run) != '['; ++run) {
        }
        if (AtEnd(run)) {
            return;
        }
        if (At(run) == '>') {
            ++run;
            range = TXmlRange::Attribute;
            return;
        }
    }
    // The internal subset: up to its "]", or on to the next line.
    for (; !AtEnd(run) && At(run) != ']'; ++run) {
    }
    if (AtEnd(run)) {
        range = TXmlRange::DocTypeSubset;
        return;
    }
    ++run;
    range = TXmlRange::DocType;
}

void TSynXMLSyn::NameRun() {
    TakeWord(nameChars);
}

void TSynXMLSyn::ElementName() {
    if (At(run) == '/') {
        ++run;
    }
    NameRun();
    range = TXmlRange::Attribute;
    SetKind(TXmlTokenKind::ElementName);
}

void TSynXMLSyn::AttributeName() {
    if (At(run) == '"' || At(run) == '\'') {
        ++run;
        SetKind(TXmlTokenKind::Symbol);
        return;
    }
    const std::size_t start = run;
    NameRun();
    const bool ns =
        std::string_view(line + start, run - start).find("xmlns") != std::string_view::npos;
    range = ns ? TXmlRange::NsEqualSign : TXmlRange::EqualSign;
    SetKind(ns ? TXmlTokenKind::NsAttributeName : TXmlTokenKind::AttributeName);
}

// The "=" and opening quote after an attribute name; a "/" instead goes back to element names.
void TSynXMLSyn::AfterAttributeName(bool ns) {
    SetKind(ns ? TXmlTokenKind::NsEqualSign : TXmlTokenKind::EqualSign);
    while (!AtEnd(run)) {
        const unsigned char c = At(run++);
        if (c == '"') {
            range = ns ? TXmlRange::NsQuoteAttrValue : TXmlRange::QuoteAttrValue;
            return;
        }
        if (c == '\'') {
            range = ns ? TXmlRange::NsAposAttrValue : TXmlRange::AposAttrValue;
            return;
        }
        if (c == '/') {
            range = TXmlRange::Element;
            SetKind(TXmlTokenKind::Symbol);
            return;
        }
    }
}

void TSynXMLSyn::AttributeValue(TXmlTokenKind kind, char quote, TXmlRange atEntity) {
    SetKind(kind);
    for (unsigned char c = At(run); !IsLineBreakOrNul(c) && c != quote && c != '&'; c = At(run)) {
        ++run;
    }
    if (At(run) == static_cast<unsigned char>(quote)) {
        range = TXmlRange::Attribute; // the quote then scans as a symbol
    } else if (At(run) == '&') {
        range = atEntity;
    }
}

void TSynXMLSyn::EntityReference(TXmlTokenKind kind, TXmlRange after) {
    SetKind(kind);
    for (unsigned char c = At(run); c > 32 && c != ';'; c = At(run)) {
        ++run;
    }
    if (At(run) == ';') {
        ++run;
    }
    range = after;
}
