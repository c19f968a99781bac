#include "codeedit/SynHighlighterPas.h"

#include "codeedit/SynHighlighterKeywords.h"

#include <vector>

namespace {

using SynChars::IsDigit;
using SynChars::IsLetter;

constexpr bool IsWordChar(unsigned char c) {
    return IsLetter(c) || IsDigit(c) || c == '_';
}

constexpr TSynCharClass wordChars(IsWordChar);

bool IsHexDigit(unsigned char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool EndsCommentLine(unsigned char c) {
    return c == 0 || c == '\r' || c == '\n';
}

// When a word is a keyword: always, from a language version on, in package sources, or only
// in a property declaration and/or an exports clause.
enum class Context { Always, Package, Property, PropertyOrExports, Exports };

// The state a keyword switches to, if any.
enum class Effect { None, OpensAsm, Ends, OpensProperty, OpensExports };

struct KeywordRule {
    int version; // lowest DelphiVersion ordinal
    Context context;
    Effect effect;
};

// Letters weigh 1 to 26 in either case and nothing else weighs anything, so by weight an
// all-letter keyword only equals the same letters in any case: «End_» and «If2» never match.
constexpr int MaxKey = 191;

struct KeywordSet {
    TSynKeywordTable table{CaseFoldedLetterWeights(), MaxKey, TSynKeywordCase::ByWeight};
    std::vector<KeywordRule> rules; // indexed by the kind filed in the table

    void Add(std::string_view word, KeywordRule rule) {
        table.Add(word, static_cast<int>(rules.size()));
        rules.push_back(rule);
    }
};

const KeywordSet& Keywords() {
    static const KeywordSet keywords = [] {
        KeywordSet result;
        for (std::string_view word : {"absolute",   "abstract",    "and",
                                      "array",      "as",          "assembler",
                                      "begin",      "case",        "class",
                                      "const",      "constructor", "default",
                                      "destructor", "div",         "do",
                                      "downto",     "dynamic",     "else",
                                      "except",     "export",      "external",
                                      "far",        "file",        "finally",
                                      "for",        "forward",     "function",
                                      "goto",       "if",          "implementation",
                                      "in",         "inherited",   "initialization",
                                      "inline",     "interface",   "is",
                                      "label",      "library",     "message",
                                      "mod",        "near",        "nil",
                                      "not",        "object",      "of",
                                      "on",         "or",          "out",
                                      "override",   "packed",      "pascal",
                                      "private",    "procedure",   "program",
                                      "protected",  "public",      "published",
                                      "raise",      "record",      "register",
                                      "repeat",     "set",         "shl",
                                      "shr",        "string",      "then",
                                      "to",         "try",         "type",
                                      "unit",       "until",       "uses",
                                      "var",        "virtual",     "while",
                                      "with",       "xor"}) {
            result.Add(word, {0, Context::Always, Effect::None});
        }
        result.Add("asm", {0, Context::Always, Effect::OpensAsm});
        result.Add("end", {0, Context::Always, Effect::Ends});
        result.Add("property", {0, Context::Always, Effect::OpensProperty});
        result.Add("exports", {0, Context::Always, Effect::OpensExports});
        const std::pair<std::string_view, int> versioned[] = {
            {"cdecl", 1},          {"stdcall", 1},        {"finalization", 1}, {"safecall", 2},
            {"dispid", 2},         {"threadvar", 2},      {"automated", 2},    {"dispinterface", 2},
            {"resourcestring", 2}, {"stringresource", 2}, {"overload", 3},     {"reintroduce", 3},
            {"deprecated", 5},     {"platform", 5}};
        for (const auto& [word, version] : versioned) {
            result.Add(word, {version, Context::Always, Effect::None});
        }
        for (std::string_view word : {"package", "contains", "requires"}) {
            result.Add(word, {0, Context::Package, Effect::None});
        }
        const std::pair<std::string_view, int> property[] = {
            {"read", 0},     {"write", 0},     {"stored", 0},    {"nodefault", 0},
            {"readonly", 2}, {"writeonly", 2}, {"implements", 3}};
        for (const auto& [word, version] : property) {
            result.Add(word, {version, Context::Property, Effect::None});
        }
        result.Add("index", {0, Context::PropertyOrExports, Effect::None});
        result.Add("name", {0, Context::Exports, Effect::None});
        return result;
    }();
    return keywords;
}

// The rule of keyword index (-1 for none) when it is a keyword here: in this language version,
// source kind and state.
const KeywordRule* ActiveKeyword(int index, TDelphiVersion delphiVersion, bool packageSource,
                                 TPasRange range) {
    if (index < 0) {
        return nullptr;
    }
    const KeywordRule& rule = Keywords().rules[static_cast<std::size_t>(index)];
    if (static_cast<int>(delphiVersion) < rule.version) {
        return nullptr;
    }
    switch (rule.context) {
    case Context::Always:
        return &rule;
    case Context::Package:
        return packageSource ? &rule : nullptr;
    case Context::Property:
        return range == TPasRange::Property ? &rule : nullptr;
    case Context::PropertyOrExports:
        return range == TPasRange::Property || range == TPasRange::Exports ? &rule : nullptr;
    case Context::Exports:
        return range == TPasRange::Exports ? &rule : nullptr;
    }
    return nullptr;
}

const bool registered = (TSynHighlighterList::Instance().Add("TSynPasSyn"), true);

} // namespace

struct TPasDispatch {
    static constexpr TSynDispatchTable<TSynPasSyn> Build() {
        auto t = TSynPasSyn::SharedDispatch<TSynPasSyn>(&TSynPasSyn::SymbolProc);
        for (int c = 0; c < 256; ++c) {
            const auto byte = static_cast<unsigned char>(c);
            if (IsLetter(byte) || byte == '_') {
                t[byte] = &TSynPasSyn::WordProc;
            } else if (IsDigit(byte)) {
                t[byte] = &TSynPasSyn::NumberProc;
            } else if (byte >= 127) {
                t[byte] = &TSynPasSyn::UnknownProc;
            }
        }
        t['\''] = &TSynPasSyn::StringProc;
        t['#'] = &TSynPasSyn::CharCodeProc;
        t['$'] = &TSynPasSyn::HexProc;
        t['{'] = &TSynPasSyn::BraceProc;
        t['('] = &TSynPasSyn::RoundOpenProc;
        t['/'] = &TSynPasSyn::SlashProc;
        t[':'] = &TSynPasSyn::ColonOrGreaterProc;
        t['>'] = &TSynPasSyn::ColonOrGreaterProc;
        t['<'] = &TSynPasSyn::LowerProc;
        t['@'] = &TSynPasSyn::AtProc;
        t['.'] = &TSynPasSyn::PointProc;
        t[';'] = &TSynPasSyn::SemicolonProc;
        t['|'] = &TSynPasSyn::UnknownProc;
        return t;
    }
};

namespace {

using K = TPasTokenKind;

constexpr TSynAttributeDescriptor pasAttributes[] = {
    {"Assembler", kNoRole, Kinds(K::Assembler)},
    {"Comment", SYN_ATTR_COMMENT, Kinds(K::Comment), fsItalic},
    {"Preprocessor", kNoRole, Kinds(K::Directive), fsItalic},
    {"Identifier", SYN_ATTR_IDENTIFIER, Kinds(K::Identifier)},
    {"Reserved word", SYN_ATTR_KEYWORD, Kinds(K::Keyword), fsBold},
    {"Number", kNoRole, Kinds(K::Number)},
    {"Float", kNoRole, Kinds(K::Float)},
    {"Hexadecimal", kNoRole, Kinds(K::Hex)},
    {"Space", SYN_ATTR_WHITESPACE, Kinds(K::Space)},
    {"String", SYN_ATTR_STRING, Kinds(K::String)},
    {"Character", kNoRole, Kinds(K::Char)},
    {"Symbol", SYN_ATTR_SYMBOL, Kinds(K::Symbol, K::Unknown)},
};

} // namespace

const TSynLanguageDescriptor pasLanguage = {
    .name = "ObjectPascal",
    .filter = "Pascal Files (*.pas,*.dpr,*.dpk,*.inc)|*.pas;*.dpr;*.dpk;*.inc",
    .attributes = pasAttributes,
};

TSynPasSyn::TSynPasSyn()
    : TSynRangedHighlighter(pasLanguage, static_cast<int>(TPasTokenKind::Null),
                            static_cast<int>(TPasTokenKind::Space), TPasRange::Normal,
                            {TPasRange::AnsiComment, TPasRange::AsmAnsiComment, TPasRange::Asm,
                             TPasRange::BorlandComment, TPasRange::AsmBorlandComment,
                             TPasRange::Property, TPasRange::Exports}) {}

int TSynPasSyn::TokenKind() const {
    const auto kind = static_cast<TPasTokenKind>(tokenKind);
    if (InAsm() && !asmStart && kind != TPasTokenKind::Comment && kind != TPasTokenKind::Space &&
        kind != TPasTokenKind::Null) {
        return static_cast<int>(TPasTokenKind::Assembler);
    }
    return tokenKind;
}

TSynHighlighterAttributes* TSynPasSyn::TokenAttribute() const {
    return KindAttribute(TokenKind());
}

void TSynPasSyn::NextToken() {
    asmStart = false;
    tokenPos = run;
    switch (range) {
    case TPasRange::AnsiComment:
    case TPasRange::AsmAnsiComment:
        AnsiScanner();
        break;
    case TPasRange::BorlandComment:
    case TPasRange::AsmBorlandComment:
        BorlandScanner();
        break;
    default:
        (this->*dispatchTable<TPasDispatch>[At(run)])();
        break;
    }
}

void TSynPasSyn::WordProc() {
    const int index = ScanKeyword(wordChars, Keywords().table, -1);
    const KeywordRule* rule = ActiveKeyword(index, delphiVersion, packageSource, range);
    if (rule == nullptr) {
        SetKind(TPasTokenKind::Identifier);
        return;
    }
    SetKind(TPasTokenKind::Keyword);
    switch (rule->effect) {
    case Effect::None:
        break;
    case Effect::OpensAsm:
        range = TPasRange::Asm;
        asmStart = true;
        break;
    case Effect::Ends:
        range = TPasRange::Normal;
        break;
    case Effect::OpensProperty:
        range = TPasRange::Property;
        break;
    case Effect::OpensExports:
        range = TPasRange::Exports;
        break;
    }
}

void TSynPasSyn::NumberProc() {
    SetKind(TPasTokenKind::Number);
    ++run;
    for (;;) {
        const unsigned char c = At(run);
        if (IsDigit(c)) {
            ++run;
        } else if ((c == '.' && At(run + 1) != '.') || c == 'E' || c == 'e') {
            SetKind(TPasTokenKind::Float);
            ++run;
        } else if ((c == '+' || c == '-') && tokenKind == static_cast<int>(TPasTokenKind::Float) &&
                   (line[run - 1] == 'E' || line[run - 1] == 'e')) {
            ++run;
        } else {
            return;
        }
    }
}

// "''" inside a string is a quote, not its end.
void TSynPasSyn::StringProc() {
    SetKind(TPasTokenKind::String);
    ++run;
    while (!AtEnd(run)) {
        if (line[run] == '\'') {
            if (At(run + 1) != '\'') {
                ++run;
                return;
            }
            ++run;
        }
        ++run;
    }
}

void TSynPasSyn::CharCodeProc() {
    ++run;
    while (At(run) == '$' || IsHexDigit(At(run))) {
        ++run;
    }
    SetKind(TPasTokenKind::Char);
}

void TSynPasSyn::HexProc() {
    ++run;
    while (IsHexDigit(At(run))) {
        ++run;
    }
    SetKind(TPasTokenKind::Hex);
}

void TSynPasSyn::BraceProc() {
    range = InAsm() ? TPasRange::AsmBorlandComment : TPasRange::BorlandComment;
    BorlandScanner();
}

void TSynPasSyn::BorlandScanner() {
    if (EndsCommentLine(At(run))) {
        (this->*dispatchTable<TPasDispatch>[At(run)])();
        return;
    }
    // "{$" opens a directive; on a line that goes on with one, the second character decides.
    SetKind(At(run + 1) == '$' ? TPasTokenKind::Directive : TPasTokenKind::Comment);
    while (!EndsCommentLine(At(run))) {
        if (line[run++] == '}') {
            range = range == TPasRange::AsmBorlandComment ? TPasRange::Asm : TPasRange::Normal;
            return;
        }
    }
}

void TSynPasSyn::RoundOpenProc() {
    if (At(run + 1) == '*') {
        range = InAsm() ? TPasRange::AsmAnsiComment : TPasRange::AnsiComment;
        run += 2;
        SetKind(TPasTokenKind::Comment);
        if (!AtEnd(run)) {
            AnsiScanner();
        }
        return;
    }
    TakeOperator(".", TPasTokenKind::Symbol);
}

void TSynPasSyn::AnsiScanner() {
    if (AtEnd(run)) {
        SetKind(TPasTokenKind::Null);
        return;
    }
    SetKind(TPasTokenKind::Comment);
    while (!AtEnd(run)) {
        if (line[run] == '*' && At(run + 1) == ')') {
            run += 2;
            range = range == TPasRange::AsmAnsiComment ? TPasRange::Asm : TPasRange::Normal;
            return;
        }
        ++run;
    }
}

void TSynPasSyn::SlashProc() {
    if (At(run + 1) == '/' && delphiVersion >= TDelphiVersion::dvDelphi2) {
        run = length;
        SetKind(TPasTokenKind::Comment);
        return;
    }
    Take(1, TPasTokenKind::Symbol);
}

void TSynPasSyn::ColonOrGreaterProc() {
    TakeOperator("=", TPasTokenKind::Symbol);
}

void TSynPasSyn::LowerProc() {
    TakeOperator("=>", TPasTokenKind::Symbol);
}

void TSynPasSyn::AtProc() {
    TakeOperator("@", TPasTokenKind::Symbol);
}

void TSynPasSyn::PointProc() {
    TakeOperator(".)", TPasTokenKind::Symbol);
}

void TSynPasSyn::SemicolonProc() {
    Take(1, TPasTokenKind::Symbol);
    if (range == TPasRange::Property || range == TPasRange::Exports) {
        range = TPasRange::Normal;
    }
}

void TSynPasSyn::SymbolProc() {
    Take(1, TPasTokenKind::Symbol);
}

void TSynPasSyn::UnknownProc() {
    Take(1, TPasTokenKind::Unknown);
}
