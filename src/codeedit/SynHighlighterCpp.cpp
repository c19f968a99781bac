#include "codeedit/SynHighlighterCpp.h"

#include "codeedit/SynHighlighterKeywords.h"

#include <string_view>

namespace {

using SynChars::IsDigit;
using SynChars::IsHexDigit;

using K = TCppTokenKind;

constexpr int MaxKey = 206;

constexpr bool IsLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

constexpr bool IsWordChar(unsigned char c) {
    return IsLetter(c) || IsDigit(c);
}
constexpr TSynCharClass wordChars(IsWordChar);

constexpr bool IsNumberChar(unsigned char c) {
    switch (c) {
    case '.':
    case '+':
    case '-':
    case 'L':
    case 'l':
    case 'U':
    case 'u':
    case 'X':
    case 'x':
        return true;
    default:
        return IsHexDigit(c);
    }
}

const TSynWeights& CppWeights() {
    static const TSynWeights weights = [] {
        TSynWeights w{};
        for (int c = 'A'; c <= 'Z'; ++c) {
            w[static_cast<std::size_t>(c)] = c - 'A' + 1;
            w[static_cast<std::size_t>(c - 'A' + 'a')] = c - 'A' + 2;
        }
        return w;
    }();
    return weights;
}

const char* const keywords[] = {"if",         "do",
                                "cdecl",      "case",
                                "_cdecl",     "__cdecl",
                                "char",       "asm",
                                "_asm",       "__asm",
                                "catch",      "for",
                                "break",      "else",
                                "new",        "__int8",
                                "__int16",    "int",
                                "__int32",    "__int64",
                                "false",      "bool",
                                "long",       "void",
                                "enum",       "delete",
                                "_pascal",    "__pascal",
                                "pascal",     "class",
                                "float",      "this",
                                "goto",       "auto",
                                "__thread",   "while",
                                "friend",     "signed",
                                "double",     "__try",
                                "try",        "__dispid",
                                "true",       "public",
                                "inline",     "__rtti",
                                "__classid",  "__declspec",
                                "using",      "const",
                                "default",    "_stdcall",
                                "union",      "__stdcall",
                                "static",     "__except",
                                "wchar_t",    "mutable",
                                "_fastcall",  "__fastcall",
                                "short",      "typeid",
                                "sizeof",     "__finally",
                                "namespace",  "switch",
                                "typedef",    "throw",
                                "extern",     "__import",
                                "_import",    "private",
                                "template",   "__closure",
                                "unsigned",   "return",
                                "volatile",   "_export",
                                "__export",   "__published",
                                "explicit",   "typename",
                                "struct",     "register",
                                "continue",   "__automated",
                                "virtual",    "protected",
                                "operator",   "dynamic_cast",
                                "const_cast", "static_cast",
                                "__property", "reinterpret_cast"};

const TSynKeywordTable& KeywordTable() {
    static const TSynKeywordTable table(CppWeights(), MaxKey, TSynKeywordCase::Exact, keywords,
                                        static_cast<int>(K::Key));
    return table;
}

const bool registered = (TSynHighlighterList::Instance().Add("TSynCppSyn"), true);

} // namespace

struct TCppDispatch {
    static constexpr TSynDispatchTable<TSynCppSyn> Build() {
        auto t = TSynCppSyn::SharedDispatch<TSynCppSyn>(&TSynCppSyn::UnknownProc);
        for (int c = 0; c < 128; ++c) {
            if (IsLetter(static_cast<unsigned char>(c))) {
                t[static_cast<std::size_t>(c)] = &TSynCppSyn::IdentProc;
            } else if (IsDigit(static_cast<unsigned char>(c))) {
                t[static_cast<std::size_t>(c)] = &TSynCppSyn::NumberProc;
            }
        }
        t['.'] = &TSynCppSyn::DotProc;
        t['"'] = &TSynCppSyn::StringProc;
        t['\''] = &TSynCppSyn::CharProc;
        t['#'] = &TSynCppSyn::DirectiveProc;
        t['/'] = &TSynCppSyn::SlashProc;
        t['&'] = &TSynCppSyn::AndProc;
        t['|'] = &TSynCppSyn::OrProc;
        t['+'] = &TSynCppSyn::PlusProc;
        t['-'] = &TSynCppSyn::MinusProc;
        t['<'] = &TSynCppSyn::LessProc;
        t['>'] = &TSynCppSyn::GreaterProc;
        t[':'] = &TSynCppSyn::ColonProc;
        SetDispatch(t, "!%*=^", &TSynCppSyn::EqualFollowsProc);
        SetDispatch(t, "()[]{},;?~", &TSynCppSyn::SymbolProc);
        return t;
    }
};

