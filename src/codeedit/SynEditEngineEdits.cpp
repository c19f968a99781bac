// The engine's edits: every change of the text made through the engine goes through
// EditTransaction::Replace, so it is recorded as one undo step.

#include "codeedit/SynEditEngine.h"
#include "codeedit/SynEditEngineScopes.h"

#include <algorithm>
#include <utility>

namespace {

// CR LF, LF and CR all become the engine's one internal break, '\n'. Copied in runs between
// CRs, as a pasted or replaced text may be tens of megabytes.
std::string NormalizeBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t cr = std::min(text.find('\r', from), text.size());
        result.append(text.substr(from, cr - from));
        if (cr == text.size())
            break;
        result += '\n';
        from = cr + (cr + 1 < text.size() && text[cr + 1] == '\n' ? 2 : 1);
    }
    return result;
}

} // namespace

BufferPosition TSynEditEngine::EditTransaction::Replace(BufferPosition begin, BufferPosition end,
                                                        std::string text) {
    std::string removed = engine.TextBetween(begin, end);
    if (removed.empty() && text.empty())
        return begin;
    TSynLineBreakMarks removedBreaks = engine.lines.LineBreakMarks(begin.line, end.line);
    BufferPosition newEnd = engine.ApplyReplace(begin, end, text);
    steps.push_back({begin, std::move(removed), std::move(text), false, std::move(removedBreaks)});
    return newEnd;
}

TSynEditEngine::EditTransaction::~EditTransaction() {
    if (steps.empty())
        return;
    if (steps.size() > 1 && kind == TSynUndoKind::Typing)
        kind = TSynUndoKind::Edit;
    engine.undoList.Add({kind, std::move(steps), before, engine.CurrentSelectionState()});
    engine.undoListChangedPending = true;
}

BufferPosition TSynEditEngine::ApplyReplace(BufferPosition begin, BufferPosition end,
                                            std::string_view text) {
    changeLog.Replaced(begin, end, text);
    if (lines.Count() == 0)
        lines.Add("");
    KeepDesiredColumnAcross(begin);
    const LineIndex first = begin.line;
    const LineIndex last = end.line;
    // A text of tens of megabytes is read line by line, never split into a list of its lines.
    const std::size_t firstBreak = text.find('\n');
    const bool oneLineText = firstBreak == std::string_view::npos;
    const bool inOneLine = first == last && oneLineText;
    const std::size_t tail = lines.Get(last).size() - end.column.Value();
    if (!editStart) {
        // The record covers lines first to last, and the last new line ends in their tail.
        editTail = tail;
        editLineLength = lines.Get(last).size();
        editInOneLine = inOneLine;
    } else if (!editInOneLine || !inOneLine || editStart->line != begin.line) {
        editTail = 0;
    } else {
        editTail = std::min(editTail, tail);
    }
    // Edits of one operation reach the list's observers as one record from the first line on.
    if (!editStart || editStart->line == begin.line)
        editStart = BufferPosition{
            begin.line, std::min(begin.column, editStart ? editStart->column : begin.column)};
    else
        editStart = BufferPosition{std::min(editStart->line, begin.line), ByteColumn(0)};
    // The break after the last line touched stays after the suffix; the breaks in between are
    // new and take the list's format.
    const TSynEditFileFormat lastBreak = lines.LineBreakAfter(last);
    const auto placeBreaks = [&](LineIndex newLast) {
        if (!lines.MixedLineBreaks() && lastBreak == lines.FileFormat())
            return;
        for (LineIndex line = first; line < newLast; ++line)
            lines.SetLineBreakAfter(line, lines.FileFormat());
        lines.SetLineBreakAfter(newLast, lastBreak);
    };

    // The first and last lines are edited in place: a keystroke, Enter or Backspace in a line
    // of many MB must not copy it.
    const ByteColumn column = begin.column;
    if (oneLineText) {
        if (last == first) {
            lines.ReplaceInLine(first, column, end.column - column, text);
        } else {
            lines.ReplaceInLine(first, column, lines.Get(first).size() - column.Value(), text);
            // The last line's end goes straight into the first line's room.
            lines.ReplaceInLine(first, column + text.size(), 0,
                                lines.Get(last).substr(end.column.Value()));
            lines.DeleteLines(first + 1, last - first);
        }
        placeBreaks(first);
        return {begin.line, column + text.size()};
    }

    // A break inside one line cuts it in two, so that the end stays where it is: the text's
    // last piece goes before the end of the old last line, its first after the start of the
    // first. The pieces between are put straight from the text, and a line they leave as it
    // was keeps its storage: Replace All rewrites every line of its span, many of them
    // unchanged.
    LineIndex lastLine = last;
    ByteColumn endColumn = end.column;
    if (first == last) {
        lines.CutLine(first, endColumn);
        lastLine = first + 1;
        endColumn = ByteColumn(0);
    }
    const std::size_t lastStart = text.rfind('\n') + 1;
    lines.ReplaceInLine(first, column, lines.Get(first).size() - column.Value(),
                        text.substr(0, firstBreak));
    lines.ReplaceInLine(lastLine, ByteColumn(0), endColumn.Value(), text.substr(lastStart));
    LineIndex line = first + 1;
    std::vector<std::string> added;
    for (std::size_t from = firstBreak + 1; from < lastStart; ++line) {
        const std::size_t to = text.find('\n', from);
        const std::string_view piece = text.substr(from, to - from);
        if (line >= lastLine)
            added.emplace_back(piece);
        else if (lines.Get(line) != piece)
            lines.Put(line, piece);
        from = to + 1;
    }
    if (line < lastLine)
        lines.DeleteLines(line, lastLine - line);
    else if (!added.empty())
        lines.InsertLines(lastLine, added);
    placeBreaks(line);
    return {line, ByteColumn(text.size() - lastStart)};
}

