#include "richedit/RtfReader.h"

#include "platform/Encoding.h"
#include "platform/Utf8.h"
#include "richedit/RtfCharsets.h"
#include "richedit/RtfControlWords.h"
#include "richedit/RtfTables.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

using detail::AppendDecoded;
using detail::RtfAction;
using utf8::AppendUtf8;

// RTF numbers are 16- or 32-bit; longer digit strings are saturated, not wrapped.
constexpr std::int64_t kLargestParameter = 2'000'000'000;
// Word's own limit for font sizes; keeps a damaged \fs from asking for a gigantic layout.
constexpr int kLargestHalfPoints = 3276;
// Beyond this depth groups are counted, not stacked, so a file of nothing but '{' stays cheap.
constexpr std::size_t kDeepestStackedGroup = 1u << 20;
constexpr char32_t kReplacement = 0xFFFD;
// Lengths in twips beyond any page (about 1,400 cm): a damaged number is cut down to this.
constexpr int kLargestLength = 800'000;
// A cell without a width of its own: one inch.
constexpr int kDefaultCellWidth = 1440;

enum class Destination : std::uint8_t {
    Text,
    Skip,
    FontTable,
    ColorTable,
    ListTable,
    ListOverrideTable,
    FieldInstruction,
    Picture,
};

// Word's numbering formats (\levelnfc) the editor has a list style for; others count as decimal.
RichListStyle ListStyleOf(int numbering) {
    switch (numbering) {
    case 1:
        return RichListStyle::UpperRoman;
    case 2:
        return RichListStyle::LowerRoman;
    case 3:
        return RichListStyle::UpperAlpha;
    case 4:
        return RichListStyle::LowerAlpha;
    case 23:
        return RichListStyle::Bullet;
    default:
        return RichListStyle::Decimal;
    }
}

// \levelnfc of a level without a number or bullet.
constexpr int kNoNumbering = 255;
constexpr int kDeepestListLevel = 8;

struct RtfList {
    int id = 0;
    std::vector<int> levels; // numbering format per level
};

struct RtfListOverride {
    int listId = 0;
    int number = 0;
};

// The paragraph properties RTF keeps apart from the group state: \pard resets them.
struct ParagraphState {
    RichParagraph format; // without runs, list or cell
    int list = 0;         // \ls; 0: none
    int listLevel = 0;
    bool inTable = false;
};

struct PictureState {
    RichPicture picture;
    std::size_t groupStart = 0; // of its group, in the input; npos when not known
    std::size_t start = 0;      // of the \pict
    std::size_t depth = 0;      // the stack's size inside the group
    int goalWidth = 0, goalHeight = 0;
    int scaleX = 100, scaleY = 100;
    int nibble = -1; // the first hex digit of a byte not yet complete
    // A \binN whose N bytes ran past the end of the input: where the word starts and ends (the
    // bytes after it are all there were).
    std::size_t cutBinaryWord = std::string_view::npos;
    std::size_t cutBinaryWordEnd = 0;
};

