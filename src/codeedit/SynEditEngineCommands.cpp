// Editor commands: caret movement, words, brackets, and the dispatch of ExecuteCommand.

#include "codeedit/SynEditEngine.h"
#include "codeedit/SynEditEngineScopes.h"

#include <algorithm>

// ---- Words --------------------------------------------------------------------------------

BufferPosition TSynEditEngine::NextWordPosition(BufferPosition position) const {
    BufferPosition start = Clamp(position);
    std::string_view text = LineText(start.line);
    std::size_t pos = start.column.Value();
    if (pos >= text.size())
        return NextCharPosition(start);
    CharClass skipped = ClassAt(text, pos);
    if (skipped != CharClass::Blank)
        while (pos < text.size() && ClassAt(text, pos) == skipped)
            pos += encoding->CharLength(text, pos);
    while (pos < text.size() && ClassAt(text, pos) == CharClass::Blank)
        pos += encoding->CharLength(text, pos);
    return {start.line, ByteColumn(pos)};
}

BufferPosition TSynEditEngine::PreviousWordPosition(BufferPosition position) const {
    BufferPosition start = Clamp(position);
    std::string_view text = LineText(start.line);
    std::size_t pos = start.column.Value();
    if (pos == 0)
        return PreviousCharPosition(start);
    auto classBefore = [&](std::size_t at) {
        return ClassAt(text, encoding->PreviousCharStart(text, at));
    };
    while (pos > 0 && classBefore(pos) == CharClass::Blank)
        pos = encoding->PreviousCharStart(text, pos);
    if (pos > 0) {
        CharClass skipped = classBefore(pos);
        while (pos > 0 && classBefore(pos) == skipped)
            pos = encoding->PreviousCharStart(text, pos);
    }
    return {start.line, ByteColumn(pos)};
}

BufferRange TSynEditEngine::WordAt(BufferPosition position) const {
    BufferPosition at = Clamp(position);
    std::string_view text = LineText(at.line);
    std::size_t pos = at.column.Value();
    if (text.empty())
        return {at, at};
    // Prefer the word the position touches from either side.
    bool wordAfter = pos < text.size() && ClassAt(text, pos) == CharClass::Word;
    if (pos == text.size() ||
        (!wordAfter && pos > 0 &&
         ClassAt(text, encoding->PreviousCharStart(text, pos)) == CharClass::Word))
        pos = encoding->PreviousCharStart(text, pos);
    CharClass kind = ClassAt(text, pos);
    std::size_t begin = pos, end = pos;
    while (begin > 0 && ClassAt(text, encoding->PreviousCharStart(text, begin)) == kind)
        begin = encoding->PreviousCharStart(text, begin);
    while (end < text.size() && ClassAt(text, end) == kind)
        end += encoding->CharLength(text, end);
    return {{at.line, ByteColumn(begin)}, {at.line, ByteColumn(end)}};
}

// ---- Brackets -----------------------------------------------------------------------------

namespace {

struct BracketPair {
    char open;
    char close;
};
constexpr BracketPair BracketPairs[] = {{'(', ')'}, {'[', ']'}, {'{', '}'}, {'<', '>'}};

} // namespace

// Brackets are ASCII, and no byte of a multi-byte UTF-8 character is ASCII, so the search can
// look at bytes.
std::optional<BufferPosition> TSynEditEngine::MatchingBracket(BufferPosition position) const {
    BufferPosition at = Clamp(position);
    auto bracketAt = [&](BufferPosition p) -> std::optional<std::pair<BracketPair, bool>> {
        std::string_view text = LineText(p.line);
        if (p.column.Value() >= text.size())
            return std::nullopt;
        char c = text[p.column.Value()];
        for (BracketPair pair : BracketPairs) {
            if (c == pair.open)
                return std::pair{pair, true};
            if (c == pair.close)
                return std::pair{pair, false};
        }
        return std::nullopt;
    };
    auto found = bracketAt(at);
    if (!found && at.column.Value() > 0) {
        at.column = at.column - 1;
        found = bracketAt(at);
    }
    if (!found)
        return std::nullopt;
    const auto [pair, forward] = *found;
    const char same = forward ? pair.open : pair.close;
    const char other = forward ? pair.close : pair.open;
    int depth = 0;
    int line = at.line.Value();
    std::string_view text = LineText(at.line);
    std::ptrdiff_t pos = static_cast<std::ptrdiff_t>(at.column.Value());
    const int lineCount = LineCount();
    while (true) {
        char c = text[static_cast<std::size_t>(pos)];
        if (c == same)
            ++depth;
        else if (c == other && --depth == 0)
            return BufferPosition{LineIndex(line), ByteColumn(static_cast<std::size_t>(pos))};
        // Step to the next byte in the search direction, across empty lines.
        pos += forward ? 1 : -1;
        while (pos < 0 || pos >= static_cast<std::ptrdiff_t>(text.size())) {
            line += forward ? 1 : -1;
            if (line < 0 || line >= lineCount)
                return std::nullopt;
            text = LineText(LineIndex(line));
            pos = forward ? 0 : static_cast<std::ptrdiff_t>(text.size()) - 1;
        }
    }
}

