#include "codeedit/qt/SynEditAccessibility.h"

#include "platform/qt/EncodingQt.h"

#include <QAccessible>
#include <QWidget>
#include <algorithm>

namespace {

// Texts longer than this are not quoted in an event.
constexpr std::size_t kQuotedBytes = 1 << 20;
// A document this small is copied whole, so every edit of it is quoted exactly.
constexpr int kWholeCopyLines = 2000;
constexpr std::size_t kWholeCopyBytes = 256 * 1024;

std::size_t BytesOfLines(const TSynEditStringList& lines, LineIndex from, LineIndex to) {
    std::size_t bytes = 0;
    for (LineIndex line = from; line < to && bytes <= kQuotedBytes; ++line)
        bytes += lines.Get(line).size() + 1;
    return bytes;
}

} // namespace

TSynEditAccessibility::TSynEditAccessibility(QWidget& widget, const TSynEditEngine& engine)
    : widget(widget), engine(engine), index(engine) {}

bool TSynEditAccessibility::LineWindow::Covers(LineIndex from, int count) const {
    return from >= first && from + count <= End();
}

QString TSynEditAccessibility::LineWindow::Text(LineIndex from, int count,
                                                const Encoding& encoding) const {
    QString text;
    for (LineIndex line = from; line < from + count; ++line)
        text += ToQString(lines[std::size_t(line - first)], encoding) + QLatin1Char('\n');
    return text;
}

std::optional<QString> TSynEditAccessibility::CurrentText(LineIndex from, int count) const {
    const TSynEditStringList& lines = engine.Lines();
    if (BytesOfLines(lines, from, from + count) > kQuotedBytes)
        return std::nullopt;
    QString text;
    for (LineIndex line = from; line < from + count; ++line)
        text += ToQString(lines.Get(line), engine.TextEncoding()) + QLatin1Char('\n');
    return text;
}

void TSynEditAccessibility::FollowInWindow(const TSynLinesChange& change) {
    const LineIndex at = change.index;
    const LineIndex windowEnd = window.End();
    const LineIndex changeEnd = at + change.removed;
    const int shift = change.inserted - change.removed;
    if (change.wholeText || window.lines.empty()) {
        window = {};
        return;
    }
    if (at > windowEnd)
        return;
    if (changeEnd < window.first) {
        window.first = window.first + shift;
        return;
    }
    const TSynEditStringList& lines = engine.Lines();
    if (BytesOfLines(lines, at, at + change.inserted) > kQuotedBytes) {
        window = {};
        return;
    }
    std::vector<std::string> kept;
    for (LineIndex line = window.first; line < at; ++line)
        kept.push_back(std::move(window.lines[std::size_t(line - window.first)]));
    for (LineIndex line = at; line < at + change.inserted; ++line)
        kept.emplace_back(lines.Get(line));
    for (LineIndex line = std::max(changeEnd, window.first); line < windowEnd; ++line)
        kept.push_back(std::move(window.lines[std::size_t(line - window.first)]));
    window.first = std::min(window.first, at);
    window.lines = std::move(kept);
}

void TSynEditAccessibility::Prepare() {
    if (QAccessible::isActive())
        FillWindow();
}

void TSynEditAccessibility::FillWindow() {
    const TSynEditStringList& lines = engine.Lines();
    const LineIndex count(lines.Count());
    LineIndex from(0);
    LineIndex to = count;
    if (count.Value() > kWholeCopyLines || BytesOfLines(lines, from, count) > kWholeCopyBytes) {
        // Where the next edit can reach: the selection's lines and one line either side (a
        // deletion joins lines).
        const LineIndex anchor = engine.Anchor().line;
        const LineIndex caret = engine.Caret().line;
        from = std::max(LineIndex(0), std::min(anchor, caret) - 1);
        to = std::min(count, std::max(anchor, caret) + 2);
        if (BytesOfLines(lines, from, to) > kQuotedBytes) {
            from = std::max(LineIndex(0), caret - 1);
            to = std::min(count, caret + 2);
        }
    }
    if (window.Covers(from, to - from))
        return;
    window = {};
    if (BytesOfLines(lines, from, to) > kQuotedBytes)
        return;
    window.first = from;
    for (LineIndex line = from; line < to; ++line)
        window.lines.emplace_back(lines.Get(line));
}

