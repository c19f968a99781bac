#include "codeedit/SynHighlighterHtml.h"

#include "codeedit/SynHighlighterKeywords.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

using SynChars::IsDigit;
using SynChars::IsLetter;

constexpr int MaxTagHash = 243;

unsigned char AsciiLower(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c + 32 : c;
}

// Weights of the tag-name hash. Digits weigh 0 here because they are compared as equal; the
// hash adds their numeric value separately.
TSynWeights TagWeights() {
    TSynWeights weights = CaseFoldedLetterWeights();
    weights['!'] = 123;
    weights['/'] = 122;
    return weights;
}

const TSynWeights tagWeights = TagWeights();

bool IsTagNameChar(unsigned char c) {
    return c == '!' || c == '/' || IsLetter(c);
}

// Hash of a tag name as the scanner builds it: weights of the name, plus digit values.
int TagHash(std::string_view word) {
    int hash = 0;
    for (unsigned char c : word) {
        hash += IsDigit(c) ? c - '0' : tagWeights[c];
    }
    return hash;
}

const std::vector<std::string_view> entityNames = {
    "&Alpha;",    "&Beta;",   "&Gamma;",   "&Delta;",   "&Epsilon;", "&Zeta;",    "&Eta;",
    "&Theta;",    "&Iota;",   "&Kappa;",   "&Lambda;",  "&Mu;",      "&Nu;",      "&Xi;",
    "&Omicron;",  "&Pi;",     "&Rho;",     "&Sigma;",   "&Tau;",     "&Upsilon;", "&Phi;",
    "&Chi;",      "&Psi;",    "&Omega;",   "&alpha;",   "&beta;",    "&gamma;",   "&delta;",
    "&epsilon;",  "&zeta;",   "&eta;",     "&theta;",   "&iota;",    "&kappa;",   "&lambda;",
    "&mu;",       "&nu;",     "&xi;",      "&omicron;", "&pi;",      "&rho;",     "&sigmaf;",
    "&sigma;",    "&tau;",    "&upsilon;", "&phi;",     "&chi;",     "&psi;",     "&omega;",
    "&thetasym;", "&upsih;",  "&piv;",     "&bull;",    "&hellip;",  "&prime;",   "&Prime;",
    "&oline;",    "&frasl;",  "&weierp;",  "&image;",   "&real;",    "&trade;",   "&alefsym;",
    "&larr;",     "&uarr;",   "&rarr;",    "&darr;",    "&harr;",    "&crarr;",   "&lArr;",
    "&uArr;",     "&rArr;",   "&dArr;",    "&hArr;",    "&forall;",  "&part;",    "&exist;",
    "&empty;",    "&nabla;",  "&isin;",    "&notin;",   "&ni;",      "&prod;",    "&sum;",
    "&minus;",    "&lowast;", "&radic;",   "&prop;",    "&infin;",   "&ang;",     "&and;",
    "&or;",       "&cap;",    "&cup;",     "&int;",     "&there4;",  "&sim;",     "&cong;",
    "&asymp;",    "&ne;",     "&equiv;",   "&le;",      "&ge;",      "&sub;",     "&sup;",
    "&nsub;",     "&sube;",   "&supe;",    "&oplus;",   "&otimes;",  "&perp;",    "&sdot;",
    "&lceil;",    "&rceil;",  "&lfloor;",  "&rfloor;",  "&lang;",    "&rang;",    "&loz;",
    "&spades;",   "&clubs;",  "&hearts;",  "&diams;",   "&lsquo;",   "&rsquo;",   "&sbquo;",
    "&ldquo;",    "&rdquo;",  "&bdquo;",   "&dagger;",  "&Dagger;",  "&permil;",  "&lsaquo;",
    "&rsaquo;",   "&quot;",   "&amp;",     "&lt;",      "&gt;",      "&ndash;",   "&mdash;",
    "&nbsp;",     "&thinsp;", "&ensp;",    "&emsp;",    "&iexcl;",   "&cent;",    "&pound;",
    "&curren;",   "&yen;",    "&brvbar;",  "&brkbar;",  "&sect;",    "&uml;",     "&die;",
    "&copy;",     "&ordf;",   "&laquo;",   "&not;",     "&shy;",     "&reg;",     "&macr;",
    "&hibar;",    "&deg;",    "&plusmn;",  "&sup2;",    "&sup3;",    "&acute;",   "&micro;",
    "&para;",     "&middot;", "&cedil;",   "&sup1;",    "&ordm;",    "&raquo;",   "&frac14;",
    "&frac12;",   "&frac34;", "&iquest;",  "&Agrave;",  "&Aacute;",  "&Acirc;",   "&Atilde;",
    "&Auml;",     "&Aring;",  "&AElig;",   "&Ccedil;",  "&Egrave;",  "&Eacute;",  "&Ecirc;",
    "&Euml;",     "&Igrave;", "&Iacute;",  "&Icirc;",   "&Iuml;",    "&ETH;",     "&Ntilde;",
    "&Ograve;",   "&Oacute;", "&Ocirc;",   "&Otilde;",  "&Ouml;",    "&times;",   "&Oslash;",
    "&Ugrave;",   "&Uacute;", "&Ucirc;",   "&Uuml;",    "&Yacute;",  "&THORN;",   "&szlig;",
    "&agrave;",   "&aacute;", "&acirc;",   "&atilde;",  "&auml;",    "&aring;",   "&aelig;",
    "&ccedil;",   "&egrave;", "&eacute;",  "&ecirc;",   "&euml;",    "&igrave;",  "&iacute;",
    "&icirc;",    "&iuml;",   "&eth;",     "&ntilde;",  "&ograve;",  "&oacute;",  "&ocirc;",
    "&otilde;",   "&ouml;",   "&divide;",  "&oslash;",  "&ugrave;",  "&uacute;",  "&ucirc;",
    "&uuml;",     "&yacute;", "&thorn;",   "&yuml;",    "&euro;",    "&OElig;",   "&oelig;",
    "&scaron;",   "&Scaron;", "&fnof;",    "&circ;",
};

