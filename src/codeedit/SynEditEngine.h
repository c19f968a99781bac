#pragma once
// TSynEditEngine: caret, selection, editing, undo, words, brackets and bookmarks of one editor
// over its line list, without pixels. It does not paint, scroll by pixels, lay out wrapped
// rows, read key events or touch the clipboard; the widget does those and calls in here.
//
// Rules the widget can rely on:
// - The text is the line list's lines; an empty list counts as one empty line. Whole text
//   (Text, SelectedText) joins lines with CR LF and has no break after the last line.
// - The caret is a (line, byte column) on a character boundary of the program's encoding and
//   never past the end of its line (as in a plain edit control). Up and Down aim for the
//   desired display column, which only horizontal moves and edits change.
// - Every edit made through the engine is one entry in the undo list (merge rules at
//   TSynEditUndoList). A change made to the line list directly (Lines().Put, ...) is not
//   undoable: it clears the undo and redo lists and moves caret, selection and bookmarks out of
//   the way.
// - Bookmarks follow line inserts and deletes. When lines are replaced, a bookmark inside them
//   keeps its offset as far as the new lines reach and otherwise lands on the last new line;
//   a bookmark on a deleted line moves to the line that takes its place (the line after, or
//   the new last line). A whole-text change keeps bookmarks, clamped to the new text.
// - Notifications (On...) fire once at the end of each public call, when caret, selection and
//   text agree; OnLinesChanged fires as the list reports, also with a valid caret.

#include "codeedit/SynEditCommands.h"
#include "codeedit/SynEditHighlighter.h"
#include "codeedit/SynEditLineCheckpoints.h"
#include "codeedit/SynEditPosition.h"
#include "codeedit/SynEditTextBuffer.h"
#include "codeedit/SynEditTextChanges.h"
#include "codeedit/SynEditUndo.h"
#include "platform/Encoding.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where typed characters go when there is no selection.
enum class TSynInsertMode { Insert, Overwrite };

// Whether a caret move keeps the anchor (extends the selection) or drops the selection.
enum class TSynCaretMove { Collapse, Extend };

class TSynEditEngine {
public:
    static constexpr int MarkerCount = 10;

    // The encoding is read once here (ProgramEncoding() by default) and used for every
    // character step.
    TSynEditEngine();
    explicit TSynEditEngine(const Encoding& encoding);
    ~TSynEditEngine();
    // For a program encoding chosen after the editor was made; the text is kept as it is.
    void SetEncoding(const Encoding& newEncoding);
    const Encoding& TextEncoding() const { return *encoding; }
    TSynEditEngine(const TSynEditEngine&) = delete;
    TSynEditEngine& operator=(const TSynEditEngine&) = delete;

    // ---- Line list and notifications -------------------------------------------------------

    // The engine owns the list and is its only change handler: do not call SetOnChange on it;
    // use OnLinesChanged, which gets the same records after caret and bookmark fix-up.
    TSynEditStringList& Lines() { return lines; }
    const TSynEditStringList& Lines() const { return lines; }
    // At least 1: an empty list counts as one empty line.
    int LineCount() const;
    std::string_view LineText(LineIndex line) const;

    // Every line change record, from engine edits and direct list changes alike (range
    // rescanning and repaint).
    std::function<void(const TSynLinesChange&)> OnLinesChanged;
    // While OnLinesChanged runs, what is known of the lines the change replaced, so that
    // per-line caches keep what it left: the first new line's bytes before `prefix` are those
    // of the first old line, and the last `suffix` bytes of the last new line are the last of
    // the last old line, which was `oldLength` bytes long. Enter cuts a line in two ({i, 1, 2}:
    // the second line is the first's old end), Backspace at a line start joins two ({i, 2, 1});
    // a line changed in place is {i, 1, 1}. Nothing known: all 0.
    struct LineEditSpan {
        std::size_t prefix = 0, suffix = 0, oldLength = 0;
    };
    LineEditSpan EditedSpan() const { return editedSpan.value_or(LineEditSpan{}); }
    // After any change of the text, also from SetText and direct list changes (the plain
    // editor's change event). Once per engine operation.
    std::function<void()> OnTextChanged;
    // After an edit entered the undo list (new or merged entry) and after Undo and Redo; not
    // when the lists are cleared (the code editor's change event: it marks a document
    // modified, which loading text must not).
    std::function<void()> OnUndoListChanged;
    // Caret, anchor or selection mode moved.
    std::function<void()> OnCaretChanged;
    // Insert mode toggled, read-only changed.
    std::function<void()> OnStatusChanged;
    // A bookmark was set, cleared or moved.
    std::function<void()> OnBookmarksChanged;

