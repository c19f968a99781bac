#include "codeedit/SynHighlighterJava.h"

#include "codeedit/SynHighlighterKeywords.h"

#include <string_view>

namespace {

using SynChars::IsDigit;

using K = TJavaTokenKind;

constexpr int MaxKey = 172;

constexpr bool IsWordStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '$' ||
           (c >= 192 && c != 215 && c != 247);
}

constexpr bool IsWordChar(unsigned char c) {
    return IsWordStart(c) || IsDigit(c);
}
constexpr TSynCharClass wordChars(IsWordChar);

constexpr bool IsNumberChar(unsigned char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') || c == '-' || c == '.' ||
           c == 'L' || c == 'l' || c == 'X' || c == 'x';
}

const TSynWeights& JavaWeights() {
    static const TSynWeights weights = [] {
        TSynWeights w{};
        for (int c = 'A'; c <= 'Z'; ++c) {
            w[static_cast<std::size_t>(c)] = c - 'A' + 1;
            w[static_cast<std::size_t>(c - 'A' + 'a')] = c - 'A' + 2;
        }
        for (int c = 192; c <= 255; ++c) {
            if (c != 215 && c != 247) {
                w[static_cast<std::size_t>(c)] = c - 95;
            }
        }
        return w;
    }();
    return weights;
}

const char* const keywords[] = {
    "if",        "do",         "case",        "char",     "catch",     "for",        "break",
    "else",      "new",        "int",         "final",    "false",     "package",    "long",
    "void",      "byte",       "class",       "float",    "this",      "goto",       "while",
    "null",      "double",     "try",         "true",     "public",    "boolean",    "default",
    "const",     "native",     "static",      "super",    "short",     "finally",    "switch",
    "assert",    "throw",      "interface",   "abstract", "import",    "extends",    "private",
    "return",    "volatile",   "continue",    "throws",   "protected", "instanceof", "strictfp",
    "transient", "implements", "synchronized"};

const TSynKeywordTable& KeywordTable() {
    static const TSynKeywordTable table(JavaWeights(), MaxKey, TSynKeywordCase::Exact, keywords,
                                        static_cast<int>(K::Key));
    return table;
}

const bool registered = (TSynHighlighterList::Instance().Add("TSynJavaSyn"), true);

} // namespace

struct TJavaDispatch {
    static constexpr TSynDispatchTable<TSynJavaSyn> Build() {
        auto t = TSynJavaSyn::SharedDispatch<TSynJavaSyn>(&TSynJavaSyn::UnknownProc);
        for (int c = 33; c < 256; ++c) {
            const auto byte = static_cast<unsigned char>(c);
            if (IsWordStart(byte)) {
                t[byte] = &TSynJavaSyn::IdentProc;
            } else if (IsDigit(byte)) {
                t[byte] = &TSynJavaSyn::NumberProc;
            }
        }
        t['.'] = &TSynJavaSyn::DotProc;
        t['"'] = &TSynJavaSyn::StringProc;
        t['\''] = &TSynJavaSyn::CharProc;
        t['/'] = &TSynJavaSyn::SlashProc;
        SetDispatch(t, "#@", &TSynJavaSyn::InvalidSymbolProc);
        t['&'] = &TSynJavaSyn::AndProc;
        t['|'] = &TSynJavaSyn::OrProc;
        t['+'] = &TSynJavaSyn::PlusProc;
        t['-'] = &TSynJavaSyn::MinusProc;
        t['<'] = &TSynJavaSyn::LessProc;
        t['>'] = &TSynJavaSyn::GreaterProc;
        SetDispatch(t, "!%*=^", &TSynJavaSyn::EqualFollowsProc);
        SetDispatch(t, "()[]{},:;?~", &TSynJavaSyn::SymbolProc);
        return t;
    }
};

namespace {

constexpr TSynAttributeDescriptor javaAttributes[] = {
    {"Comment", SYN_ATTR_COMMENT, Kinds(K::Comment), fsItalic},
    {"Documentation", kNoRole, Kinds(K::Documentation), fsItalic},
    {"Identifier", SYN_ATTR_IDENTIFIER, Kinds(K::Identifier)},
    {"Invalid symbol", kNoRole, Kinds(K::InvalidSymbol, K::Unknown)},
    {"Reserved word", SYN_ATTR_KEYWORD, Kinds(K::Key), fsBold},
    {"Number", kNoRole, Kinds(K::Number)},
    {"Space", SYN_ATTR_WHITESPACE, Kinds(K::Space), 0, clWindow},
    {"String", SYN_ATTR_STRING, Kinds(K::String)},
    {"Symbol", SYN_ATTR_SYMBOL, Kinds(K::Symbol)},
};

} // namespace

