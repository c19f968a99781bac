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
    // Fonts: the family of a font table entry (the entry's code indexes kRtfFontFamilies).
    FontFamily,
    // Paragraph spacing, indents and page breaks.
    SpaceBefore,
    SpaceAfter,
    FirstLineIndent,
    LeftIndent,
    RightIndent,
    LineSpacing,
    LineMultiple,
    PageBreakBefore,
    PageBreak,
    // Lists: the tables that describe them and the paragraph's list and level.
    ListTable,
    ListOverrideTable,
    List,
    ListLevel,
    ListLevelNumbering,
    ListId,
    ListOverride,
    ParagraphList,
    ParagraphListLevel,
    // Tables: the row being defined, its cells and borders, and the cells' content.
    InTable,
    RowDefaults,
    CellBorder,  // the code says which side: 0 top, 1 left, 2 bottom, 3 right
    BorderStyle, // the code is a RichBorderStyle
    BorderWidth,
    BorderColor,
    CellShading,
    CellRight,
    MergedCell,
    CellEnd,
    RowEnd,
    NestedCellEnd,
    NestedRowEnd,
    NestedTableProperties, // a destination that ends each row of a nested table
    // Fields and pictures.
    Field,
    FieldInstruction,
    FieldResult,
    Picture,
    ShapePicture,
    PictureKind, // the code is a RichPicture::Kind
    PictureWidth,
    PictureHeight,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY,
    // A destination the document cannot keep; the code is the RichLoss it counts as.
    Lost,
};

// The font family words of a font table entry, without their \f.
inline constexpr std::string_view kRtfFontFamilies[] = {"nil",    "roman", "swiss", "modern",
                                                        "script", "decor", "tech",  "bidi"};

struct RtfControlWord {
    std::string_view name;
    RtfAction action;
    char32_t code = 0; // for the actions that say what their code means
};

// The entry of a control word name; RtfAction::Ignore for a name not in the table.
RtfControlWord FindControlWord(std::string_view name);

// The whole table, sorted by name.
std::span<const RtfControlWord> ControlWordTable();

} // namespace detail