    // ---- Settings -------------------------------------------------------------------------

    int TabWidth() const { return tabWidth; }
    void SetTabWidth(int width); // clamped to at least 1; default 8
    int BlockIndent() const { return blockIndent; }
    void SetBlockIndent(int width); // spaces per block indent; at least 1; default 2
    bool ReadOnly() const { return readOnly; }
    // A read-only engine refuses every edit (commands do nothing, edit functions return false).
    void SetReadOnly(bool value);
    TSynInsertMode InsertMode() const { return insertMode; }
    void SetInsertMode(TSynInsertMode mode);
    // Rows the view shows (page commands move by this many lines); the widget keeps it current.
    int PageRows() const { return pageRows; }
    void SetPageRows(int rows); // at least 1
    // First line in view: page and scroll commands move it; the widget sets it when it scrolls.
    LineIndex TopLine() const { return topLine; }
    void SetTopLine(LineIndex line);

    // Word characters: a character is part of a word when its first byte is in
    // identifierChars and not in wordBreakChars (a highlighter's IdentifierChars() and
    // WordBreakChars()). Without a set: ASCII letters and digits, "_", and every character
    // that is not ASCII.
    void SetWordChars(const TSynCharSet& identifierChars, const TSynCharSet& wordBreakChars);
    void ClearWordChars();

    // ---- Positions ------------------------------------------------------------------------

    // The nearest valid position: line clamped to the text, column to the line's length and
    // back to the start of the character it falls in.
    BufferPosition Clamp(BufferPosition position) const;
    DisplayColumn DisplayColumnOf(BufferPosition position) const;
    // Byte column of the character boundary at or before the display column (inside a tab or
    // past the end: the boundary before it, or the line end).
    ByteColumn ColumnAtDisplay(LineIndex line, DisplayColumn column) const;
    CharColumn CharColumnOf(BufferPosition position) const;
    ByteColumn ColumnAtChar(LineIndex line, CharColumn column) const;   // past the end: line end
    BufferPosition NextCharPosition(BufferPosition position) const;     // crosses line ends
    BufferPosition PreviousCharPosition(BufferPosition position) const; // crosses line starts
    // Offsets with CR LF between lines; an offset inside a CR LF or past the end is clamped.
    TextOffset OffsetOf(BufferPosition position) const;
    BufferPosition PositionOf(TextOffset offset) const;
    BufferPosition EndOfText() const;

    // ---- Caret and selection --------------------------------------------------------------

    BufferPosition Caret() const { return caret; }
    BufferPosition Anchor() const { return anchor; }
    DisplayColumn DesiredColumn() const;
    // Clamps; Collapse drops the selection. Ends a typing run.
    void SetCaret(BufferPosition position, TSynCaretMove move = TSynCaretMove::Collapse);
    void SetSelection(BufferPosition anchor, BufferPosition caret);
    void SelectAll();
    bool SelectionAvailable() const;

    TSynSelectionMode SelectionMode() const { return selectionMode; }
    void SetSelectionMode(TSynSelectionMode mode);