namespace {

constexpr TSynAttributeDescriptor cppAttributes[] = {
    {"Assembler", kNoRole, Kinds(K::Asm)},
    {"Comment", SYN_ATTR_COMMENT, Kinds(K::Comment), fsItalic},
    {"Identifier", SYN_ATTR_IDENTIFIER, Kinds(K::Identifier)},
    {"Illegal char", kNoRole, Kinds(K::Unknown)},
    {"Reserved word", SYN_ATTR_KEYWORD, Kinds(K::Key), fsBold},
    {"Number", kNoRole, Kinds(K::Number)},
    {"Character", kNoRole, Kinds(K::Char)},
    {"Float", kNoRole, Kinds(K::Float)},
    {"Hexadecimal", kNoRole, Kinds(K::Hex)},
    {"Octal", kNoRole, Kinds(K::Octal)},
    {"Space", SYN_ATTR_WHITESPACE, Kinds(K::Space), 0, clWindow},
    {"String", SYN_ATTR_STRING, Kinds(K::String)},
    {"Symbol", SYN_ATTR_SYMBOL, Kinds(K::Symbol)},
    {"Preprocessor", kNoRole, Kinds(K::Directive)},
};

} // namespace

const TSynLanguageDescriptor cppLanguage = {
    .name = "C++",
    .filter = "C++ Files (*.c,*.cpp,*.h,*.hpp)|*.c;*.cpp;*.h;*.hpp",
    .attributes = cppAttributes,
};

TSynCppSyn::TSynCppSyn()
    : TSynRangedHighlighter(cppLanguage, static_cast<int>(K::Null), static_cast<int>(K::Space),
                            TCppRange::Normal,
                            {TCppRange::AnsiComment, TCppRange::DirectiveComment,
                             TCppRange::MultilineString, TCppRange::MultilineDirective}) {}

unsigned TSynCppSyn::Capabilities() const {
    return TSynScanningHighlighter::Capabilities() | hcUserSettings;
}

void TSynCppSyn::NextToken() {
    tokenPos = run;
    if (AtEnd(run)) {
        // Every state survives an empty line or the line's end.
        SetKind(K::Null);
        return;
    }
    switch (range) {
    case TCppRange::AnsiComment:
    case TCppRange::DirectiveComment:
        CommentScan();
        return;
    case TCppRange::MultilineString:
        range = TCppRange::Normal;
        StringRun();
        return;
    case TCppRange::MultilineDirective:
        range = TCppRange::Normal;
        DirectiveContinuation();
        return;
    case TCppRange::Normal:
        break;
    }
    range = TCppRange::Normal;
    (this->*dispatchTable<TCppDispatch>[At(run)])();
}

void TSynCppSyn::CommentScan() {
    SetKind(K::Comment);
    while (!AtEnd(run)) {
        if (line[run] == '*' && At(run + 1) == '/') {
            run += 2;
            const unsigned char after = At(run);
            // After a directive's comment the rest of the line belongs to the directive again.
            const bool directiveGoesOn =
                !AtEnd(run) && after != 0 && after != '\r' && after != '\n';
            range = range == TCppRange::DirectiveComment && directiveGoesOn
                        ? TCppRange::MultilineDirective
                        : TCppRange::Normal;
            return;
        }
        ++run;
    }
}

void TSynCppSyn::StringRun() {
    SetKind(K::String);
    while (!AtEnd(run)) {
        const unsigned char c = line[run];
        if (c == '"') {
            ++run;
            return;
        }
        if (c == '\\') {
            if (run + 1 == length) {
                ++run;
                range = TCppRange::MultilineString;
                return;
            }
            if (At(run + 1) == '"' || At(run + 1) == '\\') {
                ++run;
            }
        }
        ++run;
    }
}

void TSynCppSyn::DirectiveRun() {
    SetKind(K::Directive);
    while (!AtEnd(run)) {
        const unsigned char c = line[run];
        if (c == '/' && At(run + 1) == '/') {
            return;
        }
        if (c == '/' && At(run + 1) == '*') {
            range = TCppRange::DirectiveComment;
            return;
        }
        ++run;
        if (c == '\\' && AtEnd(run)) {
            range = TCppRange::MultilineDirective;
            return;
        }
    }
}

void TSynCppSyn::DirectiveContinuation() {
    // A continued directive that opens with a comment has no directive text to show first.
    if (At(run) == '/' && At(run + 1) == '/') {
        (this->*dispatchTable<TCppDispatch>['/'])();
        return;
    }
    if (At(run) == '/' && At(run + 1) == '*') {
        range = TCppRange::DirectiveComment;
        CommentScan();
        return;
    }
    DirectiveRun();
}

void TSynCppSyn::IdentProc() {
    KeywordOrIdentifier(wordChars, KeywordTable(), static_cast<int>(K::Identifier));
}

