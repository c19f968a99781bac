#include "codeedit/SynHighlighterIni.h"

#include "codeedit/SynHighlighterKeywords.h"

namespace {

bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

bool IsNumberChar(unsigned char c) {
    return IsDigit(c) || c == '.' || c == 'E' || c == 'e';
}

const bool registered = (TSynHighlighterList::Instance().Add("TSynIniSyn"), true);

} // namespace

struct TIniDispatch {
    static constexpr TSynDispatchTable<TSynIniSyn> Build() {
        auto t = TSynIniSyn::SharedDispatch<TSynIniSyn>(&TSynIniSyn::TextProc);
        for (int c = '0'; c <= '9'; ++c) {
            t[static_cast<std::size_t>(c)] = &TSynIniSyn::NumberProc;
        }
        t['['] = &TSynIniSyn::SectionProc;
        t[';'] = &TSynIniSyn::CommentProc;
        t['='] = &TSynIniSyn::EqualProc;
        t['"'] = &TSynIniSyn::StringProc;
        t['\''] = &TSynIniSyn::StringProc;
        return t;
    }
};

namespace {

using K = TIniTokenKind;

constexpr TSynAttributeDescriptor iniAttributes[] = {
    {"Comment", SYN_ATTR_COMMENT, Kinds(K::Comment), fsItalic, clGreen},
    {"Text", kNoRole, Kinds(K::Text)},
    {"Section", kNoRole, Kinds(K::Section), fsBold},
    {"Key", SYN_ATTR_KEYWORD, Kinds(K::Key)},
    {"Number", kNoRole, Kinds(K::Number)},
    {"Space", SYN_ATTR_WHITESPACE, Kinds(K::Space)},
    {"String", SYN_ATTR_STRING, Kinds(K::String)},
    {"Symbol", SYN_ATTR_SYMBOL, Kinds(K::Symbol)},
};

} // namespace

const TSynLanguageDescriptor iniLanguage = {
    .name = "INI file",
    .filter = "INI Files (*.ini)|*.ini",
    .sample = "; Syntax highlighting\r\n"
              "[Section]\r\n"
              "Key=value\r\n"
              "String=\"Arial\"\r\n"
              "Number=123456",
    .attributes = iniAttributes,
};

TSynIniSyn::TSynIniSyn()
    : TSynScanningHighlighter(iniLanguage, static_cast<int>(TIniTokenKind::Null),
                              static_cast<int>(TIniTokenKind::Space)) {}

void TSynIniSyn::NextToken() {
    tokenPos = run;
    (this->*dispatchTable<TIniDispatch>[At(run)])();
}

void TSynIniSyn::SectionProc() {
    if (!AtColumnZero()) {
        Take(1, TIniTokenKind::Text);
        return;
    }
    ++run;
    while (!AtEnd(run)) {
        if (line[run++] == ']') {
            break;
        }
    }
    SetKind(TIniTokenKind::Section);
}

void TSynIniSyn::CommentProc() {
    if (!AtColumnZero()) {
        Take(1, TIniTokenKind::Text);
        return;
    }
    run = length;
    SetKind(TIniTokenKind::Comment);
}

void TSynIniSyn::EqualProc() {
    Take(1, TIniTokenKind::Symbol);
}

// The closing quote is the same character as the opening one. Two quotes right after the
// opening one are skipped, so «"""a"» is one string.
void TSynIniSyn::StringProc() {
    const unsigned char quote = At(run);
    if (At(run + 1) == quote && At(run + 2) == quote) {
        run += 2;
    }
    while (!AtEnd(run)) {
        ++run;
        if (At(run) == quote) {
            ++run;
            break;
        }
    }
    SetKind(TIniTokenKind::String);
}

void TSynIniSyn::NumberProc() {
    if (AtColumnZero()) {
        KeyScan();
        return;
    }
    ++run;
    while (IsNumberChar(At(run))) {
        ++run;
    }
    SetKind(TIniTokenKind::Number);
}

void TSynIniSyn::TextProc() {
    if (AtColumnZero()) {
        KeyScan();
        return;
    }
    Take(1, TIniTokenKind::Text);
}

void TSynIniSyn::KeyScan() {
    ++run;
    while (!AtEnd(run) && line[run] != '=') {
        ++run;
    }
    SetKind(TIniTokenKind::Key);
}
