// What every language in the registry must show before it scans anything: its class data, its
// attributes with their defaults (reached through their published accessors, listed in name
// order), its DefaultAttribute roles, its identifier characters, its ranges and its empty line.
// One row per language holds what it must show; the registry supplies the highlighters.

#include "HighlighterTestSupport.h"
#include "codeedit/SynHighlighterCpp.h"
#include "codeedit/SynHighlighterCss.h"
#include "codeedit/SynHighlighterHtml.h"
#include "codeedit/SynHighlighterIni.h"
#include "codeedit/SynHighlighterJava.h"
#include "codeedit/SynHighlighterPHP.h"
#include "codeedit/SynHighlighterPas.h"
#include "codeedit/SynHighlighterPerl.h"
#include "codeedit/SynHighlighterSQL.h"
#include "codeedit/SynHighlighterVB.h"
#include "codeedit/SynHighlighterXML.h"

#include <algorithm>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <set>
#include <string>
#include <strings.h>
#include <vector>

namespace {

struct ExpectedAttribute {
    std::string name;
    TFontStyles style;
    TColor foreground;
    TColor background;
    std::function<TSynHighlighterAttributes*(const TSynCustomHighlighter&)> accessor;
};

// An attribute as its language's published accessor reaches it, with its defaults.
template <class Highlighter> struct Accessor {
    TSynHighlighterAttributes* (Highlighter::*get)() const;
    const char* name;
    TFontStyles style = 0;
    TColor foreground = clNone;
    TColor background = clNone;
};

template <class Highlighter>
std::vector<ExpectedAttribute> Attributes(std::initializer_list<Accessor<Highlighter>> accessors) {
    std::vector<ExpectedAttribute> attributes;
    for (const Accessor<Highlighter>& a : accessors) {
        attributes.push_back({a.name, a.style, a.foreground, a.background,
                              [get = a.get](const TSynCustomHighlighter& highlighter) {
                                  return (dynamic_cast<const Highlighter&>(highlighter).*get)();
                              }});
    }
    return attributes;
}

struct ExpectedLanguage {
    std::string className;
    std::string languageName;
    std::string filter;
    std::string sample;
    // Beyond letters, digits, "_" and 192-255 but 215 and 247.
    std::string identifierChars;
    unsigned capabilities;
    std::vector<ExpectedAttribute> attributes;
    // The attribute of each DefaultAttribute role by name; "" for none.
    std::array<std::string, 6> roles;
    TSynRange initialRange;
    std::set<TSynRange> ranges; // besides the initial one
};

const std::array<std::string, 6> commonRoles = {"Comment", "Identifier", "Reserved word",
                                                "String",  "Space",      "Symbol"};

const std::vector<ExpectedLanguage>& Languages() {
    using Cpp = TSynCppSyn;
    using Css = TSynCssSyn;
    using Html = TSynHTMLSyn;
    using Ini = TSynIniSyn;
    using Java = TSynJavaSyn;
    using Php = TSynPHPSyn;
    using Pas = TSynPasSyn;
    using Perl = TSynPerlSyn;
    using Sql = TSynSQLSyn;
    using Vb = TSynVBSyn;
    using Xml = TSynXMLSyn;
    static const std::vector<ExpectedLanguage> languages = {
        {"TSynCppSyn",
         "C++",
         "C++ Files (*.c,*.cpp,*.h,*.hpp)|*.c;*.cpp;*.h;*.hpp",
         "",
         "",
         hcUserSettings | hcRegistry,
         Attributes<Cpp>({{&Cpp::AsmAttri, "Assembler"},
                          {&Cpp::CommentAttri, "Comment", fsItalic},
                          {&Cpp::IdentifierAttri, "Identifier"},
                          {&Cpp::InvalidAttri, "Illegal char"},
                          {&Cpp::KeyAttri, "Reserved word", fsBold},
                          {&Cpp::NumberAttri, "Number"},
                          {&Cpp::CharAttri, "Character"},
                          {&Cpp::FloatAttri, "Float"},
                          {&Cpp::HexAttri, "Hexadecimal"},
                          {&Cpp::OctalAttri, "Octal"},
                          {&Cpp::SpaceAttri, "Space", 0, clWindow},
                          {&Cpp::StringAttri, "String"},
                          {&Cpp::SymbolAttri, "Symbol"},
                          {&Cpp::DirecAttri, "Preprocessor"}}),
         commonRoles,
         0,
         {1, 7, 10, 11}},
        {"TSynCssSyn",
         "Cascading style sheets",
         "Cascading Stylesheets (*.css)|*.css",
         "",
         "",
         hcRegistry,
         Attributes<Css>({{&Css::CommentAttri, "Comment", fsItalic},
                          {&Css::IdentifierAttri, "Identifier"},
                          {&Css::KeyAttri, "Key", fsBold},
                          {&Css::NumberAttri, "Number"},
                          {&Css::SpaceAttri, "Space"},
                          {&Css::StringAttri, "String"},
                          {&Css::SymbolAttri, "Symbol"}}),
         {"Comment", "Identifier", "Key", "String", "Space", "Symbol"},
         0,
         {1}},
        {"TSynHTMLSyn",
         "HTML document",
         "HTML Document (*.htm,*.html)|*.htm;*.html",
         "<!-- Syntax highlighting -->\r\n\r\n<html>\r\n<body bgcolor=\"red\">\r\n"
         " <% out.println(\"Hello World\"); %>\r\n"
         " <invalid>Sample HTML code &copy; 2001</invalid>\r\n</body>\r\n</html>",
         "",
         hcRegistry,
         Attributes<Html>({{&Html::ASPAttri, "Asp", 0, clBlack, clYellow},
                           {&Html::CommentAttri, "Comment"},
                           {&Html::IdentifierAttri, "Identifier", fsBold},
                           {&Html::KeyAttri, "Reserved word", fsBold, 0x00FF0080},
                           {&Html::SpaceAttri, "Space"},
                           {&Html::SymbolAttri, "Symbol", fsBold},
                           {&Html::TextAttri, "Text"},
                           {&Html::UndefKeyAttri, "Unknown word", fsBold, clRed},
                           {&Html::ValueAttri, "Value", 0, 0x00FF8000},
                           {&Html::AndAttri, "Escape ampersand", fsBold, clLime}}),
         {"Comment", "Identifier", "Reserved word", "", "Space", "Symbol"},
         5,
         {0, 1, 2, 3, 4, 7}},
        {"TSynIniSyn",
         "INI file",
         "INI Files (*.ini)|*.ini",
         "; Syntax highlighting\r\n[Section]\r\nKey=value\r\nString=\"Arial\"\r\nNumber=123456",
         "",
         hcRegistry,
         Attributes<Ini>({{&Ini::CommentAttri, "Comment", fsItalic, clGreen},
                          {&Ini::TextAttri, "Text"},
                          {&Ini::SectionAttri, "Section", fsBold},
                          {&Ini::KeyAttri, "Key"},
                          {&Ini::NumberAttri, "Number"},
                          {&Ini::SpaceAttri, "Space"},
                          {&Ini::StringAttri, "String"},
                          {&Ini::SymbolAttri, "Symbol"}}),
         {"Comment", "", "Key", "String", "Space", "Symbol"},
         0,
         {}},
        {"TSynJavaSyn",
         "Java",
         "Java Files (*.java)|*.java",
         "",
         "$",
         hcRegistry,
         Attributes<Java>({{&Java::CommentAttri, "Comment", fsItalic},
                           {&Java::DocumentAttri, "Documentation", fsItalic},
                           {&Java::IdentifierAttri, "Identifier"},
                           {&Java::InvalidAttri, "Invalid symbol"},
                           {&Java::KeyAttri, "Reserved word", fsBold},
                           {&Java::NumberAttri, "Number"},
                           {&Java::SpaceAttri, "Space", 0, clWindow},
                           {&Java::StringAttri, "String"},
                           {&Java::SymbolAttri, "Symbol"}}),
         commonRoles,
         3,
         {1, 2}},
        {"TSynPHPSyn",
         "PHP",
         "PHP Files (*.php,*.php3,*.phtml,*.inc)|*.php;*.php3;*.phtml;*.inc",
         "",
         "",
         hcRegistry,
         Attributes<Php>({{&Php::CommentAttri, "Comment", fsItalic},
                          {&Php::IdentifierAttri, "Identifier"},
                          {&Php::InvalidSymbolAttri, "Invalid symbol"},
                          {&Php::KeyAttri, "Reserved word", fsBold},
                          {&Php::NumberAttri, "Number"},
                          {&Php::SpaceAttri, "Space"},
                          {&Php::StringAttri, "String"},
                          {&Php::SymbolAttri, "Symbol"},
                          {&Php::VariableAttri, "Variable"}}),
         commonRoles,
         0,
         {1, 2, 3}},
        {"TSynPasSyn",
         "ObjectPascal",
         "Pascal Files (*.pas,*.dpr,*.dpk,*.inc)|*.pas;*.dpr;*.dpk;*.inc",
         "",
         "",
         hcRegistry,
         Attributes<Pas>({{&Pas::AsmAttri, "Assembler"},
                          {&Pas::CommentAttri, "Comment", fsItalic},
                          {&Pas::DirectiveAttri, "Preprocessor", fsItalic},
                          {&Pas::IdentifierAttri, "Identifier"},
                          {&Pas::KeyAttri, "Reserved word", fsBold},
                          {&Pas::NumberAttri, "Number"},
                          {&Pas::FloatAttri, "Float"},
                          {&Pas::HexAttri, "Hexadecimal"},
                          {&Pas::SpaceAttri, "Space"},
                          {&Pas::StringAttri, "String"},
                          {&Pas::CharAttri, "Character"},
                          {&Pas::SymbolAttri, "Symbol"}}),
         commonRoles,
         8,
         {1, 2, 3, 4, 5, 6, 7}},
        {"TSynPerlSyn",
         "Perl",
         "Perl Files (*.pl,*.pm,*.cgi)|*.pl;*.pm;*.cgi",
         "",
         "$%@",
         hcRegistry,
         Attributes<Perl>({{&Perl::CommentAttri, "Comment", fsItalic},
                           {&Perl::IdentifierAttri, "Identifier"},
                           {&Perl::InvalidAttri, "Illegal char"},
                           {&Perl::KeyAttri, "Reserved word", fsBold},
                           {&Perl::NumberAttri, "Number"},
                           {&Perl::OperatorAttri, "Operator"},
                           {&Perl::PragmaAttri, "Pragma", fsBold},
                           {&Perl::SpaceAttri, "Space", 0, clWindow},
                           {&Perl::StringAttri, "String"},
                           {&Perl::SymbolAttri, "Symbol"},
                           {&Perl::VariableAttri, "Variable", fsBold}}),
         commonRoles,
         0,
         {}},
        {"TSynSQLSyn",
         "SQL",
         "SQL Files (*.sql)|*.sql",
         "",
         "",
         hcRegistry,
         Attributes<Sql>({{&Sql::CommentAttri, "Comment", fsItalic},
                          {&Sql::DataTypeAttri, "Data type", fsBold},
                          {&Sql::DefaultPackageAttri, "Default packages", fsBold},
                          {&Sql::ExceptionAttri, "Exception", fsItalic},
                          {&Sql::FunctionAttri, "Function", fsBold},
                          {&Sql::IdentifierAttri, "Identifier"},
                          {&Sql::KeyAttri, "Reserved word", fsBold},
                          {&Sql::NumberAttri, "Number"},
                          {&Sql::PLSQLAttri, "Reserved word (PL/SQL)", fsBold},
                          {&Sql::SpaceAttri, "Space"},
                          {&Sql::SQLPlusAttri, "SQL*Plus command", fsBold},
                          {&Sql::StringAttri, "String"},
                          {&Sql::SymbolAttri, "Symbol"},
                          {&Sql::TableNameAttri, "Table name"},
                          {&Sql::VariableAttri, "Variable"}}),
         commonRoles,
         0,
         {1, 2}},
        {"TSynVBSyn",
         "Visual Basic",
         "Visual Basic Files (*.bas)|*.bas",
         "",
         "",
         hcRegistry,
         Attributes<Vb>({{&Vb::CommentAttri, "Comment", fsItalic},
                         {&Vb::IdentifierAttri, "Identifier"},
                         {&Vb::KeyAttri, "Reserved word", fsBold},
                         {&Vb::NumberAttri, "Number"},
                         {&Vb::SpaceAttri, "Space"},
                         {&Vb::StringAttri, "String"},
                         {&Vb::SymbolAttri, "Symbol"}}),
         commonRoles,
         0,
         {}},
        {"TSynXMLSyn",
         "XML document",
         "XML Document (*.xml,*.xsd,*.xsl,*.xslt,*.dtd)|*.xml;*.xsd;*.xsl;*.xslt;*.dtd",
         "",
         "-.",
         hcRegistry,
         Attributes<Xml>(
             {{&Xml::ElementAttri, "Element Name", fsBold, clMaroon},
              {&Xml::TextAttri, "Text", fsBold, clBlack},
              {&Xml::SpaceAttri, "Whitespace"},
              {&Xml::EntityRefAttri, "Entity Reference", fsBold, clBlue},
              {&Xml::ProcessingInstructionAttri, "Processing Instruction", 0, clBlue},
              {&Xml::CDATAAttri, "CDATA Section", fsItalic, clOlive},
              {&Xml::CommentAttri, "Comment", fsBold | fsItalic, clGray, clSilver},
              {&Xml::DocTypeAttri, "DOCTYPE Section", fsItalic, clBlue},
              {&Xml::AttributeAttri, "Attribute Name", 0, clMaroon},
              {&Xml::NamespaceAttributeAttri, "Namespace Attribute Name", 0, clRed},
              {&Xml::AttributeValueAttri, "Attribute Value", fsBold, clNavy},
              {&Xml::NamespaceAttributeValueAttri, "Namespace Attribute Value", fsBold, clRed},
              {&Xml::SymbolAttri, "Symbol", 0, clBlue}}),
         {"Comment", "Attribute Name", "Element Name", "", "Whitespace", "Symbol"},
         11,
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 18}},
    };
    return languages;
}