const TSynLanguageDescriptor javaLanguage = {
    .name = "Java",
    .filter = "Java Files (*.java)|*.java",
    .identifierChars = "$",
    .attributes = javaAttributes,
};

TSynJavaSyn::TSynJavaSyn()
    : TSynRangedHighlighter(javaLanguage, static_cast<int>(K::Null), static_cast<int>(K::Space),
                            TJavaRange::Normal, {TJavaRange::Comment, TJavaRange::Documentation}) {}

void TSynJavaSyn::NextToken() {
    tokenPos = run;
    if (AtEnd(run)) {
        SetKind(K::Null);
        return;
    }
    if (range == TJavaRange::Comment || range == TJavaRange::Documentation) {
        CommentScan();
        return;
    }
    range = TJavaRange::Normal;
    (this->*dispatchTable<TJavaDispatch>[At(run)])();
}

void TSynJavaSyn::LongestSymbol(std::initializer_list<std::string_view> operators) {
    const std::string_view rest(line + run, length - run);
    std::size_t longest = 1;
    for (const auto op : operators) {
        if (op.size() > longest && rest.substr(0, op.size()) == op) {
            longest = op.size();
        }
    }
    Take(longest, K::Symbol);
}

void TSynJavaSyn::CommentScan() {
    SetKind(range == TJavaRange::Documentation ? K::Documentation : K::Comment);
    while (!AtEnd(run)) {
        if (line[run] == '*' && At(run + 1) == '/') {
            run += 2;
            range = TJavaRange::Normal;
            return;
        }
        ++run;
    }
}

// A backslash hides the character after it; at the line's end there is none to hide.
void TSynJavaSyn::QuotedScan(unsigned char quote) {
    while (!AtEnd(run)) {
        const unsigned char c = line[run];
        ++run;
        if (c == quote) {
            break;
        }
        if (c == '\\' && !AtEnd(run)) {
            ++run;
        }
    }
    SetKind(K::String);
}

void TSynJavaSyn::IdentProc() {
    KeywordOrIdentifier(wordChars, KeywordTable(), static_cast<int>(K::Identifier));
}

void TSynJavaSyn::NumberProc() {
    ++run;
    while (IsNumberChar(At(run)) && !(At(run) == '.' && At(run + 1) == '.')) {
        ++run;
    }
    SetKind(K::Number);
}

void TSynJavaSyn::DotProc() {
    if (IsDigit(At(run + 1))) {
        NumberProc();
    } else {
        Take(1, K::Symbol);
    }
}

void TSynJavaSyn::StringProc() {
    run += At(run + 1) == '"' && At(run + 2) == '"' ? 3 : 1;
    QuotedScan('"');
}

void TSynJavaSyn::CharProc() {
    ++run;
    QuotedScan('\'');
}

void TSynJavaSyn::SlashProc() {
    switch (At(run + 1)) {
    case '*':
        if (At(run + 2) == '*') {
            run += 3;
            range = TJavaRange::Documentation;
        } else {
            run += 2;
            range = TJavaRange::Comment;
        }
        CommentScan();
        return;
    case '/':
        Take(length - run, K::Comment);
        return;
    case '=':
        Take(2, K::Symbol);
        return;
    default:
        Take(1, K::Symbol);
    }
}

void TSynJavaSyn::InvalidSymbolProc() {
    Take(1, K::InvalidSymbol);
}

void TSynJavaSyn::UnknownProc() {
    Take(1, K::Unknown);
}

void TSynJavaSyn::AndProc() {
    LongestSymbol({"&&", "&="});
}

void TSynJavaSyn::OrProc() {
    LongestSymbol({"||", "|="});
}

void TSynJavaSyn::PlusProc() {
    LongestSymbol({"++", "+="});
}

void TSynJavaSyn::MinusProc() {
    LongestSymbol({"--", "-="});
}

void TSynJavaSyn::LessProc() {
    LongestSymbol({"<<=", "<<", "<="});
}

void TSynJavaSyn::GreaterProc() {
    LongestSymbol({">>>=", ">>>", ">>=", ">>", ">="});
}

void TSynJavaSyn::EqualFollowsProc() {
    Take(At(run + 1) == '=' ? 2 : 1, K::Symbol);
}

void TSynJavaSyn::SymbolProc() {
    Take(1, K::Symbol);
}
