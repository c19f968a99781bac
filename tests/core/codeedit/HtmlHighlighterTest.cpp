#include "HighlighterTestSupport.h"
#include "codeedit/SynHighlighterHtml.h"

#include <gtest/gtest.h>

namespace {

using K = THtmlTokenKind;
using R = THtmlRange;

using LineCase = RangedLineCase<R>;

class HtmlLineTest : public RangedLineTest<TSynHTMLSyn, R> {};

TEST_P(HtmlLineTest, TokensAndRangeAfterLine) {
    ExpectTokensAndRange();
}

const LineCase lineCases[] = {
    {"KnownTags",
     "<b>bold</b>",
     R::Text,
     {T("<", K::Symbol), T("b", K::KnownTag), T(">", K::Symbol), T("bold", K::Text),
      T("<", K::Symbol), T("/b", K::KnownTag), T(">", K::Symbol)},
     R::Text},
    {"SlashAfterNameIsPartOfHashedWord",
     "<BR/>",
     R::Text,
     {T("<", K::Symbol), T("BR/", K::UndefinedTag), T(">", K::Symbol)},
     R::Text},
    {"ClosingBrIsUndefined",
     "</br>",
     R::Text,
     {T("<", K::Symbol), T("/br", K::UndefinedTag), T(">", K::Symbol)},
     R::Text},
    {"HeadingDigitsHash",
     "<h7><H6>",
     R::Text,
     {T("<", K::Symbol), T("h7", K::UndefinedTag), T(">", K::Symbol), T("<", K::Symbol),
      T("H6", K::KnownTag), T(">", K::Symbol)},
     R::Text},
    {"DigitsEndTheHashedWord",
     "<a1b>",
     R::Text,
     {T("<", K::Symbol), T("a1", K::UndefinedTag), T("b", K::Identifier), T(">", K::Symbol)},
     R::Text},
    {"HashAboveTableIsIdentifier",
     "<zzzzzzzzzz>",
     R::Text,
     {T("<", K::Symbol), T("zzzzzzzzzz", K::Identifier), T(">", K::Symbol)},
     R::Text},
    {"Doctype",
     "<!DOCTYPE html>",
     R::Text,
     {T("<", K::Symbol), T("!DOCTYPE", K::KnownTag), T(" ", K::Space), T("html", K::Identifier),
      T(">", K::Symbol)},
     R::Text},
    {"EmptyUndefinedTagBeforeOtherCharacter",
     "<.x>",
     R::Text,
     {T("<", K::Symbol), T("", K::UndefinedTag), T(".x", K::Identifier), T(">", K::Symbol)},
     R::Text},
    {"UnquotedValue",
     "<a href=x.htm>",
     R::Text,
     {T("<", K::Symbol), T("a", K::KnownTag), T(" ", K::Space), T("href", K::Identifier),
      T("=", K::Symbol), T("x.htm", K::Value), T(">", K::Symbol)},
     R::Text},
    {"UnquotedValueRunsOverQuotesAndEquals",
     "<a b=c\"d=e f>",
     R::Text,
     {T("<", K::Symbol), T("a", K::KnownTag), T(" ", K::Space), T("b", K::Identifier),
      T("=", K::Symbol), T("c\"d=e", K::Value), T(" ", K::Space), T("f", K::Identifier),
      T(">", K::Symbol)},
     R::Text},
    {"QuotedValue",
     "<a href=\"x\">",
     R::Text,
     {T("<", K::Symbol), T("a", K::KnownTag), T(" ", K::Space), T("href", K::Identifier),
      T("=", K::Symbol), T("\"x\"", K::Value), T(">", K::Symbol)},
     R::Text},
    {"QuotedStringOutsideValue",
     "<p \"x\">",
     R::Text,
     {T("<", K::Symbol), T("p", K::KnownTag), T(" ", K::Space), T("\"x\"", K::String),
      T(">", K::Symbol)},
     R::Text},
    {"StringRightAfterOpenKeepsNameExpected",
     "<\"x\"b",
     R::Text,
     {T("<", K::Symbol), T("\"x\"", K::String), T("b", K::KnownTag)},
     R::InsideTag},
    {"UnterminatedStringEndsAtLineEnd",
     "<p \"abc",
     R::Text,
     {T("<", K::Symbol), T("p", K::KnownTag), T(" ", K::Space), T("\"abc", K::String)},
     R::InsideTag},
    {"EntityAtLineStart",
     "&copy; 2001",
     R::Text,
     {T("", K::Text), T("&copy;", K::Entity), T(" 2001", K::Text)},
     R::Text},
    {"EntityWithoutCase",
     "a&COPY;b&Sigmaf;",
     R::Text,
     {T("a", K::Text), T("&COPY;", K::Entity), T("b", K::Text), T("&Sigmaf;", K::Entity)},
     R::Text},
    {"UnknownEntityIsText", "a &nosuch; b", R::Text, {T("a &nosuch; b", K::Text)}, R::Text},
    {"EntityNeedsSemicolon", "a &copy b", R::Text, {T("a &copy b", K::Text)}, R::Text},
    {"NumericEntity",
     "x&#169;y",
     R::Text,
     {T("x", K::Text), T("&#169;", K::Entity), T("y", K::Text)},
     R::Text},
    {"NumericWithoutSemicolonEndsText",
     "x&#169y",
     R::Text,
     {T("x&#169", K::Text), T("y", K::Text)},
     R::Text},
    {"NumericWithoutDigits", "&#;", R::Text, {T("", K::Text), T("&#;", K::Entity)}, R::Text},
    {"AmpersandInsideTag",
     "<a & b>c",
     R::Text,
     {T("<", K::Symbol), T("a", K::KnownTag), T(" ", K::Space), T("", K::Space),
      T("& b>c", K::Text)},
     R::Text},
    {"NumericEntityInsideTag",
     "<a &#65;>",
     R::Text,
     {T("<", K::Symbol), T("a", K::KnownTag), T(" ", K::Space), T("&#65;", K::Entity),
      T(">", K::Text)},
     R::Text},
    {"NumericWithoutSemicolonInsideTagIsText",
     "<a &#65 x",
     R::Text,
     {T("<", K::Symbol), T("a", K::KnownTag), T(" ", K::Space), T("&#65", K::Text),
      T(" x", K::Text)},
     R::Text},
    {"AmpersandFirstOnLineInsideTagIsNotLineEnd",
     "&x y",
     R::InsideTag,
     {T("", K::Text), T("&x y", K::Text)},
     R::Text},
    {"CommentOnOneLine",
     "a<!-- b -->c",
     R::Text,
     {T("a", K::Text), T("<!--", K::Comment), T(" b -->", K::Comment), T("c", K::Text)},
     R::Text},
    {"ShortestComment",
     "<!-->x",
     R::Text,
     {T("<!--", K::Comment), T(">", K::Comment), T("x", K::Text)},
     R::Text},
    {"CommentNeedsTwoDashes", "a->b", R::Comment, {T("a->b", K::Comment)}, R::Comment},
    {"CommentCloseAtLineStart",
     "-->x",
     R::Comment,
     {T("-->", K::Comment), T("x", K::Text)},
     R::Text},
    {"GreaterAtFirstColumnDoesNotClose", ">x", R::Comment, {T(">x", K::Comment)}, R::Comment},
    {"AspOpen", "<%", R::Text, {T("<%", K::Asp)}, R::Asp},
    {"AspBlock",
     " <% out(\"x\"); %>a",
     R::Text,
     {T(" ", K::Text), T("<%", K::Asp), T(" out(\"x\"); %>", K::Asp), T("a", K::Text)},
     R::Text},
    {"ShortestAsp", "<%>", R::Text, {T("<%", K::Asp), T(">", K::Asp)}, R::Text},
    {"AspGreaterAtFirstColumnDoesNotClose", ">%>", R::Asp, {T(">%>", K::Asp)}, R::Text},
    {"EmptyLineInsideComment", "", R::Comment, {}, R::Comment},
    {"EmptyLine", "", R::Text, {}, R::Text},
    {"TagContinuesOnNextLine",
     " href=\"x\">",
     R::InsideTag,
     {T(" ", K::Space), T("href", K::Identifier), T("=", K::Symbol), T("\"x\"", K::Value),
      T(">", K::Symbol)},
     R::Text},
    {"OpenTagCarriesToNextLine",
     "<a href=",
     R::Text,
     {T("<", K::Symbol), T("a", K::KnownTag), T(" ", K::Space), T("href", K::Identifier),
      T("=", K::Symbol)},
     R::ValueExpected},
    {"NameExpectedCarriesToNextLine",
     "x<",
     R::Text,
     {T("x", K::Text), T("<", K::Symbol)},
     R::TagNameExpected},
    {"TabStartsItsOwnSpaceToken",
     "<a  \t b>",
     R::Text,
     {T("<", K::Symbol), T("a", K::KnownTag), T("  ", K::Space), T("\t ", K::Space),
      T("b", K::Identifier), T(">", K::Symbol)},
     R::Text},
    {"ControlCharactersInTextAreSpace",
     "a\tb",
     R::Text,
     {T("a", K::Text), T("\t", K::Space), T("b", K::Text)},
     R::Text},
    {"CarriageReturnTakesLineFeed",
     "<a\r\n\nb",
     R::Text,
     {T("<", K::Symbol), T("a", K::KnownTag), T("\r\n", K::Space), T("\n", K::Space),
      T("b", K::Identifier)},
     R::InsideTag},
    {"LineBreakCharactersEndComment",
     "x\ry",
     R::Comment,
     {T("x", K::Comment), T("\r", K::Space), T("y", K::Comment)},
     R::Comment},
    {"NulInsideTextIsOneCharacter",
     std::string("a\0b", 3),
     R::Text,
     {T("a", K::Text), T(std::string(1, '\0'), K::Space), T("b", K::Text)},
     R::Text},
    {"NulInsideTag",
     std::string("<a\0\0b>", 6),
     R::Text,
     {T("<", K::Symbol), T("a", K::KnownTag), T(std::string(1, '\0'), K::Space),
      T(std::string(1, '\0'), K::Space), T("b", K::Identifier), T(">", K::Symbol)},
     R::Text},
    {"NulInsideComment",
     std::string("a\0-->", 5),
     R::Comment,
     {T("a", K::Comment), T(std::string(1, '\0'), K::Space), T("-->", K::Comment)},
     R::Text},
    {"NulEndsString",
     std::string("<p \"a\0b\"", 8),
     R::Text,
     {T("<", K::Symbol), T("p", K::KnownTag), T(" ", K::Space), T("\"a", K::String),
      T(std::string(1, '\0'), K::Space), T("b", K::Identifier), T("\"", K::String)},
     R::InsideTag},
    {"Utf8NameStaysWhole",
     "<a \xC3\xA9=\xE2\x82\xAC>",
     R::Text,
     {T("<", K::Symbol), T("a", K::KnownTag), T(" ", K::Space), T("\xC3\xA9", K::Identifier),
      T("=", K::Symbol), T("\xE2\x82\xAC", K::Value), T(">", K::Symbol)},
     R::Text},
    {"Utf8AfterTagName",
     "<b\xC3\xA9>",
     R::Text,
     {T("<", K::Symbol), T("b", K::KnownTag), T("\xC3\xA9", K::Identifier), T(">", K::Symbol)},
     R::Text},
    {"UnknownRangeStartsAsText",
     "<b>",
     static_cast<R>(6),
     {T("<", K::Symbol), T("b", K::KnownTag), T(">", K::Symbol)},
     R::Text},
};

INSTANTIATE_TEST_SUITE_P(Html, HtmlLineTest, testing::ValuesIn(lineCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HtmlHighlighter, CommentSpanningLinesColoursLinesBetween) {
    TSynHTMLSyn html;
    html.ClearRange();
    const std::vector<std::string> lines = {"<!-- one", "two", "", "three --> <b>"};
    std::vector<std::vector<ScannedToken>> scanned;
    TSynRange range = html.CurrentRange();
    for (const auto& line : lines) {
        scanned.push_back(ScanLine(html, line, range, &range));
    }
    EXPECT_EQ(scanned[1], (std::vector{T("two", K::Comment)}));
    EXPECT_TRUE(scanned[2].empty());
    EXPECT_EQ(scanned[3], (std::vector{T("three -->", K::Comment), T(" ", K::Text),
                                       T("<", K::Symbol), T("b", K::KnownTag), T(">", K::Symbol)}));
}

TEST(HtmlHighlighter, ScannerNeverReadsPastTheLine) {
    // The byte after the view would close the comment; the scanner must not see it.
    const std::string storage = "x-->";
    TSynHTMLSyn html;
    EXPECT_EQ(ScanLine(html, std::string_view(storage).substr(0, 3), 2),
              (std::vector{T("x--", K::Comment)}));
}

TEST(HtmlHighlighter, PartlyScannedLineLeavesNoEntityBehind) {
    TSynHTMLSyn html;
    html.ClearRange();
    html.StartLine("x&copy;", LineIndex(0)); // stops after "x", with the entity pending
    EXPECT_EQ(ScanLine(html, "<a &#65;>", 5)[3], T("&#65;", K::Entity));
}

TEST(HtmlHighlighter, EveryKnownTagNameIsAKnownTagInAnyCase) {
    TSynHTMLSyn html;
    for (const auto& name : TSynHTMLSyn::TagNames()) {
        std::string lower = name;
        for (auto& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        for (const auto& spelling : {name, lower}) {
            const auto tokens =
                ScanLine(html, spelling, static_cast<TSynRange>(R::TagNameExpected));
            EXPECT_EQ(tokens, (std::vector{T(spelling, K::KnownTag)})) << spelling;
        }
    }
}

TEST(HtmlHighlighter, EveryEntityNameIsAnEntity) {
    TSynHTMLSyn html;
    for (auto name : TSynHTMLSyn::EntityNames()) {
        // Appending, not "a" + std::string: GCC 12 warns falsely (restrict) at -O3.
        const std::string line = std::string("a").append(name).append("b");
        EXPECT_EQ(ScanLine(html, line, static_cast<TSynRange>(R::Text)),
                  (std::vector{T("a", K::Text), T(std::string(name), K::Entity), T("b", K::Text)}))
            << name;
    }
}

TEST(HtmlHighlighter, Tables) {
    const auto& entities = TSynHTMLSyn::EntityNames();
    ASSERT_EQ(entities.size(), 249u);
    EXPECT_EQ(entities.front(), "&Alpha;");
    EXPECT_EQ(entities[41], "&sigmaf;");
    EXPECT_EQ(entities.back(), "&circ;");
    const auto& tags = TSynHTMLSyn::TagNames();
    ASSERT_EQ(tags.size(), 108u + 89u + 1u);
    EXPECT_EQ(tags.front(), "A");
    EXPECT_EQ(tags[107], "XMP");
    EXPECT_EQ(tags[108], "/A");
    EXPECT_EQ(tags.back(), "!DOCTYPE");
    for (const char* missing : {"/AREA", "/BR", "/IMG", "/WBR", "/PLAINTEXT"}) {
        EXPECT_EQ(std::find(tags.begin(), tags.end(), missing), tags.end()) << missing;
    }
}

} // namespace
