#include "codeedit/SynHighlighterPHP.h"

#include "codeedit/SynHighlighterKeywords.h"

namespace {

using SynChars::IsDigit;
using SynChars::IsLetter;
using SynChars::IsLineBreakOrNul;

constexpr int MaxKey = 206;

constexpr bool IsWordChar(unsigned char c) {
    return IsLetter(c) || IsDigit(c) || c == '_';
}
constexpr TSynCharClass wordChars(IsWordChar);

constexpr bool IsNumberChar(unsigned char c) {
    return IsDigit(c) || c == '.' || c == '-' || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') ||
           c == 'L' || c == 'l' || c == 'X' || c == 'x';
}

TSynWeights PhpWeights() {
    TSynWeights weights = CaseFoldedLetterWeights();
    weights['_'] = 31;
    return weights;
}

const std::vector<std::string_view> keywords = {
    "if",       "die",          "and",       "do",          "case",
    "echo",     "or",           "real",      "break",       "endif",
    "for",      "eval",         "var",       "else",        "new",
    "false",    "int",          "global",    "float",       "class",
    "object",   "elseif",       "while",     "xor",         "exit",
    "double",   "list",         "endfor",    "array",       "true",
    "include",  "default",      "const",     "isset",       "static",
    "print",    "integer",      "empty",     "unset",       "endwhile",
    "switch",   "string",       "extends",   "require",     "return",
    "continue", "function",     "cfunction", "endswitch",   "highlight_file",
    "__FILE__", "old_function", "__LINE__",  "show_source", "highlight_string",
};

const TSynKeywordTable& KeywordTable() {
    static const TSynKeywordTable table(PhpWeights(), MaxKey, TSynKeywordCase::ByWeight, keywords,
                                        static_cast<int>(TPhpTokenKind::Key));
    return table;
}

const bool registered = (TSynHighlighterList::Instance().Add("TSynPHPSyn"), true);

} // namespace

struct TPhpDispatch {
    static constexpr TSynDispatchTable<TSynPHPSyn> Build() {
        using P = TSynPHPSyn;
        auto t = TSynPHPSyn::SharedDispatch<TSynPHPSyn>(&P::UnknownProc);
        for (int c = 0; c < 128; ++c) {
            if (IsLetter(static_cast<unsigned char>(c))) {
                t[static_cast<std::size_t>(c)] = &P::WordProc;
            } else if (IsDigit(static_cast<unsigned char>(c))) {
                t[static_cast<std::size_t>(c)] = &P::NumberProc;
            }
        }
        t['_'] = &P::WordProc;
        t['$'] = &P::VariableProc;
        t['"'] = &P::DoubleQuoteProc;
        t['\''] = &P::SingleQuoteProc;
        t['#'] = &P::HashProc;
        t['/'] = &P::SlashProc;
        t['@'] = &P::AtProc;
        t['&'] = &P::AmpersandProc;
        t['='] = &P::EqualProc;
        t['>'] = &P::GreaterProc;
        t['<'] = &P::LessProc;
        t['-'] = &P::MinusProc;
        t['+'] = &P::PlusProc;
        t['|'] = &P::BarProc;
        SetDispatch(t, "*!%^", &P::WithEqualProc);
        SetDispatch(t, "()[]{},;:.?~", &P::SymbolProc);
        return t;
    }
};

const std::vector<std::string_view>& TSynPHPSyn::Keywords() {
    return keywords;
}

namespace {

using K = TPhpTokenKind;

constexpr TSynAttributeDescriptor phpAttributes[] = {
    {"Comment", SYN_ATTR_COMMENT, Kinds(K::Comment), fsItalic},
    {"Identifier", SYN_ATTR_IDENTIFIER, Kinds(K::Identifier, K::Unknown)},
    {"Invalid symbol", kNoRole, Kinds(K::InvalidSymbol)},
    {"Reserved word", SYN_ATTR_KEYWORD, Kinds(K::Key), fsBold},
    {"Number", kNoRole, Kinds(K::Number)},
    {"Space", SYN_ATTR_WHITESPACE, Kinds(K::Space)},
    {"String", SYN_ATTR_STRING, Kinds(K::String)},
    {"Symbol", SYN_ATTR_SYMBOL, Kinds(K::Symbol)},
    {"Variable", kNoRole, Kinds(K::Variable)},
};

} // namespace

const TSynLanguageDescriptor phpLanguage = {
    .name = "PHP",
    .filter = "PHP Files (*.php,*.php3,*.phtml,*.inc)|*.php;*.php3;*.phtml;*.inc",
    .attributes = phpAttributes,
};

TSynPHPSyn::TSynPHPSyn()
    : TSynRangedHighlighter(phpLanguage, static_cast<int>(TPhpTokenKind::Null),
                            static_cast<int>(TPhpTokenKind::Space), TPhpRange::Normal,
                            {TPhpRange::String39, TPhpRange::String34, TPhpRange::Comment}) {}

void TSynPHPSyn::ApplyFormDefaults() {
    CommentAttri()->SetForeground(clGray);
    CommentAttri()->SetStyle(fsItalic);
    IdentifierAttri()->SetForeground(clTeal);
    KeyAttri()->SetForeground(clBlue);
    KeyAttri()->SetStyle(0);
    NumberAttri()->SetForeground(clMaroon);
    StringAttri()->SetForeground(RGB(255, 128, 0));
    KeepPresetForegrounds();
}