    // The selection as a text range: normal mode from the lower to the higher of anchor and
    // caret; line mode whole lines including the break after the last (or the text end);
    // column mode the bounding range of the block.
    BufferRange SelectionRange() const;
    // Column mode: the block's display columns [left, right) on lines top to bottom.
    struct ColumnBlock {
        LineIndex top, bottom;
        DisplayColumn left, right;
    };
    ColumnBlock SelectionColumnBlock() const;
    // Column mode: the part of each line inside the block, joined with CR LF.
    std::string SelectedText() const;

    // The plain editor's SelStart and SelLength (offsets with CR LF between lines).
    TextOffset SelStart() const;
    TextOffset SelLength() const;
    // Drops the selection and puts the caret at the offset.
    void SetSelStart(TextOffset offset);
    // Selects length bytes from SelStart (clamped to the text).
    void SetSelLength(TextOffset length);

    // ---- Whole text -----------------------------------------------------------------------

    std::string Text() const;
    // Sets the text as code does (not undoable): clears undo and redo, caret to the start, no
    // selection. CR LF, LF and CR all break lines; a final break leaves an empty last line.
    void SetText(std::string_view text);
    // The same, keeping the block as the lines' storage (no copy of a large file's text) and
    // reporting progress through it; a file's text keeps its line breaks (AsInText).
    void TakeText(ByteBlock text, const ProgressHook& progress = {},
                  TSynTextBreaks breaks = TSynTextBreaks::Usual);
    // Replaces the whole text as one undoable edit; the caret goes to the start.
    bool ReplaceAllText(std::string_view text);
    // Gives every line the line break of format as one undoable edit that changes no text (an
    // OnTextChanged all the same: the file's bytes change); false when read-only or when every
    // line has that break already.
    bool ConvertLineBreaks(TSynEditFileFormat format);

    // ---- Edits (each one undo entry; false when read-only or nothing to do) ---------------

    // Replaces the selection with text (CR LF, LF and CR break lines): paste, drop, input.
    bool InsertText(std::string_view text);
    // Replaces from begin to end (valid positions, begin first) with text ('\n' breaks lines);
    // the caret goes after it. Playing back a change log, Replace All. The undo entry keeps the
    // text: a caller that hands it over saves copying it.
    bool ReplaceRange(BufferPosition begin, BufferPosition end, std::string text);
    // Typed text (ecChar): replaces the selection, or in overwrite mode the characters after
    // the caret on its line; merges into a typing run.
    bool TypeText(std::string_view text);
    bool DeleteSelection();
    // Indents (or unindents) the lines of the selection, or the caret's line.
    bool IndentLines();
    bool UnindentLines();

    // Runs an editor command. text is used by ecChar and ecPaste. Returns false when the
    // command did nothing here: ecCopy and ecContextHelp always (the widget copies the
    // selected text; help is the window's), and any command that found nothing to do.
    //
    // What the commands do:
    // - ecLeft/ecRight step one character and cross line ends; with a selection (and no
    //   Shift) they first collapse it to its left or right side. ecUp/ecDown move one line to
    //   the desired display column. ecWordLeft/ecWordRight go to the previous/next word start
    //   (NextWordPosition). ecLineStart is column 0, ecLineEnd the line's end. ecEditorTop/
    //   ecEditorBottom the start and end of the text. The ecSel... twins extend the selection.
    // - ecPageUp/ecPageDown move caret and TopLine by PageRows lines (the top line stops where
    //   the last line is at the bottom); ecPageTop/ecPageBottom go to the first/last line in
    //   view; ecScrollUp/ecScrollDown move TopLine by one and the caret only to stay in view.
    //   These count text lines: with word wrap the widget runs them itself.
    // - ecDeleteChar/ecDeleteLastChar delete the selection, else the character after/before
    //   the caret (joining lines at a line end/start). ecDeleteWord deletes to the next word
    //   start, ecDeleteLastWord back to the previous one, both deleting a selection instead
    //   when there is one. ecDeleteLine deletes the caret's line (its text when it is the only
    //   one); ecDeleteEOL the rest of the line.
    // - ecLineBreak replaces the selection with a line break (no auto-indent). ecInsertLine
    //   does the same but leaves the caret before the break.
    // - ecTab with a selection over several lines indents them (IndentLines), else replaces the
    //   selection with a tab character; ecTabChar always does the latter. ecShiftTab and
    //   ecBlockUnindent unindent, ecBlockIndent indents the selected lines or the caret's.
    // - ecChar types text (TypeText), ecPaste inserts it (InsertText), ecCut deletes the
    //   selection (the widget copies it to the clipboard first), ecCopy does nothing here.
    // - ecToggleMode switches insert and overwrite; ecNormalSelect/ecColumnSelect/ecLineSelect
    //   set the selection mode; ecSelectAll; ecMatchBracket (MatchingBracket); ecUndo/ecRedo.
    // - ecGotoMarkerN jumps to bookmark N; ecSetMarkerN toggles it (ToggleBookmark).
    bool ExecuteCommand(TSynEditorCommand command, std::string_view text = {});