void TSynCppSyn::NumberProc() {
    const std::size_t start = run;
    const unsigned char first = line[start];
    auto kind = K::Number;
    auto seen = [&](unsigned char upper) {
        for (std::size_t i = start; i < run; ++i) {
            if ((line[i] & ~0x20) == upper) {
                return true;
            }
        }
        return false;
    };
    auto stopIllegal = [&](std::size_t taken) {
        run += taken;
        SetKind(K::Unknown);
    };
    while (!AtEnd(run) && IsNumberChar(At(run))) {
        const unsigned char c = line[run];
        const unsigned char previous = run > start ? line[run - 1] : 0;
        const unsigned char next = At(run + 1);
        const bool second = run == start + 1;
        const bool signFollows = IsDigit(next) || next == '+' || next == '-';
        bool take = true;
        switch (c) {
        case '+':
        case '-':
            take = kind == K::Float && (previous == 'E' || previous == 'e');
            if (take && !signFollows) {
                return stopIllegal(1);
            }
            break;
        case '.':
            if (next == '.') {
                take = false;
            } else if (kind == K::Hex) {
                return stopIllegal(0);
            } else {
                kind = K::Float;
            }
            break;
        case 'E':
        case 'e':
            if (kind == K::Hex) {
                break;
            }
            if (!IsDigit(previous)) {
                take = false;
            } else if (seen('E')) {
                return stopIllegal(0);
            } else if (signFollows) {
                kind = K::Float;
            } else {
                take = false;
            }
            break;
        case 'F':
        case 'f':
            if (kind == K::Hex) {
                break;
            }
            if (seen('F')) {
                return stopIllegal(0);
            }
            if (kind == K::Float && (previous == 'L' || previous == 'l')) {
                take = false;
            } else {
                kind = K::Float;
            }
            break;
        case 'L':
        case 'l':
            if (seen('L')) {
                return stopIllegal(0);
            }
            take = !(kind == K::Float && (previous == 'F' || previous == 'f'));
            break;
        case 'U':
        case 'u':
            if (kind == K::Float) {
                take = false;
            } else if (seen('U')) {
                return stopIllegal(0);
            }
            break;
        case 'X':
        case 'x':
            if (second && first == '0' && IsHexDigit(next)) {
                kind = K::Hex;
            } else if (!IsWordChar(next) && (line[start + 1] == 'X' || line[start + 1] == 'x')) {
                return stopIllegal(1);
            } else {
                take = false;
            }
            break;
        default:
            if (c >= '0' && c <= '7') {
                if (second && first == '0') {
                    kind = K::Octal;
                }
            } else if (c == '8' || c == '9') {
                if (first == '0' && kind != K::Hex && kind != K::Float) {
                    kind = K::Unknown;
                }
            } else {
                take = kind == K::Hex; // A-D, a-d
            }
            break;
        }
        if (!take) {
            break;
        }
        ++run;
    }
    if (IsLetter(At(run))) {
        kind = K::Unknown;
    }
    SetKind(kind);
}

void TSynCppSyn::DotProc() {
    if (At(run + 1) == '.' && At(run + 2) == '.') {
        Take(3, K::Symbol);
    } else if (IsDigit(At(run + 1))) {
        NumberProc();
    } else {
        Take(1, K::Symbol);
    }
}

void TSynCppSyn::StringProc() {
    ++run;
    StringRun();
}

void TSynCppSyn::CharProc() {
    ++run;
    while (!AtEnd(run)) {
        const unsigned char c = line[run];
        ++run;
        if (c == '\'') {
            break;
        }
        if (c == '\\' && (At(run) == '\'' || At(run) == '\\')) {
            ++run;
        }
    }
    SetKind(K::Char);
}

void TSynCppSyn::DirectiveProc() {
    for (std::size_t i = 0; i < run; ++i) {
        if (static_cast<unsigned char>(line[i]) > 32) {
            Take(1, K::Unknown);
            return;
        }
    }
    ++run;
    DirectiveRun();
}

void TSynCppSyn::SlashProc() {
    switch (At(run + 1)) {
    case '/':
        Take(length - run, K::Comment);
        return;
    case '*':
        run += 2;
        range = TCppRange::AnsiComment;
        CommentScan();
        return;
    case '=':
        Take(2, K::Symbol);
        return;
    default:
        Take(1, K::Symbol);
    }
}

void TSynCppSyn::UnknownProc() {
    Take(1, K::Unknown);
}

void TSynCppSyn::AndProc() {
    TakeOperator("&=", K::Symbol);
}

void TSynCppSyn::OrProc() {
    TakeOperator("|=", K::Symbol);
}

void TSynCppSyn::PlusProc() {
    TakeOperator("+=", K::Symbol);
}

void TSynCppSyn::MinusProc() {
    TakeOperator("-=>", K::Symbol);
}

void TSynCppSyn::LessProc() {
    if (At(run + 1) == '<' && At(run + 2) == '=') {
        Take(3, K::Symbol);
    } else {
        TakeOperator("<=", K::Symbol);
    }
}

void TSynCppSyn::GreaterProc() {
    if (At(run + 1) == '>' && At(run + 2) == '=') {
        Take(3, K::Symbol);
    } else {
        TakeOperator(">=", K::Symbol);
    }
}

void TSynCppSyn::ColonProc() {
    TakeOperator(":", K::Symbol);
}

void TSynCppSyn::EqualFollowsProc() {
    TakeOperator("=", K::Symbol);
}

void TSynCppSyn::SymbolProc() {
    Take(1, K::Symbol);
}
