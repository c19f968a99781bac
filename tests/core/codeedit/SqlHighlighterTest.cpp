#include "HighlighterTestSupport.h"
#include "codeedit/SynHighlighterSQL.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

using K = TSqlTokenKind;
using R = TSqlRange;

using LineCase = RangedLineCase<R>;

class SqlLineTest : public RangedLineTest<TSynSQLSyn, R> {};

TEST_P(SqlLineTest, TokensAndRangeAfterLine) {
    ExpectTokensAndRange();
}

const LineCase lineCases[] = {
    {"KeywordsAnyCase",
     "SELECT name from t",
     R::Normal,
     {T("SELECT", K::Keyword), T(" ", K::Space), T("name", K::Identifier), T(" ", K::Space),
      T("from", K::Keyword), T(" ", K::Space), T("t", K::Identifier)},
     R::Normal},
    {"WordCharactersIncludeHashAndDollar",
     "x#1 a$b #tmp",
     R::Normal,
     {T("x#1", K::Identifier), T(" ", K::Space), T("a$b", K::Identifier), T(" ", K::Space),
      T("#", K::Unknown), T("tmp", K::Identifier)},
     R::Normal},
    {"Variables",
     "@count @@rowcount",
     R::Normal,
     {T("@count", K::Variable), T(" ", K::Space), T("@", K::Variable), T("@rowcount", K::Variable)},
     R::Normal},
    {"LineComment",
     "a-b -- note",
     R::Normal,
     {T("a", K::Identifier), T("-", K::Symbol), T("b", K::Identifier), T(" ", K::Space),
      T("-- note", K::Comment)},
     R::Normal},
    {"DoubledQuoteClosesAndReopens",
     "'it''s'",
     R::Normal,
     {T("'it'", K::String), T("'s'", K::String)},
     R::Normal},
    {"OpenStringGoesOn",
     "x = 'abc",
     R::Normal,
     {T("x", K::Identifier), T(" ", K::Space), T("=", K::Symbol), T(" ", K::Space),
      T("'abc", K::String)},
     R::String},
    {"StringContinues", "still inside", R::String, {T("still inside", K::String)}, R::String},
    {"StringClosesLater",
     "end' x",
     R::String,
     {T("end'", K::String), T(" ", K::Space), T("x", K::Identifier)},
     R::Normal},
    {"QuoteAtFirstColumnClosesAlone",
     "'a'",
     R::String,
     {T("'", K::String), T("a", K::Identifier), T("'", K::String)},
     R::String},
    {"EmptyLineInString", "", R::String, {}, R::String},
    {"NumbersAndRanges",
     "1..2 1-2 3.5",
     R::Normal,
     {T("1", K::Number), T(".", K::Symbol), T(".", K::Symbol), T("2", K::Number), T(" ", K::Space),
      T("1-2", K::Number), T(" ", K::Space), T("3.5", K::Number)},
     R::Normal},
    {"BlockComment",
     "a /* c */ b",
     R::Normal,
     {T("a", K::Identifier), T(" ", K::Space), T("/* c */", K::Comment), T(" ", K::Space),
      T("b", K::Identifier)},
     R::Normal},
    {"SlashStarSlashDoesNotClose", "/*/ x", R::Normal, {T("/*/ x", K::Comment)}, R::Comment},
    {"CommentContinues", "more", R::Comment, {T("more", K::Comment)}, R::Comment},
    {"CommentCloses",
     "x */y",
     R::Comment,
     {T("x */", K::Comment), T("y", K::Identifier)},
     R::Normal},
    {"EmptyLineInComment", "", R::Comment, {}, R::Comment},
    {"DoubleQuoted",
     "\"my col\"x",
     R::Normal,
     {T("\"my col\"", K::String), T("x", K::Identifier)},
     R::Normal},
    {"DoubleQuotedRunOfQuotes",
     "\"a\"\"b\"",
     R::Normal,
     {T("\"a\"\"", K::String), T("b", K::Identifier), T("\"", K::String)},
     R::Normal},
    {"DoubleQuotedEscape",
     "\"a\\\"b\" c",
     R::Normal,
     {T("\"a\\\"b\"", K::String), T(" ", K::Space), T("c", K::Identifier)},
     R::Normal},
    {"DoubleQuotedNeverGoesOn", "\"open", R::Normal, {T("\"open", K::String)}, R::Normal},
    {"Operators",
     "<<= << <= < == => = >= >> > && &= & ++ += + || |= | != ! %= *= ^= /= / :",
     R::Normal,
     {T("<<=", K::Symbol), T(" ", K::Space), T("<<", K::Symbol), T(" ", K::Space),
      T("<=", K::Symbol),  T(" ", K::Space), T("<", K::Symbol),  T(" ", K::Space),
      T("==", K::Symbol),  T(" ", K::Space), T("=>", K::Symbol), T(" ", K::Space),
      T("=", K::Symbol),   T(" ", K::Space), T(">=", K::Symbol), T(" ", K::Space),
      T(">>", K::Symbol),  T(" ", K::Space), T(">", K::Symbol),  T(" ", K::Space),
      T("&&", K::Symbol),  T(" ", K::Space), T("&=", K::Symbol), T(" ", K::Space),
      T("&", K::Symbol),   T(" ", K::Space), T("++", K::Symbol), T(" ", K::Space),
      T("+=", K::Symbol),  T(" ", K::Space), T("+", K::Symbol),  T(" ", K::Space),
      T("||", K::Symbol),  T(" ", K::Space), T("|=", K::Symbol), T(" ", K::Space),
      T("|", K::Symbol),   T(" ", K::Space), T("!=", K::Symbol), T(" ", K::Space),
      T("!", K::Symbol),   T(" ", K::Space), T("%=", K::Symbol), T(" ", K::Space),
      T("*=", K::Symbol),  T(" ", K::Space), T("^=", K::Symbol), T(" ", K::Space),
      T("/=", K::Symbol),  T(" ", K::Space), T("/", K::Symbol),  T(" ", K::Space),
      T(":", K::Symbol)},
     R::Normal},
    {"StrayCharacters",
     "$\\`\x7F\xE9(",
     R::Normal,
     {T("$", K::Unknown), T("\\", K::Unknown), T("`", K::Unknown), T("\x7F", K::Unknown),
      T("\xE9", K::Unknown), T("(", K::Symbol)},
     R::Normal},
    {"Spaces",
     "\t \r\n\n\x01",
     R::Normal,
     {T("\t ", K::Space), T("\r\n", K::Space), T("\n", K::Space), T("\x01", K::Space)},
     R::Normal},
};

