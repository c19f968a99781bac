#include "codeedit/SynHighlighterSQL.h"

#include "codeedit/SynHighlighterKeywords.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>

namespace {

using SynChars::IsDigit;
using SynChars::IsLetter;

constexpr bool IsWordChar(unsigned char c) {
    return IsLetter(c) || IsDigit(c) || c == '_' || c == '#' || c == '$';
}
constexpr TSynCharClass wordChars(IsWordChar);

bool EndsStringLine(unsigned char c) {
    return c == 0 || c == '\r' || c == '\n';
}

// Capitals weigh as their small letters, every other byte as itself: words equal but for case
// weigh the same and compare equal.
constexpr TSynWeights foldedByteWeights = [] {
    TSynWeights folded{};
    for (int c = 0; c < 256; ++c) {
        folded[static_cast<std::size_t>(c)] = c >= 'A' && c <= 'Z' ? c + 32 : c;
    }
    return folded;
}();

// The keywords' sums stay below 2,200; a longer table name's sum wraps and shares an entry.
constexpr unsigned WordBuckets = 4096;

// The weight of each word character, nothing for other bytes: no word character weighs
// nothing, so the word scan needs one look-up a byte.
constexpr std::array<std::uint8_t, 256> wordCharWeights = [] {
    std::array<std::uint8_t, 256> weights{};
    for (int c = 0; c < 256; ++c) {
        if (IsWordChar(static_cast<unsigned char>(c))) {
            weights[static_cast<std::size_t>(c)] =
                static_cast<std::uint8_t>(foldedByteWeights[static_cast<std::size_t>(c)]);
        }
    }
    return weights;
}();

int BucketOfSum(unsigned sum) {
    return static_cast<int>(sum % WordBuckets);
}

int BucketOf(std::string_view word) {
    unsigned sum = 0;
    for (unsigned char c : word) {
        sum += static_cast<unsigned>(foldedByteWeights[c]);
    }
    return BucketOfSum(sum);
}

const std::vector<std::string_view> sybaseWords = {
    "absolute",
    "action",
    "add",
    "after",
    "alias",
    "all",
    "allocate",
    "alter",
    "and",
    "any",
    "are",
    "arith_overflow",
    "as",
    "asc",
    "assertion",
    "async",
    "at",
    "authorization",
    "avg",
    "before",
    "begin",
    "between",
    "bit",
    "bit_length",
    "boolean",
    "both",
    "breadth",
    "break",
    "browse",
    "bulk",
    "by",
    "call",
    "cascade",
    "cascaded",
    "case",
    "cast",
    "catalog",
    "char",
    "char_convert",
    "char_length",
    "character",
    "character_length",
    "check",
    "checkpoint",
    "close",
    "clustered",
    "coalesce",
    "collate",
    "collation",
    "column",
    "commit",
    "completion",
    "compute",
    "confirm",
    "connect",
    "connection",
    "constraint",
    "constraints",
    "continue",
    "controlrow",
    "convert",
    "corresponding",
    "count",
    "create",
    "cross",
    "current",
    "current_date",
    "current_time",
    "current_timestamp",
    "current_user",
    "cursor",
    "cycle",
    "data",
    "database",
    "date",
    "day",
    "dbcc",
    "deallocate",
    "dec",
    "decimal",
    "declare",
    "default",
    "deferrable",
    "deferred",
    "delete",
    "depth",
    "desc",
    "describe",
    "descriptor",
    "diagnostics",
    "dictionary",
    "dis",
    "disconnect",
    "distinct",
    "domain",
    "double",
    "drop",
    "dummy",
    "dump",
    "each",
    "else",
    "elseif",
    "en",
    "end",
    "endtran",
    "equals",
    "errlvl",
    "errordata",
    "errorexit",
    "escape",
    "except",
    "exception",
    "exclusive",
    "exec",
    "execute",
    "exists",
    "exit",
    "exp_row_size",
    "external",
    "extract",
    "false",
    "fetch",
    "fillfactor",
    "first",
    "float",
    "for",
    "foreign",
    "found",
    "from",
    "full",
    "general",
    "get",
    "global",
    "go",
    "goto",
    "grant",
    "group",
    "having",
    "holdlock",
    "hour",
    "identity",
    "identity_gap",
    "identity_insert",
    "identity_start",
    "if",
    "ignore",
    "immediate",
    "in",
    "index",
    "indicator",
    "initially",
    "inner",
    "input",
    "insensitive",
    "insert",
    "install",
    "int",
    "integer",
    "intersect",
    "interval",
    "into",
    "is",
    "isolation",
    "jar",
    "join",
    "key",
    "kill",
    "language",
    "last",
    "leading",
    "leave",
    "left",
    "less",
    "level",
    "like",
    "limit",
    "lineno",
    "load",
    "local",
    "lock",
    "loop",
    "lower",
    "match",
    "max",
    "max_rows_per_page",
    "min",
    "minute",
    "mirror",
    "mirrorexit",
    "modify",
    "module",
    "month",
    "names",
    "national",
    "natural",
    "nchar",
    "new",
    "next",
    "no",
    "noholdlock",
    "nonclustered",
    "none",
    "not",
    "null",
    "nullif",
    "numeric",
    "numeric_truncation",
    "object",
    "octet_length",
    "of",
    "off",
    "offsets",
    "oid",
    "old",
    "on",
    "once",
    "online",
    "only",
    "open",
    "operation",
    "operators",
    "option",
    "or",
    "order",
    "others",
    "outer",
    "output",
    "over",
    "overlaps",
    "pad",
    "parameters",
    "partial",
    "partition",
    "pendant",
    "perm",
    "permanent",
    "plan",
    "position",
    "precision",
    "preorder",
    "prepare",
    "preserve",
    "primary",
    "print",
    "prior",
    "private",
    "privileges",
    "proc",
    "procedure",
    "processexit",
    "protected",
    "proxy_table",
    "public",
    "quiesce",
    "raiserror",
    "read",
    "readpast",
    "readtext",
    "real",
    "reconfigure",
    "recursive",
    "ref",
    "reference",
    "referencing",
    "relative",
    "remove",
    "reorg",
    "replace",
    "replication",
    "reservepagegap",
    "resignal",
    "restrict",
    "return",
    "returns",
    "revoke",
    "right",
    "role",
    "rollback",
    "routine",
    "row",
    "rowcount",
    "rows",
    "rule",
    "save",
    "savepoint",
    "schema",
    "scroll",
    "search",
    "second",
    "section",
    "select",
    "sensitive",
    "sequence",
    "session_user",
    "set",
    "setuser",
    "shared",
    "shutdown",
    "signal",
    "similar",
    "size",
    "smallint",
    "some",
    "space",
    "sql",
    "sqlcode",
    "sqlerror",
    "sqlexception",
    "sqlstate",
    "statistics",
    "stripe",
    "structure",
    "substring",
    "sum",
    "syb_identity",
    "syb_restree",
    "system_user",
    "table",
    "temp",
    "temporary",
    "test",
    "textsize",
    "then",
    "there",
    "time",
    "timestamp",
    "timezone_hour",
    "timezone_minute",
    "to",
    "trailing",
    "tran",
    "transaction",
    "translate",
    "translation",
    "trigger",
    "trim",
    "true",
    "truncate",
    "tsequal",
    "type",
    "under",
    "union",
    "unique",
    "unknown",
    "unpartition",
    "update",
    "upper",
    "usage",
    "use",
    "user",
    "user_option",
    "using",
    "value",
    "values",
    "varchar",
    "variable",
    "varying",
    "view",
    "virtual",
    "visible",
    "wait",
    "waitfor",
    "when",
    "whenever",
    "where",
    "while",
    "with",
    "without",
    "work",
    "write",
    "writetext",
    "year",
    "zone",
};

const bool registered = (TSynHighlighterList::Instance().Add("TSynSQLSyn"), true);

} // namespace

