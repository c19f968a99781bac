#pragma once
// The rich editor's document as the RTF reader makes it and the writer takes it: paragraphs of
// runs of equally formatted text, with their spacing, indents, list membership and table cell,
// the tables' rows and cells, and the pictures. Text is UTF-8 whatever the file's code page,
// since an RTF file may hold characters (\uN) that no single code page has; the window turns it
// into QString. What the editor cannot hold (headers, footnotes, other fields...) is not kept,
// but counted, so that nobody loses it without being told.

#include "platform/Color.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// A line break inside a paragraph (RTF \line), as QTextDocument writes it too.
inline constexpr char kRichLineBreak[] = "\u2028";
// The one character of a picture's run.
inline constexpr char kRichPictureMark[] = "\uFFFC";

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
    std::string fontFamily;    // RTF's family word without its \f: "roman", "swiss", ...
    int fontCharset = -1;      // -1: the document's
    std::string link;          // a hyperlink's target

    bool operator==(const RichCharFormat&) const = default;
};

struct RichRun {
    std::string text; // UTF-8; tabs as '\t', line breaks as kRichLineBreak
    RichCharFormat format;
    int picture = -1; // index into RichDocument::pictures; the text is then kRichPictureMark

    bool operator==(const RichRun&) const = default;
};

enum class RichAlignment { Left, Center, Right, Justify };

enum class RichListStyle { Bullet, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman };

// Lengths are twips (1/20 point), as in RTF.
struct RichParagraph {
    RichAlignment alignment = RichAlignment::Left;
    std::vector<RichRun> runs{};
    int spaceBefore = 0;
    int spaceAfter = 0;
    int firstLineIndent = 0;
    int leftIndent = 0;
    int rightIndent = 0;
    // RTF's \sl: 0 single; with lineMultiple 240ths of a line, else at least (exactly when
    // negative) that many twips.
    int lineSpacing = 0;
    bool lineMultiple = false;
    bool pageBreakBefore = false;
    int list = -1; // paragraphs of one list share the number
    int listLevel = 0;
    RichListStyle listStyle = RichListStyle::Bullet;
    int table = -1; // index into RichDocument::tables, with the cell's row and column
    int row = 0;
    int column = 0;

    bool operator==(const RichParagraph&) const = default;
};

enum class RichBorderStyle { None, Single, Double, Dotted, Dashed };

struct RichBorder {
    RichBorderStyle style = RichBorderStyle::None;
    int width = 0; // twips
    TColor color = clNone;

    bool operator==(const RichBorder&) const = default;
};

struct RichCell {
    int width = 0; // twips
    RichBorder top, left, bottom, right;
    TColor shading = clNone;

    bool operator==(const RichCell&) const = default;
};

struct RichTableRow {
    std::vector<RichCell> cells;

    bool operator==(const RichTableRow&) const = default;
};

struct RichTable {
    std::vector<RichTableRow> rows;

    bool operator==(const RichTable&) const = default;
};

struct RichPicture {
    // Png and Jpeg hold the image file's bytes; Other the picture's whole RTF group as it was
    // read, to be written back unchanged.
    enum class Kind { Png, Jpeg, Other } kind = Kind::Other;
    std::string data;
    int width = 0; // shown size, twips
    int height = 0;
    int pixelWidth = 0; // the image's own size
    int pixelHeight = 0;

    bool operator==(const RichPicture&) const = default;
};

// What a file held that the document cannot.
enum class RichLoss {
    Headers,
    Footers,
    Footnotes,
    Comments,
    Fields,
    MergedCells,
    NestedTables,
    Objects,
    Drawings,
    Bookmarks,
    Count
};

// The plural names the user is shown, in the order of RichLoss.
std::string_view RichLossName(RichLoss loss);

struct RichDocument {
    std::vector<RichParagraph> paragraphs;
    std::vector<RichTable> tables{};
    std::vector<RichPicture> pictures{};
    std::array<int, std::size_t(RichLoss::Count)> lost{};

    bool operator==(const RichDocument&) const = default;
};

// Appends text to the paragraph, joining it to the last run when the format is the same, so a
// document never holds two neighbouring runs of one format or an empty run.
void AppendRun(RichParagraph& paragraph, std::string_view text, const RichCharFormat& format);

// Appends a picture's run; pictures are never joined.
void AppendPicture(RichParagraph& paragraph, int picture, const RichCharFormat& format);

// The text of a paragraph without formatting, line breaks as kRichLineBreak.
std::string ParagraphText(const RichParagraph& paragraph);

// How many items were left out, and their names joined by ", " ("headers, footnotes").
int LostCount(const RichDocument& document);
std::string LostNames(const RichDocument& document);