BufferPosition TSynEditEngine::DeleteSelectionIn(EditTransaction& edit) {
    if (!SelectionAvailable())
        return caret;
    if (selectionMode != TSynSelectionMode::smColumn) {
        BufferRange range = SelectionRange();
        edit.Replace(range.begin, range.end, "");
        return range.begin;
    }
    ColumnBlock block = SelectionColumnBlock();
    BufferPosition result = caret;
    for (LineIndex line = block.top; line <= block.bottom; ++line) {
        BufferPosition begin{line, ColumnAtOrAfterDisplay(line, block.left)};
        BufferPosition end{line, ColumnAtOrAfterDisplay(line, block.right)};
        edit.Replace(begin, end, "");
        if (line == caret.line)
            result = begin;
    }
    return result;
}

void TSynEditEngine::SelectedLines(LineIndex& first, LineIndex& last) const {
    if (!SelectionAvailable()) {
        first = last = caret.line;
        return;
    }
    BufferPosition low = std::min(anchor, caret), high = std::max(anchor, caret);
    first = low.line;
    last = high.line;
    // A selection ending at the start of a line does not take that line along.
    if (selectionMode == TSynSelectionMode::smNormal && high.column.Value() == 0 && last > first)
        last = last - 1;
}

bool TSynEditEngine::InsertTypedOrPasted(std::string_view text, TSynUndoKind kind) {
    if (readOnly)
        return false;
    std::string normalized = NormalizeBreaks(text);
    if (normalized.empty() && !SelectionAvailable())
        return false;
    OperationScope operation(*this);
    const bool typing = kind == TSynUndoKind::Typing && normalized.find('\n') == std::string::npos;
    if (!typing || SelectionAvailable())
        undoList.EndTypingRun();
    EditTransaction edit(*this);
    edit.kind = typing ? TSynUndoKind::Typing : TSynUndoKind::Edit;
    BufferPosition begin = caret, end = caret;
    if (SelectionAvailable() && selectionMode != TSynSelectionMode::smColumn) {
        BufferRange range = SelectionRange();
        begin = range.begin;
        end = range.end;
    } else if (SelectionAvailable()) {
        begin = end = DeleteSelectionIn(edit);
    } else if (typing && insertMode == TSynInsertMode::Overwrite) {
        // Overwrite replaces as many characters as are typed, never the line break.
        std::string_view line = LineText(caret.line);
        std::size_t column = caret.column.Value();
        for (std::size_t count = encoding->CharCount(normalized); count > 0 && column < line.size();
             --count)
            column += encoding->CharLength(line, column);
        end = {caret.line, ByteColumn(column)};
    }
    BufferPosition newCaret = edit.Replace(begin, end, std::move(normalized));
    PlaceCaret(newCaret, TSynCaretMove::Collapse, DesiredColumnUpdate::Update);
    return edit.Changed();
}

bool TSynEditEngine::InsertText(std::string_view text) {
    return InsertTypedOrPasted(text, TSynUndoKind::Edit);
}