const std::array<std::string_view, 108> openingTagNames = {
    "A",        "ABBR",     "ACRONYM", "ADDRESS", "APPLET",     "AREA",      "B",       "BASE",
    "BASEFONT", "BGSOUND",  "BIG",     "BLINK",   "BLOCKQUOTE", "BODY",      "BR",      "BUTTON",
    "CAPTION",  "CENTER",   "CITE",    "CODE",    "COL",        "COLGROUP",  "COMMENT", "DD",
    "DEL",      "DFN",      "DIR",     "DIV",     "DL",         "DT",        "EM",      "EMBED",
    "FIELDSET", "FONT",     "FORM",    "FRAME",   "FRAMESET",   "H1",        "H2",      "H3",
    "H4",       "H5",       "H6",      "HEAD",    "HR",         "HTML",      "I",       "IFRAME",
    "ILAYER",   "IMG",      "INPUT",   "INS",     "ISINDEX",    "KBD",       "KEYGEN",  "LABEL",
    "LAYER",    "LEGEND",   "LI",      "LINK",    "LISTING",    "MAP",       "MARQUEE", "MENU",
    "META",     "MULTICOL", "NEXTID",  "NOBR",    "NOEMBED",    "NOFRAMES",  "NOLAYER", "NOSCRIPT",
    "OBJECT",   "OL",       "OPTION",  "P",       "PARAM",      "PLAINTEXT", "PRE",     "Q",
    "S",        "SAMP",     "SCRIPT",  "SELECT",  "SERVER",     "SMALL",     "SPACER",  "SPAN",
    "STRIKE",   "STRONG",   "STYLE",   "SUB",     "SUP",        "TABLE",     "TBODY",   "TD",
    "TEXTAREA", "TFOOT",    "TH",      "THEAD",   "TITLE",      "TR",        "TT",      "U",
    "UL",       "VAR",      "WBR",     "XMP",
};

// Opening names that have no closing form.
const std::array<std::string_view, 19> tagsWithoutClosing = {
    "AREA",   "BASE",  "BASEFONT",  "BGSOUND", "BR",     "COL",  "FRAME",
    "HR",     "IMG",   "INPUT",     "ISINDEX", "KEYGEN", "LINK", "META",
    "NEXTID", "PARAM", "PLAINTEXT", "SPACER",  "WBR",
};

