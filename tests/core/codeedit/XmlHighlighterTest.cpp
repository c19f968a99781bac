#include "HighlighterTestSupport.h"
#include "codeedit/SynHighlighterXML.h"

#include <gtest/gtest.h>

namespace {

using K = TXmlTokenKind;
using R = TXmlRange;

using LineCase = RangedLineCase<R>;

class XmlLineTest : public RangedLineTest<TSynXMLSyn, R> {};

TEST_P(XmlLineTest, TokensAndRangeAfterLine) {
    ExpectTokensAndRange();
}

const LineCase lineCases[] = {
    {"ElementWithAttribute",
     "<root version=\"1.0\">",
     R::Text,
     {T("<", K::Symbol), T("root", K::ElementName), T(" ", K::Space),
      T("version", K::AttributeName), T("=\"", K::EqualSign), T("1.0", K::QuoteAttrValue),
      T("\"", K::Symbol), T(">", K::Symbol)},
     R::Text},
    {"NamespaceAttribute",
     "<a xmlns:x='u'>",
     R::Text,
     {T("<", K::Symbol), T("a", K::ElementName), T(" ", K::Space), T("xmlns:x", K::NsAttributeName),
      T("='", K::NsEqualSign), T("u", K::NsAposAttrValue), T("'", K::Symbol), T(">", K::Symbol)},
     R::Text},
    {"NamespaceValueDoubleQuotedWithEntity",
     "<a my-xmlns=\"a&amp;b\"",
     R::Text,
     {T("<", K::Symbol), T("a", K::ElementName), T(" ", K::Space),
      T("my-xmlns", K::NsAttributeName), T("=\"", K::NsEqualSign), T("a", K::NsQuoteAttrValue),
      T("&amp;", K::NsQuoteEntityRef), T("b", K::NsQuoteAttrValue), T("\"", K::Symbol)},
     R::Attribute},
    {"NamespaceValueSingleQuotedWithEntity",
     "xmlns='a&lt;b'",
     R::Attribute,
     {T("xmlns", K::NsAttributeName), T("='", K::NsEqualSign), T("a", K::NsAposAttrValue),
      T("&lt;", K::NsAposEntityRef), T("b", K::NsAposAttrValue), T("'", K::Symbol)},
     R::Attribute},
    {"EntitiesInValues",
     "a='x&gt;y' b=\"&#38; z\"",
     R::Attribute,
     {T("a", K::AttributeName), T("='", K::EqualSign), T("x", K::AposAttrValue),
      T("&gt;", K::AposEntityRef), T("y", K::AposAttrValue), T("'", K::Symbol), T(" ", K::Space),
      T("b", K::AttributeName), T("=\"", K::EqualSign), T("", K::QuoteAttrValue),
      T("&#38;", K::QuoteEntityRef), T(" ", K::Space), T("z", K::QuoteAttrValue),
      T("\"", K::Symbol)},
     R::Attribute},
    {"NamespaceCaseSensitive",
     "XMLNS='u'",
     R::Attribute,
     {T("XMLNS", K::AttributeName), T("='", K::EqualSign), T("u", K::AposAttrValue),
      T("'", K::Symbol)},
     R::Attribute},
    {"EmptyValueGivesEmptyValueToken",
     "a=\"\"",
     R::Attribute,
     {T("a", K::AttributeName), T("=\"", K::EqualSign), T("", K::QuoteAttrValue),
      T("\"", K::Symbol)},
     R::Attribute},
    {"EntityInText",
     "a &amp; b",
     R::Text,
     {T("a ", K::Text), T("&amp;", K::EntityRef), T(" b", K::Text)},
     R::Text},
    {"EntityRunsToSpaceWithoutSemicolon",
     "&x y",
     R::Text,
     {T("", K::Text), T("&x", K::EntityRef), T(" y", K::Text)},
     R::Text},
    {"Comment",
     "<!-- c -->x",
     R::Text,
     {T("<!--", K::Symbol), T(" c ", K::Comment), T("-->", K::Symbol), T("x", K::Text)},
     R::Text},
    {"CommentLeftOpen", "<!-- c", R::Text, {T("<!--", K::Symbol), T(" c", K::Comment)}, R::Comment},
    {"CommentGoesOn",
     "still - -> here",
     R::Comment,
     {T("still - -> here", K::Comment)},
     R::Comment},
    {"CommentClosesAtLineStart", "-->", R::Comment, {T("-->", K::Symbol)}, R::Text},
    {"SpacesInCommentAreComment",
     " x --> y",
     R::Comment,
     {T(" x ", K::Comment), T("-->", K::Symbol), T(" y", K::Text)},
     R::Text},
    {"ProcessingInstruction",
     "<?xml version=\"1.0\"?>",
     R::Text,
     {T("<?", K::ProcessingInstruction), T("xml version=\"1.0\"?>", K::ProcessingInstruction)},
     R::Text},
    {"ProcessingInstructionGoesOn",
     "<?php echo '>';",
     R::Text,
     {T("<?", K::ProcessingInstruction), T("php echo '>';", K::ProcessingInstruction)},
     R::ProcessingInstruction},
    {"GreaterThanInFirstColumnDoesNotClose",
     ">x?>",
     R::ProcessingInstruction,
     {T(">x?>", K::ProcessingInstruction)},
     R::Text},
    {"CData",
     "<![CDATA[ x ]]>y",
     R::Text,
     {T("<![CDATA", K::CDATA), T("[ x ]]>", K::CDATA), T("y", K::Text)},
     R::Text},
    {"CDataGoesOn", "a > b", R::CDATA, {T("a > b", K::CDATA)}, R::CDATA},
    {"DocTypeOnOneLine",
     "<!DOCTYPE note SYSTEM \"n.dtd\">",
     R::Text,
     {T("<!DOCTYP", K::DocType), T("E note SYSTEM \"n.dtd\">", K::DocType)},
     R::Attribute},
    {"DocTypeSubsetOpens",
     "<!DOCTYPE n [",
     R::Text,
     {T("<!DOCTYP", K::DocType), T("E n [", K::DocType)},
     R::DocTypeSubset},
    {"DocTypeSubsetGoesOn",
     "<!ENTITY a \"b\">",
     R::DocTypeSubset,
     {T("<!ENTITY a \"b\">", K::DocType)},
     R::DocTypeSubset},
    {"DocTypeSubsetCloses",
     "]>",
     R::DocTypeSubset,
     {T("]", K::DocType), T(">", K::DocType)},
     R::Attribute},
    {"DocTypeSubsetOnOneLine",
     "<!DOCTYPE n [ x ] >",
     R::Text,
     {T("<!DOCTYP", K::DocType), T("E n [ x ]", K::DocType), T(" >", K::DocType)},
     R::Attribute},
    {"ClosingTag",
     "</root>",
     R::Text,
     {T("</", K::Symbol), T("root", K::ElementName), T(">", K::Symbol)},
     R::Text},
    {"EmptyElementTag",
     "<br/>",
     R::Text,
     {T("<", K::Symbol), T("br", K::ElementName), T("", K::AttributeName), T("/", K::Symbol),
      T(">", K::Symbol)},
     R::Text},
    {"AttributeThenSlash",
     "<a b/>",
     R::Text,
     {T("<", K::Symbol), T("a", K::ElementName), T(" ", K::Space), T("b", K::AttributeName),
      T("/", K::Symbol), T(">", K::Symbol)},
     R::Text},
    {"OtherBangIsSymbol",
     "<!ELEMENT x>",
     R::Text,
     {T("<!", K::Symbol), T("ELEMENT", K::ElementName), T(" ", K::Space), T("x", K::AttributeName),
      T(">", K::Symbol)},
     R::Text},
    {"SlashAtElementNameIsSkipped",
     "/a:b.c-d",
     R::Element,
     {T("/a:b.c-d", K::ElementName)},
     R::Attribute},
    {"QuoteInTagIsSymbol",
     "\"'",
     R::Attribute,
     {T("\"", K::Symbol), T("'", K::Symbol)},
     R::Attribute},
    {"SymbolAfterNameRunsToLineEnd", "=x", R::EqualSign, {T("=x", K::EqualSign)}, R::EqualSign},
    {"ValueGoesOnToNextLine",
     "abc",
     R::QuoteAttrValue,
     {T("abc", K::QuoteAttrValue)},
     R::QuoteAttrValue},
    {"TextAndTabs",
     "a b\t\tc",
     R::Text,
     {T("a b", K::Text), T("\t", K::Space), T("\t", K::Space), T("c", K::Text)},
     R::Text},
    {"SpaceRunStopsAtTab",
     "  \x01\t \r\n\rx",
     R::Attribute,
     {T("  \x01", K::Space), T("\t ", K::Space), T("\r\n", K::Space), T("\r", K::Space),
      T("x", K::AttributeName)},
     R::EqualSign},
    {"NulInsideLine",
     std::string("a\0b", 3),
     R::Text,
     {T("a", K::Text), T(std::string(1, '\0'), K::Space), T("b", K::Text)},
     R::Text},
    {"UnknownRangeStartsAsText",
     "a<b",
     static_cast<R>(19),
     {T("a", K::Text), T("<", K::Symbol), T("b", K::ElementName)},
     R::Attribute},
};

INSTANTIATE_TEST_SUITE_P(Xml, XmlLineTest, testing::ValuesIn(lineCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(XmlHighlighter, DocTypeSubsetOverSeveralLines) {
    TSynXMLSyn xml;
    xml.ClearRange();
    const char* const lines[] = {"<!DOCTYPE note [", "  <!ENTITY w \"x\">", "]>", "<note>"};
    const R expectedAfter[] = {R::DocTypeSubset, R::DocTypeSubset, R::Attribute, R::Text};
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        xml.StartLine(lines[i], LineIndex(static_cast<int>(i)));
        xml.ScanToLineEnd();
        EXPECT_EQ(xml.CurrentRange(), static_cast<TSynRange>(expectedAfter[i])) << i;
    }
}

TEST(XmlHighlighter, ScannerNeverReadsPastTheLine) {
    const std::string comment = "a-->";
    const std::string pi = "a?>";
    TSynXMLSyn xml;
    EXPECT_EQ(ScanLine(xml, std::string_view(comment).substr(0, 3), 4),
              (std::vector{T("a--", K::Comment)}));
    EXPECT_EQ(ScanLine(xml, std::string_view(pi).substr(0, 2), 8),
              (std::vector{T("a?", K::ProcessingInstruction)}));
}

TEST(XmlHighlighter, EveryKindHasItsAttribute) {
    TSynXMLSyn xml;
    struct KindCase {
        R start;
        const char* text;
        K kind;
        const TSynHighlighterAttributes* attribute;
    };
    const KindCase cases[] = {
        {R::AposAttrValue, "x", K::AposAttrValue, xml.AttributeValueAttri()},
        {R::AposEntityRef, "&a;", K::AposEntityRef, xml.EntityRefAttri()},
        {R::Attribute, "b", K::AttributeName, xml.AttributeAttri()},
        {R::CDATA, "x", K::CDATA, xml.CDATAAttri()},
        {R::Comment, "x", K::Comment, xml.CommentAttri()},
        {R::Element, "a", K::ElementName, xml.ElementAttri()},
        {R::EntityRef, "&a", K::EntityRef, xml.EntityRefAttri()},
        {R::EqualSign, "=", K::EqualSign, xml.SymbolAttri()},
        {R::ProcessingInstruction, "x", K::ProcessingInstruction, xml.ProcessingInstructionAttri()},
        {R::QuoteAttrValue, "x", K::QuoteAttrValue, xml.AttributeValueAttri()},
        {R::QuoteEntityRef, "&x", K::QuoteEntityRef, xml.EntityRefAttri()},
        {R::Text, "\t", K::Space, xml.SpaceAttri()},
        {R::Text, "<", K::Symbol, xml.SymbolAttri()},
        {R::Text, "t", K::Text, xml.TextAttri()},
        {R::NsAposAttrValue, "x", K::NsAposAttrValue, xml.NamespaceAttributeValueAttri()},
        {R::NsAposEntityRef, "&x", K::NsAposEntityRef, xml.EntityRefAttri()},
        {R::Attribute, "xmlns", K::NsAttributeName, xml.NamespaceAttributeAttri()},
        {R::NsEqualSign, "=", K::NsEqualSign, xml.SymbolAttri()},
        {R::NsQuoteAttrValue, "x", K::NsQuoteAttrValue, xml.NamespaceAttributeValueAttri()},
        {R::NsQuoteEntityRef, "&x", K::NsQuoteEntityRef, xml.EntityRefAttri()},
        {R::DocType, "x", K::DocType, xml.DocTypeAttri()},
    };
    for (const auto& c : cases) {
        xml.RestoreRange(static_cast<TSynRange>(c.start));
        xml.StartLine(c.text, LineIndex(0));
        EXPECT_EQ(xml.TokenKind(), static_cast<int>(c.kind)) << c.text;
        EXPECT_EQ(xml.TokenAttribute(), c.attribute) << c.text;
    }
}

TEST(XmlHighlighter, FormClearsWantBracesParsed) {
    TSynXMLSyn xml;
    EXPECT_TRUE(xml.WantBracesParsed());
    xml.ApplyFormDefaults();
    EXPECT_FALSE(xml.WantBracesParsed());
}

} // namespace