struct TSqlDispatch {
    static constexpr TSynDispatchTable<TSynSQLSyn> Build() {
        auto t = TSynSQLSyn::SharedDispatch<TSynSQLSyn>(&TSynSQLSyn::SymbolProc);
        for (int c = 0; c < 256; ++c) {
            const auto byte = static_cast<unsigned char>(c);
            if (IsLetter(byte) || byte == '_') {
                t[byte] = &TSynSQLSyn::WordProc;
            } else if (IsDigit(byte)) {
                t[byte] = &TSynSQLSyn::NumberProc;
            } else if (byte >= 127) {
                t[byte] = &TSynSQLSyn::UnknownProc;
            }
        }
        SetDispatch(t, "#$\\`", &TSynSQLSyn::UnknownProc);
        SetDispatch(t, "!%*^", &TSynSQLSyn::AssignableProc);
        t['\''] = &TSynSQLSyn::QuoteProc;
        t['"'] = &TSynSQLSyn::DoubleQuoteProc;
        t['@'] = &TSynSQLSyn::VariableProc;
        t['-'] = &TSynSQLSyn::MinusProc;
        t['/'] = &TSynSQLSyn::SlashProc;
        t['<'] = &TSynSQLSyn::LowerProc;
        t['='] = &TSynSQLSyn::EqualProc;
        t['>'] = &TSynSQLSyn::GreaterProc;
        t['&'] = &TSynSQLSyn::AndProc;
        t['+'] = &TSynSQLSyn::PlusProc;
        t['|'] = &TSynSQLSyn::OrProc;
        return t;
    }
};