void TSynPHPSyn::NextToken() {
    tokenPos = run;
    switch (range) {
    case TPhpRange::String39:
    case TPhpRange::String34:
        StringContinuation();
        break;
    case TPhpRange::Comment:
        CommentContinuation();
        break;
    default:
        range = TPhpRange::Normal;
        Dispatch();
        break;
    }
}

void TSynPHPSyn::Dispatch() {
    (this->*dispatchTable<TPhpDispatch>[At(run)])();
}

// A string going on from an earlier line: no escapes in single quotes, only \" in double.
void TSynPHPSyn::StringContinuation() {
    if (IsLineBreakOrNul(At(run))) {
        Dispatch();
        return;
    }
    SetKind(TPhpTokenKind::String);
    const bool doubleQuoted = range == TPhpRange::String34;
    const char quote = doubleQuoted ? '"' : '\'';
    for (unsigned char c = At(run); !IsLineBreakOrNul(c); c = At(run)) {
        if (doubleQuoted && c == '\\' && At(run + 1) == '"') {
            run += 2;
            continue;
        }
        ++run;
        if (c == static_cast<unsigned char>(quote)) {
            range = TPhpRange::Normal;
            return;
        }
    }
}

void TSynPHPSyn::CommentContinuation() {
    if (IsLineBreakOrNul(At(run))) {
        Dispatch();
        return;
    }
    SetKind(TPhpTokenKind::Comment);
    for (unsigned char c = At(run); !IsLineBreakOrNul(c); c = At(run)) {
        ++run;
        if (c == '*' && At(run) == '/') {
            ++run;
            range = TPhpRange::Normal;
            return;
        }
    }
}

void TSynPHPSyn::CommentToLineEnd() {
    run = length;
    SetKind(TPhpTokenKind::Comment);
}

// From the opening quote: \<quote> and \\ are escapes; the string closes after its quote or
// goes on at the line end.
void TSynPHPSyn::QuotedString(char quote, TPhpRange stringRange) {
    const auto closing = static_cast<unsigned char>(quote);
    range = stringRange;
    SetKind(TPhpTokenKind::String);
    ++run;
    for (unsigned char c = At(run); !IsLineBreakOrNul(c); c = At(run)) {
        if (c == '\\' && (At(run + 1) == closing || At(run + 1) == '\\')) {
            run += 2;
            continue;
        }
        ++run;
        if (c == closing) {
            range = TPhpRange::Normal;
            return;
        }
    }
}

void TSynPHPSyn::WordProc() {
    KeywordOrIdentifier(wordChars, KeywordTable(), static_cast<int>(TPhpTokenKind::Identifier));
}

void TSynPHPSyn::NumberProc() {
    ++run;
    for (unsigned char c = At(run); IsNumberChar(c); c = At(run)) {
        if (c == '.' && At(run + 1) == '.') {
            break;
        }
        ++run;
    }
    SetKind(TPhpTokenKind::Number);
}

void TSynPHPSyn::VariableProc() {
    ++run;
    TakeWord(wordChars);
    SetKind(TPhpTokenKind::Variable);
}

void TSynPHPSyn::DoubleQuoteProc() {
    QuotedString('"', TPhpRange::String34);
}

void TSynPHPSyn::SingleQuoteProc() {
    QuotedString('\'', TPhpRange::String39);
}

void TSynPHPSyn::HashProc() {
    CommentToLineEnd();
}

void TSynPHPSyn::SlashProc() {
    switch (At(run + 1)) {
    case '*':
        run += 2;
        range = TPhpRange::Comment;
        SetKind(TPhpTokenKind::Comment);
        for (unsigned char c = At(run); !IsLineBreakOrNul(c); c = At(run)) {
            ++run;
            if (c == '*' && At(run) == '/') {
                ++run;
                range = TPhpRange::Normal;
                return;
            }
        }
        break;
    case '/':
        CommentToLineEnd();
        break;
    default:
        SymbolOrPair("=");
        break;
    }
}

void TSynPHPSyn::AtProc() {
    ++run;
    SetKind(TPhpTokenKind::InvalidSymbol);
}

void TSynPHPSyn::UnknownProc() {
    ++run;
    SetKind(TPhpTokenKind::Unknown);
}

void TSynPHPSyn::SymbolOrPair(std::string_view pairs) {
    ++run;
    if (pairs.find(static_cast<char>(At(run))) != std::string_view::npos) {
        ++run;
    }
    SetKind(TPhpTokenKind::Symbol);
}

void TSynPHPSyn::AmpersandProc() {
    SymbolOrPair("&=");
}

void TSynPHPSyn::EqualProc() {
    SymbolOrPair("=>");
}

void TSynPHPSyn::GreaterProc() {
    SymbolOrPair("=>");
}

void TSynPHPSyn::LessProc() {
    if (At(run + 1) == '<' && At(run + 2) == '=') {
        run += 3;
        SetKind(TPhpTokenKind::Symbol);
        return;
    }
    SymbolOrPair("<=");
}

void TSynPHPSyn::MinusProc() {
    SymbolOrPair("-=>");
}

void TSynPHPSyn::PlusProc() {
    SymbolOrPair("+=");
}

void TSynPHPSyn::BarProc() {
    SymbolOrPair("|=");
}

void TSynPHPSyn::WithEqualProc() {
    SymbolOrPair("=");
}

void TSynPHPSyn::SymbolProc() {
    ++run;
    SetKind(TPhpTokenKind::Symbol);
}