class HighlighterLanguage : public testing::TestWithParam<THighlighterClass> {
protected:
    HighlighterLanguage() : highlighter(GetParam().create()) {}

    const ExpectedLanguage& Expected() const {
        for (const ExpectedLanguage& language : Languages()) {
            if (language.className == GetParam().className)
                return language;
        }
        ADD_FAILURE() << GetParam().className << " has no row of expectations";
        return Languages().front();
    }

    std::unique_ptr<TSynCustomHighlighter> highlighter;
};

TEST_P(HighlighterLanguage, ClassData) {
    const ExpectedLanguage& expected = Expected();
    EXPECT_EQ(highlighter->LanguageName(), expected.languageName);
    EXPECT_EQ(highlighter->DefaultFilter(), expected.filter);
    EXPECT_EQ(highlighter->SampleSource(), expected.sample);
    EXPECT_EQ(highlighter->Capabilities(), expected.capabilities);
    TSynCharSet identifierChars;
    for (const unsigned char c : "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz" +
                                     expected.identifierChars) {
        identifierChars.set(c);
    }
    for (int c = 192; c < 256; ++c) {
        identifierChars[std::size_t(c)] = c != 215 && c != 247;
    }
    EXPECT_EQ(highlighter->IdentifierChars(), identifierChars);
}

