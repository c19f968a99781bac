#include "richedit/RtfControlWords.h"

#include <algorithm>
#include <array>

namespace detail {

namespace {

using enum RtfAction;

// Sorted by name for the binary search below (a test checks the order).
constexpr std::array kControlWords = std::to_array<RtfControlWord>({
    {"aftncn", SkipDestination},
    {"aftnsep", SkipDestination},
    {"aftnsepc", SkipDestination},
    {"annotation", SkipDestination},
    {"ansi", CharacterSet, 1252},
    {"ansicpg", AnsiCodePage},
    {"atnauthor", SkipDestination},
    {"atnid", SkipDestination},
    {"author", SkipDestination},
    {"b", Bold},
    {"bin", Binary},
    {"blue", Blue},
    {"bullet", Character, 0x2022},
    {"cb", Highlight},
    {"cell", Tab},
    {"cf", ForeColor},
    {"chcbpat", Highlight},
    {"colortbl", ColorTable},
    {"comment", SkipDestination},
    {"cpg", FontCodePage},
    {"datastore", SkipDestination},
    {"deff", DefaultFont},
    {"emdash", Character, 0x2014},
    {"emspace", Character, 0x2003},
    {"endash", Character, 0x2013},
    {"enspace", Character, 0x2002},
    {"f", Font},
    {"fcharset", FontCharset},
    {"fldinst", SkipDestination},
    {"fonttbl", FontTable},
    {"footer", SkipDestination},
    {"footerf", SkipDestination},
    {"footerl", SkipDestination},
    {"footerr", SkipDestination},
    {"footnote", SkipDestination},
    {"fs", FontSize},
    {"ftncn", SkipDestination},
    {"ftnsep", SkipDestination},
    {"ftnsepc", SkipDestination},
    {"green", Green},
    {"header", SkipDestination},
    {"headerf", SkipDestination},
    {"headerl", SkipDestination},
    {"headerr", SkipDestination},
    {"highlight", Highlight},
    {"i", Italic},
    {"info", SkipDestination},
    {"ldblquote", Character, 0x201C},
    {"line", LineBreak},
    {"listoverridetable", SkipDestination},
    {"listtable", SkipDestination},
    {"lquote", Character, 0x2018},
    {"mac", CharacterSet, 10000},
    {"nonshppict", SkipDestination},
    {"object", SkipDestination},
    {"page", ParagraphBreak},
    {"par", ParagraphBreak},
    {"pard", ParagraphDefaults},
    {"pc", CharacterSet, 437},
    {"pca", CharacterSet, 850},
    {"pict", SkipDestination},
    {"plain", PlainFormat},
    {"qc", AlignCenter},
    {"qd", AlignJustify},
    {"qj", AlignJustify},
    {"ql", AlignLeft},
    {"qmspace", Character, 0x2005},
    {"qr", AlignRight},
    {"rdblquote", Character, 0x201D},
    {"red", Red},
    {"row", ParagraphBreak},
    {"rquote", Character, 0x2019},
    {"sect", ParagraphBreak},
    {"shp", SkipDestination},
    {"strike", StrikeOut},
    {"striked", StrikeOut},
    {"stylesheet", SkipDestination},
    {"tab", Tab},
    {"template", SkipDestination},
    {"themedata", SkipDestination},
    {"txe", SkipDestination},
    {"u", Unicode},
    {"uc", UnicodeSkip},
    {"ul", Underline},
    {"uld", Underline},
    {"uldash", Underline},
    {"uldashd", Underline},
    {"uldashdd", Underline},
    {"uldb", Underline},
    {"ulhwave", Underline},
    {"ulldash", Underline},
    {"ulnone", UnderlineOff},
    {"ulth", Underline},
    {"ulthd", Underline},
    {"ulthdash", Underline},
    {"ulthdashd", Underline},
    {"ulthdashdd", Underline},
    {"ulthldash", Underline},
    {"ululdbwave", Underline},
    {"ulw", Underline},
    {"ulwave", Underline},
    {"xe", SkipDestination},
    {"zwj", Character, 0x200D},
    {"zwnj", Character, 0x200C},
});

} // namespace

std::span<const RtfControlWord> ControlWordTable() {
    return kControlWords;
}

RtfControlWord FindControlWord(std::string_view name) {
    const auto found = std::lower_bound(
        kControlWords.begin(), kControlWords.end(), name,
        [](const RtfControlWord& word, std::string_view key) { return word.name < key; });
    if (found != kControlWords.end() && found->name == name) {
        return *found;
    }
    return {name, Ignore};
}

} // namespace detail