bool TSynEditEngine::TypeText(std::string_view text) {
    return InsertTypedOrPasted(text, TSynUndoKind::Typing);
}

bool TSynEditEngine::DeleteSelection() {
    if (readOnly || !SelectionAvailable())
        return false;
    OperationScope operation(*this);
    undoList.EndTypingRun();
    EditTransaction edit(*this);
    PlaceCaret(DeleteSelectionIn(edit), TSynCaretMove::Collapse, DesiredColumnUpdate::Update);
    return edit.Changed();
}

bool TSynEditEngine::DeleteRange(BufferPosition begin, BufferPosition end) {
    return begin != end && ReplaceRange(begin, end, "");
}

bool TSynEditEngine::ReplaceRange(BufferPosition begin, BufferPosition end, std::string text) {
    if (readOnly)
        return false;
    OperationScope operation(*this);
    undoList.EndTypingRun();
    EditTransaction edit(*this);
    PlaceCaret(edit.Replace(begin, end, std::move(text)), TSynCaretMove::Collapse,
               DesiredColumnUpdate::Update);
    return edit.Changed();
}

bool TSynEditEngine::DeleteCaretLine() {
    if (readOnly)
        return false;
    OperationScope operation(*this);
    undoList.EndTypingRun();
    EditTransaction edit(*this);
    const LineIndex line = caret.line;
    if (line.Value() + 1 < LineCount())
        edit.Replace({line, ByteColumn(0)}, {line + 1, ByteColumn(0)}, "");
    else if (line.Value() > 0)
        edit.Replace({line - 1, LineLength(line - 1)}, {line, LineLength(line)}, "");
    else
        edit.Replace({line, ByteColumn(0)}, {line, LineLength(line)}, "");
    PlaceCaret({LineIndex(std::min(line.Value(), LineCount() - 1)), ByteColumn(0)},
               TSynCaretMove::Collapse, DesiredColumnUpdate::Update);
    return edit.Changed();
}

bool TSynEditEngine::InsertLineAtCaret() {
    if (readOnly)
        return false;
    OperationScope operation(*this);
    undoList.EndTypingRun();
    EditTransaction edit(*this);
    BufferPosition at = DeleteSelectionIn(edit);
    edit.Replace(at, at, "\n");
    PlaceCaret(at, TSynCaretMove::Collapse, DesiredColumnUpdate::Update);
    return edit.Changed();
}

bool TSynEditEngine::ChangeIndent(bool indent) {
    if (readOnly)
        return false;
    OperationScope operation(*this);
    undoList.EndTypingRun();
    LineIndex first, last;
    SelectedLines(first, last);
    // Selection edges at a line start stay there, so whole selected lines stay selected.
    const bool keepLineStarts = SelectionAvailable();
    BufferPosition newAnchor = anchor, newCaret = caret;
    EditTransaction edit(*this);
    for (LineIndex line = first; line <= last; ++line) {
        std::string_view text = LineText(line);
        std::size_t removed = 0;
        if (indent) {
            if (text.empty())
                continue;
            edit.Replace({line, ByteColumn(0)}, {line, ByteColumn(0)},
                         std::string(static_cast<std::size_t>(blockIndent), ' '));
        } else {
            if (!text.empty() && text.front() == '\t')
                removed = 1;
            else
                while (removed < text.size() && removed < static_cast<std::size_t>(blockIndent) &&
                       text[removed] == ' ')
                    ++removed;
            if (removed == 0)
                continue;
            edit.Replace({line, ByteColumn(0)}, {line, ByteColumn(removed)}, "");
        }
        for (BufferPosition* position : {&newAnchor, &newCaret}) {
            std::size_t column = position->column.Value();
            if (position->line != line || (keepLineStarts && column == 0))
                continue;
            column = indent ? column + static_cast<std::size_t>(blockIndent)
                            : column - std::min(column, removed);
            position->column = ByteColumn(column);
        }
    }
    PlaceCaret(newAnchor, TSynCaretMove::Collapse, DesiredColumnUpdate::Keep);
    PlaceCaret(newCaret, TSynCaretMove::Extend, DesiredColumnUpdate::Update);
    return edit.Changed();
}

bool TSynEditEngine::IndentLines() {
    return ChangeIndent(true);
}

bool TSynEditEngine::UnindentLines() {
    return ChangeIndent(false);
}