TEST_P(HighlighterLanguage, AttributesWithTheirDefaultsInNameOrder) {
    std::vector<ExpectedAttribute> expected = Expected().attributes;
    ASSERT_EQ(highlighter->AttributeCount(), static_cast<int>(expected.size()));
    std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
        return strcasecmp(a.name.c_str(), b.name.c_str()) < 0;
    });
    for (int i = 0; i < highlighter->AttributeCount(); ++i) {
        const ExpectedAttribute& e = expected[std::size_t(i)];
        const TSynHighlighterAttributes* attribute = highlighter->AttributeAt(i);
        EXPECT_EQ(e.accessor(*highlighter), attribute) << e.name << "'s accessor";
        EXPECT_EQ(attribute->Name(), e.name);
        EXPECT_EQ(attribute->Style(), e.style) << e.name;
        EXPECT_EQ(attribute->Foreground(), e.foreground) << e.name;
        EXPECT_EQ(attribute->Background(), e.background) << e.name;
        EXPECT_FALSE(attribute->ForegroundStored() || attribute->BackgroundStored() ||
                     attribute->StyleStored())
            << e.name;
    }
}

TEST_P(HighlighterLanguage, DefaultAttributeRoles) {
    const auto& roles = Expected().roles;
    for (int role = -1; role <= 6; ++role) {
        const TSynHighlighterAttributes* attribute = highlighter->DefaultAttribute(role);
        const std::string expected = role >= 0 && role < 6 ? roles[std::size_t(role)] : "";
        EXPECT_EQ(attribute != nullptr ? attribute->Name() : "", expected) << "role " << role;
    }
}

