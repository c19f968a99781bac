#include "codeedit/SynEditUndo.h"

#include <algorithm>
#include <cassert>
#include <utility>

BufferPosition EndOfInsertedText(BufferPosition start, std::string_view text) {
    const std::size_t lastBreak = text.rfind('\n');
    if (lastBreak == std::string_view::npos)
        return {start.line, start.column + text.size()};
    const auto breaks = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    return {start.line + breaks, ByteColumn(text.size() - lastBreak - 1)};
}

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

void TSynEditUndoList::SetMaxEntries(std::size_t count) {
    maxEntries = count == 0 ? 1 : count;
    Trim();
}

void TSynEditUndoList::Clear() {
    undoEntries.clear();
    redoEntries.clear();
    typingRunOpen = false;
    groupHasEntry = false;
}

void TSynEditUndoList::Add(TSynUndoEntry entry) {
    if (entry.steps.empty())
        return;
    redoEntries.clear();
    if (groupDepth > 0) {
        typingRunOpen = false;
        if (groupHasEntry && !undoEntries.empty()) {
            TSynUndoEntry& group = undoEntries.back();
            for (TSynEditStep& step : entry.steps)
                group.steps.push_back(std::move(step));
            group.after = entry.after;
            return;
        }
        entry.kind = TSynUndoKind::Group;
        groupHasEntry = true;
    } else if (entry.kind == TSynUndoKind::Typing && MergeTyping(entry)) {
        return;
    }
    typingRunOpen = entry.kind == TSynUndoKind::Typing;
    undoEntries.push_back(std::move(entry));
    Trim();
}

bool TSynEditUndoList::MergeTyping(const TSynUndoEntry& entry) {
    if (!typingRunOpen || undoEntries.empty())
        return false;
    TSynUndoEntry& last = undoEntries.back();
    if (last.kind != TSynUndoKind::Typing || last.steps.size() != 1 || entry.steps.size() != 1)
        return false;
    TSynEditStep& run = last.steps.front();
    const TSynEditStep& typed = entry.steps.front();
    if (typed.inserted.empty() || typed.inserted.find('\n') != std::string::npos ||
        typed.removed.find('\n') != std::string::npos || run.inserted.empty() ||
        run.inserted.find('\n') != std::string::npos)
        return false;
    if (typed.start != EndOfInsertedText(run.start, run.inserted))
        return false;
    if (IsBlank(run.inserted.back()) && !IsBlank(typed.inserted.front()))
        return false;
    run.inserted += typed.inserted;
    run.removed += typed.removed;
    last.after = entry.after;
    return true;
}

void TSynEditUndoList::Trim() {
    while (undoEntries.size() > maxEntries)
        undoEntries.pop_front();
}

void TSynEditUndoList::BeginGroup() {
    if (groupDepth++ == 0)
        groupHasEntry = false;
    typingRunOpen = false;
}

void TSynEditUndoList::EndGroup() {
    assert(groupDepth > 0 && "EndGroup without BeginGroup");
    if (groupDepth > 0 && --groupDepth == 0)
        groupHasEntry = false;
}

TSynUndoEntry TSynEditUndoList::TakeUndo() {
    assert(CanUndo());
    typingRunOpen = false;
    groupHasEntry = false;
    TSynUndoEntry entry = std::move(undoEntries.back());
    undoEntries.pop_back();
    return entry;
}

TSynUndoEntry TSynEditUndoList::TakeRedo() {
    assert(CanRedo());
    typingRunOpen = false;
    TSynUndoEntry entry = std::move(redoEntries.back());
    redoEntries.pop_back();
    return entry;
}

void TSynEditUndoList::PushRedo(TSynUndoEntry entry) {
    redoEntries.push_back(std::move(entry));
}

void TSynEditUndoList::PushUndo(TSynUndoEntry entry) {
    undoEntries.push_back(std::move(entry));
    Trim();
}