const std::vector<std::string_view>& TSynSQLSyn::SybaseWords() {
    return sybaseWords;
}

namespace {

using K = TSqlTokenKind;

constexpr TSynAttributeDescriptor sqlAttributes[] = {
    {"Comment", SYN_ATTR_COMMENT, Kinds(K::Comment), fsItalic},
    {"Data type", kNoRole, Kinds(K::DataType), fsBold},
    {"Default packages", kNoRole, Kinds(K::DefaultPackage), fsBold},
    {"Exception", kNoRole, Kinds(K::Exception), fsItalic},
    {"Function", kNoRole, Kinds(K::Function), fsBold},
    {"Identifier", SYN_ATTR_IDENTIFIER, Kinds(K::Identifier, K::Unknown)},
    {"Reserved word", SYN_ATTR_KEYWORD, Kinds(K::Keyword), fsBold},
    {"Number", kNoRole, Kinds(K::Number)},
    {"Reserved word (PL/SQL)", kNoRole, Kinds(K::PLSQL), fsBold},
    {"Space", SYN_ATTR_WHITESPACE, Kinds(K::Space)},
    {"SQL*Plus command", kNoRole, Kinds(K::SQLPlus), fsBold},
    {"String", SYN_ATTR_STRING, Kinds(K::String)},
    {"Symbol", SYN_ATTR_SYMBOL, Kinds(K::Symbol)},
    {"Table name", kNoRole, Kinds(K::TableName)},
    {"Variable", kNoRole, Kinds(K::Variable)},
};

} // namespace

const TSynLanguageDescriptor sqlLanguage = {
    .name = "SQL",
    .filter = "SQL Files (*.sql)|*.sql",
    .attributes = sqlAttributes,
};

TSynSQLSyn::TSynSQLSyn()
    : TSynRangedHighlighter(sqlLanguage, static_cast<int>(TSqlTokenKind::Null),
                            static_cast<int>(TSqlTokenKind::Space), TSqlRange::Normal,
                            {TSqlRange::Comment, TSqlRange::String}),
      words(foldedByteWeights, WordBuckets - 1, TSynKeywordCase::ByWeight) {
    RebuildWords();
}

void TSynSQLSyn::AddWord(std::string_view word, TSqlTokenKind kind) {
    longestWord = std::max(longestWord, word.size());
    const int hash = BucketOf(word);
    if (words.Find(word, hash).outcome == TSynKeywordTable::Outcome::Found) {
        std::string message = "Keyword \"";
        message.append(word).append("\" already in list");
        throw std::invalid_argument(message);
    }
    words.Add(word, static_cast<int>(kind), hash);
}

void TSynSQLSyn::RebuildWords() {
    words = TSynKeywordTable(foldedByteWeights, WordBuckets - 1, TSynKeywordCase::ByWeight);
    longestWord = 0;
    for (auto word : sybaseWords) {
        AddWord(word, TSqlTokenKind::Keyword);
    }
    for (const auto& name : tableNames) {
        if (!name.empty() &&
            words.Find(name, BucketOf(name)).outcome != TSynKeywordTable::Outcome::Found) {
            AddWord(name, TSqlTokenKind::TableName);
        }
    }
}

void TSynSQLSyn::SetTableNames(std::vector<std::string> names) {
    tableNames = std::move(names);
    RebuildWords();
}

TSqlTokenKind TSynSQLSyn::WordKind(std::string_view word) const {
    return KindInBucket(word, BucketOf(word));
}

TSqlTokenKind TSynSQLSyn::KindInBucket(std::string_view word, int bucket) const {
    if (word.size() > longestWord) {
        return TSqlTokenKind::Identifier;
    }
    return static_cast<TSqlTokenKind>(
        words.KindOf(word, bucket, static_cast<int>(TSqlTokenKind::Identifier)));
}

bool TSynSQLSyn::IsKeywordText(std::string_view word) const {
    switch (WordKind(word)) {
    case TSqlTokenKind::DataType:
    case TSqlTokenKind::DefaultPackage:
    case TSqlTokenKind::Exception:
    case TSqlTokenKind::Function:
    case TSqlTokenKind::Keyword:
    case TSqlTokenKind::PLSQL:
        return true;
    default:
        return false;
    }
}

void TSynSQLSyn::NextToken() {
    tokenPos = run;
    switch (range) {
    case TSqlRange::Comment:
        if (AtEnd(run)) {
            SetKind(TSqlTokenKind::Null);
        } else {
            SetKind(TSqlTokenKind::Comment);
            CommentScan();
        }
        break;
    case TSqlRange::String:
        QuoteProc();
        break;
    default: {
        // Words, spaces and one-byte symbols are most of the tokens: tests and direct calls
        // are predicted far better than the jump through the table.
        const unsigned char c = At(run);
        if (IsLetter(c) || c == '_') {
            WordProc();
        } else if (c == ' ') {
            SpaceProc();
        } else if (dispatchTable<TSqlDispatch>[c] == &TSynSQLSyn::SymbolProc) {
            SymbolProc();
        } else {
            (this->*dispatchTable<TSqlDispatch>[c])();
        }
        break;
    }
    }
}