// Everything a group saves and its closing brace restores; kept small because 100,000-deep
// nesting stacks one per level.
struct GroupState {
    Destination destination = Destination::Text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int font = -1; // -1: the default font (\deff)
    int halfPoints = kDefaultHalfPoints;
    int color = 0; // colour table indices; the table says which entry is "automatic"
    int highlight = 0;
    int unicodeSkip = 1;
    int link = -1; // index into the parser's links
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

// Nothing but control words (and \*, and line breaks, which RTF ignores): no text.
bool OnlyControlWords(std::string_view rtf) {
    for (std::size_t at = 0; at < rtf.size();) {
        if (rtf[at] == '\r' || rtf[at] == '\n') {
            ++at;
        } else if (rtf[at] != '\\' || at + 1 == rtf.size()) {
            return false;
        } else if (rtf[at + 1] == '*') {
            at += 2;
        } else if (!IsLetter(rtf[at + 1])) {
            return false; // a control symbol is text, or a character
        } else {
            for (++at; at < rtf.size() && IsLetter(rtf[at]); ++at) {
            }
            if (at < rtf.size() && rtf[at] == '-') {
                ++at;
            }
            for (; at < rtf.size() && IsDigit(rtf[at]); ++at) {
            }
            if (at < rtf.size() && rtf[at] == ' ') {
                ++at;
            }
        }
    }
    return true;
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
    void ApplyInFontTable(const detail::RtfControlWord& word, int parameter);
    void ApplyInListTable(RtfAction action, int parameter);
    void ApplyInPicture(const detail::RtfControlWord& word, int parameter);
    void ApplyToRow(const detail::RtfControlWord& word, int parameter);
    void Lose(RichLoss loss) { ++document.lost[std::size_t(loss)]; }
    // The rows of a table inside a cell are read as that cell's paragraphs: the table counts
    // once, however many rows it has.
    void LoseNestedTable() {
        if (!nestedTableInCell)
            Lose(RichLoss::NestedTables);
        nestedTableInCell = true;
    }
    void StartField();
    void StartFieldResult();
    void StartPicture(std::size_t pictStart);
    void AddPictureByte(char byte);
    // openGroups: the groups of the picture the input left open, to be closed in its kept copy.
    void FinishPicture(std::size_t openGroups = 0);
    void EndCell();
    void FinishRow();
    void FlushRun();
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
    void EndParagraph(bool inCell = false);
    // The file's list (\ls) as the document numbers them, -1 for none, with its style.
    int ListOf(int number, int level, RichListStyle& style);
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

    std::vector<RtfList> lists;
    std::vector<RtfListOverride> listOverrides;
    std::vector<int> usedLists; // \ls numbers in order of first use

    ParagraphState paragraphState;
    bool pageBreakPending = false;

    // The row being defined (\trowd ... \cellx) and the table being read.
    RichTableRow rowDefinition;
    RichCell cellDefinition;
    int borderSide = -1;
    int previousCellRight = 0;
    int rowMerges = 0;
    int openTable = -1;
    int cellIndex = 0;
    bool rowOpen = false;
    bool nestedTableInCell = false;

    std::string fieldInstruction;
    std::vector<std::string> links;
    PictureState picture;
    std::size_t lastOpenBrace = 0;
    std::size_t lastCloseBrace = 0;
    std::size_t wordStart = 0; // the backslash of the control word being read
    // After \*: the destination the group had before, so that a destination we know takes over.
    bool starSeen = false;
    Destination beforeStar = Destination::Text;

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
            lastOpenBrace = pos;
            ++pos;
            OpenGroup();
            break;
        case '}':
            lastCloseBrace = pos;
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
    if (state.destination == Destination::Picture) {
        // A file cut off inside a picture: the picture's group and those opened in it stay open.
        FinishPicture(stack.size() + unstackedDepth - picture.depth + 1);
    }
    EndParagraph();
    // The paragraph mark after the last paragraph makes no paragraph of its own.
    if (!document.paragraphs.empty() && document.paragraphs.back().runs.empty() &&
        document.paragraphs.back().table < 0) {
        document.paragraphs.pop_back();
    }
    FinishRow(); // a file cut off inside a table
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
    wordStart = pos - 1;
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
    if (starSeen) {
        starSeen = false;
        // An optional destination we know is read as any other; one in a skipped group stays
        // skipped.
        const bool known =
            word.action == RtfAction::FieldInstruction || word.action == RtfAction::ShapePicture ||
            word.action == RtfAction::Picture || word.action == RtfAction::ListTable ||
            word.action == RtfAction::ListOverrideTable || word.action == RtfAction::Lost ||
            word.action == RtfAction::NestedTableProperties;
        if (known && beforeStar != Destination::Skip) {
            state.destination = beforeStar;
        }
    }
    if (word.action == RtfAction::Binary) {
        // The data is raw bytes, braces included, and never text.
        const std::size_t length =
            std::min(parameter > 0 ? std::size_t(parameter) : 0, input.size() - pos);
        if (state.destination == Destination::Picture) {
            picture.picture.data.append(input.substr(pos, length));
        }
        if (picture.depth > 0 && length < std::size_t(std::max(parameter, 0))) {
            picture.cutBinaryWord = wordStart;
            picture.cutBinaryWordEnd = pos;
        }
        pos += length;
        return;
    }
    if (word.action == RtfAction::UnicodeSkip || !SkippedAsFallback()) {
        if (state.destination == Destination::Picture) {
            ApplyInPicture(word, parameter);
        } else {
            Apply(word, hasParameter, parameter);
        }
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
        beforeStar = state.destination;
        starSeen = true;
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
    switch (state.destination) {
    case Destination::Skip:
    case Destination::Picture:
        return;
    case Destination::FontTable:
        ApplyInFontTable(word, parameter);
        return;
    case Destination::ColorTable:
        if (word.action == RtfAction::Red) {
            colors.SetRed(parameter);
        } else if (word.action == RtfAction::Green) {
            colors.SetGreen(parameter);
        } else if (word.action == RtfAction::Blue) {
            colors.SetBlue(parameter);
        }
        return;
    case Destination::ListTable:
    case Destination::ListOverrideTable:
        ApplyInListTable(word.action, parameter);
        return;
    case Destination::FieldInstruction:
        if (word.action == RtfAction::Unicode) {
            AddUnicode(parameter);
        }
        return;
    case Destination::Text:
        break;
    }
    RichParagraph& format = paragraphState.format;
    switch (word.action) {
    case RtfAction::Ignore:
    case RtfAction::FontCharset:
    case RtfAction::FontCodePage:
    case RtfAction::FontFamily:
    case RtfAction::Red:
    case RtfAction::Green:
    case RtfAction::Blue:
    case RtfAction::Binary:
    case RtfAction::List:
    case RtfAction::ListLevel:
    case RtfAction::ListLevelNumbering:
    case RtfAction::ListId:
    case RtfAction::ListOverride:
    case RtfAction::ShapePicture:
    case RtfAction::PictureKind:
    case RtfAction::PictureWidth:
    case RtfAction::PictureHeight:
    case RtfAction::PictureGoalWidth:
    case RtfAction::PictureGoalHeight:
    case RtfAction::PictureScaleX:
    case RtfAction::PictureScaleY:
        break;
    case RtfAction::FontTable:
        state.destination = Destination::FontTable;
        break;
    case RtfAction::ColorTable:
        state.destination = Destination::ColorTable;
        break;
    case RtfAction::ListTable:
        state.destination = Destination::ListTable;
        break;
    case RtfAction::ListOverrideTable:
        state.destination = Destination::ListOverrideTable;
        break;
    case RtfAction::SkipDestination:
        state.destination = Destination::Skip;
        break;
    case RtfAction::Lost:
        Lose(RichLoss(word.code));
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
        state.unicodeSkip = kept.unicodeSkip;
        state.link = kept.link;
        formatStale = true;
        break;
    }
    case RtfAction::ParagraphDefaults:
        paragraphState = ParagraphState{};
        break;
    case RtfAction::AlignLeft:
    case RtfAction::AlignCenter:
    case RtfAction::AlignRight:
    case RtfAction::AlignJustify:
        format.alignment = word.action == RtfAction::AlignCenter    ? RichAlignment::Center
                           : word.action == RtfAction::AlignRight   ? RichAlignment::Right
                           : word.action == RtfAction::AlignJustify ? RichAlignment::Justify
                                                                    : RichAlignment::Left;
        break;
    case RtfAction::SpaceBefore:
        format.spaceBefore = std::clamp(parameter, 0, kLargestLength);
        break;
    case RtfAction::SpaceAfter:
        format.spaceAfter = std::clamp(parameter, 0, kLargestLength);
        break;
    case RtfAction::FirstLineIndent:
        format.firstLineIndent = std::clamp(parameter, -kLargestLength, kLargestLength);
        break;
    case RtfAction::LeftIndent:
        format.leftIndent = std::clamp(parameter, -kLargestLength, kLargestLength);
        break;
    case RtfAction::RightIndent:
        format.rightIndent = std::clamp(parameter, -kLargestLength, kLargestLength);
        break;
    case RtfAction::LineSpacing:
        format.lineSpacing = std::clamp(parameter, -kLargestLength, kLargestLength);
        break;
    case RtfAction::LineMultiple:
        format.lineMultiple = on;
        break;
    case RtfAction::PageBreakBefore:
        format.pageBreakBefore = on;
        break;
    case RtfAction::PageBreak:
        if (!paragraph.runs.empty() || !runText.empty() || !pendingBytes.empty()) {
            EndParagraph();
        }
        pageBreakPending = true;
        break;
    case RtfAction::ParagraphList:
        paragraphState.list = parameter;
        break;
    case RtfAction::ParagraphListLevel:
        paragraphState.listLevel = std::clamp(parameter, 0, kDeepestListLevel);
        break;
    case RtfAction::InTable:
        paragraphState.inTable = true;
        break;
    case RtfAction::RowDefaults:
    case RtfAction::CellBorder:
    case RtfAction::BorderStyle:
    case RtfAction::BorderWidth:
    case RtfAction::BorderColor:
    case RtfAction::CellShading:
    case RtfAction::CellRight:
    case RtfAction::MergedCell:
        ApplyToRow(word, parameter);
        break;
    case RtfAction::CellEnd:
        EndCell();
        break;
    case RtfAction::RowEnd:
        if (!paragraph.runs.empty() || !runText.empty() || !pendingBytes.empty()) {
            EndCell();
        }
        FinishRow();
        // What follows a row is outside the table until a paragraph says otherwise.
        paragraphState.inTable = false;
        break;
    case RtfAction::NestedCellEnd:
        EndParagraph();
        break;
    case RtfAction::NestedRowEnd:
        LoseNestedTable();
        break;
    case RtfAction::NestedTableProperties:
        LoseNestedTable();
        state.destination = Destination::Skip;
        break;
    case RtfAction::Field:
        StartField();
        break;
    case RtfAction::FieldInstruction:
        fieldInstruction.clear();
        state.destination = Destination::FieldInstruction;
        break;
    case RtfAction::FieldResult:
        StartFieldResult();
        break;
    case RtfAction::Picture:
        StartPicture(wordStart);
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

void RtfParser::ApplyInFontTable(const detail::RtfControlWord& word, int parameter) {
    switch (word.action) {
    case RtfAction::Font:
        fonts.BeginEntry(parameter, *documentEncoding);
        break;
    case RtfAction::FontCharset:
        fonts.SetCharset(std::max(parameter, 0));
        break;
    case RtfAction::FontCodePage:
        fonts.SetCodePage(parameter);
        break;
    case RtfAction::FontFamily:
        fonts.SetFamily(detail::kRtfFontFamilies[word.code]);
        break;
    case RtfAction::SkipDestination:
    case RtfAction::Lost:
    case RtfAction::NestedTableProperties:
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

void RtfParser::ApplyInListTable(RtfAction action, int parameter) {
    switch (action) {
    case RtfAction::List:
        if (state.destination == Destination::ListTable) {
            lists.emplace_back();
        }
        break;
    case RtfAction::ListLevel:
        if (!lists.empty()) {
            lists.back().levels.push_back(0);
        }
        break;
    case RtfAction::ListLevelNumbering:
        if (!lists.empty() && !lists.back().levels.empty()) {
            lists.back().levels.back() = parameter;
        }
        break;
    case RtfAction::ListOverride:
        listOverrides.emplace_back();
        break;
    case RtfAction::ListId:
        if (state.destination == Destination::ListTable && !lists.empty()) {
            lists.back().id = parameter;
        } else if (state.destination == Destination::ListOverrideTable && !listOverrides.empty()) {
            listOverrides.back().listId = parameter;
        }
        break;
    case RtfAction::ParagraphList:
        if (state.destination == Destination::ListOverrideTable && !listOverrides.empty()) {
            listOverrides.back().number = parameter;
        }
        break;
    case RtfAction::SkipDestination:
    case RtfAction::Lost:
    case RtfAction::NestedTableProperties:
        state.destination = Destination::Skip;
        break;
    default:
        break;
    }
}

void RtfParser::ApplyInPicture(const detail::RtfControlWord& word, int parameter) {
    RichPicture& image = picture.picture;
    switch (word.action) {
    case RtfAction::PictureKind:
        image.kind = RichPicture::Kind(word.code);
        break;
    case RtfAction::PictureWidth:
        image.pixelWidth = std::clamp(parameter, 0, kLargestLength);
        break;
    case RtfAction::PictureHeight:
        image.pixelHeight = std::clamp(parameter, 0, kLargestLength);
        break;
    case RtfAction::PictureGoalWidth:
        picture.goalWidth = std::clamp(parameter, 0, kLargestLength);
        break;
    case RtfAction::PictureGoalHeight:
        picture.goalHeight = std::clamp(parameter, 0, kLargestLength);
        break;
    case RtfAction::PictureScaleX:
        picture.scaleX = std::clamp(parameter, 1, 1000);
        break;
    case RtfAction::PictureScaleY:
        picture.scaleY = std::clamp(parameter, 1, 1000);
        break;
    default:
        break;
    }
}

void RtfParser::ApplyToRow(const detail::RtfControlWord& word, int parameter) {
    RichBorder* sides[] = {&cellDefinition.top, &cellDefinition.left, &cellDefinition.bottom,
                           &cellDefinition.right};
    RichBorder* border = borderSide >= 0 ? sides[borderSide] : nullptr;
    switch (word.action) {
    case RtfAction::RowDefaults:
        rowDefinition = RichTableRow{};
        cellDefinition = RichCell{};
        borderSide = -1;
        previousCellRight = 0;
        rowMerges = 0;
        break;
    case RtfAction::CellBorder:
        borderSide = int(word.code);
        break;
    case RtfAction::BorderStyle:
        if (border != nullptr) {
            border->style = RichBorderStyle(word.code);
        }
        break;
    case RtfAction::BorderWidth:
        if (border != nullptr) {
            border->width = std::clamp(parameter, 0, 255);
        }
        break;
    case RtfAction::BorderColor:
        if (border != nullptr) {
            border->color = colors.At(parameter);
        }
        break;
    case RtfAction::CellShading:
        cellDefinition.shading = colors.At(parameter);
        break;
    case RtfAction::MergedCell:
        ++rowMerges;
        break;
    case RtfAction::CellRight: {
        const int right = std::clamp(parameter, -kLargestLength, kLargestLength);
        cellDefinition.width = std::max(right - previousCellRight, 1);
        previousCellRight = right;
        rowDefinition.cells.push_back(cellDefinition);
        cellDefinition = RichCell{};
        borderSide = -1;
        break;
    }
    default:
        break;
    }
}

void RtfParser::EndCell() {
    EndParagraph(true);
    ++cellIndex;
    nestedTableInCell = false;
}

// Every cell of a finished row has a paragraph, and the row a cell for every paragraph.
void RtfParser::FinishRow() {
    if (!rowOpen) {
        return;
    }
    rowOpen = false;
    RichTable& table = document.tables[std::size_t(openTable)];
    RichTableRow row = rowDefinition;
    const int rowIndex = int(table.rows.size());
    const int used = document.paragraphs.back().column + 1;
    for (int column = used; column < int(row.cells.size()); ++column) {
        RichParagraph empty;
        empty.table = openTable;
        empty.row = rowIndex;
        empty.column = column;
        document.paragraphs.push_back(std::move(empty));
    }
    RichCell plain;
    plain.width = kDefaultCellWidth;
    row.cells.resize(std::max(row.cells.size(), std::size_t(used)), plain);
    table.rows.push_back(std::move(row));
    if (rowMerges > 0) {
        Lose(RichLoss::MergedCells);
    }
    cellIndex = 0;
}

void RtfParser::StartField() {
    fieldInstruction.clear();
}

// A hyperlink's result text takes its target; any other field shows its result but is lost.
void RtfParser::StartFieldResult() {
    std::string_view instruction = fieldInstruction;
    const auto skipBlanks = [&] {
        while (!instruction.empty() && instruction.front() == ' ') {
            instruction.remove_prefix(1);
        }
    };
    skipBlanks();
    if (instruction.empty()) {
        return;
    }
    constexpr std::string_view kHyperlink = "HYPERLINK";
    if (!instruction.starts_with(kHyperlink)) {
        Lose(RichLoss::Fields);
        return;
    }
    instruction.remove_prefix(kHyperlink.size());
    skipBlanks();
    std::string target;
    if (instruction.starts_with("\\l")) {
        instruction.remove_prefix(2);
        skipBlanks();
        target = "#";
    }
    if (instruction.starts_with('"')) {
        instruction.remove_prefix(1);
        target += instruction.substr(0, instruction.find('"'));
    } else {
        target += instruction.substr(0, instruction.find_first_of(" \""));
    }
    if (target.empty() || target == "#") {
        return;
    }
    links.push_back(std::move(target));
    state.link = int(links.size()) - 1;
    formatStale = true;
}

void RtfParser::StartPicture(std::size_t pictStart) {
    if (unstackedDepth > 0) {
        state.destination = Destination::Skip;
        return;
    }
    // After the document's last brace no group can end a picture: it would swallow the rest,
    // stray braces and all. The word is passed over and what follows read as text.
    if (stack.empty()) {
        return;
    }
    picture = PictureState{};
    // The group's own brace, unless a group closed since the last one opened or text came
    // between them (the text is the document's, not the picture's).
    picture.groupStart =
        lastCloseBrace < lastOpenBrace &&
                OnlyControlWords(input.substr(lastOpenBrace + 1, pictStart - lastOpenBrace - 1))
            ? lastOpenBrace
            : std::string_view::npos;
    picture.start = pictStart;
    picture.depth = stack.size();
    state.destination = Destination::Picture;
}

void RtfParser::AddPictureByte(char byte) {
    const int digit = HexValue(byte);
    if (digit < 0) {
        return;
    }
    if (picture.nibble < 0) {
        picture.nibble = digit;
    } else {
        picture.picture.data += char(picture.nibble * 16 + digit);
        picture.nibble = -1;
    }
}

void RtfParser::FinishPicture(std::size_t openGroups) {
    RichPicture& image = picture.picture;
    const auto shown = [](int goal, int pixels, int scale) {
        return int(std::int64_t(goal > 0 ? goal : pixels * 15) * scale / 100);
    };
    image.width =
        std::min(shown(picture.goalWidth, image.pixelWidth, picture.scaleX), kLargestLength);
    image.height =
        std::min(shown(picture.goalHeight, image.pixelHeight, picture.scaleY), kLargestLength);
    if (image.kind == RichPicture::Kind::Other) {
        // Written back as it came, with the groups a cut-off file left open closed, so that
        // the copy ends where the picture ends when it is read again.
        const std::size_t from =
            picture.groupStart != std::string_view::npos ? picture.groupStart : picture.start;
        image.data.clear();
        if (from == picture.start) {
            image.data += '{';
        }
        // A \binN cut off by the end of the file counts the bytes that are there, or read
        // again it would take the closing braces and all that follows for its own.
        if (picture.cutBinaryWord != std::string_view::npos) {
            image.data.append(input.substr(from, picture.cutBinaryWord - from));
            image.data += "\\bin" + std::to_string(pos - picture.cutBinaryWordEnd) + " ";
            image.data.append(
                input.substr(picture.cutBinaryWordEnd, pos - picture.cutBinaryWordEnd));
        } else {
            image.data.append(input.substr(from, pos - from));
        }
        image.data.append(openGroups, '}');
    }
    FlushRun();
    document.pictures.push_back(std::move(image));
    SyncFormat();
    AppendPicture(paragraph, int(document.pictures.size()) - 1, runFormat);
    picture = PictureState{};
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
    const bool picturesEnd =
        state.destination == Destination::Picture && stack.size() == picture.depth;
    // A \uN's fallback ends with its group.
    fallbackLeft = 0;
    starSeen = false;
    state = stack.back();
    stack.pop_back();
    formatStale = true;
    if (picturesEnd) {
        FinishPicture();
    }
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
    case Destination::ListTable:
    case Destination::ListOverrideTable:
        return;
    case Destination::Picture:
        AddPictureByte(byte);
        return;
    case Destination::FieldInstruction:
        if (static_cast<unsigned char>(byte) >= 0x80) {
            AppendDecoded(fieldInstruction, std::string_view(&byte, 1), *documentEncoding);
        } else if (static_cast<unsigned char>(byte) >= 0x20) {
            fieldInstruction += byte;
        }
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
    if (state.destination == Destination::FieldInstruction) {
        if (code >= 0x20 && (code < 0xD800 || code > 0xDFFF)) {
            utf8::AppendUtf8(fieldInstruction, code);
        }
        return;
    }
    if (state.destination != Destination::Text) {
        return;
    }
    SyncFormat();
    FlushBytes();
    if (highSurrogate != 0 && code >= 0xDC00 && code <= 0xDFFF) {
        utf8::AppendUtf8(runText, 0x10000 + ((highSurrogate - 0xD800) << 10) + (code - 0xDC00));
        highSurrogate = 0;
        return;
    }
    DropLoneHighSurrogate();
    if (code >= 0xD800 && code <= 0xDBFF) {
        highSurrogate = code;
    } else if ((code >= 0xDC00 && code <= 0xDFFF) || code == 0xFFFC) {
        // U+FFFC marks pictures; as text it would be taken for one.
        utf8::AppendUtf8(runText, kReplacement);
    } else if (code >= 0x20 || code == '\t') {
        utf8::AppendUtf8(runText, code);
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

void RtfParser::FlushRun() {
    FlushBytes();
    DropLoneHighSurrogate();
    AppendRun(paragraph, runText, runFormat);
    runText.clear();
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
        utf8::AppendUtf8(runText, kReplacement);
    }
}

int RtfParser::ListOf(int number, int level, RichListStyle& style) {
    const auto override =
        std::find_if(listOverrides.begin(), listOverrides.end(),
                     [&](const RtfListOverride& o) { return o.number == number; });
    if (number == 0 || override == listOverrides.end()) {
        return -1;
    }
    const auto list = std::find_if(lists.begin(), lists.end(),
                                   [&](const RtfList& l) { return l.id == override->listId; });
    const int numbering = list != lists.end() && std::size_t(level) < list->levels.size()
                              ? list->levels[std::size_t(level)]
                              : 0;
    if (numbering == kNoNumbering) {
        return -1;
    }
    style = ListStyleOf(numbering);
    const auto used = std::find(usedLists.begin(), usedLists.end(), number);
    if (used != usedLists.end()) {
        return int(used - usedLists.begin());
    }
    usedLists.push_back(number);
    return int(usedLists.size()) - 1;
}

void RtfParser::EndParagraph(bool inCell) {
    FlushRun();
    RichParagraph finished = paragraphState.format;
    finished.runs = std::move(paragraph.runs);
    finished.pageBreakBefore = finished.pageBreakBefore || pageBreakPending;
    pageBreakPending = false;
    finished.list = ListOf(paragraphState.list, paragraphState.listLevel, finished.listStyle);
    finished.listLevel = finished.list >= 0 ? paragraphState.listLevel : 0;
    if (inCell || paragraphState.inTable) {
        if (openTable < 0) {
            document.tables.emplace_back();
            openTable = int(document.tables.size()) - 1;
        }
        finished.table = openTable;
        finished.row = int(document.tables[std::size_t(openTable)].rows.size());
        finished.column = cellIndex;
        rowOpen = true;
        document.paragraphs.push_back(std::move(finished));
    } else {
        FinishRow();
        openTable = -1;
        cellIndex = 0;
        document.paragraphs.push_back(std::move(finished));
    }
    paragraph = RichParagraph{};
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
        // What the writer spells out for a font of no family or charset of its own.
        format.fontFamily = font->family == "nil" ? std::string() : font->family;
        format.fontCharset = font->charset == detail::CodePageCharset(documentEncoding->CodePage())
                                 ? -1
                                 : font->charset;
    }
    format.halfPoints = state.halfPoints;
    format.color = colors.At(state.color);
    format.highlight = colors.At(state.highlight);
    if (state.link >= 0) {
        format.link = links[std::size_t(state.link)];
    }
    return format;
}

} // namespace

RichDocument ReadRtf(std::string_view rtf, const ProgressHook& progress) {
    return RtfParser(rtf).Parse(progress);
}