// ---- Movement -----------------------------------------------------------------------------

bool TSynEditEngine::MoveHorizontal(bool forward, TSynCaretMove move) {
    if (move == TSynCaretMove::Collapse && SelectionAvailable()) {
        // Like a plain edit control: an arrow first collapses the selection to its side.
        BufferPosition low = std::min(anchor, caret), high = std::max(anchor, caret);
        return MoveCaret(forward ? high : low, move, DesiredColumnUpdate::Update);
    }
    BufferPosition target = forward ? NextCharPosition(caret) : PreviousCharPosition(caret);
    return MoveCaret(target, move, DesiredColumnUpdate::Update);
}

bool TSynEditEngine::MoveVertical(int lineDelta, TSynCaretMove move) {
    long long wanted = static_cast<long long>(caret.line.Value()) + lineDelta;
    LineIndex line(static_cast<int>(std::clamp<long long>(wanted, 0, LineCount() - 1)));
    return MoveCaret({line, ColumnAtDisplay(line, DesiredColumn())}, move,
                     DesiredColumnUpdate::Keep);
}

// Moves the top line, not past the point where the last line is at the bottom of the view.
bool TSynEditEngine::ScrollBy(int lineDelta) {
    int highest = std::max(0, LineCount() - pageRows);
    long long wanted = static_cast<long long>(topLine.Value()) + lineDelta;
    LineIndex newTop(static_cast<int>(std::clamp<long long>(wanted, 0, highest)));
    bool moved = newTop != topLine;
    topLine = newTop;
    return moved;
}

// Scrolls by lines and keeps the caret inside the view.
bool TSynEditEngine::ScrollView(int lineDelta) {
    bool scrolled = ScrollBy(lineDelta);
    int first = topLine.Value(), last = topLine.Value() + pageRows - 1;
    int line = caret.line.Value();
    bool moved = false;
    if (line < first)
        moved = MoveVertical(first - line, TSynCaretMove::Collapse);
    else if (line > last)
        moved = MoveVertical(last - line, TSynCaretMove::Collapse);
    if (scrolled)
        caretChangedPending = true;
    return scrolled || moved;
}

// Caret and view move together by a page.
bool TSynEditEngine::MovePage(int direction, TSynCaretMove move) {
    bool scrolled = ScrollBy(direction * pageRows);
    bool moved = MoveVertical(direction * pageRows, move);
    if (scrolled)
        caretChangedPending = true;
    return scrolled || moved;
}

// ---- Dispatch -----------------------------------------------------------------------------

