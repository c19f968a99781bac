#include "codeedit/SynHighlighterVB.h"

#include "codeedit/SynHighlighterKeywords.h"

namespace {

using SynChars::IsDigit;

constexpr int MaxKey = 133;

constexpr bool IsWordChar(unsigned char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
constexpr TSynCharClass wordChars(IsWordChar);

constexpr bool IsNumberChar(unsigned char c) {
    return IsDigit(c) || c == '.' || c == 'E' || c == 'e';
}

TSynWeights Weights() {
    TSynWeights weights = CaseFoldedLetterWeights();
    weights['_'] = 31;
    return weights;
}

const std::vector<std::string_view> keywords = {
    "ddb",        "if",           "each",      "me",       "and",        "do",
    "as",         "cdbl",         "abs",       "end",      "with",       "asc",
    "tab",        "iif",          "mid",       "eof",      "dim",        "rgb",
    "base",       "fv",           "beep",      "call",     "case",       "is",
    "on",         "chr",          "loc",       "date",     "dir",        "len",
    "mod",        "get",          "name",      "lof",      "or",         "cdate",
    "log",        "val",          "tan",       "to",       "atn",        "clng",
    "rnd",        "cos",          "begin",     "let",      "hex",        "spc",
    "pv",         "imp",          "oct",       "dateadd",  "clear",      "for",
    "fix",        "seek",         "sgn",       "line",     "lcase",      "lock",
    "err",        "else",         "chdir",     "sub",      "sin",        "new",
    "csng",       "int",          "left",      "cvar",     "kill",       "set",
    "rate",       "space",        "eqv",       "ccur",     "irr",        "sln",
    "exp",        "cint",         "wend",      "time",     "cbool",      "then",
    "long",       "syd",          "erase",     "ucase",    "redim",      "pmt",
    "not",        "circle",       "open",      "raise",    "now",        "npv",
    "byte",       "form",         "nper",      "sqr",      "class",      "close",
    "mkdir",      "datediff",     "object",    "cbyte",    "lset",       "shell",
    "elseif",     "str",          "goto",      "xor",      "put",        "while",
    "mirr",       "isdate",       "ipmt",      "exit",     "loop",       "double",
    "second",     "cstr",         "pset",      "trim",     "rmdir",      "right",
    "rset",       "hour",         "next",      "filelen",  "public",     "command",
    "array",      "select",       "gosub",     "boolean",  "width",      "timer",
    "ppmt",       "freefile",     "single",    "cverr",    "reset",      "lbound",
    "chdrive",    "stop",         "month",     "module",   "const",      "compare",
    "ltrim",      "static",       "curdir",    "format",   "weekday",    "error",
    "write",      "until",        "unlock",    "ubound",   "print",      "integer",
    "rtrim",      "empty",        "instr",     "input",    "msgbox",     "deftype",
    "resume",     "minute",       "switch",    "qbcolor",  "isobject",   "variant",
    "datepart",   "string",       "nothing",   "isnull",   "getobject",  "option",
    "private",    "datevalue",    "fileattr",  "isarray",  "filecopy",   "getattr",
    "dateserial", "return",       "environ",   "explicit", "typename",   "system",
    "function",   "version",      "sendkeys",  "iserror",  "setattr",    "doevents",
    "strcomp",    "randomize",    "isempty",   "currency", "vartype",    "createobject",
    "timevalue",  "filedatetime", "isnumeric", "strconv",  "timeserial", "appactivate",
    "attribute",  "ismissing",    "property",
};

const TSynKeywordTable& KeywordTable() {
    static const TSynKeywordTable table(Weights(), MaxKey, TSynKeywordCase::ByWeight, keywords,
                                        static_cast<int>(TVbTokenKind::Keyword));
    return table;
}

bool IsRem(std::string_view word) {
    return word.size() == 3 && (word[0] | 0x20) == 'r' && (word[1] | 0x20) == 'e' &&
           (word[2] | 0x20) == 'm';
}

const bool registered = (TSynHighlighterList::Instance().Add("TSynVBSyn"), true);

} // namespace

struct TVbDispatch {
    static constexpr TSynDispatchTable<TSynVBSyn> Build() {
        auto t = TSynVBSyn::SharedDispatch<TSynVBSyn>(&TSynVBSyn::UnknownProc);
        for (int c = 0; c < 256; ++c) {
            if (IsWordChar(static_cast<unsigned char>(c))) {
                t[static_cast<std::size_t>(c)] = IsDigit(static_cast<unsigned char>(c))
                                                     ? &TSynVBSyn::NumberProc
                                                     : &TSynVBSyn::WordProc;
            }
        }
        SetDispatch(t, "&()*+,-./:;=^{}", &TSynVBSyn::SymbolProc);
        t['\''] = &TSynVBSyn::CommentProc;
        t['"'] = &TSynVBSyn::StringProc;
        t['#'] = &TSynVBSyn::DateProc;
        t['<'] = &TSynVBSyn::LowerProc;
        t['>'] = &TSynVBSyn::GreaterProc;
        return t;
    }
};

const std::vector<std::string_view>& TSynVBSyn::Keywords() {
    return keywords;
}

namespace {

using K = TVbTokenKind;

constexpr TSynAttributeDescriptor vbAttributes[] = {
    {"Comment", SYN_ATTR_COMMENT, Kinds(K::Comment), fsItalic},
    {"Identifier", SYN_ATTR_IDENTIFIER, Kinds(K::Identifier, K::Unknown)},
    {"Reserved word", SYN_ATTR_KEYWORD, Kinds(K::Keyword), fsBold},
    {"Number", kNoRole, Kinds(K::Number)},
    {"Space", SYN_ATTR_WHITESPACE, Kinds(K::Space)},
    {"String", SYN_ATTR_STRING, Kinds(K::String)},
    {"Symbol", SYN_ATTR_SYMBOL, Kinds(K::Symbol)},
};

} // namespace

const TSynLanguageDescriptor vbLanguage = {
    .name = "Visual Basic",
    .filter = "Visual Basic Files (*.bas)|*.bas",
    .attributes = vbAttributes,
};

TSynVBSyn::TSynVBSyn()
    : TSynScanningHighlighter(vbLanguage, static_cast<int>(TVbTokenKind::Null),
                              static_cast<int>(TVbTokenKind::Space)) {}

void TSynVBSyn::NextToken() {
    tokenPos = run;
    (this->*dispatchTable<TVbDispatch>[At(run)])();
}

void TSynVBSyn::WordProc() {
    const std::string_view word = TakeWord(wordChars);
    if (IsRem(word)) {
        run = length;
        SetKind(TVbTokenKind::Comment);
    } else {
        tokenKind = KeywordTable().KindOf(word, static_cast<int>(TVbTokenKind::Identifier));
    }
}

void TSynVBSyn::NumberProc() {
    ++run;
    while (IsNumberChar(At(run))) {
        ++run;
    }
    SetKind(TVbTokenKind::Number);
}

void TSynVBSyn::CommentProc() {
    run = length;
    SetKind(TVbTokenKind::Comment);
}

// A string ends at the next double quote or the line end; two quotes right after the opening
// one are skipped first, so «"""a"» is one string.
void TSynVBSyn::StringProc() {
    if (At(run + 1) == '"' && At(run + 2) == '"') {
        run += 2;
    }
    while (!AtEnd(run)) {
        ++run;
        if (At(run) == '"') {
            ++run;
            break;
        }
    }
    SetKind(TVbTokenKind::String);
}

void TSynVBSyn::DateProc() {
    ++run;
    while (!AtEnd(run)) {
        if (line[run++] == '#') {
            break;
        }
    }
    SetKind(TVbTokenKind::String);
}

void TSynVBSyn::LowerProc() {
    ++run;
    if (At(run) == '=' || At(run) == '>') {
        ++run;
    }
    SetKind(TVbTokenKind::Symbol);
}

void TSynVBSyn::GreaterProc() {
    ++run;
    if (At(run) == '=') {
        ++run;
    }
    SetKind(TVbTokenKind::Symbol);
}

void TSynVBSyn::SymbolProc() {
    Take(1, TVbTokenKind::Symbol);
}

void TSynVBSyn::UnknownProc() {
    Take(1, TVbTokenKind::Unknown);
}
