#pragma once
// The control words the RTF reader acts on, as a table: each name with what it does. Words not
// in the table are passed over.

#include <cstdint>
#include <span>
#include <string_view>

namespace detail {

enum class RtfAction : std::uint8_t {
    Ignore,
    // Destinations: the group they open holds no text of the document.
    FontTable,
    ColorTable,
    SkipDestination,
    // Character formatting.
    Bold,
    Italic,
    Underline,
    UnderlineOff,
    StrikeOut,
    Font,
    FontSize,
    ForeColor,
    Highlight,
    PlainFormat,
    // Paragraphs and breaks.
    ParagraphDefaults,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    ParagraphBreak,
    LineBreak,
    Tab,
    // A character given by the table entry's code.
    Character,
    Unicode,
    UnicodeSkip,
    // Code pages and tables.
    CharacterSet, // \ansi, \mac, \pc, \pca: the code page is the entry's code
    AnsiCodePage,
    DefaultFont,
    FontCharset,
    FontCodePage,
    Red,
    Green,
    Blue,
    Binary,
};

struct RtfControlWord {
    std::string_view name;
    RtfAction action;
    char32_t code = 0; // for Character and CharacterSet
};

// The entry of a control word name; RtfAction::Ignore for a name not in the table.
RtfControlWord FindControlWord(std::string_view name);

// The whole table, sorted by name.
std::span<const RtfControlWord> ControlWordTable();

} // namespace detail
