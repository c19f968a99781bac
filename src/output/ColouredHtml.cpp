#include "output/ColouredHtml.h"

#include "codeedit/LineSplit.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The most one input byte grows to: "&quot;".
constexpr std::size_t MaxGrowth = 6;
// Input bytes escaped between two checks of the room left in the buffer.
constexpr std::size_t SliceBytes = 8192;

constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD"; // U+FFFD

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// What the editor shows for a character (the control pictures and U+FFFD of its painting),
// as HTML text.
std::string HtmlOfCode(char32_t code) {
    switch (code) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    case '\t':
        return "\t";
    default:
        break;
    }
    std::string out;
    if (code < 0x20)
        AppendUtf8(out, 0x2400 + code);
    else if (code == 0x7F)
        AppendUtf8(out, 0x2421);
    else if (IsRawByteCode(code))
        out = ReplacementCharacter;
    else
        AppendUtf8(out, code);
    return out;
}

void AppendHex(std::string& out, TColor rgb) {
    static const char digits[] = "0123456789abcdef";
    out += '#';
    for (unsigned channel : {rgb & 0xFFu, (rgb >> 8) & 0xFFu, (rgb >> 16) & 0xFFu}) {
        out += digits[channel >> 4];
        out += digits[channel & 15];
    }
}

std::string StyleCss(const TSynTokenStyle& style) {
    std::string css = "color:";
    AppendHex(css, style.foreground);
    css += ";background-color:";
    AppendHex(css, style.background);
    css += style.style & fsBold ? ";font-weight:bold" : ";font-weight:normal";
    css += style.style & fsItalic ? ";font-style:italic" : ";font-style:normal";
    if (!(style.style & (fsUnderline | fsStrikeOut)))
        css += ";text-decoration:none";
    else if (!(style.style & fsStrikeOut))
        css += ";text-decoration:underline";
    else if (!(style.style & fsUnderline))
        css += ";text-decoration:line-through";
    else
        css += ";text-decoration:underline line-through";
    return css;
}

// A CSS string of a font name: quotes, backslashes and markup characters as CSS escapes, so
// that nothing in it can end the string or the style element.
std::string CssString(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            quoted += "\\22 ";
            break;
        case '\\':
            quoted += "\\5c ";
            break;
        case '<':
            quoted += "\\3c ";
            break;
        case '>':
            quoted += "\\3e ";
            break;
        case '&':
            quoted += "\\26 ";
            break;
        default:
            quoted += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
            break;
        }
    }
    return quoted + '"';
}

// The title's text: UTF-8 with the markup characters escaped and control codes dropped.
std::string TitleText(std::string_view title) {
    std::string text;
    for (char c : title) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            continue;
        if (c == '&' || c == '<' || c == '>' || c == '"')
            text += HtmlOfCode(char32_t(byte));
        else
            text += c;
    }
    return text;
}

// A mark (bit i for byte i) for each of sixteen bytes that HTML text cannot hold as it is in
// the usual code pages: control codes but TAB, DEL, bytes of 0x80 and up, and the four markup
// characters.
#if defined(__SSE2__)
unsigned BytesToEscape(const char* p) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const auto is = [&](char c) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)); };
    // Compared as signed bytes, those of 0x80 and up are below 0x20 too.
    const __m128i controlOrHigh =
        _mm_andnot_si128(is('\t'), _mm_cmplt_epi8(bytes, _mm_set1_epi8(0x20)));
    const __m128i markup =
        _mm_or_si128(_mm_or_si128(is('&'), is('<')), _mm_or_si128(is('>'), is('"')));
    return unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(controlOrHigh, markup), is(0x7F))));
}
#else
unsigned BytesToEscape(const char* p) {
    unsigned marks = 0;
    for (unsigned i = 0; i < 16; ++i) {
        const auto c = static_cast<unsigned char>(p[i]);
        const bool escaped =
            (c < 0x20 && c != '\t') || c >= 0x7F || c == '&' || c == '<' || c == '>' || c == '"';
        marks |= unsigned(escaped) << i;
    }
    return marks;
}
#endif

