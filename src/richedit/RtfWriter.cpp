#include "richedit/RtfWriter.h"

#include "platform/Utf8.h"
#include "richedit/RtfCharsets.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

namespace {

// Indices of the fonts and colours the runs use, in order of first use.
template <typename T> class UsedTable {
public:
    std::size_t IndexOf(const T& value) {
        const auto found = std::find(values.begin(), values.end(), value);
        if (found != values.end()) {
            return std::size_t(found - values.begin());
        }
        values.push_back(value);
        return values.size() - 1;
    }
    const std::vector<T>& Values() const { return values; }

private:
    std::vector<T> values;
};

void AppendNumber(std::string& out, std::string_view word, long long value) {
    out += '\\';
    out += word;
    out += std::to_string(value);
}

// \uN with N as a signed 16-bit number, and '?' for readers that do not know \u.
void AppendUnicode(std::string& out, char32_t code) {
    AppendNumber(out, "u", code < 0x8000 ? (long long)code : (long long)code - 65536);
    out += '?';
}

struct FontKey {
    std::string name;
    std::string family;
    int charset = -1;

    bool operator==(const FontKey&) const = default;
};

// Word's numbering format (\levelnfc) of a list style.
int NumberingOf(RichListStyle style) {
    switch (style) {
    case RichListStyle::Bullet:
        return 23;
    case RichListStyle::Decimal:
        break;
    case RichListStyle::LowerAlpha:
        return 4;
    case RichListStyle::UpperAlpha:
        return 3;
    case RichListStyle::LowerRoman:
        return 2;
    case RichListStyle::UpperRoman:
        return 1;
    }
    return 0;
}

constexpr int kListLevels = 9;
// Twips a list level or an indent step is indented by.
constexpr int kListIndent = 720;
constexpr int kListHanging = 360;
// Picture data is written in lines of this many bytes.
constexpr std::size_t kPictureLineBytes = 64;

class RtfWriter {
public:
    explicit RtfWriter(const Encoding& codePage)
        : codePage(detail::CodePageCharset(codePage.CodePage()) >= 0
                       ? codePage
                       : *Encoding::ForCodePage(1252)),
          charset(detail::CodePageCharset(this->codePage.CodePage())) {}

    std::string Write(const RichDocument& document);

private:
    void WriteTable(const RichTable& table, std::span<const RichParagraph> paragraphs);
    void WriteCellDefinition(const RichCell& cell, int& right);
    void WriteBorder(std::string_view side, const RichBorder& border);
    void WriteParagraph(const RichParagraph& paragraph, bool inTable);
    void WriteRun(const RichRun& run);
    void WritePicture(const RichPicture& picture);
    std::string Header() const;
    void WriteText(std::string& out, std::string_view utf8, const Encoding& encoding) const;
    void WriteCode(std::string& out, char32_t code, const Encoding& encoding) const;
    std::size_t ColorNumber(TColor color) { return colors.IndexOf(color) + 1; }

