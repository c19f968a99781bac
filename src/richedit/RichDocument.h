#pragma once
// The rich editor's document as the RTF reader makes it and the writer takes it: paragraphs of
// runs of equally formatted text. Text is UTF-8 whatever the file's code page, since an RTF file
// may hold characters (\uN) that no single code page has; the window turns it into QString.
// Holds no layout, styles, lists, tables or pictures: what the editor cannot show is not kept.

#include "platform/Color.h"

#include <string>
#include <string_view>
#include <vector>

// A line break inside a paragraph (RTF \line), as QTextDocument writes it too.
inline constexpr char kRichLineBreak[] = "\u2028";

// RTF's default size: 12 points.
inline constexpr int kDefaultHalfPoints = 24;

struct RichCharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::string fontName; // empty: the editor's own font
    int halfPoints = kDefaultHalfPoints;
    TColor color = clNone;     // clNone: the editor's text colour
    TColor highlight = clNone; // clNone: no background of its own

    bool operator==(const RichCharFormat&) const = default;
};

struct RichRun {
    std::string text; // UTF-8; tabs as '\t', line breaks as kRichLineBreak
    RichCharFormat format;

    bool operator==(const RichRun&) const = default;
};

enum class RichAlignment { Left, Center, Right, Justify };

struct RichParagraph {
    RichAlignment alignment = RichAlignment::Left;
    std::vector<RichRun> runs;

    bool operator==(const RichParagraph&) const = default;
};

struct RichDocument {
    std::vector<RichParagraph> paragraphs;

    bool operator==(const RichDocument&) const = default;
};

// Appends text to the paragraph, joining it to the last run when the format is the same, so a
// document never holds two neighbouring runs of one format or an empty run.
void AppendRun(RichParagraph& paragraph, std::string_view text, const RichCharFormat& format);

// The text of a paragraph without formatting, line breaks as kRichLineBreak.
std::string ParagraphText(const RichParagraph& paragraph);