// Where the complete lines of a block end: after its last break that cannot be the first half
// of a CR LF cut by the block's end. 0 when there is none.
std::size_t CompleteLinesEnd(const char* data, std::size_t size) {
    for (std::size_t i = size; i > 0; --i) {
        const char c = data[i - 1];
        if (c == '\n' || c == '\0' || (c == '\r' && i < size))
            return i;
    }
    return 0;
}

} // namespace

ColouredHtmlWriter::ColouredHtmlWriter(const Encoding& encoding, TSynCustomHighlighter* highlighter,
                                       const TSynStyleResolver& resolver,
                                       const ColouredHtmlOptions& options, HtmlSink sink)
    : encoding(encoding), highlighter(highlighter), resolver(resolver), sink(std::move(sink)) {
    buffer.resize(ChunkSize + SliceBytes * MaxGrowth + 64);
    BuildByteTable();
    BuildClasses();
    if (highlighter)
        highlighter->ClearRange();
    WriteHead(options);
}

void ColouredHtmlWriter::BuildClasses() {
    // One class per distinct look among the attributes; the plain look needs none.
    if (highlighter) {
        for (int i = 0; i < highlighter->AttributeCount(); ++i) {
            const TSynHighlighterAttributes* attribute = highlighter->AttributeAt(i);
            const TSynTokenStyle style = resolver.TokenStyle(attribute);
            int index = -1;
            if (style != resolver.Plain()) {
                const auto found = std::find(classStyles.begin(), classStyles.end(), style);
                index = int(found - classStyles.begin());
                if (found == classStyles.end())
                    classStyles.push_back(style);
            }
            attributeClasses.push_back({attribute, index});
        }
    }
    for (std::size_t i = 0; i < classStyles.size(); ++i)
        spanTags.push_back("<span class=\"c" + std::to_string(i) + "\">");
    for (const std::string_view close : {"", "</span>"}) {
        for (std::size_t to = 0; to <= classStyles.size(); ++to) {
            std::string markup(close);
            if (to > 0)
                markup += spanTags[to - 1];
            SpanSwitch& entry = spanSwitches.emplace_back();
            entry.length = markup.size();
            std::memcpy(entry.bytes.data(), markup.data(), markup.size());
        }
    }
    // Blanks leave no ink: only their background, font (the width of a blank) and lines show.
    const std::size_t count = classStyles.size() + 1;
    const auto styleOf = [&](std::size_t slot) {
        return slot == 0 ? resolver.Plain() : classStyles[slot - 1];
    };
    const auto joins = [&](std::size_t from, std::size_t into) {
        return styleOf(from).background == styleOf(into).background &&
               styleOf(from).style == styleOf(into).style;
    };
    // Into the open run if they show the same there, else plain text if they show the same
    // there, else their own class; the run of an unlisted attribute (-2) takes none.
    blankClasses.resize(count * (count + 1));
    for (std::size_t from = 0; from < count; ++from) {
        const int own = joins(from, 0) ? -1 : int(from) - 1;
        blankClasses[from * (count + 1)] = own;
        for (std::size_t into = 0; into < count; ++into)
            blankClasses[from * (count + 1) + into + 1] = joins(from, into) ? int(into) - 1 : own;
    }
}

void ColouredHtmlWriter::BuildByteTable() {
    for (unsigned byte = 0; byte < 256; ++byte) {
        ByteOutput& output = byteTable[byte];
        if (encoding.IsUtf8() && byte >= 0x80) {
            // Taken a whole sequence at a time in Escape: only marked here.
            output.length = 1;
            continue;
        }
        const std::string shown = HtmlOfCode(
            encoding.IsUtf8() ? char32_t(byte) : encoding.ByteToCode(std::uint8_t(byte)));
        if (shown.size() == 1 && static_cast<unsigned char>(shown[0]) == byte)
            continue;
        output.length = std::uint8_t(shown.size());
        std::memcpy(output.bytes.data(), shown.data(), shown.size());
    }
    for (unsigned byte = 0; byte < 256; ++byte)
        replaced[byte] = byteTable[byte].length;
    wideCheckFindsAll = true;
    for (unsigned byte = 0; byte < 256; ++byte) {
        std::array<char, 16> sixteen;
        sixteen.fill(char(byte));
        if (replaced[byte] != 0 && BytesToEscape(sixteen.data()) == 0)
            wideCheckFindsAll = false;
    }
}