    // ---- Undo -----------------------------------------------------------------------------

    bool CanUndo() const;
    bool CanRedo() const;
    bool Undo();
    bool Redo();
    void ClearUndo();
    // Everything between an outermost Begin and End is one undo entry (a drag-move, an input
    // method's composition). Groups nest.
    void BeginUndoGroup();
    void EndUndoGroup();
    // Ends the current typing run, so the next typed character starts a new entry.
    void EndTypingRun();
    // The edits since the text last matched its file (the owner restarts it then).
    TSynEditChangeLog& ChangeLog() { return changeLog; }
    TSynEditUndoList& UndoList() { return undoList; }
    const TSynEditUndoList& UndoList() const { return undoList; }

    // ---- Words and brackets ---------------------------------------------------------------

    // The word at a position (double-click): the run of word characters around it, or else
    // the run of whitespace or of other characters it touches; an empty range at an empty line.
    BufferRange WordAt(BufferPosition position) const;
    // Start of the next word (crosses to the next line only from a line end).
    BufferPosition NextWordPosition(BufferPosition position) const;
    // Start of the word before (crosses to the previous line only from a line start).
    BufferPosition PreviousWordPosition(BufferPosition position) const;
    // The bracket matching the one at the position, or else the one just before it: () [] {}
    // <>, nesting counted, across lines. Nothing when neither is a bracket or there is no match.
    std::optional<BufferPosition> MatchingBracket(BufferPosition position) const;

    // ---- Bookmarks ------------------------------------------------------------------------

    struct Bookmark {
        BufferPosition position; // column kept as set; clamped when jumped to
    };
    // Bookmark n (0..9), or nothing.
    std::optional<Bookmark> GetBookmark(int number) const;
    void SetBookmark(int number, BufferPosition position);
    void ClearBookmark(int number);
    // ecSetMarker: sets bookmark n at the caret, or clears it when it is already on that line.
    void ToggleBookmark(int number);
    bool GotoBookmark(int number);
    // Numbers of the bookmarks on a line, ascending (the gutter).
    std::vector<int> BookmarksOnLine(LineIndex line) const;

private:
    class OperationScope;
    class OwnEditScope;
    class EditTransaction;
    enum class CharClass { Blank, Word, Other };
    enum class DesiredColumnUpdate { Update, Keep };

    // Text access and units.
    ByteColumn LineLength(LineIndex line) const;
    std::size_t CharacterStart(std::string_view text, std::size_t column) const;
    CharClass ClassAt(std::string_view text, std::size_t column) const;
    int AdvanceDisplay(int displayColumn, std::string_view text, std::size_t column) const;
    // The walks of a line's display and character columns, and their checkpoints on a long
    // line (nullptr on a short one, or on one so long that display columns saturate).
    auto DisplayWalk(std::string_view text) const;
    auto CharWalk(std::string_view text) const;
    TSynLineCheckpoints<long long>* DisplayCheckpoints(LineIndex line, std::string_view text) const;
    TSynLineCheckpoints<long long>* CharCheckpoints(LineIndex line, std::string_view text) const;
    ByteColumn ColumnAtOrAfterDisplay(LineIndex line, DisplayColumn column) const;
    std::string TextBetween(BufferPosition begin, BufferPosition end) const;