void TSynEditAccessibility::LinesChanged(const TSynLinesChange& change) {
    if (!QAccessible::isActive()) {
        index.Reset();
        window = {};
        return;
    }
    const LineIndex at = change.index;
    // The lines before the change are as they were: where it starts is known now.
    TSynCharIndex::Offset position = 0;
    if (at > LineIndex(0) && !change.wholeText)
        position = index.LineStart(at - 1) + index.LineLength(at - 1) + 1;
    std::optional<QString> removed;
    if (change.removed == 0 || window.Covers(at, change.removed))
        removed = window.Text(at, change.removed, engine.TextEncoding());
    index.Changed(change);
    FollowInWindow(change);
    std::optional<QString> inserted = CurrentText(at, change.inserted);
    FillWindow();
    if (!removed || !inserted) {
        QAccessibleEvent event(&widget, QAccessible::VisibleDataChanged);
        QAccessible::updateAccessibility(&event);
        return;
    }
    // Lines are separated, not ended: with nothing after the change, its last break is the one
    // before it.
    if ((at + change.inserted).Value() == engine.Lines().Count()) {
        if (at > LineIndex(0)) {
            removed->prepend(QLatin1Char('\n'));
            inserted->prepend(QLatin1Char('\n'));
            --position;
        }
        if (!removed->isEmpty())
            removed->chop(1);
        if (!inserted->isEmpty())
            inserted->chop(1);
    }
    AnnounceChange(position, std::move(*removed), std::move(*inserted));
}

void TSynEditAccessibility::AnnounceChange(TSynCharIndex::Offset position, QString removed,
                                           QString inserted) {
    // A line put back with one character more is one character inserted.
    qsizetype head = 0;
    const qsizetype shorter = std::min(removed.size(), inserted.size());
    while (head < shorter && removed[head] == inserted[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head &&
           removed[removed.size() - 1 - tail] == inserted[inserted.size() - 1 - tail])
        ++tail;
    removed = removed.mid(head, removed.size() - head - tail);
    inserted = inserted.mid(head, inserted.size() - head - tail);
    const int at = int(position + head);
    if (!removed.isEmpty() && !inserted.isEmpty()) {
        QAccessibleTextUpdateEvent event(&widget, at, removed, inserted);
        QAccessible::updateAccessibility(&event);
    } else if (!removed.isEmpty()) {
        QAccessibleTextRemoveEvent event(&widget, at, removed);
        QAccessible::updateAccessibility(&event);
    } else if (!inserted.isEmpty()) {
        QAccessibleTextInsertEvent event(&widget, at, inserted);
        QAccessible::updateAccessibility(&event);
    }
}

void TSynEditAccessibility::CaretChanged() {
    if (!QAccessible::isActive())
        return;
    FillWindow();
    const TSynCharIndex::Offset caret = index.OffsetOf(engine.Caret());
    const BufferRange range = engine.SelectionRange();
    TSynCharIndex::Offset start = caret;
    TSynCharIndex::Offset end = caret;
    if (engine.SelectionAvailable()) {
        start = index.OffsetOf(range.begin);
        end = index.OffsetOf(range.end);
    }
    if (start != selectionStart || end != selectionEnd) {
        const bool hadSelection = selectionStart != selectionEnd;
        selectionStart = start;
        selectionEnd = end;
        if (hadSelection || start != end) {
            QAccessibleTextSelectionEvent event(&widget, int(start), int(end));
            event.setCursorPosition(int(caret));
            QAccessible::updateAccessibility(&event);
        }
    }
    QAccessibleTextCursorEvent event(&widget, int(caret));
    QAccessible::updateAccessibility(&event);
}

void TSynEditAccessibility::EncodingChanged() {
    index.Reset();
    window = {};
}