bool ColouredHtmlWriter::NothingToEscapeIn(std::string_view line) const {
    unsigned found = 0;
    if (!wideCheckFindsAll) {
        for (char c : line)
            found |= replaced[static_cast<unsigned char>(c)];
        return found == 0;
    }
    std::size_t at = 0;
    for (; at + 16 <= line.size(); at += 16)
        found |= BytesToEscape(line.data() + at);
    // The bytes past the line are read but not counted.
    const unsigned inLine = (1u << (line.size() - at)) - 1;
    return (found | (BytesToEscape(line.data() + at) & inLine)) == 0;
}

void ColouredHtmlWriter::WriteHead(const ColouredHtmlOptions& options) {
    const TSynTokenStyle& plain = resolver.Plain();
    std::string head = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\"/>\n<title>" +
                       TitleText(options.title) +
                       "</title>\n<style>\nbody{margin:0;background-color:";
    AppendHex(head, plain.background);
    head += "}\npre{margin:0;padding:2px;font-family:" + CssString(options.fontName) +
            ",monospace;font-size:" + std::to_string(options.fontSize) +
            "pt;tab-size:" + std::to_string(options.tabWidth) +
            ";-moz-tab-size:" + std::to_string(options.tabWidth) + ";" + StyleCss(plain) + "}\n";
    for (std::size_t i = 0; i < classStyles.size(); ++i)
        head += ".c" + std::to_string(i) + "{" + StyleCss(classStyles[i]) + "}\n";
    // The parser drops a line break right after <pre>: this one, not the text's first.
    head += "</style>\n</head>\n<body>\n<pre>\n";
    Append(head);
}

int ColouredHtmlWriter::ClassOfUncached(const TSynHighlighterAttributes* attribute) {
    if (attribute == nullptr)
        return -1;
    int index = -2; // not one of the highlighter's listed attributes
    for (const AttributeClass& known : attributeClasses)
        if (known.attribute == attribute)
            index = known.index;
    const auto address = reinterpret_cast<std::uintptr_t>(attribute);
    classCache[((address >> 4) ^ (address >> 10)) % classCache.size()] = {attribute, index};
    return index;
}

void ColouredHtmlWriter::SwitchToUnlisted(int classIndex,
                                          const TSynHighlighterAttributes* attribute) {
    // An attribute the class table lacks gets its look written in place, every time.
    if (openClass != -1)
        Append("</span>");
    openClass = classIndex;
    if (classIndex >= 0) {
        Append(spanTags[std::size_t(classIndex)]);
    } else if (classIndex == -2) {
        const TSynTokenStyle style = resolver.TokenStyle(attribute);
        if (style == resolver.Plain())
            openClass = -1;
        else
            Append("<span style=\"" + StyleCss(style) + "\">");
    }
}

namespace {

bool IsBlank(std::string_view text) {
    for (char c : text)
        if (c != ' ' && c != '\t')
            return false;
    return true;
}

} // namespace

void ColouredHtmlWriter::WriteLine(std::string_view line, ReadPastLine readPast) {
    if (!highlighter) {
        WriteText(line);
    } else {
        highlighter->TokensOfLine(line, lineIndex, tokens);
        // Most lines hold nothing to escape: with the slack after them, their tokens are
        // moved in steps of a fixed size rather than copied and checked byte by byte.
        const bool moveTokens = readPast == ReadPastLine::Yes && NothingToEscapeIn(line);
        for (const TSynToken& scanned : tokens) {
            const TSynHighlighterAttributes* attribute = scanned.attribute;
            const std::string_view token(line.data() + scanned.start.Value(), scanned.length);
            int classIndex = ClassOf(attribute);
            // Blanks that show the same inside the open run, or as plain text, go there:
            // fewer spans.
            if (classIndex != openClass && classIndex != -2 && IsBlank(token))
                classIndex = BlankClass(classIndex, openClass);
            if (classIndex != openClass || classIndex == -2)
                SwitchTo(classIndex, attribute);
            if (moveTokens)
                CopyToken(token.data(), token.size());
            else
                WriteText(token);
        }
    }
    *Reserve(1) = '\n';
    ++used;
    ++lineIndex;
    FlushIfFull();
}

