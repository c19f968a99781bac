#include "codeedit/qt/Memo.h"

TMemo::TMemo(QWidget* parent) : TSynEditWidget(parent) {
    SetChangeSignalSource(ChangeSignalSource::AllTextChanges);
    SetKeyStrokes(PlainEditorKeyStrokes());
    connect(this, &TSynEditWidget::Changed, this, [this] { modified = true; });
    ApplyScrollBarPolicy();
}

void TMemo::SetText(std::string_view text) {
    TakeText(ByteBlock::CopyOf(text));
}

void TMemo::TakeText(ByteBlock text, const ProgressHook& progress, TSynTextBreaks breaks) {
    Engine().TakeText(std::move(text), progress, breaks);
    modified = false;
}

QPoint TMemo::CaretPos() const {
    const BufferPosition caret = Engine().Caret();
    return QPoint(int(Engine().CharColumnOf(caret).Value()), caret.line.Value());
}

void TMemo::SetCaretPos(QPoint position) {
    if (position.y() < 0 || position.y() >= Engine().LineCount()) {
        Engine().SetCaret(Engine().Caret());
        return;
    }
    const LineIndex line(position.y());
    const ByteColumn column =
        Engine().ColumnAtChar(line, CharColumn(std::size_t(std::max(0, position.x()))));
    Engine().SetCaret(BufferPosition{line, column});
}

void TMemo::SetSelText(std::string_view text) {
    if (text.empty())
        Engine().DeleteSelection();
    else
        Engine().InsertText(text);
}

void TMemo::ClearSelection() {
    Engine().DeleteSelection();
}

void TMemo::Undo() {
    if (CanUndo())
        ExecuteCommand(ecUndo);
}

void TMemo::SetScrollBars(TScrollStyle style) {
    scrollBars = style;
    ApplyScrollBarPolicy();
}

void TMemo::SetWordWrap(bool value) {
    TSynEditWidget::SetWordWrap(value);
    ApplyScrollBarPolicy();
}

void TMemo::ApplyScrollBarPolicy() {
    const bool vertical =
        scrollBars == TScrollStyle::ssVertical || scrollBars == TScrollStyle::ssBoth;
    const bool horizontal = !WordWrap() && (scrollBars == TScrollStyle::ssHorizontal ||
                                            scrollBars == TScrollStyle::ssBoth);
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}