bool TSynEditEngine::ExecuteCommand(TSynEditorCommand command, std::string_view text) {
    OperationScope operation(*this);
    if (command != ecChar)
        undoList.EndTypingRun();
    const TSynCaretMove collapse = TSynCaretMove::Collapse;
    const TSynCaretMove extend = TSynCaretMove::Extend;
    const DesiredColumnUpdate update = DesiredColumnUpdate::Update;
    auto pageTarget = [&](bool bottom) {
        int line = topLine.Value() + (bottom ? pageRows - 1 : 0);
        return std::clamp(line, 0, LineCount() - 1) - caret.line.Value();
    };
    auto lineEnd = [&] { return BufferPosition{caret.line, LineLength(caret.line)}; };
    auto lineStart = [&] { return BufferPosition{caret.line, ByteColumn(0)}; };

    if (IsGotoMarkerCommand(command))
        return GotoBookmark(command - ecGotoMarker0);
    if (IsSetMarkerCommand(command)) {
        ToggleBookmark(command - ecSetMarker0);
        return true;
    }

    switch (command) {
    case ecLeft:
        return MoveHorizontal(false, collapse);
    case ecSelLeft:
        return MoveHorizontal(false, extend);
    case ecRight:
        return MoveHorizontal(true, collapse);
    case ecSelRight:
        return MoveHorizontal(true, extend);
    case ecUp:
        return MoveVertical(-1, collapse);
    case ecSelUp:
        return MoveVertical(-1, extend);
    case ecDown:
        return MoveVertical(1, collapse);
    case ecSelDown:
        return MoveVertical(1, extend);
    case ecWordLeft:
        return MoveCaret(PreviousWordPosition(caret), collapse, update);
    case ecSelWordLeft:
        return MoveCaret(PreviousWordPosition(caret), extend, update);
    case ecWordRight:
        return MoveCaret(NextWordPosition(caret), collapse, update);
    case ecSelWordRight:
        return MoveCaret(NextWordPosition(caret), extend, update);
    case ecLineStart:
        return MoveCaret(lineStart(), collapse, update);
    case ecSelLineStart:
        return MoveCaret(lineStart(), extend, update);
    case ecLineEnd:
        return MoveCaret(lineEnd(), collapse, update);
    case ecSelLineEnd:
        return MoveCaret(lineEnd(), extend, update);
    case ecPageUp:
        return MovePage(-1, collapse);
    case ecSelPageUp:
        return MovePage(-1, extend);
    case ecPageDown:
        return MovePage(1, collapse);
    case ecSelPageDown:
        return MovePage(1, extend);
    case ecPageTop:
        return MoveVertical(pageTarget(false), collapse);
    case ecSelPageTop:
        return MoveVertical(pageTarget(false), extend);
    case ecPageBottom:
        return MoveVertical(pageTarget(true), collapse);
    case ecSelPageBottom:
        return MoveVertical(pageTarget(true), extend);
    case ecEditorTop:
        return MoveCaret(BufferPosition{}, collapse, update);
    case ecSelEditorTop:
        return MoveCaret(BufferPosition{}, extend, update);
    case ecEditorBottom:
        return MoveCaret(EndOfText(), collapse, update);
    case ecSelEditorBottom:
        return MoveCaret(EndOfText(), extend, update);
    case ecScrollUp:
        return ScrollView(-1);
    case ecScrollDown:
        return ScrollView(1);

    case ecSelectAll:
        SelectAll();
        return true;
    case ecNormalSelect:
        SetSelectionMode(TSynSelectionMode::smNormal);
        return true;
    case ecColumnSelect:
        SetSelectionMode(TSynSelectionMode::smColumn);
        return true;
    case ecLineSelect:
        SetSelectionMode(TSynSelectionMode::smLine);
        return true;
    case ecMatchBracket:
        if (std::optional<BufferPosition> match = MatchingBracket(caret))
            return MoveCaret(*match, collapse, update);
        return false;

    case ecDeleteChar:
        if (SelectionAvailable())
            return DeleteSelection();
        return DeleteRange(caret, NextCharPosition(caret));
    case ecDeleteLastChar:
        if (SelectionAvailable())
            return DeleteSelection();
        return DeleteRange(PreviousCharPosition(caret), caret);
    case ecDeleteWord:
        if (SelectionAvailable())
            return DeleteSelection();
        return DeleteRange(caret, NextWordPosition(caret));
    case ecDeleteLastWord:
        if (SelectionAvailable())
            return DeleteSelection();
        return DeleteRange(PreviousWordPosition(caret), caret);
    case ecDeleteLine:
        return DeleteCaretLine();
    case ecDeleteEOL:
        return DeleteRange(caret, lineEnd());
    case ecInsertLine:
        return InsertLineAtCaret();
    case ecLineBreak:
        return InsertText("\n");
    case ecTab:
        if (SelectionAvailable() && anchor.line != caret.line)
            return IndentLines();
        return InsertText("\t");
    case ecShiftTab:
    case ecBlockUnindent:
        return UnindentLines();
    case ecTabChar:
        return InsertText("\t");
    case ecBlockIndent:
        return IndentLines();
    case ecChar:
        return TypeText(text);

    case ecUndo:
        return Undo();
    case ecRedo:
        return Redo();
    case ecCut:
        return DeleteSelection();
    case ecPaste:
        return InsertText(text);
    case ecToggleMode:
        SetInsertMode(insertMode == TSynInsertMode::Insert ? TSynInsertMode::Overwrite
                                                           : TSynInsertMode::Insert);
        return true;
    case ecCopy:
    case ecContextHelp:
    default:
        return false;
    }
}
