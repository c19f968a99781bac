#pragma once
// TSynSQLSyn: colours SQL scripts in the Sybase dialect (keywords, table names, variables,
// comments, strings, numbers, operators). It does not parse statements.

#include "codeedit/SynHighlighterScanner.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TSqlTokenKind : int {
    Comment = 0,
    DataType = 1,
    DefaultPackage = 2,
    Exception = 3,
    Function = 4,
    Identifier = 5,
    Keyword = 6,
    Null = 7,
    Number = 8,
    Space = 9,
    PLSQL = 10,
    SQLPlus = 11,
    String = 12,
    Symbol = 13,
    TableName = 14,
    Unknown = 15,
    Variable = 16
};

enum class TSqlRange : std::uint8_t { Normal = 0, Comment = 1, String = 2 };

// Only the Sybase dialect is built; the program never selects another.
enum class TSQLDialect : int {
    sqlStandard,
    sqlInterbase6,
    sqlMSSQL7,
    sqlMySQL,
    sqlOracle,
    sqlSybase,
    sqlIngres,
    sqlMSSQL2K
};

extern const TSynLanguageDescriptor sqlLanguage;

class TSynSQLSyn final : public TSynRangedHighlighter<TSqlRange> {
public:
    TSynSQLSyn();

    bool IsKeywordText(std::string_view word) const override;
    void NextToken() override;
    void TokensOfLine(std::string_view text, LineIndex lineIndex,
                      std::vector<TSynToken>& tokens) override {
        TokensOfLineAs(*this, text, lineIndex, tokens);
    }

    TSQLDialect SQLDialect() const { return TSQLDialect::sqlSybase; }
    const std::vector<std::string>& TableNames() const { return tableNames; }
    // Names that are not words yet become table names; the word list is rebuilt.
    void SetTableNames(std::vector<std::string> names);

    TSynHighlighterAttributes* CommentAttri() const { return KindAttribute(K::Comment); }
    TSynHighlighterAttributes* DataTypeAttri() const { return KindAttribute(K::DataType); }
    TSynHighlighterAttributes* DefaultPackageAttri() const {
        return KindAttribute(K::DefaultPackage);
    }
    TSynHighlighterAttributes* ExceptionAttri() const { return KindAttribute(K::Exception); }
    TSynHighlighterAttributes* FunctionAttri() const { return KindAttribute(K::Function); }
    TSynHighlighterAttributes* IdentifierAttri() const { return KindAttribute(K::Identifier); }
    TSynHighlighterAttributes* KeyAttri() const { return KindAttribute(K::Keyword); }
    TSynHighlighterAttributes* NumberAttri() const { return KindAttribute(K::Number); }
    TSynHighlighterAttributes* PLSQLAttri() const { return KindAttribute(K::PLSQL); }
    TSynHighlighterAttributes* SpaceAttri() const { return KindAttribute(K::Space); }
    TSynHighlighterAttributes* SQLPlusAttri() const { return KindAttribute(K::SQLPlus); }
    TSynHighlighterAttributes* StringAttri() const { return KindAttribute(K::String); }
    TSynHighlighterAttributes* SymbolAttri() const { return KindAttribute(K::Symbol); }
    TSynHighlighterAttributes* TableNameAttri() const { return KindAttribute(K::TableName); }
    TSynHighlighterAttributes* VariableAttri() const { return KindAttribute(K::Variable); }

    static const std::vector<std::string_view>& SybaseWords();

private:
    using K = TSqlTokenKind;

    friend struct TSqlDispatch;
    void RebuildWords();
    // Throws std::invalid_argument "Keyword "<word>" already in list" for a duplicate.
    void AddWord(std::string_view word, TSqlTokenKind kind);
    TSqlTokenKind WordKind(std::string_view word) const;
    // The kind of a word whose entry in words is known.
    TSqlTokenKind KindInBucket(std::string_view word, int bucket) const;

    void WordProc();
    void NumberProc();
    void QuoteProc();
    void DoubleQuoteProc();
    void VariableProc();
    void MinusProc();
    void SlashProc();
    void LowerProc();
    void EqualProc();
    void GreaterProc();
    void AndProc();
    void PlusProc();
    void OrProc();
    void AssignableProc();
    void SymbolProc();
    void UnknownProc();
    void CommentScan();

    std::vector<std::string> tableNames;
    // Keywords and table names by the sum of their bytes with capitals weighing as small
    // letters; compared ignoring case, so no word is lowered or copied to be looked up.
    TSynKeywordTable words;
    std::size_t longestWord = 0;
};
