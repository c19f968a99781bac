#include "codeedit/SynHighlighterCss.h"

#include "codeedit/SynHighlighterKeywords.h"

namespace {

using SynChars::IsDigit;
using SynChars::IsHexDigit;
using SynChars::IsLetter;

constexpr int MaxKey = 254;

constexpr bool IsWordChar(unsigned char c) {
    return IsLetter(c) || IsDigit(c) || c == '_' || c == '-';
}
constexpr TSynCharClass wordChars(IsWordChar);

TSynWeights CssWeights() {
    TSynWeights weights = CaseFoldedLetterWeights();
    weights['_'] = 31;
    weights['-'] = '-' - 64;
    return weights;
}

const std::vector<std::string_view> keywords = {
    "cm",
    "deg",
    "em",
    "pc",
    "s",
    "in",
    "rad",
    "b-box",
    "mm",
    "page",
    "cue",
    "ex",
    "grad",
    "ms",
    "Hz",
    "pt",
    "clear",
    "px",
    "clip",
    "src",
    "left",
    "ime-mode",
    "kHz",
    "top",
    "panose-1",
    "speak",
    "float",
    "font",
    "padding",
    "pitch",
    "height",
    "run-in",
    "line-break",
    "cap-height",
    "size",
    "cue-after",
    "cue-before",
    "margin",
    "pause",
    "right",
    "marks",
    "border",
    "x-height",
    "ascent",
    "color",
    "z-index",
    "width",
    "stemh",
    "slope",
    "baseline",
    "zoom",
    "filter",
    "descent",
    "top-line",
    "speak-header",
    "min-height",
    "max-height",
    "unicode-bidi",
    "page-break-after",
    "word-break",
    "line-height",
    "padding-left",
    "page-break-before",
    "stemv",
    "behavior",
    "speech-rate",
    "min-width",
    "pitch-range",
    "mathline",
    "max-width",
    "widths",
    "bottom",
    "margin-left",
    "border-left",
    "display",
    "padding-top",
    "page-break-inside",
    "volume",
    "white-space",
    "ruby-align",
    "orphans",
    "content",
    "text-align",
    "pause-after",
    "widows",
    "margin-top",
    "border-top",
    "pause-before",
    "cursor",
    "font-size",
    "richness",
    "background",
    "caption-side",
    "counter",
    "outline",
    "quotes",
    "direction",
    "unicode-range",
    "padding-right",
    "azimuth",
    "word-wrap",
    "stress",
    "voice-family",
    "font-family",
    "units-per-em",
    "elevation",
    "margin-right",
    "border-right",
    "centerline",
    "border-color",
    "border-width",
    "font-weight",
    "play-during",
    "word-spacing",
    "empty-cells",
    "background-image",
    "border-spacing",
    "layout-grid",
    "vertical-align",
    "table-layout",
    "text-indent",
    "overflow",
    "font-style",
    "position",
    "speak-numeral",
    "marker-offset",
    "writing-mode",
    "text-shadow",
    "font-variant",
    "padding-bottom",
    "overflow-x",
    "list-style",
    "overflow-y",
    "border-style",
    "border-collapse",
    "definition-src",
    "margin-bottom",
    "border-bottom",
    "text-kashida-space",
    "font-stretch",
    "border-left-color",
    "letter-spacing",
    "border-left-width",
    "layout-grid-mode",
    "layout-grid-line",
    "visibility",
    "ruby-overhang",
    "border-top-color",
    "list-style-image",
    "border-top-width",
    "background-color",
    "outline-color",
    "scrollbar-face-color",
    "outline-width",
    "counter-reset",
    "border-left-style",
    "border-right-color",
    "border-right-width",
    "font-size-adjust",
    "text-autospace",
    "scrollbar-base-color",
    "text-decoration",
    "border-top-style",
    "outline-style",
    "layout-grid-type",
    "text-justify",
    "ruby-position",
    "scrollbar-3d-light-color",
    "border-right-style",
    "list-style-type",
    "border-bottom-color",
    "border-bottom-width",
    "text-transform",
    "counter-increment",
    "background-attachment",
    "speak-punctuation",
    "border-bottom-style",
    "background-position",
    "scrollbar-shadow-color",
    "background-position-x",
    "background-position-y",
    "scrollbar-arrow-color",
    "scrollbar-dark-shadow-color",
    "scrollbar-highlight-color",
    "list-style-position",
    "text-underline-position",
};

const TSynKeywordTable& KeywordTable() {
    // By weight every digit would equal every other ("panose-7" a keyword): letters
    // fold, everything else compares as it is.
    static const TSynKeywordTable table(CssWeights(), MaxKey, TSynKeywordCase::IgnoreCase, keywords,
                                        static_cast<int>(TCssTokenKind::Key));
    return table;
}

const bool registered = (TSynHighlighterList::Instance().Add("TSynCssSyn"), true);

} // namespace