INSTANTIATE_TEST_SUITE_P(Lines, SqlLineTest, testing::ValuesIn(lineCases),
                         [](const auto& info) { return std::string(info.param.name); });

std::string Upper(std::string_view word) {
    std::string upper(word);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

TEST(SqlHighlighter, EverySybaseWordIsAKeywordInAnyCase) {
    TSynSQLSyn sql;
    ASSERT_EQ(TSynSQLSyn::SybaseWords().size(), 373u);
    for (auto word : TSynSQLSyn::SybaseWords()) {
        for (const std::string& spelling : {std::string(word), Upper(word)}) {
            sql.StartLine(spelling, LineIndex(0));
            EXPECT_EQ(sql.TokenKind(), static_cast<int>(K::Keyword)) << spelling;
            EXPECT_EQ(sql.TokenText(), spelling);
            EXPECT_TRUE(sql.IsKeywordText(spelling)) << spelling;
            sql.StartLine(spelling + "#", LineIndex(0));
            EXPECT_EQ(sql.TokenKind(), static_cast<int>(K::Identifier)) << spelling;
        }
    }
}

TEST(SqlHighlighter, TableNames) {
    TSynSQLSyn sql;
    sql.SetTableNames({"customers", "select", "Orders", "ORDERS", "t1"});
    const std::pair<const char*, K> cases[] = {
        {"Customers", K::TableName}, {"orders", K::TableName}, {"select", K::Keyword},
        {"t1", K::TableName},        {"t2", K::Identifier},    {"customer", K::Identifier}};
    for (const auto& [word, kind] : cases) {
        sql.StartLine(word, LineIndex(0));
        EXPECT_EQ(sql.TokenKind(), static_cast<int>(kind)) << word;
    }
    EXPECT_FALSE(sql.IsKeywordText("customers"));
    EXPECT_TRUE(sql.IsKeywordText("Select"));
    EXPECT_FALSE(sql.IsKeywordText("nothing"));

    sql.SetTableNames({});
    sql.StartLine("customers", LineIndex(0));
    EXPECT_EQ(sql.TokenKind(), static_cast<int>(K::Identifier));
}

TEST(SqlHighlighter, DialectAndTokenAttributes) {
    TSynSQLSyn sql;
    EXPECT_EQ(sql.SQLDialect(), TSQLDialect::sqlSybase);
    EXPECT_EQ(static_cast<int>(TSQLDialect::sqlSybase), 5);
    sql.StartLine("#", LineIndex(0));
    EXPECT_EQ(sql.TokenAttribute(), sql.IdentifierAttri());
    sql.StartLine("@v", LineIndex(0));
    EXPECT_EQ(sql.TokenAttribute(), sql.VariableAttri());
}

} // namespace
