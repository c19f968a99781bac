#include "codeedit/SynEditEngine.h"

#include "codeedit/SynEditEngineScopes.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <utility>

TSynEditEngine::TSynEditEngine() : TSynEditEngine(ProgramEncoding()) {}

TSynEditEngine::TSynEditEngine(const Encoding& encoding) : encoding(&encoding) {
    lines.SetOnChange([this](const TSynLinesChange& change) { LinesChanged(change); });
}

TSynEditEngine::~TSynEditEngine() {
    lines.SetOnChange(nullptr);
}

void TSynEditEngine::SetEncoding(const Encoding& newEncoding) {
    OperationScope operation(*this);
    encoding = &newEncoding;
    displayCheckpoints.Clear();
    charCheckpoints.Clear();
    anchor = Clamp(anchor);
    PlaceCaret(caret, TSynCaretMove::Extend, DesiredColumnUpdate::Update);
}

// ---- Lines and units ----------------------------------------------------------------------

int TSynEditEngine::LineCount() const {
    return std::max(1, lines.Count());
}

std::string_view TSynEditEngine::LineText(LineIndex line) const {
    if (line.Value() < 0 || line.Value() >= lines.Count())
        return {};
    return lines.Get(line);
}

ByteColumn TSynEditEngine::LineLength(LineIndex line) const {
    return ByteColumn(LineText(line).size());
}

