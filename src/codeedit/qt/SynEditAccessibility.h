#pragma once
// TSynEditAccessibility: what an editor widget tells assistive technology. It keeps the
// character index the accessible interface reads through, and turns the engine's line changes
// and caret moves into Qt's accessibility events: caret, selection, and text removed, inserted
// or updated with the exact texts. For the removed text it keeps a copy of the lines an edit is
// about to touch (the lines around caret and selection, or a small document whole); an edit
// beyond those, or too large to quote, is announced as changed data for the reader to read
// again. Does nothing while no assistive technology listens.

#include "codeedit/qt/SynEditCharIndex.h"

#include <QString>
#include <optional>
#include <string>
#include <vector>

class QWidget;

class TSynEditAccessibility {
public:
    TSynEditAccessibility(QWidget& widget, const TSynEditEngine& engine);

    TSynCharIndex& Index() { return index; }
    // Copies the lines the next edit may touch; the interface calls it as it is read, so the
    // first edit after a reader arrives is quoted too.
    void Prepare();
    // The engine's hooks, as the widget receives them.
    void LinesChanged(const TSynLinesChange& change);
    void CaretChanged();
    // The text's encoding changed: every count is new.
    void EncodingChanged();

private:
    // Copies of consecutive lines [first, first + lines.size()) as they are in the list now.
    struct LineWindow {
        LineIndex first{};
        std::vector<std::string> lines;
        LineIndex End() const { return first + int(lines.size()); }
        bool Covers(LineIndex from, int count) const;
        // The covered lines [from, from + count), each followed by one '\n'.
        QString Text(LineIndex from, int count, const Encoding& encoding) const;
    };
    // The changed lines [index, index + count) as they are now, each followed by '\n'; nothing
    // when they are too long to quote.
    std::optional<QString> CurrentText(LineIndex index, int count) const;
    void FollowInWindow(const TSynLinesChange& change);
    void FillWindow();
    void AnnounceChange(TSynCharIndex::Offset position, QString removed, QString inserted);

    QWidget& widget;
    const TSynEditEngine& engine;
    TSynCharIndex index;
    LineWindow window;
    TSynCharIndex::Offset selectionStart = -1;
    TSynCharIndex::Offset selectionEnd = -1;
};