// Weighed while it is scanned: every word of the text comes through here.
void TSynSQLSyn::WordProc() {
    const std::size_t start = run;
    std::size_t i = start; // a local: see TakeWord
    unsigned sum = 0;
    for (unsigned weight = wordCharWeights[At(i)]; weight != 0; weight = wordCharWeights[At(++i)]) {
        sum += weight;
    }
    run = i;
    SetKind(KindInBucket({line + start, i - start}, BucketOfSum(sum)));
}

// Digits, "-" and "."; a ".." ends the number so that ranges read as two numbers.
void TSynSQLSyn::NumberProc() {
    ++run;
    for (unsigned char c = At(run); IsDigit(c) || c == '-' || c == '.'; c = At(run)) {
        if (c == '.' && At(run + 1) == '.') {
            break;
        }
        ++run;
    }
    SetKind(TSqlTokenKind::Number);
}

// A single-quoted string, opened here or going on from the line before. There is no escape:
// "''" closes the string and opens the next one.
void TSynSQLSyn::QuoteProc() {
    if (AtEnd(run)) {
        SetKind(TSqlTokenKind::Null);
        return;
    }
    SetKind(TSqlTokenKind::String);
    if (range == TSqlRange::String && run == 0 && At(run) == '\'') {
        ++run;
        range = TSqlRange::Normal;
        return;
    }
    range = TSqlRange::String;
    ++run;
    while (!AtEnd(run) && At(run) != '\'' && !EndsStringLine(At(run))) {
        ++run;
    }
    if (!AtEnd(run) && At(run) == '\'') {
        ++run;
        range = TSqlRange::Normal;
    }
}

// A double-quoted name: \" is skipped, and of a run of quotes the last one closes it. It
// never goes on to the next line.
void TSynSQLSyn::DoubleQuoteProc() {
    SetKind(TSqlTokenKind::String);
    ++run;
    while (!AtEnd(run) && !EndsStringLine(At(run))) {
        const unsigned char c = At(run);
        if (c == '\\' && At(run + 1) == '"') {
            run += 2;
        } else if (c == '"') {
            ++run;
            if (At(run) != '"') {
                return;
            }
        } else {
            ++run;
        }
    }
}

void TSynSQLSyn::VariableProc() {
    ++run;
    TakeWord(wordChars);
    SetKind(TSqlTokenKind::Variable);
}

void TSynSQLSyn::MinusProc() {
    if (At(run + 1) == '-') {
        run = length;
        SetKind(TSqlTokenKind::Comment);
        return;
    }
    Take(1, TSqlTokenKind::Symbol);
}

void TSynSQLSyn::SlashProc() {
    if (At(run + 1) == '*') {
        run += 2;
        range = TSqlRange::Comment;
        SetKind(TSqlTokenKind::Comment);
        CommentScan();
        return;
    }
    TakeOperator("=", TSqlTokenKind::Symbol);
}

void TSynSQLSyn::CommentScan() {
    while (!AtEnd(run)) {
        if (line[run] == '*' && At(run + 1) == '/') {
            run += 2;
            range = TSqlRange::Normal;
            return;
        }
        ++run;
    }
}

void TSynSQLSyn::LowerProc() {
    if (At(run + 1) == '<' && At(run + 2) == '=') {
        run += 3;
        SetKind(TSqlTokenKind::Symbol);
        return;
    }
    TakeOperator("<=", TSqlTokenKind::Symbol);
}

void TSynSQLSyn::EqualProc() {
    TakeOperator("=>", TSqlTokenKind::Symbol);
}

void TSynSQLSyn::GreaterProc() {
    TakeOperator("=>", TSqlTokenKind::Symbol);
}

void TSynSQLSyn::AndProc() {
    TakeOperator("&=", TSqlTokenKind::Symbol);
}

void TSynSQLSyn::PlusProc() {
    TakeOperator("+=", TSqlTokenKind::Symbol);
}

void TSynSQLSyn::OrProc() {
    TakeOperator("|=", TSqlTokenKind::Symbol);
}

void TSynSQLSyn::AssignableProc() {
    TakeOperator("=", TSqlTokenKind::Symbol);
}

void TSynSQLSyn::SymbolProc() {
    Take(1, TSqlTokenKind::Symbol);
}

void TSynSQLSyn::UnknownProc() {
    Take(1, TSqlTokenKind::Unknown);
}