// The start of the character that byte column falls in. Only a well-formed UTF-8 sequence can
// hold more than one byte, and the forward scan never ends a character inside one.
std::size_t TSynEditEngine::CharacterStart(std::string_view text, std::size_t column) const {
    if (column >= text.size() || !encoding->IsUtf8())
        return std::min(column, text.size());
    auto isContinuation = [&](std::size_t pos) {
        return (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80;
    };
    if (!isContinuation(column))
        return column;
    for (std::size_t start = column; start > 0 && column - start < 3;) {
        --start;
        if (!isContinuation(start)) {
            std::size_t length = encoding->CharLength(text, start);
            return start + length > column ? start : column;
        }
    }
    return column;
}

TSynEditEngine::CharClass TSynEditEngine::ClassAt(std::string_view text, std::size_t column) const {
    auto byte = static_cast<unsigned char>(text[column]);
    if (byte <= ' ')
        return CharClass::Blank;
    bool word = customWordChars ? wordChars.test(byte)
                                : (byte >= 0x80 || byte == '_' || (byte >= '0' && byte <= '9') ||
                                   ((byte | 0x20) >= 'a' && (byte | 0x20) <= 'z'));
    return word ? CharClass::Word : CharClass::Other;
}

int TSynEditEngine::AdvanceDisplay(int displayColumn, std::string_view text,
                                   std::size_t column) const {
    // Saturates at INT_MAX: a line of hundreds of MB (of tabs) reaches past what int counts.
    const long long next =
        text[column] == '\t' ? (displayColumn / tabWidth + 1LL) * tabWidth : displayColumn + 1LL;
    return static_cast<int>(std::min<long long>(next, INT_MAX));
}

BufferPosition TSynEditEngine::Clamp(BufferPosition position) const {
    int line = std::clamp(position.line.Value(), 0, LineCount() - 1);
    std::string_view text = LineText(LineIndex(line));
    return {LineIndex(line), ByteColumn(CharacterStart(text, position.column.Value()))};
}

namespace {

using ColumnPoint = TSynLineCheckpoints<long long>::Point;

// Counts characters from the boundary `from` (at `value`) to the first character start at or
// past `to`; a tab goes on to the next multiple of tabStop (1: it counts as one).
std::optional<ColumnPoint> LeapOverCharacters(std::string_view text, const Encoding& encoding,
                                              std::size_t from, long long value, std::size_t to,
                                              long long tabStop) {
    const bool utf8 = encoding.IsUtf8();
    const std::size_t end = std::min(to, text.size());
    bool tab = false;
    std::size_t pos = from;
    while (pos < end) {
        if (end - pos >= 8) {
            const unsigned plain = detail::PlainAsciiPrefix(detail::EightBytes(text.data() + pos));
            pos += plain;
            value += plain;
            if (plain == 8)
                continue;
        }
        if (text[pos] == '\t') {
            tab = tab || tabStop > 1;
            value = (value / tabStop + 1) * tabStop;
            ++pos;
        } else {
            ++value;
            pos += utf8 ? utf8::Utf8SequenceLength(text, pos) : 1;
        }
    }
    if (pos >= text.size())
        return std::nullopt;
    return ColumnPoint{pos, value, tab};
}

} // namespace

auto TSynEditEngine::DisplayWalk(std::string_view text) const {
    return TSynLineWalk{[this, text](std::size_t from, long long display, auto&& visit) {
                            using Step = TSynLineCheckpoints<long long>::Step;
                            for (std::size_t pos = from; pos < text.size();) {
                                const bool tab = text[pos] == '\t';
                                const long long next =
                                    tab ? (display / tabWidth + 1) * tabWidth : display + 1;
                                const std::size_t length = encoding->CharLength(text, pos);
                                if (!visit(Step{pos, length, display, next, tab}))
                                    return;
                                display = next;
                                pos += length;
                            }
                        },
                        [this, text](std::size_t from, long long display, std::size_t to) {
                            return LeapOverCharacters(text, *encoding, from, display, to, tabWidth);
                        }};
}

auto TSynEditEngine::CharWalk(std::string_view text) const {
    return TSynLineWalk{[this, text](std::size_t from, long long count, auto&& visit) {
                            using Step = TSynLineCheckpoints<long long>::Step;
                            for (std::size_t pos = from; pos < text.size(); ++count) {
                                const std::size_t length = encoding->CharLength(text, pos);
                                if (!visit(Step{pos, length, count, count + 1, false}))
                                    return;
                                pos += length;
                            }
                        },
                        [this, text](std::size_t from, long long count, std::size_t to) {
                            return LeapOverCharacters(text, *encoding, from, count, to, 1);
                        }};
}

TSynLineCheckpoints<long long>* TSynEditEngine::DisplayCheckpoints(LineIndex line,
                                                                   std::string_view text) const {
    // Display columns of such a line may pass INT_MAX, where counting saturates.
    if (text.size() >= static_cast<std::size_t>(INT_MAX / tabWidth))
        return nullptr;
    return displayCheckpoints.Of(line, text.size());
}

TSynLineCheckpoints<long long>* TSynEditEngine::CharCheckpoints(LineIndex line,
                                                                std::string_view text) const {
    return charCheckpoints.Of(line, text.size());
}

DisplayColumn TSynEditEngine::DisplayColumnOf(BufferPosition position) const {
    std::string_view text = LineText(position.line);
    std::size_t end = std::min(position.column.Value(), text.size());
    std::size_t pos = 0;
    int display = 0;
    if (auto* points = DisplayCheckpoints(position.line, text)) {
        const auto start = points->AtOrBefore(end, DisplayWalk(text));
        pos = start.column;
        display = static_cast<int>(start.value);
    }
    for (; pos < end; pos += encoding->CharLength(text, pos))
        display = AdvanceDisplay(display, text, pos);
    return DisplayColumn(display);
}

ByteColumn TSynEditEngine::ColumnAtDisplay(LineIndex line, DisplayColumn column) const {
    std::string_view text = LineText(line);
    std::size_t pos = 0;
    int display = 0;
    if (auto* points = DisplayCheckpoints(line, text)) {
        const auto start = points->AtOrBeforeValue(column.Value(), DisplayWalk(text));
        pos = start.column;
        display = static_cast<int>(start.value);
    }
    while (pos < text.size() && display < column.Value()) {
        int next = AdvanceDisplay(display, text, pos);
        if (next > column.Value())
            break;
        display = next;
        pos += encoding->CharLength(text, pos);
    }
    return ByteColumn(pos);
}

ByteColumn TSynEditEngine::ColumnAtOrAfterDisplay(LineIndex line, DisplayColumn column) const {
    std::string_view text = LineText(line);
    std::size_t pos = 0;
    int display = 0;
    if (auto* points = DisplayCheckpoints(line, text)) {
        const auto start = points->AtOrBeforeValue(column.Value(), DisplayWalk(text));
        pos = start.column;
        display = static_cast<int>(start.value);
    }
    while (pos < text.size() && display < column.Value()) {
        display = AdvanceDisplay(display, text, pos);
        pos += encoding->CharLength(text, pos);
    }
    return ByteColumn(pos);
}

CharColumn TSynEditEngine::CharColumnOf(BufferPosition position) const {
    std::string_view text = LineText(position.line);
    const std::size_t end = std::min(position.column.Value(), text.size());
    TSynLineCheckpoints<long long>::Point start;
    if (auto* points = CharCheckpoints(position.line, text))
        start = points->AtOrBefore(end, CharWalk(text));
    return CharColumn(std::size_t(start.value) +
                      encoding->CharCount(text.substr(start.column, end - start.column)));
}

ByteColumn TSynEditEngine::ColumnAtChar(LineIndex line, CharColumn column) const {
    std::string_view text = LineText(line);
    TSynLineCheckpoints<long long>::Point start;
    if (auto* points = CharCheckpoints(line, text))
        start = points->AtOrBeforeValue(static_cast<long long>(column.Value()), CharWalk(text));
    std::size_t pos = start.column;
    for (auto count = std::size_t(start.value); count < column.Value() && pos < text.size();
         ++count)
        pos += encoding->CharLength(text, pos);
    return ByteColumn(pos);
}

DisplayColumn TSynEditEngine::DesiredColumn() const {
    if (desiredFrom) {
        desiredColumn = DisplayColumnOf(*desiredFrom);
        desiredFrom.reset();
    }
    return desiredColumn;
}

void TSynEditEngine::KeepDesiredColumnAcross(BufferPosition editBegin) const {
    // An edit after the position (or starting at it) leaves its display column as it is.
    if (desiredFrom &&
        (desiredFrom->line > editBegin.line ||
         (desiredFrom->line == editBegin.line && desiredFrom->column > editBegin.column)))
        DesiredColumn();
}

BufferPosition TSynEditEngine::NextCharPosition(BufferPosition position) const {
    std::string_view text = LineText(position.line);
    if (position.column.Value() < text.size())
        return {position.line,
                position.column + encoding->CharLength(text, position.column.Value())};
    if (position.line.Value() + 1 < LineCount())
        return {position.line + 1, ByteColumn(0)};
    return position;
}

BufferPosition TSynEditEngine::PreviousCharPosition(BufferPosition position) const {
    if (position.column.Value() > 0) {
        std::string_view text = LineText(position.line);
        return {position.line,
                ByteColumn(encoding->PreviousCharStart(text, position.column.Value()))};
    }
    if (position.line.Value() > 0)
        return {position.line - 1, LineLength(position.line - 1)};
    return position;
}

TextOffset TSynEditEngine::OffsetOf(BufferPosition position) const {
    if (lines.Count() == 0)
        return TextOffset(0);
    BufferPosition valid = Clamp(position);
    return lines.LineStartOffset(valid.line) + valid.column.Value();
}

BufferPosition TSynEditEngine::PositionOf(TextOffset offset) const {
    return Clamp(lines.PositionOfOffset(offset));
}

BufferPosition TSynEditEngine::EndOfText() const {
    LineIndex last(LineCount() - 1);
    return {last, LineLength(last)};
}

std::string TSynEditEngine::TextBetween(BufferPosition begin, BufferPosition end) const {
    std::string_view first = LineText(begin.line);
    if (begin.line == end.line)
        return std::string(
            first.substr(begin.column.Value(), end.column.Value() - begin.column.Value()));
    std::string text;
    // The offsets count CR LF between lines: a little more than is needed, in one allocation.
    text.reserve(OffsetOf(end).Value() - OffsetOf(begin).Value());
    text.append(first.substr(begin.column.Value()));
    for (LineIndex line = begin.line + 1; line < end.line; ++line) {
        text += '\n';
        text += LineText(line);
    }
    text += '\n';
    text += LineText(end.line).substr(0, end.column.Value());
    return text;
}

// ---- Settings -----------------------------------------------------------------------------

void TSynEditEngine::SetTabWidth(int width) {
    OperationScope operation(*this);
    tabWidth = std::max(1, width);
    displayCheckpoints.Clear();
    desiredFrom = caret;
    caretChangedPending = true;
}

void TSynEditEngine::SetBlockIndent(int width) {
    blockIndent = std::max(1, width);
}

void TSynEditEngine::SetReadOnly(bool value) {
    OperationScope operation(*this);
    statusChangedPending = readOnly != value;
    readOnly = value;
}

void TSynEditEngine::SetInsertMode(TSynInsertMode mode) {
    OperationScope operation(*this);
    statusChangedPending = insertMode != mode;
    insertMode = mode;
}

void TSynEditEngine::SetPageRows(int rows) {
    pageRows = std::max(1, rows);
}

void TSynEditEngine::SetTopLine(LineIndex line) {
    topLine = LineIndex(std::clamp(line.Value(), 0, LineCount() - 1));
}

void TSynEditEngine::SetWordChars(const TSynCharSet& identifierChars,
                                  const TSynCharSet& wordBreakChars) {
    wordChars = identifierChars & ~wordBreakChars;
    customWordChars = true;
}

void TSynEditEngine::ClearWordChars() {
    customWordChars = false;
}

// ---- Caret and selection ------------------------------------------------------------------

void TSynEditEngine::PlaceCaret(BufferPosition position, TSynCaretMove move,
                                DesiredColumnUpdate desired) {
    BufferPosition valid = Clamp(position);
    if (valid != caret || (move == TSynCaretMove::Collapse && anchor != valid))
        caretChangedPending = true;
    caret = valid;
    if (move == TSynCaretMove::Collapse)
        anchor = caret;
    if (desired == DesiredColumnUpdate::Update)
        desiredFrom = caret;
}

bool TSynEditEngine::MoveCaret(BufferPosition position, TSynCaretMove move,
                               DesiredColumnUpdate desired) {
    BufferPosition oldCaret = caret, oldAnchor = anchor;
    PlaceCaret(position, move, desired);
    return caret != oldCaret || anchor != oldAnchor;
}

void TSynEditEngine::SetCaret(BufferPosition position, TSynCaretMove move) {
    OperationScope operation(*this);
    undoList.EndTypingRun();
    PlaceCaret(position, move, DesiredColumnUpdate::Update);
}

void TSynEditEngine::SetSelection(BufferPosition newAnchor, BufferPosition newCaret) {
    OperationScope operation(*this);
    undoList.EndTypingRun();
    PlaceCaret(newAnchor, TSynCaretMove::Collapse, DesiredColumnUpdate::Keep);
    PlaceCaret(newCaret, TSynCaretMove::Extend, DesiredColumnUpdate::Update);
}

void TSynEditEngine::SelectAll() {
    OperationScope operation(*this);
    if (selectionMode != TSynSelectionMode::smNormal) {
        selectionMode = TSynSelectionMode::smNormal;
        caretChangedPending = true;
    }
    SetSelection(BufferPosition{}, EndOfText());
}

bool TSynEditEngine::SelectionAvailable() const {
    if (selectionMode == TSynSelectionMode::smColumn) {
        ColumnBlock block = SelectionColumnBlock();
        return block.left < block.right;
    }
    return anchor != caret;
}

void TSynEditEngine::SetSelectionMode(TSynSelectionMode mode) {
    OperationScope operation(*this);
    undoList.EndTypingRun();
    caretChangedPending = selectionMode != mode;
    selectionMode = mode;
}

BufferRange TSynEditEngine::SelectionRange() const {
    BufferPosition low = std::min(anchor, caret), high = std::max(anchor, caret);
    switch (selectionMode) {
    case TSynSelectionMode::smNormal:
        return {low, high};
    case TSynSelectionMode::smLine:
        if (low == high)
            return {low, high};
        if (high.line.Value() + 1 < LineCount())
            return {{low.line, ByteColumn(0)}, {high.line + 1, ByteColumn(0)}};
        return {{low.line, ByteColumn(0)}, {high.line, LineLength(high.line)}};
    case TSynSelectionMode::smColumn: {
        ColumnBlock block = SelectionColumnBlock();
        return {{block.top, ColumnAtOrAfterDisplay(block.top, block.left)},
                {block.bottom, ColumnAtOrAfterDisplay(block.bottom, block.right)}};
    }
    }
    return {low, high};
}

TSynEditEngine::ColumnBlock TSynEditEngine::SelectionColumnBlock() const {
    DisplayColumn anchorColumn = DisplayColumnOf(anchor), caretColumn = DisplayColumnOf(caret);
    return {std::min(anchor.line, caret.line), std::max(anchor.line, caret.line),
            std::min(anchorColumn, caretColumn), std::max(anchorColumn, caretColumn)};
}

std::string TSynEditEngine::SelectedText() const {
    if (!SelectionAvailable())
        return {};
    std::string text;
    if (selectionMode == TSynSelectionMode::smColumn) {
        ColumnBlock block = SelectionColumnBlock();
        for (LineIndex line = block.top; line <= block.bottom; ++line) {
            if (line != block.top)
                text += "\r\n";
            std::size_t begin = ColumnAtOrAfterDisplay(line, block.left).Value();
            std::size_t end = ColumnAtOrAfterDisplay(line, block.right).Value();
            text += LineText(line).substr(begin, end - begin);
        }
        return text;
    }
    BufferRange range = SelectionRange();
    std::string joined = TextBetween(range.begin, range.end);
    text.reserve(joined.size());
    for (char c : joined) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
    return text;
}

TextOffset TSynEditEngine::SelStart() const {
    return OffsetOf(SelectionRange().begin);
}

TextOffset TSynEditEngine::SelLength() const {
    BufferRange range = SelectionRange();
    return TextOffset(OffsetOf(range.end) - OffsetOf(range.begin));
}

void TSynEditEngine::SetSelStart(TextOffset offset) {
    SetCaret(PositionOf(offset));
}

void TSynEditEngine::SetSelLength(TextOffset length) {
    OperationScope operation(*this);
    BufferPosition begin = SelectionRange().begin;
    selectionMode = TSynSelectionMode::smNormal;
    SetSelection(begin, PositionOf(TextOffset(OffsetOf(begin).Value() + length.Value())));
}

TSynSelectionState TSynEditEngine::CurrentSelectionState() const {
    return {anchor, caret, selectionMode};
}

void TSynEditEngine::RestoreSelectionState(const TSynSelectionState& state) {
    selectionMode = state.mode;
    PlaceCaret(state.anchor, TSynCaretMove::Collapse, DesiredColumnUpdate::Keep);
    PlaceCaret(state.caret, TSynCaretMove::Extend, DesiredColumnUpdate::Update);
    caretChangedPending = true;
}

// ---- Whole text ---------------------------------------------------------------------------

std::string TSynEditEngine::Text() const {
    std::string text = lines.Text();
    if (text.size() >= 2)
        text.resize(text.size() - 2);
    return text;
}

void TSynEditEngine::ApplyWholeText(std::string_view text) {
    ApplyWholeText(ByteBlock::CopyOf(text), {}, TSynTextBreaks::Usual);
}

void TSynEditEngine::ApplyWholeText(ByteBlock text, const ProgressHook& progress,
                                    TSynTextBreaks breaks) {
    OwnEditScope scope(*this);
    KeepDesiredColumnAcross(BufferPosition{});
    changeLog.Lose();
    // The list drops a final break; an edit control's text keeps the empty line after it.
    const std::string_view bytes = text.View();
    const bool finalBreak = !bytes.empty() && (bytes.back() == '\r' || bytes.back() == '\n');
    lines.TakeText(std::move(text), progress, breaks);
    if (finalBreak)
        lines.Add("");
}

void TSynEditEngine::SetText(std::string_view text) {
    TakeText(ByteBlock::CopyOf(text));
}

void TSynEditEngine::TakeText(ByteBlock text, const ProgressHook& progress, TSynTextBreaks breaks) {
    OperationScope operation(*this);
    // The caret is valid again before the change record goes out.
    OwnEditScope scope(*this);
    ApplyWholeText(std::move(text), progress, breaks);
    undoList.Clear();
    PlaceCaret(BufferPosition{}, TSynCaretMove::Collapse, DesiredColumnUpdate::Update);
    topLine = LineIndex(0);
    caretChangedPending = true;
}

bool TSynEditEngine::ReplaceAllText(std::string_view text) {
    if (readOnly)
        return false;
    OperationScope operation(*this);
    undoList.EndTypingRun();
    TSynUndoEntry entry;
    entry.kind = TSynUndoKind::WholeText;
    entry.before = CurrentSelectionState();
    entry.steps.push_back(
        {BufferPosition{}, Text(), std::string(text), true, lines.LineBreaks().marks});
    {
        OwnEditScope scope(*this);
        ApplyWholeText(text);
        PlaceCaret(BufferPosition{}, TSynCaretMove::Collapse, DesiredColumnUpdate::Update);
        topLine = LineIndex(0);
    }
    entry.after = CurrentSelectionState();
    undoList.Add(std::move(entry));
    undoListChangedPending = true;
    return true;
}

bool TSynEditEngine::ConvertLineBreaks(TSynEditFileFormat format) {
    if (readOnly || (lines.FileFormat() == format && !lines.MixedLineBreaks()))
        return false;
    OperationScope operation(*this);
    undoList.EndTypingRun();
    TSynUndoEntry entry;
    entry.before = CurrentSelectionState();
    entry.after = entry.before;
    TSynEditStep step;
    step.removedBreaks = lines.LineBreaks().marks;
    step.lineBreaks = {lines.FileFormat(), format};
    lines.ConvertLineBreaks(format);
    changeLog.Lose();
    entry.steps.push_back(std::move(step));
    undoList.Add(std::move(entry));
    undoListChangedPending = true;
    textChangedPending = true;
    return true;
}

// ---- Undo ---------------------------------------------------------------------------------

bool TSynEditEngine::CanUndo() const {
    return !readOnly && undoList.CanUndo();
}

bool TSynEditEngine::CanRedo() const {
    return !readOnly && undoList.CanRedo();
}

void TSynEditEngine::ApplyStep(const TSynEditStep& step, bool forward) {
    const std::string& oldText = forward ? step.removed : step.inserted;
    const std::string& newText = forward ? step.inserted : step.removed;
    if (step.lineBreaks) {
        lines.ConvertLineBreaks(forward ? step.lineBreaks->second : step.lineBreaks->first);
        changeLog.Lose();
        textChangedPending = true;
    } else if (step.wholeText) {
        ApplyWholeText(newText);
    } else {
        ApplyReplace(step.start, EndOfInsertedText(step.start, oldText), newText);
    }
    if (!forward && !step.removedBreaks.empty()) {
        lines.SetLineBreakMarks(step.start.line, step.removedBreaks);
        // Breaks put back are no replacement of text.
        changeLog.Lose();
    }
}

bool TSynEditEngine::Undo() {
    if (!CanUndo())
        return false;
    OperationScope operation(*this);
    TSynUndoEntry entry = undoList.TakeUndo();
    {
        OwnEditScope scope(*this);
        for (auto step = entry.steps.rbegin(); step != entry.steps.rend(); ++step)
            ApplyStep(*step, false);
        RestoreSelectionState(entry.before);
    }
    undoList.PushRedo(std::move(entry));
    undoListChangedPending = true;
    return true;
}

bool TSynEditEngine::Redo() {
    if (!CanRedo())
        return false;
    OperationScope operation(*this);
    TSynUndoEntry entry = undoList.TakeRedo();
    {
        OwnEditScope scope(*this);
        for (const TSynEditStep& step : entry.steps)
            ApplyStep(step, true);
        RestoreSelectionState(entry.after);
    }
    undoList.PushUndo(std::move(entry));
    undoListChangedPending = true;
    return true;
}

void TSynEditEngine::ClearUndo() {
    undoList.Clear();
}

void TSynEditEngine::BeginUndoGroup() {
    undoList.BeginGroup();
}

void TSynEditEngine::EndUndoGroup() {
    undoList.EndGroup();
}

void TSynEditEngine::EndTypingRun() {
    undoList.EndTypingRun();
}

// ---- Bookmarks ----------------------------------------------------------------------------

std::optional<TSynEditEngine::Bookmark> TSynEditEngine::GetBookmark(int number) const {
    if (number < 0 || number >= MarkerCount)
        return std::nullopt;
    return bookmarks[static_cast<std::size_t>(number)];
}

void TSynEditEngine::SetBookmark(int number, BufferPosition position) {
    if (number < 0 || number >= MarkerCount)
        return;
    OperationScope operation(*this);
    bookmarks[static_cast<std::size_t>(number)] = Bookmark{Clamp(position)};
    bookmarksChangedPending = true;
}

void TSynEditEngine::ClearBookmark(int number) {
    if (number < 0 || number >= MarkerCount || !bookmarks[static_cast<std::size_t>(number)])
        return;
    OperationScope operation(*this);
    bookmarks[static_cast<std::size_t>(number)].reset();
    bookmarksChangedPending = true;
}

void TSynEditEngine::ToggleBookmark(int number) {
    std::optional<Bookmark> current = GetBookmark(number);
    if (current && current->position.line == caret.line)
        ClearBookmark(number);
    else
        SetBookmark(number, caret);
}

bool TSynEditEngine::GotoBookmark(int number) {
    std::optional<Bookmark> mark = GetBookmark(number);
    if (!mark)
        return false;
    SetCaret(mark->position);
    return true;
}

std::vector<int> TSynEditEngine::BookmarksOnLine(LineIndex line) const {
    std::vector<int> numbers;
    for (int number = 0; number < MarkerCount; ++number) {
        const auto& mark = bookmarks[static_cast<std::size_t>(number)];
        if (mark && mark->position.line == line)
            numbers.push_back(number);
    }
    return numbers;
}

// ---- Change records -----------------------------------------------------------------------

// A line inside the replaced span keeps its offset in it as far as the new lines reach; past
// them it lands on the last new line, or on the line that took the span's place.
void TSynEditEngine::MapLine(LineIndex& line, const TSynLinesChange& change) const {
    if (line >= change.index + change.removed)
        line = line + (change.inserted - change.removed);
    else if (line >= change.index)
        line = change.index + std::min(line - change.index, std::max(change.inserted - 1, 0));
    line = LineIndex(std::clamp(line.Value(), 0, LineCount() - 1));
}

void TSynEditEngine::LinesChanged(const TSynLinesChange& change) {
    for (auto& mark : bookmarks) {
        if (!mark)
            continue;
        LineIndex before = mark->position.line;
        MapLine(mark->position.line, change);
        bookmarksChangedPending |= before != mark->position.line;
    }
    textChangedPending = true;
    if (ownEditDepth == 0) {
        // Someone changed the list directly: the undo steps no longer fit the text.
        undoList.Clear();
        changeLog.Lose();
        if (change.wholeText) {
            caret = anchor = BufferPosition{};
        } else {
            MapLine(caret.line, change);
            MapLine(anchor.line, change);
        }
        caret = Clamp(caret);
        anchor = Clamp(anchor);
        desiredFrom = caret;
        topLine = LineIndex(std::min(topLine.Value(), LineCount() - 1));
        caretChangedPending = true;
    }
    if (editStart && !change.wholeText && editStart->line == change.index)
        editedSpan = LineEditSpan{editStart->column.Value(), editTail, editLineLength};
    editStart.reset();
    const LineEditSpan span = EditedSpan();
    displayCheckpoints.Changed(change, span.prefix, span.suffix, span.oldLength, lines,
                               [this](std::string_view text) { return DisplayWalk(text); });
    charCheckpoints.Changed(change, span.prefix, span.suffix, span.oldLength, lines,
                            [this](std::string_view text) { return CharWalk(text); });
    if (OnLinesChanged)
        OnLinesChanged(change);
    editedSpan.reset();
    if (operationDepth == 0)
        FlushNotifications();
}

void TSynEditEngine::FlushNotifications() {
    auto fire = [](bool& pending, const std::function<void()>& callback) {
        if (!pending)
            return;
        pending = false;
        if (callback)
            callback();
    };
    fire(textChangedPending, OnTextChanged);
    fire(undoListChangedPending, OnUndoListChanged);
    fire(caretChangedPending, OnCaretChanged);
    fire(statusChangedPending, OnStatusChanged);
    fire(bookmarksChangedPending, OnBookmarksChanged);
}