    const Encoding& codePage;
    const int charset;
    const RichDocument* document = nullptr;
    UsedTable<FontKey> fonts;
    // Index 0 of the written table is "automatic"; these start at 1.
    UsedTable<TColor> colors;
    // The document's lists in order of first use, each with the style of its levels.
    UsedTable<int> lists;
    std::vector<std::array<int, kListLevels>> listNumbering;
    bool anyRunWithoutFont = false;
    std::string body;
};

std::string RtfWriter::Write(const RichDocument& source) {
    document = &source;
    const std::vector<RichParagraph>& paragraphs = source.paragraphs;
    for (std::size_t i = 0; i < paragraphs.size();) {
        const int table = paragraphs[i].table;
        if (table < 0 || std::size_t(table) >= source.tables.size()) {
            WriteParagraph(paragraphs[i], false);
            body += "\\par\n";
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < paragraphs.size() && paragraphs[end].table == table) {
            ++end;
        }
        WriteTable(source.tables[std::size_t(table)], std::span(paragraphs).subspan(i, end - i));
        i = end;
    }
    return Header() + body + "}\n";
}

std::string RtfWriter::Header() const {
    std::string header = "{\\rtf1\\ansi";
    AppendNumber(header, "ansicpg", codePage.CodePage());
    // Runs without a font of their own name none; their default is a number missing from the
    // table, so readers fall back to their own font rather than to one of ours.
    AppendNumber(header, "deff", (long long)(anyRunWithoutFont ? fonts.Values().size() : 0));
    header += "\\uc1\n{\\fonttbl";
    for (std::size_t i = 0; i < fonts.Values().size(); ++i) {
        const FontKey& font = fonts.Values()[i];
        header += '{';
        AppendNumber(header, "f", (long long)i);
        header += "\\f";
        header += font.family.empty() ? "nil" : font.family;
        AppendNumber(header, "fcharset", font.charset >= 0 ? font.charset : charset);
        header += ' ';
        WriteText(header, font.name, codePage);
        header += ";}";
    }
    header += "}\n{\\colortbl;";
    for (const TColor color : colors.Values()) {
        AppendNumber(header, "red", color & 0xFF);
        AppendNumber(header, "green", (color >> 8) & 0xFF);
        AppendNumber(header, "blue", (color >> 16) & 0xFF);
        header += ';';
    }
    header += "}\n";
    if (lists.Values().empty()) {
        return header;
    }
    header += "{\\*\\listtable";
    for (std::size_t list = 0; list < listNumbering.size(); ++list) {
        header += "\n{\\list";
        AppendNumber(header, "listtemplateid", (long long)list + 1);
        for (int level = 0; level < kListLevels; ++level) {
            const int given = listNumbering[list][std::size_t(level)];
            const int numbering = given >= 0 ? given : NumberingOf(RichListStyle::Bullet);
            header += "{\\listlevel";
            AppendNumber(header, "levelnfc", numbering);
            AppendNumber(header, "levelnfcn", numbering);
            header += "\\leveljc0\\levelstartat1\\levelfollow0";
            if (numbering == NumberingOf(RichListStyle::Bullet)) {
                header += "{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}";
            } else {
                header += "{\\leveltext\\'02\\'0";
                header += char('0' + level);
                header += ".;}{\\levelnumbers\\'01;}";
            }
            AppendNumber(header, "fi", -kListHanging);
            AppendNumber(header, "li", kListIndent * (level + 1));
            header += '}';
        }
        AppendNumber(header, "listid", (long long)list + 1);
        header += '}';
    }
    header += "}\n{\\*\\listoverridetable";
    for (std::size_t list = 0; list < listNumbering.size(); ++list) {
        header += "{\\listoverride";
        AppendNumber(header, "listid", (long long)list + 1);
        header += "\\listoverridecount0";
        AppendNumber(header, "ls", (long long)list + 1);
        header += '}';
    }
    header += "}\n";
    return header;
}

void RtfWriter::WriteTable(const RichTable& table, std::span<const RichParagraph> paragraphs) {
    // The paragraphs of each cell, row by row; a cell the table lacks gets a plain one.
    std::vector<std::vector<std::vector<const RichParagraph*>>> cells(table.rows.size());
    for (const RichParagraph& paragraph : paragraphs) {
        const auto row = std::size_t(std::max(paragraph.row, 0));
        const auto column = std::size_t(std::max(paragraph.column, 0));
        if (cells.size() <= row) {
            cells.resize(row + 1);
        }
        if (cells[row].size() <= column) {
            cells[row].resize(column + 1);
        }
        cells[row][column].push_back(&paragraph);
    }
    for (std::size_t row = 0; row < cells.size(); ++row) {
        const std::vector<RichCell> none;
        const std::vector<RichCell>& defined =
            row < table.rows.size() ? table.rows[row].cells : none;
        const std::size_t columns = std::max(defined.size(), cells[row].size());
        cells[row].resize(columns);
        body += "\\trowd\\trgaph108";
        int right = 0;
        for (std::size_t column = 0; column < columns; ++column) {
            WriteCellDefinition(column < defined.size() ? defined[column] : RichCell{}, right);
        }
        body += '\n';
        for (const std::vector<const RichParagraph*>& cell : cells[row]) {
            if (cell.empty()) {
                body += "\\pard\\intbl\\cell\n";
            }
            for (std::size_t i = 0; i < cell.size(); ++i) {
                WriteParagraph(*cell[i], true);
                body += i + 1 < cell.size() ? "\\par\n" : "\\cell\n";
            }
        }
        body += "\\row\n";
    }
}

void RtfWriter::WriteCellDefinition(const RichCell& cell, int& right) {
    WriteBorder("clbrdrt", cell.top);
    WriteBorder("clbrdrl", cell.left);
    WriteBorder("clbrdrb", cell.bottom);
    WriteBorder("clbrdrr", cell.right);
    if (cell.shading != clNone) {
        AppendNumber(body, "clcbpat", (long long)ColorNumber(cell.shading));
    }
    right += cell.width > 0 ? cell.width : 1440;
    AppendNumber(body, "cellx", right);
}

void RtfWriter::WriteBorder(std::string_view side, const RichBorder& border) {
    if (border == RichBorder{}) {
        return;
    }
    static constexpr std::string_view kStyles[] = {"brdrnone", "brdrs", "brdrdb", "brdrdot",
                                                   "brdrdash"};
    body += '\\';
    body += side;
    body += '\\';
    body += kStyles[std::size_t(border.style)];
    AppendNumber(body, "brdrw", border.width);
    if (border.color != clNone) {
        AppendNumber(body, "brdrcf", (long long)ColorNumber(border.color));
    }
}

void RtfWriter::WriteParagraph(const RichParagraph& paragraph, bool inTable) {
    body += "\\pard";
    if (inTable) {
        body += "\\intbl";
    }
    static constexpr std::string_view kAlignments[] = {"\\ql", "\\qc", "\\qr", "\\qj"};
    body += kAlignments[std::size_t(paragraph.alignment)];
    const std::pair<std::string_view, int> lengths[] = {{"sb", paragraph.spaceBefore},
                                                        {"sa", paragraph.spaceAfter},
                                                        {"fi", paragraph.firstLineIndent},
                                                        {"li", paragraph.leftIndent},
                                                        {"ri", paragraph.rightIndent}};
    for (const auto& [word, value] : lengths) {
        if (value != 0) {
            AppendNumber(body, word, value);
        }
    }
    if (paragraph.lineSpacing != 0 || paragraph.lineMultiple) {
        AppendNumber(body, "sl", paragraph.lineSpacing);
        AppendNumber(body, "slmult", paragraph.lineMultiple ? 1 : 0);
    }
    if (paragraph.pageBreakBefore) {
        body += "\\pagebb";
    }
    if (paragraph.list >= 0) {
        const std::size_t list = lists.IndexOf(paragraph.list);
        if (list == listNumbering.size()) {
            listNumbering.emplace_back();
            listNumbering.back().fill(-1);
        }
        const int level = std::clamp(paragraph.listLevel, 0, kListLevels - 1);
        // A level takes the style of its first paragraph.
        int& numbering = listNumbering[list][std::size_t(level)];
        if (numbering < 0) {
            numbering = NumberingOf(paragraph.listStyle);
        }
        AppendNumber(body, "ls", (long long)list + 1);
        AppendNumber(body, "ilvl", level);
    }
    body += ' ';
    for (const RichRun& run : paragraph.runs) {
        WriteRun(run);
    }
}

void RtfWriter::WriteRun(const RichRun& run) {
    const RichCharFormat& format = run.format;
    if (!format.link.empty()) {
        body += "{\\field{\\*\\fldinst HYPERLINK ";
        std::string target = format.link;
        if (target.starts_with('#')) {
            body += "\\\\l ";
            target.erase(0, 1);
        }
        body += '"';
        // Quotes end the instruction's argument, so they go as %22; the pieces between them
        // are written whole, so that a character of several bytes stays one character.
        std::string_view rest = target;
        for (std::size_t quote; (quote = rest.find('"')) != std::string_view::npos;
             rest.remove_prefix(quote + 1)) {
            WriteText(body, rest.substr(0, quote), codePage);
            body += "%22";
        }
        WriteText(body, rest, codePage);
        body += "\"}{\\fldrslt ";
    }
    body += '{';
    if (format.fontName.empty()) {
        anyRunWithoutFont = true;
    } else {
        AppendNumber(
            body, "f",
            (long long)fonts.IndexOf({format.fontName, format.fontFamily, format.fontCharset}));
    }
    AppendNumber(body, "fs", format.halfPoints);
    if (format.bold) {
        body += "\\b";
    }
    if (format.italic) {
        body += "\\i";
    }
    if (format.underline) {
        body += "\\ul";
    }
    if (format.strikeOut) {
        body += "\\strike";
    }
    if (format.color != clNone) {
        AppendNumber(body, "cf", (long long)ColorNumber(format.color));
    }
    if (format.highlight != clNone) {
        AppendNumber(body, "highlight", (long long)ColorNumber(format.highlight));
    }
    body += ' ';
    if (run.picture >= 0 && std::size_t(run.picture) < document->pictures.size()) {
        WritePicture(document->pictures[std::size_t(run.picture)]);
    } else {
        const int fontCodePage = detail::CharsetCodePage(std::max(format.fontCharset, 0));
        const Encoding* fontEncoding = format.fontName.empty() || fontCodePage == 0
                                           ? nullptr
                                           : Encoding::ForCodePage(fontCodePage);
        WriteText(body, run.text, fontEncoding != nullptr ? *fontEncoding : codePage);
    }
    body += '}';
    if (!format.link.empty()) {
        body += "}}";
    }
}

void RtfWriter::WritePicture(const RichPicture& picture) {
    if (picture.kind == RichPicture::Kind::Other) {
        body += picture.data;
        return;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    body += "{\\pict\\picscalex100\\picscaley100";
    AppendNumber(body, "picw", picture.pixelWidth);
    AppendNumber(body, "pich", picture.pixelHeight);
    AppendNumber(body, "picwgoal", picture.width);
    AppendNumber(body, "pichgoal", picture.height);
    body += picture.kind == RichPicture::Kind::Png ? "\\pngblip" : "\\jpegblip";
    for (std::size_t i = 0; i < picture.data.size(); ++i) {
        if (i % kPictureLineBytes == 0) {
            body += '\n';
        }
        const auto byte = static_cast<unsigned char>(picture.data[i]);
        body += kHex[byte >> 4];
        body += kHex[byte & 0xF];
    }
    body += '}';
}

void RtfWriter::WriteText(std::string& out, std::string_view utf8, const Encoding& encoding) const {
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length = utf8::Utf8SequenceLength(utf8, at);
        const auto byte = static_cast<unsigned char>(utf8[at]);
        // Our documents hold well-formed UTF-8; a stray byte is written as U+FFFD.
        const char32_t code = length > 1    ? utf8::DecodeUtf8Sequence(utf8, at, length)
                              : byte < 0x80 ? char32_t(byte)
                                            : char32_t(0xFFFD);
        WriteCode(out, code, encoding);
        at += length;
    }
}

void RtfWriter::WriteCode(std::string& out, char32_t code, const Encoding& encoding) const {
    static constexpr char kHex[] = "0123456789abcdef";
    if (code == '\\' || code == '{' || code == '}') {
        out += '\\';
        out += char(code);
    } else if (code == '\t') {
        out += "\\tab ";
    } else if (code == 0x2028 || code == '\n') {
        out += "\\line ";
    } else if (code < 0x20) {
        return;
    } else if (code < 0x80) {
        out += char(code);
    } else if (code >= 0x10000) {
        // \uN is 16 bits: a surrogate pair, each half with its own fallback.
        const char32_t offset = code - 0x10000;
        AppendUnicode(out, 0xD800 + (offset >> 10));
        AppendUnicode(out, 0xDC00 + (offset & 0x3FF));
    } else if (const int byte = encoding.CodeToByte(code); byte >= 0x80) {
        out += "\\'";
        out += kHex[byte >> 4];
        out += kHex[byte & 0xF];
    } else {
        AppendUnicode(out, code);
    }
}

} // namespace

std::string WriteRtf(const RichDocument& document, const Encoding& codePage) {
    return RtfWriter(codePage).Write(document);
}
