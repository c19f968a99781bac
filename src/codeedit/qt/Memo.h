#pragma once
// TMemo: the plain editor. The shared editor widget with the plain edit control's keys (Tab
// types a tab), word wrap, a choice of scroll bars, whole-text offsets for the selection and a
// change signal for every change of its text, from the user or from code. Word wrap is display
// only: the lines stay the document's lines.

#include "codeedit/qt/SynEditWidget.h"

#include <QPoint>
#include <string>
#include <string_view>

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TSynEditWidget {
    Q_OBJECT
public:
    explicit TMemo(QWidget* parent = nullptr);

    // Lines joined with CR LF, no break after the last.
    std::string Text() const { return Engine().Text(); }
    // Replaces the text as code does: not undoable, caret to the start, Modified cleared.
    void SetText(std::string_view text);
    // The same with a block the lines keep as it is (a file's content as read), reporting
    // progress through a large text; a file's content keeps its line breaks (AsInText).
    void TakeText(ByteBlock text, const ProgressHook& progress = {},
                  TSynTextBreaks breaks = TSynTextBreaks::Usual);

    // x: character offset in the line, y: line, both from 0.
    QPoint CaretPos() const;
    // A line that does not exist drops the selection and leaves the caret where it was.
    void SetCaretPos(QPoint position);

    // Offsets in the whole text, CR LF counting two.
    TextOffset SelStart() const { return Engine().SelStart(); }
    TextOffset SelLength() const { return Engine().SelLength(); }
    void SetSelStart(TextOffset offset) { Engine().SetSelStart(offset); }
    void SetSelLength(TextOffset length) { Engine().SetSelLength(length); }
    std::string SelText() const { return Engine().SelectedText(); }
    // Replaces the selection (or inserts at the caret), as one undoable edit.
    void SetSelText(std::string_view text);
    void ClearSelection();

    bool CanUndo() const { return !ReadOnly() && Engine().CanUndo(); }
    void Undo();
    void ClearUndo() { Engine().ClearUndo(); }

    bool Modified() const { return modified; }
    void SetModified(bool value) { modified = value; }

    TScrollStyle ScrollBars() const { return scrollBars; }
    void SetScrollBars(TScrollStyle style);
    void SetWordWrap(bool value) override;

private:
    void ApplyScrollBarPolicy();

    TScrollStyle scrollBars = TScrollStyle::ssBoth;
    bool modified = false;
};