const TSynKeywordTable& TagTable() {
    static const TSynKeywordTable table = [] {
        TSynKeywordTable t(tagWeights, MaxTagHash, TSynKeywordCase::ByWeight);
        for (auto name : TSynHTMLSyn::TagNames()) {
            t.Add(name, static_cast<int>(THtmlTokenKind::KnownTag), TagHash(name));
        }
        return t;
    }();
    return table;
}

// The entity names in lower case (without "&" and ";"), sorted, each with the first table
// index it matches. Names are letters and digits ended by ";", so a line matches a name
// exactly when its letter-and-digit run after "&" equals the name and ";" follows: a sorted
// lookup of that run gives the same first match as trying the table in order.
struct EntityKey {
    std::string name;
    int index;
};

const std::vector<EntityKey>& EntityKeys() {
    static const std::vector<EntityKey> keys = [] {
        std::vector<EntityKey> result;
        const auto& names = TSynHTMLSyn::EntityNames();
        for (std::size_t i = 0; i < names.size(); ++i) {
            std::string name(names[i].substr(1, names[i].size() - 2));
            std::transform(name.begin(), name.end(), name.begin(),
                           [](unsigned char c) { return AsciiLower(c); });
            result.push_back({name, static_cast<int>(i)});
        }
        std::stable_sort(result.begin(), result.end(),
                         [](const auto& a, const auto& b) { return a.name < b.name; });
        return result;
    }();
    return keys;
}

constexpr std::size_t LongestEntityName = 8;

// Index of the entity named at pos ("&" there), or -1.
int FindEntity(std::string_view lineText, std::size_t pos) {
    char name[LongestEntityName];
    std::size_t size = 0;
    std::size_t i = pos + 1;
    while (i < lineText.size() && (IsLetter(static_cast<unsigned char>(lineText[i])) ||
                                   IsDigit(static_cast<unsigned char>(lineText[i])))) {
        if (size == LongestEntityName) {
            return -1;
        }
        name[size++] = static_cast<char>(AsciiLower(static_cast<unsigned char>(lineText[i])));
        ++i;
    }
    if (size == 0 || i >= lineText.size() || lineText[i] != ';') {
        return -1;
    }
    const std::string_view word(name, size);
    const auto& keys = EntityKeys();
    const auto found = std::lower_bound(
        keys.begin(), keys.end(), word,
        [](const EntityKey& key, std::string_view w) { return std::string_view(key.name) < w; });
    return found != keys.end() && found->name == word ? found->index : -1;
}

bool IsLineBreakOrNul(unsigned char c) {
    return c == 0 || c == '\n' || c == '\r';
}

const bool registered = (TSynHighlighterList::Instance().Add("TSynHTMLSyn"), true);

} // namespace

struct THtmlDispatch {
    static constexpr TSynDispatchTable<TSynHTMLSyn> Build() {
        auto t = TSynHTMLSyn::SharedDispatch<TSynHTMLSyn>(&TSynHTMLSyn::WordProc,
                                                          TSynHTMLSyn::Blanks::TabApart);
        t['"'] = &TSynHTMLSyn::StringProc;
        t['&'] = &TSynHTMLSyn::EntityProc;
        t['<'] = &TSynHTMLSyn::TagOpenProc;
        t['='] = &TSynHTMLSyn::EqualProc;
        t['>'] = &TSynHTMLSyn::GreaterProc;
        return t;
    }
};

const std::vector<std::string_view>& TSynHTMLSyn::EntityNames() {
    return entityNames;
}

const std::vector<std::string>& TSynHTMLSyn::TagNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> result(openingTagNames.begin(), openingTagNames.end());
        for (auto name : openingTagNames) {
            if (std::find(tagsWithoutClosing.begin(), tagsWithoutClosing.end(), name) ==
                tagsWithoutClosing.end()) {
                // Appending, not "/" + std::string: GCC 12 warns falsely (restrict) at -O3.
                result.emplace_back("/").append(name);
            }
        }
        result.push_back("!DOCTYPE");
        return result;
    }();
    return names;
}