TEST_P(HighlighterLanguage, OnlyItsOwnRangesRestore) {
    const ExpectedLanguage& expected = Expected();
    highlighter->ClearRange();
    EXPECT_EQ(highlighter->CurrentRange(), expected.initialRange);
    for (unsigned value = 0; value <= std::numeric_limits<TSynRange>::max(); ++value) {
        const auto range = static_cast<TSynRange>(value);
        highlighter->RestoreRange(range);
        const bool known = range == expected.initialRange || expected.ranges.count(range) != 0;
        EXPECT_EQ(highlighter->CurrentRange(), known ? range : expected.initialRange) << value;
        highlighter->ClearRange();
        EXPECT_EQ(highlighter->CurrentRange(), expected.initialRange) << "cleared from " << value;
    }
}

TEST_P(HighlighterLanguage, EmptyLineIsOnlyTheNullTokenInEveryRange) {
    std::set<TSynRange> ranges = Expected().ranges;
    ranges.insert(Expected().initialRange);
    for (const TSynRange range : ranges) {
        highlighter->RestoreRange(range);
        highlighter->StartLine("", LineIndex(0));
        EXPECT_TRUE(highlighter->AtLineEnd()) << range;
        EXPECT_EQ(highlighter->TokenStart(), ByteColumn(0)) << range;
        EXPECT_EQ(highlighter->TokenAttribute(), nullptr) << range;
        EXPECT_EQ(highlighter->CurrentRange(), range) << "an empty line keeps the range";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLanguage, HighlighterLanguage,
                         testing::ValuesIn(HighlighterClasses()), ClassNameOf);

} // namespace
