#include "richedit/RtfReader.h"

#include "platform/Encoding.h"
#include "platform/detail/Utf8.h"
#include "richedit/RtfControlWords.h"
#include "richedit/RtfTables.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

using detail::AppendDecoded;
using detail::AppendUtf8;
using detail::RtfAction;

// RTF numbers are 16- or 32-bit; longer digit strings are saturated, not wrapped.
constexpr std::int64_t kLargestParameter = 2'000'000'000;
// Word's own limit for font sizes; keeps a damaged \fs from asking for a gigantic layout.
constexpr int kLargestHalfPoints = 3276;
// Beyond this depth groups are counted, not stacked, so a file of nothing but '{' stays cheap.
constexpr std::size_t kDeepestStackedGroup = 1u << 20;
constexpr char32_t kReplacement = 0xFFFD;

enum class Destination : std::uint8_t { Text, Skip, FontTable, ColorTable };

// Everything a group saves and its closing brace restores; kept small because 100,000-deep
// nesting stacks one per level.
struct GroupState {
    Destination destination = Destination::Text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    RichAlignment alignment = RichAlignment::Left;
    int font = -1; // -1: the default font (\deff)
    int halfPoints = kDefaultHalfPoints;
    int color = 0; // colour table indices; the table says which entry is "automatic"
    int highlight = 0;
    int unicodeSkip = 1;
};

const Encoding& Windows1252() {
    return *Encoding::ForCodePage(1252);
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

class RtfParser {
public:
    explicit RtfParser(std::string_view input) : input(input) {}

    RichDocument Parse(const ProgressHook& progress);

private:
    void ParseControl();
    void ParseControlWord();
    void ParseHexByte();
    void ParseControlSymbol(char symbol);
    void Apply(const detail::RtfControlWord& word, bool hasParameter, int parameter);
    void ApplyInFontTable(RtfAction action, int parameter);
    void OpenGroup();
    void CloseGroup();

    // A text byte in the current code page, a character by its code.
    void AddByte(char byte);
    void AddCode(char32_t code);
    void AddUnicode(int parameter);
    // A \uN's fallback characters are dropped; true when this one was.
    bool SkippedAsFallback();
    void FlushBytes();
    // The first half of a surrogate pair that no second half followed becomes U+FFFD.
    void DropLoneHighSurrogate();
    void SyncFormat();
    void EndParagraph();
    const detail::RtfFont* CurrentFont() const;
    const Encoding& TextEncoding() const;
    RichCharFormat CurrentFormat() const;

    std::string_view input;
    std::size_t pos = 0;

    GroupState state;
    std::vector<GroupState> stack;
    std::size_t unstackedDepth = 0;

    const Encoding* documentEncoding = &Windows1252();
    int defaultFont = 0;
    detail::RtfFontTable fonts;
    detail::RtfColorTable colors;

    int fallbackLeft = 0;
    char32_t highSurrogate = 0;

    RichDocument document;
    RichParagraph paragraph;
    RichCharFormat runFormat;
    std::string runText;
    bool formatStale = true;
    // Non-ASCII bytes not yet decoded: a multi-byte code page needs them together.
    std::string pendingBytes;
    const Encoding* pendingEncoding = nullptr;
};

RichDocument RtfParser::Parse(const ProgressHook& progress) {
    ProgressReporter reporter(progress, input.size());
    while (pos < input.size()) {
        reporter.Advance(pos);
        const char c = input[pos];
        switch (c) {
        case '{':
            ++pos;
            OpenGroup();
            break;
        case '}':
            ++pos;
            CloseGroup();
            break;
        case '\\':
            ++pos;
            ParseControl();
            break;
        case '\r':
        case '\n':
            ++pos;
            break;
        case '\t':
            ++pos;
            if (!SkippedAsFallback()) {
                AddCode('\t');
            }
            break;
        default:
            ++pos;
            if (!SkippedAsFallback()) {
                AddByte(c);
            }
            break;
        }
    }
    EndParagraph();
    // The paragraph mark after the last paragraph makes no paragraph of its own.
    if (!document.paragraphs.empty() && document.paragraphs.back().runs.empty()) {
        document.paragraphs.pop_back();
    }
    return std::move(document);
}

void RtfParser::ParseControl() {
    if (pos >= input.size()) {
        return;
    }
    const char c = input[pos];
    if (IsLetter(c)) {
        ParseControlWord();
    } else if (c == '\'') {
        ++pos;
        ParseHexByte();
    } else {
        ++pos;
        ParseControlSymbol(c);
    }
}

void RtfParser::ParseControlWord() {
    const std::size_t nameStart = pos;
    while (pos < input.size() && IsLetter(input[pos])) {
        ++pos;
    }
    const std::string_view name = input.substr(nameStart, pos - nameStart);
    bool hasParameter = false;
    bool negative = false;
    std::int64_t value = 0;
    if (pos + 1 < input.size() && input[pos] == '-' && IsDigit(input[pos + 1])) {
        negative = true;
        ++pos;
    }
    while (pos < input.size() && IsDigit(input[pos])) {
        hasParameter = true;
        value = std::min(value * 10 + (input[pos] - '0'), kLargestParameter);
        ++pos;
    }
    if (pos < input.size() && input[pos] == ' ') {
        ++pos;
    }
    const int parameter = int(negative ? -value : value);
    const detail::RtfControlWord word = detail::FindControlWord(name);
    if (word.action == RtfAction::Binary) {
        // The data is raw bytes, braces included, and never text.
        const std::size_t length = parameter > 0 ? std::size_t(parameter) : 0;
        pos += std::min(length, input.size() - pos);
        return;
    }
    if (word.action == RtfAction::UnicodeSkip || !SkippedAsFallback()) {
        Apply(word, hasParameter, parameter);
    }
}

void RtfParser::ParseHexByte() {
    int value = 0;
    int digits = 0;
    while (digits < 2 && pos < input.size()) {
        const int digit = HexValue(input[pos]);
        if (digit < 0) {
            break;
        }
        value = value * 16 + digit;
        ++digits;
        ++pos;
    }
    if (digits > 0 && !SkippedAsFallback()) {
        AddByte(char(value));
    }
}

void RtfParser::ParseControlSymbol(char symbol) {
    if (symbol == '*') {
        // An optional destination: a reader that does not know it passes the group over.
        state.destination = Destination::Skip;
        return;
    }
    if (SkippedAsFallback()) {
        return;
    }
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        AddByte(symbol);
        break;
    case '~':
        AddCode(0x00A0);
        break;
    case '_':
        AddCode(0x2011);
        break;
    case '\t':
        AddCode('\t');
        break;
    case '\r':
    case '\n':
        if (state.destination == Destination::Text) {
            EndParagraph();
        }
        break;
    default: // \- optional hyphen, \| and \: formula and index marks
        break;
    }
}