namespace {

using K = THtmlTokenKind;

constexpr TSynAttributeDescriptor htmlAttributes[] = {
    {"Asp", kNoRole, Kinds(K::Asp), 0, clBlack, clYellow},
    {"Comment", SYN_ATTR_COMMENT, Kinds(K::Comment)},
    {"Identifier", SYN_ATTR_IDENTIFIER, Kinds(K::Identifier), fsBold},
    {"Reserved word", SYN_ATTR_KEYWORD, Kinds(K::KnownTag), fsBold, RGB(128, 0, 255)},
    {"Space", SYN_ATTR_WHITESPACE, Kinds(K::Space)},
    {"Symbol", SYN_ATTR_SYMBOL, Kinds(K::Symbol), fsBold},
    {"Text", kNoRole, Kinds(K::Text)},
    {"Unknown word", kNoRole, Kinds(K::UndefinedTag), fsBold, clRed},
    {"Value", kNoRole, Kinds(K::String, K::Value), 0, RGB(0, 128, 255)},
    {"Escape ampersand", kNoRole, Kinds(K::Entity), fsBold, clLime},
};

} // namespace

const TSynLanguageDescriptor htmlLanguage = {
    .name = "HTML document",
    .filter = "HTML Document (*.htm,*.html)|*.htm;*.html",
    .sample = "<!-- Syntax highlighting -->\r\n"
              "\r\n"
              "<html>\r\n"
              "<body bgcolor=\"red\">\r\n"
              " <% out.println(\"Hello World\"); %>\r\n"
              " <invalid>Sample HTML code &copy; 2001</invalid>\r\n"
              "</body>\r\n"
              "</html>",
    .attributes = htmlAttributes,
};

TSynHTMLSyn::TSynHTMLSyn()
    : TSynRangedHighlighter(htmlLanguage, static_cast<int>(THtmlTokenKind::Null),
                            static_cast<int>(THtmlTokenKind::Space), THtmlRange::Text,
                            {THtmlRange::EntityPending, THtmlRange::Asp, THtmlRange::Comment,
                             THtmlRange::TagNameExpected, THtmlRange::InsideTag,
                             THtmlRange::ValueExpected}) {}

void TSynHTMLSyn::NextToken() {
    tokenPos = run;
    switch (range) {
    case THtmlRange::Asp:
        AspScanner();
        break;
    case THtmlRange::Comment:
        CommentScanner();
        break;
    case THtmlRange::Text:
        TextScanner();
        break;
    default:
        Dispatch();
        break;
    }
}

void TSynHTMLSyn::Dispatch() {
    (this->*dispatchTable<THtmlDispatch>[At(run)])();
}

bool TSynHTMLSyn::AspClosesAt(std::size_t pos) const {
    return pos >= 1 && line[pos - 1] == '%';
}

bool TSynHTMLSyn::CommentClosesAt(std::size_t pos) const {
    return pos >= 2 && line[pos - 1] == '-' && line[pos - 2] == '-';
}

void TSynHTMLSyn::AspScanner() {
    BlockScanner(THtmlTokenKind::Asp, &TSynHTMLSyn::AspClosesAt);
}

void TSynHTMLSyn::CommentScanner() {
    BlockScanner(THtmlTokenKind::Comment, &TSynHTMLSyn::CommentClosesAt);
}

// The body of an ASP block or comment up to its closing ">" or the line end; the block goes on
// on the next line when it does not close.
void TSynHTMLSyn::BlockScanner(THtmlTokenKind kind,
                               bool (TSynHTMLSyn::*closesAt)(std::size_t) const) {
    if (IsLineBreakOrNul(At(run))) {
        Dispatch();
        return;
    }
    SetKind(kind);
    for (unsigned char c = At(run); !IsLineBreakOrNul(c); c = At(run)) {
        ++run;
        if (c == '>' && (this->*closesAt)(run - 1)) {
            range = THtmlRange::Text;
            return;
        }
    }
}

void TSynHTMLSyn::TextScanner() {
    const unsigned char first = At(run);
    if (first < 32 || first == '<') {
        Dispatch();
        return;
    }
    SetKind(THtmlTokenKind::Text);
    const std::string_view text(line, length);
    for (;;) {
        unsigned char c = At(run);
        while (c >= 32 && c != '&' && c != '<') {
            c = At(++run);
        }
        if (c != '&') {
            return;
        }
        if (At(run + 1) == '#') {
            const std::size_t ampersand = run;
            run += 2;
            while (IsDigit(At(run))) {
                ++run;
            }
            if (At(run) == ';') {
                run = ampersand;
                range = THtmlRange::EntityPending;
            }
            return;
        }
        const int index = FindEntity(text, run);
        if (index >= 0) {
            entityIndex = index;
            range = THtmlRange::EntityPending;
            return;
        }
        ++run;
    }
}

