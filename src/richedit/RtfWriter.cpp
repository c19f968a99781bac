#include "richedit/RtfWriter.h"

#include "platform/detail/Utf8.h"
#include "richedit/RtfCharsets.h"

#include <algorithm>
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

class RtfWriter {
public:
    explicit RtfWriter(const Encoding& codePage)
        : codePage(detail::CodePageCharset(codePage.CodePage()) >= 0
                       ? codePage
                       : *Encoding::ForCodePage(1252)),
          charset(detail::CodePageCharset(this->codePage.CodePage())) {}

    std::string Write(const RichDocument& document);

private:
    void WriteRun(const RichRun& run);
    void WriteText(std::string& out, std::string_view utf8) const;
    void WriteCode(std::string& out, char32_t code) const;

    const Encoding& codePage;
    const int charset;
    UsedTable<std::string> fonts;
    // Index 0 of the written table is "automatic"; these start at 1.
    UsedTable<TColor> colors;
    bool anyRunWithoutFont = false;
    std::string body;
};

std::string RtfWriter::Write(const RichDocument& document) {
    for (const RichParagraph& paragraph : document.paragraphs) {
        body += "\\pard";
        switch (paragraph.alignment) {
        case RichAlignment::Left:
            body += "\\ql";
            break;
        case RichAlignment::Center:
            body += "\\qc";
            break;
        case RichAlignment::Right:
            body += "\\qr";
            break;
        case RichAlignment::Justify:
            body += "\\qj";
            break;
        }
        for (const RichRun& run : paragraph.runs) {
            WriteRun(run);
        }
        body += "\\par\n";
    }

    std::string header = "{\\rtf1\\ansi";
    AppendNumber(header, "ansicpg", codePage.CodePage());
    // Runs without a font of their own name none; their default is a number missing from the
    // table, so readers fall back to their own font rather than to one of ours.
    AppendNumber(header, "deff", (long long)(anyRunWithoutFont ? fonts.Values().size() : 0));
    header += "\\uc1\n{\\fonttbl";
    for (std::size_t i = 0; i < fonts.Values().size(); ++i) {
        header += '{';
        AppendNumber(header, "f", (long long)i);
        header += "\\fnil";
        AppendNumber(header, "fcharset", charset);
        header += ' ';
        WriteText(header, fonts.Values()[i]);
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
    return header + body + "}\n";
}

void RtfWriter::WriteRun(const RichRun& run) {
    const RichCharFormat& format = run.format;
    body += '{';
    if (format.fontName.empty()) {
        anyRunWithoutFont = true;
    } else {
        AppendNumber(body, "f", (long long)fonts.IndexOf(format.fontName));
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
        AppendNumber(body, "cf", (long long)colors.IndexOf(format.color) + 1);
    }
    if (format.highlight != clNone) {
        AppendNumber(body, "highlight", (long long)colors.IndexOf(format.highlight) + 1);
    }
    body += ' ';
    WriteText(body, run.text);
    body += '}';
}

void RtfWriter::WriteText(std::string& out, std::string_view utf8) const {
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length = detail::Utf8SequenceLength(utf8, at);
        const auto byte = static_cast<unsigned char>(utf8[at]);
        // Our documents hold well-formed UTF-8; a stray byte is written as U+FFFD.
        const char32_t code = length > 1    ? detail::DecodeUtf8Sequence(utf8, at, length)
                              : byte < 0x80 ? char32_t(byte)
                                            : char32_t(0xFFFD);
        WriteCode(out, code);
        at += length;
    }
}

void RtfWriter::WriteCode(std::string& out, char32_t code) const {
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
    } else if (const int byte = codePage.CodeToByte(code); byte >= 0x80) {
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