void RtfParser::Apply(const detail::RtfControlWord& word, bool hasParameter, int parameter) {
    const bool on = !hasParameter || parameter != 0;
    if (state.destination == Destination::Skip) {
        return;
    }
    if (state.destination == Destination::FontTable) {
        ApplyInFontTable(word.action, parameter);
        return;
    }
    if (state.destination == Destination::ColorTable) {
        if (word.action == RtfAction::Red) {
            colors.SetRed(parameter);
        } else if (word.action == RtfAction::Green) {
            colors.SetGreen(parameter);
        } else if (word.action == RtfAction::Blue) {
            colors.SetBlue(parameter);
        }
        return;
    }
    switch (word.action) {
    case RtfAction::Ignore:
    case RtfAction::FontCharset:
    case RtfAction::FontCodePage:
    case RtfAction::Red:
    case RtfAction::Green:
    case RtfAction::Blue:
    case RtfAction::Binary:
        break;
    case RtfAction::FontTable:
        state.destination = Destination::FontTable;
        break;
    case RtfAction::ColorTable:
        state.destination = Destination::ColorTable;
        break;
    case RtfAction::SkipDestination:
        state.destination = Destination::Skip;
        break;
    case RtfAction::Bold:
        state.bold = on;
        formatStale = true;
        break;
    case RtfAction::Italic:
        state.italic = on;
        formatStale = true;
        break;
    case RtfAction::Underline:
        state.underline = on;
        formatStale = true;
        break;
    case RtfAction::UnderlineOff:
        state.underline = false;
        formatStale = true;
        break;
    case RtfAction::StrikeOut:
        state.strikeOut = on;
        formatStale = true;
        break;
    case RtfAction::Font:
        state.font = parameter;
        formatStale = true;
        break;
    case RtfAction::FontSize:
        state.halfPoints =
            hasParameter ? std::clamp(parameter, 1, kLargestHalfPoints) : kDefaultHalfPoints;
        formatStale = true;
        break;
    case RtfAction::ForeColor:
        state.color = parameter;
        formatStale = true;
        break;
    case RtfAction::Highlight:
        state.highlight = parameter;
        formatStale = true;
        break;
    case RtfAction::PlainFormat: {
        const GroupState kept = state;
        state = GroupState{};
        state.destination = kept.destination;
        state.alignment = kept.alignment;
        state.unicodeSkip = kept.unicodeSkip;
        formatStale = true;
        break;
    }
    case RtfAction::ParagraphDefaults:
        state.alignment = RichAlignment::Left;
        paragraph.alignment = state.alignment;
        break;
    case RtfAction::AlignLeft:
    case RtfAction::AlignCenter:
    case RtfAction::AlignRight:
    case RtfAction::AlignJustify:
        state.alignment = word.action == RtfAction::AlignCenter    ? RichAlignment::Center
                          : word.action == RtfAction::AlignRight   ? RichAlignment::Right
                          : word.action == RtfAction::AlignJustify ? RichAlignment::Justify
                                                                   : RichAlignment::Left;
        paragraph.alignment = state.alignment;
        break;
    case RtfAction::ParagraphBreak:
        EndParagraph();
        break;
    case RtfAction::LineBreak:
        AddCode(0x2028);
        break;
    case RtfAction::Tab:
        AddCode('\t');
        break;
    case RtfAction::Character:
        AddCode(word.code);
        break;
    case RtfAction::Unicode:
        AddUnicode(parameter);
        break;
    case RtfAction::UnicodeSkip:
        state.unicodeSkip = std::max(parameter, 0);
        break;
    case RtfAction::CharacterSet:
    case RtfAction::AnsiCodePage: {
        const int codePage = word.action == RtfAction::CharacterSet ? int(word.code) : parameter;
        const Encoding* encoding = Encoding::ForCodePage(codePage);
        documentEncoding = encoding != nullptr ? encoding : &Windows1252();
        formatStale = true;
        break;
    }
    case RtfAction::DefaultFont:
        defaultFont = parameter;
        formatStale = true;
        break;
    }
}