    // Changing the list (inside an OwnEditScope); nothing is recorded here.
    BufferPosition ApplyReplace(BufferPosition begin, BufferPosition end, std::string_view text);
    void ApplyWholeText(std::string_view text);
    void ApplyWholeText(ByteBlock text, const ProgressHook& progress, TSynTextBreaks breaks);
    void ApplyStep(const TSynEditStep& step, bool forward);

    // Caret and selection.
    void PlaceCaret(BufferPosition position, TSynCaretMove move, DesiredColumnUpdate desired);
    bool MoveCaret(BufferPosition position, TSynCaretMove move, DesiredColumnUpdate desired);
    TSynSelectionState CurrentSelectionState() const;
    void RestoreSelectionState(const TSynSelectionState& state);
    void SelectedLines(LineIndex& first, LineIndex& last) const;
    BufferPosition DeleteSelectionIn(EditTransaction& edit);

    // Commands.
    bool MoveHorizontal(bool forward, TSynCaretMove move);
    bool MoveVertical(int lineDelta, TSynCaretMove move);
    bool ScrollBy(int lineDelta);
    bool ScrollView(int lineDelta);
    bool MovePage(int direction, TSynCaretMove move);
    bool DeleteRange(BufferPosition begin, BufferPosition end);
    bool DeleteCaretLine();
    bool InsertLineAtCaret();
    bool ChangeIndent(bool indent);
    bool InsertTypedOrPasted(std::string_view text, TSynUndoKind kind);

    void LinesChanged(const TSynLinesChange& change);
    void MapLine(LineIndex& line, const TSynLinesChange& change) const;
    void FlushNotifications();

    TSynEditStringList lines;
    const Encoding* encoding;
    TSynEditUndoList undoList;
    TSynEditChangeLog changeLog;

    BufferPosition caret{};
    BufferPosition anchor{};
    // The desired column is counted only when Up or Down asks for it: on a long line, counting
    // from the line start at every key would cost more than the key. Until then it is the
    // display column of desiredFrom, in the text as it is (edits before that position count it
    // first).
    mutable DisplayColumn desiredColumn{};
    mutable std::optional<BufferPosition> desiredFrom;
    // The first position an edit of this operation touched, and (for one edit, or while every
    // edit stayed in one line) the bytes at the end of its last line none touched and that
    // line's length before.
    std::optional<BufferPosition> editStart;
    std::size_t editTail = 0, editLineLength = 0;
    bool editInOneLine = false;
    // What OnLinesChanged is told (see EditedSpan).
    std::optional<LineEditSpan> editedSpan;
    mutable TSynLinesCheckpoints<long long> displayCheckpoints, charCheckpoints;
    void KeepDesiredColumnAcross(BufferPosition editBegin) const;
    TSynSelectionMode selectionMode = TSynSelectionMode::smNormal;
    TSynInsertMode insertMode = TSynInsertMode::Insert;
    bool readOnly = false;
    int tabWidth = 8;
    int blockIndent = 2;
    int pageRows = 20;
    LineIndex topLine{};
    bool customWordChars = false;
    TSynCharSet wordChars;

    std::array<std::optional<Bookmark>, MarkerCount> bookmarks;

    // Set while the engine itself changes the list: its own changes do not clear undo.
    int ownEditDepth = 0;
    // Notifications wait for the end of the outermost public call.
    int operationDepth = 0;
    bool textChangedPending = false;
    bool undoListChangedPending = false;
    bool caretChangedPending = false;
    bool statusChangedPending = false;
    bool bookmarksChangedPending = false;
};