struct TCssDispatch {
    static constexpr TSynDispatchTable<TSynCssSyn> Build() {
        auto t = TSynCssSyn::SharedDispatch<TSynCssSyn>(&TSynCssSyn::UnknownProc);
        for (int c = 0; c < 256; ++c) {
            if (IsLetter(static_cast<unsigned char>(c))) {
                t[static_cast<std::size_t>(c)] = &TSynCssSyn::WordProc;
            } else if (IsDigit(static_cast<unsigned char>(c))) {
                t[static_cast<std::size_t>(c)] = &TSynCssSyn::NumberProc;
            }
        }
        t['_'] = &TSynCssSyn::WordProc;
        t['#'] = &TSynCssSyn::ColourProc;
        t['$'] = &TSynCssSyn::ColourProc;
        t['-'] = &TSynCssSyn::MinusProc;
        t['\''] = &TSynCssSyn::StringProc;
        t['{'] = &TSynCssSyn::BraceProc;
        t['}'] = &TSynCssSyn::BraceProc;
        t['('] = &TSynCssSyn::SymbolProc;
        t[')'] = &TSynCssSyn::SymbolProc;
        t['/'] = &TSynCssSyn::SlashProc;
        return t;
    }
};

const std::vector<std::string_view>& TSynCssSyn::Keywords() {
    return keywords;
}

namespace {

using K = TCssTokenKind;

constexpr TSynAttributeDescriptor cssAttributes[] = {
    {"Comment", SYN_ATTR_COMMENT, Kinds(K::Comment), fsItalic},
    {"Identifier", SYN_ATTR_IDENTIFIER, Kinds(K::Identifier, K::Unknown)},
    {"Key", SYN_ATTR_KEYWORD, Kinds(K::Key), fsBold},
    {"Number", kNoRole, Kinds(K::Number)},
    {"Space", SYN_ATTR_WHITESPACE, Kinds(K::Space)},
    {"String", SYN_ATTR_STRING, Kinds(K::String)},
    {"Symbol", SYN_ATTR_SYMBOL, Kinds(K::Symbol)},
};

} // namespace

const TSynLanguageDescriptor cssLanguage = {
    .name = "Cascading style sheets",
    .filter = "Cascading Stylesheets (*.css)|*.css",
    .attributes = cssAttributes,
};

TSynCssSyn::TSynCssSyn()
    : TSynRangedHighlighter(cssLanguage, static_cast<int>(TCssTokenKind::Null),
                            static_cast<int>(TCssTokenKind::Space), TCssRange::Normal,
                            {TCssRange::Comment}) {}

void TSynCssSyn::NextToken() {
    tokenPos = run;
    if (range == TCssRange::Comment) {
        CommentScanner();
    } else {
        (this->*dispatchTable<TCssDispatch>[At(run)])();
    }
}

// Comment text up to and including "*/", or to the line end when it goes on.
void TSynCssSyn::CommentScanner() {
    if (AtEnd(run)) {
        SetKind(TCssTokenKind::Null);
        return;
    }
    SetKind(TCssTokenKind::Comment);
    while (!AtEnd(run)) {
        if (At(run) == '*' && At(run + 1) == '/') {
            run += 2;
            range = TCssRange::Normal;
            return;
        }
        ++run;
    }
}

void TSynCssSyn::WordProc() {
    KeywordOrIdentifier(wordChars, KeywordTable(), static_cast<int>(TCssTokenKind::Identifier));
}

// Digits, points and exponents; a unit such as "em" or "ex" is left for the next token.
void TSynCssSyn::NumberProc() {
    ++run;
    for (unsigned char c = At(run);; c = At(run)) {
        const bool number = IsDigit(c) || c == '.' || c == 'E' || c == 'e';
        const unsigned char next = At(run + 1);
        if (!number || (c == '.' && next == '.') || (c == 'e' && (next == 'x' || next == 'm'))) {
            break;
        }
        ++run;
    }
    SetKind(TCssTokenKind::Number);
}

void TSynCssSyn::ColourProc() {
    ++run;
    while (IsHexDigit(At(run))) {
        ++run;
    }
    SetKind(TCssTokenKind::Number);
}

// A sign only after a space: "-" before a letter or digit, "-." before one; elsewhere it is
// part of a name.
void TSynCssSyn::MinusProc() {
    const bool afterSpace = run > 0 && line[run - 1] == ' ';
    ++run;
    if (!afterSpace) {
        SetKind(TCssTokenKind::Identifier);
        return;
    }
    const auto isLetterOrDigit = [](unsigned char c) { return IsLetter(c) || IsDigit(c); };
    if (isLetterOrDigit(At(run))) {
        SetKind(TCssTokenKind::Number);
    } else if (At(run) == '.' && isLetterOrDigit(At(run + 1))) {
        ++run;
        SetKind(TCssTokenKind::Number);
    } else {
        SetKind(TCssTokenKind::Space);
    }
}

void TSynCssSyn::StringProc() {
    SetKind(TCssTokenKind::String);
    if (At(run + 1) == '\'' && At(run + 2) == '\'') {
        run += 2;
    }
    do {
        ++run;
    } while (!AtEnd(run) && At(run) != '\'');
    if (!AtEnd(run)) {
        ++run;
    }
}

void TSynCssSyn::BraceProc() {
    ++run;
    while (IsDigit(At(run))) {
        ++run;
    }
    SetKind(TCssTokenKind::String);
}

void TSynCssSyn::SymbolProc() {
    ++run;
    SetKind(TCssTokenKind::Symbol);
}

void TSynCssSyn::SlashProc() {
    if (At(run + 1) != '*') {
        SymbolProc();
        return;
    }
    run += 2;
    range = TCssRange::Comment;
    SetKind(TCssTokenKind::Comment);
    if (!AtEnd(run)) {
        CommentScanner();
    }
}

void TSynCssSyn::UnknownProc() {
    ++run;
    SetKind(TCssTokenKind::Unknown);
}