void RtfParser::ApplyInFontTable(RtfAction action, int parameter) {
    switch (action) {
    case RtfAction::Font:
        fonts.BeginEntry(parameter, *documentEncoding);
        break;
    case RtfAction::FontCharset:
        fonts.SetCharset(parameter);
        break;
    case RtfAction::FontCodePage:
        fonts.SetCodePage(parameter);
        break;
    case RtfAction::SkipDestination:
        state.destination = Destination::Skip;
        break;
    case RtfAction::Unicode:
        AddUnicode(parameter);
        break;
    case RtfAction::UnicodeSkip:
        state.unicodeSkip = std::max(parameter, 0);
        break;
    default:
        break;
    }
}

void RtfParser::OpenGroup() {
    if (stack.size() >= kDeepestStackedGroup) {
        ++unstackedDepth;
        return;
    }
    stack.push_back(state);
}

void RtfParser::CloseGroup() {
    if (unstackedDepth > 0) {
        --unstackedDepth;
        return;
    }
    if (stack.empty()) {
        return; // a stray closing brace
    }
    FlushBytes();
    if (state.destination == Destination::FontTable) {
        fonts.FinishEntry(*documentEncoding);
    }
    // A \uN's fallback ends with its group.
    fallbackLeft = 0;
    state = stack.back();
    stack.pop_back();
    formatStale = true;
}

bool RtfParser::SkippedAsFallback() {
    if (fallbackLeft == 0) {
        return false;
    }
    --fallbackLeft;
    return true;
}