void TSynHTMLSyn::StringProc() {
    if (range == THtmlRange::ValueExpected) {
        range = THtmlRange::InsideTag;
        SetKind(THtmlTokenKind::Value);
    } else {
        SetKind(THtmlTokenKind::String);
    }
    ++run;
    for (unsigned char c = At(run); !IsLineBreakOrNul(c); c = At(run)) {
        ++run;
        if (c == '"') {
            break;
        }
    }
}

void TSynHTMLSyn::EntityProc() {
    if (entityIndex >= 0) {
        run = std::min(length, run + EntityNames()[static_cast<std::size_t>(entityIndex)].size());
        SetKind(THtmlTokenKind::Entity);
    } else if (At(run + 1) == '#') {
        run += 2;
        while (IsDigit(At(run))) {
            ++run;
        }
        if (At(run) == ';') {
            ++run;
            SetKind(THtmlTokenKind::Entity);
        } else {
            SetKind(THtmlTokenKind::Text);
        }
    } else if (tokenKind == static_cast<int>(THtmlTokenKind::Null)) {
        // The empty token keeps the previous token's kind; at a line start that would be the
        // null kind and end the line before its text, so it is text instead.
        SetKind(THtmlTokenKind::Text);
    }
    entityIndex = -1;
    range = THtmlRange::Text;
}

void TSynHTMLSyn::TagOpenProc() {
    ++run;
    if (At(run) == '!' && At(run + 1) == '-' && At(run + 2) == '-') {
        run += 3;
        range = THtmlRange::Comment;
        SetKind(THtmlTokenKind::Comment);
    } else if (At(run) == '%') {
        ++run;
        range = THtmlRange::Asp;
        SetKind(THtmlTokenKind::Asp);
    } else {
        range = THtmlRange::TagNameExpected;
        SetKind(THtmlTokenKind::Symbol);
    }
}

void TSynHTMLSyn::EqualProc() {
    ++run;
    range = THtmlRange::ValueExpected;
    SetKind(THtmlTokenKind::Symbol);
}

void TSynHTMLSyn::GreaterProc() {
    ++run;
    range = THtmlRange::Text;
    SetKind(THtmlTokenKind::Symbol);
}

void TSynHTMLSyn::WordProc() {
    switch (range) {
    case THtmlRange::TagNameExpected:
        range = THtmlRange::InsideTag;
        SetKind(TagNameKind());
        break;
    case THtmlRange::ValueExpected:
        range = THtmlRange::InsideTag;
        for (unsigned char c = At(run); c > 32 && c != '>'; c = At(run)) {
            ++run;
        }
        SetKind(THtmlTokenKind::Value);
        break;
    default:
        for (unsigned char c = At(run); c > 32 && c != '"' && c != '=' && c != '>'; c = At(run)) {
            ++run;
        }
        SetKind(THtmlTokenKind::Identifier);
        break;
    }
}

// The hashed word at the scan position: tag-name characters, then digits.
THtmlTokenKind TSynHTMLSyn::TagNameKind() {
    const std::size_t start = run;
    // Any hash above the table is an identifier; capping it keeps a huge word from overflowing.
    int hash = 0;
    while (IsTagNameChar(At(run))) {
        hash = std::min(hash + tagWeights[At(run)], MaxTagHash + 1);
        ++run;
    }
    while (IsDigit(At(run))) {
        hash = std::min(hash + (At(run) - '0'), MaxTagHash + 1);
        ++run;
    }
    if (run == start) {
        return THtmlTokenKind::UndefinedTag;
    }
    const auto result = TagTable().Find(std::string_view(line + start, run - start), hash);
    switch (result.outcome) {
    case TSynKeywordTable::Outcome::OutOfRange:
        return THtmlTokenKind::Identifier;
    case TSynKeywordTable::Outcome::Found:
        return THtmlTokenKind::KnownTag;
    default:
        return THtmlTokenKind::UndefinedTag;
    }
}
