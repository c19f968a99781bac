#pragma once
// The engine's undo and redo lists and their merge rules. It stores what changed; it does not
// apply changes (TSynEditEngine does).
//
// Merge rules (each has a test):
// 1. Typing run: a typed step merges into the previous entry when that entry is a typing entry,
//    the run is still open, the step starts exactly where the previous typed text ended, on the
//    same line, inserts no line break and replaced no selection.
// 2. Word boundary: a typed non-blank character right after a typed blank (space or tab)
//    starts a new entry, so each word with the blanks after it is one undo step.
// 3. The run closes when anything else happens: a caret move or selection change, any other
//    command or edit, undo, redo (EndTypingRun).
// 4. A paste, a line break, a deletion, a block indent and a whole-text replace are each one
//    entry of their own and never merge.
// 5. An open group (BeginGroup .. EndGroup) collects every entry added inside into one.
// 6. A new entry clears the redo list; the undo list keeps at most MaxEntries entries.

#include "codeedit/SynEditPosition.h"
#include "codeedit/SynEditTextBuffer.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One contiguous replacement: at start, removed was replaced by inserted. Both texts separate
// lines with a single '\n'. A whole-text step holds the texts with CR LF between lines and
// replaces everything.
struct TSynEditStep {
    BufferPosition start;
    std::string removed;
    std::string inserted;
    bool wholeText = false;
    // The removed lines whose break was not the list's file format, numbered from start's line
    // (from line 0 for a whole-text step): undoing puts those breaks back.
    TSynLineBreakMarks removedBreaks{};
    // A step that changes no text but the line break of every line: the formats before and
    // after.
    std::optional<std::pair<TSynEditFileFormat, TSynEditFileFormat>> lineBreaks{};
};

struct TSynSelectionState {
    BufferPosition anchor;
    BufferPosition caret;
    TSynSelectionMode mode = TSynSelectionMode::smNormal;
};

enum class TSynUndoKind { Typing, Edit, WholeText, Group };

struct TSynUndoEntry {
    TSynUndoKind kind = TSynUndoKind::Edit;
    std::vector<TSynEditStep> steps; // applied in order; undone in reverse
    TSynSelectionState before;       // restored by undo
    TSynSelectionState after;        // restored by redo
};

// Where the text of a step ends when it is put in at start.
BufferPosition EndOfInsertedText(BufferPosition start, std::string_view text);

class TSynEditUndoList {
public:
    static constexpr std::size_t DefaultMaxEntries = 10000;

    bool CanUndo() const { return !undoEntries.empty(); }
    bool CanRedo() const { return !redoEntries.empty(); }
    std::size_t UndoCount() const { return undoEntries.size(); }
    std::size_t RedoCount() const { return redoEntries.size(); }
    const TSynUndoEntry& LastUndo() const { return undoEntries.back(); }

    void SetMaxEntries(std::size_t count);
    void Clear();

    // Records an edit under the merge rules above. A typing entry must hold one step.
    void Add(TSynUndoEntry entry);
    void EndTypingRun() { typingRunOpen = false; }

    void BeginGroup();
    void EndGroup();
    bool InGroup() const { return groupDepth > 0; }

    // Removes the last entry for applying (closes the run); the caller hands it to the other
    // list with PushRedo or PushUndo once it is applied.
    TSynUndoEntry TakeUndo();
    TSynUndoEntry TakeRedo();
    void PushRedo(TSynUndoEntry entry);
    void PushUndo(TSynUndoEntry entry);

private:
    bool MergeTyping(const TSynUndoEntry& entry);
    void Trim();

    std::deque<TSynUndoEntry> undoEntries;
    std::vector<TSynUndoEntry> redoEntries;
    std::size_t maxEntries = DefaultMaxEntries;
    bool typingRunOpen = false;
    int groupDepth = 0;
    bool groupHasEntry = false;
};