void RtfParser::AddByte(char byte) {
    switch (state.destination) {
    case Destination::Skip:
        return;
    case Destination::FontTable:
        if (byte == ';') {
            fonts.FinishEntry(*documentEncoding);
        } else {
            fonts.AddByte(byte);
        }
        return;
    case Destination::ColorTable:
        if (byte == ';') {
            colors.FinishEntry();
        }
        return;
    case Destination::Text:
        break;
    }
    SyncFormat();
    DropLoneHighSurrogate();
    if (static_cast<unsigned char>(byte) >= 0x80) {
        pendingBytes += byte;
        pendingEncoding = &TextEncoding();
        return;
    }
    FlushBytes();
    if (static_cast<unsigned char>(byte) >= 0x20) {
        runText += byte;
    }
}

void RtfParser::AddCode(char32_t code) {
    if (state.destination == Destination::FontTable) {
        fonts.AddCode(code, *documentEncoding);
        return;
    }
    if (state.destination != Destination::Text) {
        return;
    }
    SyncFormat();
    FlushBytes();
    if (highSurrogate != 0 && code >= 0xDC00 && code <= 0xDFFF) {
        AppendUtf8(runText, 0x10000 + ((highSurrogate - 0xD800) << 10) + (code - 0xDC00));
        highSurrogate = 0;
        return;
    }
    DropLoneHighSurrogate();
    if (code >= 0xD800 && code <= 0xDBFF) {
        highSurrogate = code;
    } else if (code >= 0xDC00 && code <= 0xDFFF) {
        AppendUtf8(runText, kReplacement);
    } else if (code >= 0x20 || code == '\t') {
        AppendUtf8(runText, code);
    }
}

void RtfParser::AddUnicode(int parameter) {
    // A signed 16-bit number by the format's definition; some writers give it unsigned.
    char32_t code = kReplacement;
    if (parameter < 0 && parameter >= -32768) {
        code = char32_t(parameter + 65536);
    } else if (parameter >= 0 && parameter <= 0x10FFFF) {
        code = char32_t(parameter);
    }
    AddCode(code);
    fallbackLeft = state.unicodeSkip;
}

void RtfParser::FlushBytes() {
    if (pendingBytes.empty()) {
        return;
    }
    AppendDecoded(runText, pendingBytes, *pendingEncoding);
    pendingBytes.clear();
}

// Starts a new run when the state's format differs from the run being gathered.
void RtfParser::SyncFormat() {
    if (!formatStale) {
        return;
    }
    formatStale = false;
    RichCharFormat format = CurrentFormat();
    if (format == runFormat) {
        return;
    }
    FlushBytes();
    AppendRun(paragraph, runText, runFormat);
    runText.clear();
    runFormat = std::move(format);
}

void RtfParser::DropLoneHighSurrogate() {
    if (highSurrogate != 0) {
        highSurrogate = 0;
        AppendUtf8(runText, kReplacement);
    }
}

void RtfParser::EndParagraph() {
    FlushBytes();
    DropLoneHighSurrogate();
    AppendRun(paragraph, runText, runFormat);
    runText.clear();
    document.paragraphs.push_back(std::move(paragraph));
    paragraph = RichParagraph{};
    paragraph.alignment = state.alignment;
}

const detail::RtfFont* RtfParser::CurrentFont() const {
    return fonts.Find(state.font >= 0 ? state.font : defaultFont);
}

const Encoding& RtfParser::TextEncoding() const {
    const detail::RtfFont* font = CurrentFont();
    return font != nullptr && font->encoding != nullptr ? *font->encoding : *documentEncoding;
}

RichCharFormat RtfParser::CurrentFormat() const {
    RichCharFormat format;
    format.bold = state.bold;
    format.italic = state.italic;
    format.underline = state.underline;
    format.strikeOut = state.strikeOut;
    if (const detail::RtfFont* font = CurrentFont()) {
        format.fontName = font->name;
    }
    format.halfPoints = state.halfPoints;
    format.color = colors.At(state.color);
    format.highlight = colors.At(state.highlight);
    return format;
}

} // namespace

RichDocument ReadRtf(std::string_view rtf, const ProgressHook& progress) {
    return RtfParser(rtf).Parse(progress);
}