char* ColouredHtmlWriter::Escape(char* out, const char*& p, const char* end,
                                 std::string_view whole) const {
    const bool utf8 = encoding.IsUtf8();
    while (p < end) {
        const unsigned char byte = static_cast<unsigned char>(*p);
        if (replaced[byte] == 0) {
            *out++ = char(byte);
            ++p;
        } else if (byte >= 0x80 && utf8) {
            const std::size_t length = encoding.CharLength(whole, std::size_t(p - whole.data()));
            if (length == 1) {
                std::memcpy(out, ReplacementCharacter.data(), ReplacementCharacter.size());
                out += ReplacementCharacter.size();
            } else {
                std::memcpy(out, p, length);
                out += length;
            }
            p += length;
        } else {
            const ByteOutput& shown = byteTable[byte];
            std::memcpy(out, shown.bytes.data(), shown.bytes.size());
            out += shown.length;
            ++p;
        }
    }
    return out;
}

void ColouredHtmlWriter::WriteEscaped(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char* const sliceEnd = p + std::min<std::size_t>(SliceBytes, std::size_t(end - p));
        // A UTF-8 sequence begun inside the slice may reach 3 bytes past it.
        char* const out = Reserve(std::size_t(sliceEnd - p) * MaxGrowth + 8);
        used += std::size_t(Escape(out, p, sliceEnd, text) - out);
    }
}

void ColouredHtmlWriter::Append(std::string_view text) {
    std::memcpy(Reserve(text.size()), text.data(), text.size());
    used += text.size();
}

void ColouredHtmlWriter::MakeRoom(std::size_t bytes) {
    if (used > 0) {
        sink(std::string_view(buffer.data(), used));
        used = 0;
    }
    if (bytes > buffer.size())
        buffer.resize(bytes);
}

void ColouredHtmlWriter::FlushIfFull() {
    if (used >= ChunkSize) {
        sink(std::string_view(buffer.data(), used));
        used = 0;
    }
}

void ColouredHtmlWriter::Finish() {
    if (openClass != -1)
        Append("</span>");
    openClass = -1;
    Append("</pre>\n</body>\n</html>\n");
    sink(std::string_view(buffer.data(), used));
    used = 0;
}

void WriteColouredHtml(const TSynEditStringList& lines, const Encoding& encoding,
                       TSynCustomHighlighter* highlighter, const TSynStyleResolver& resolver,
                       const ColouredHtmlOptions& options, const HtmlSink& sink) {
    ColouredHtmlWriter writer(encoding, highlighter, resolver, options, sink);
    const LineIndex end(lines.Count());
    for (LineIndex line(0); line < end; ++line)
        writer.WriteLine(lines.Get(line));
    writer.Finish();
}

bool WriteColouredHtml(std::FILE* input, const Encoding& encoding,
                       TSynCustomHighlighter* highlighter, const TSynStyleResolver& resolver,
                       const ColouredHtmlOptions& options, const HtmlSink& sink) {
    ColouredHtmlWriter writer(encoding, highlighter, resolver, options, sink);
    // Text up to capacity, and the slack the writer may read past the last line.
    std::size_t capacity = ColouredHtmlWriter::ChunkSize;
    std::vector<char> block(capacity + ColouredHtmlWriter::LineSlack);
    std::size_t kept = 0;
    for (;;) {
        // A line longer than the block: make room for more of it.
        if (kept == capacity) {
            capacity *= 2;
            block.resize(capacity + ColouredHtmlWriter::LineSlack);
        }
        const std::size_t got = std::fread(block.data() + kept, 1, capacity - kept, input);
        const std::size_t filled = kept + got;
        const bool atEnd = got == 0;
        const std::size_t cut = atEnd ? filled : CompleteLinesEnd(block.data(), filled);
        linesplit::SplitLines(block.data(), block.data() + cut, linesplit::NulBreaksLine::Yes,
                              [&](const char* first, std::size_t length, linesplit::LineEnd) {
                                  writer.WriteLine(std::string_view(first, length),
                                                   ColouredHtmlWriter::ReadPastLine::Yes);
                              });
        kept = filled - cut;
        std::memmove(block.data(), block.data() + cut, kept);
        if (atEnd)
            break;
    }
    if (std::ferror(input))
        return false;
    writer.Finish();
    return true;
}
