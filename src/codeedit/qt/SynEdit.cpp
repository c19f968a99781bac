#include "codeedit/qt/SynEdit.h"

TSynEdit::TSynEdit(QWidget* parent) : TSynEditWidget(parent) {
    SetChangeSignalSource(ChangeSignalSource::UndoableEdits);
    SetKeyStrokes(DefaultCodeEditorKeyStrokes());
    LayoutChanged();
}

TSynEdit::~TSynEdit() {
    Unhook();
}

void TSynEdit::Unhook() {
    if (highlighter)
        highlighter->UnhookAttributeChange(hookHandle);
    hookHandle = 0;
}

void TSynEdit::SetHighlighter(TSynCustomHighlighter* value) {
    if (value == highlighter)
        return;
    Unhook();
    highlighter = value;
    if (highlighter) {
        hookHandle = highlighter->HookAttributeChange([this] { viewport()->update(); });
        Engine().SetWordChars(highlighter->IdentifierChars(), highlighter->WordBreakChars());
    } else {
        Engine().ClearWordChars();
    }
    RescanAllRanges();
}

TSynCustomHighlighter* TSynEdit::PaintingHighlighter() const {
    return highlighter && highlighter->Enabled() ? highlighter : nullptr;
}

void TSynEdit::SetShowLineNumbers(bool value) {
    gutter.SetShowLineNumbers(value);
    LayoutChanged();
}

int TSynEdit::GutterWidth() const {
    return gutter.Width(Lines().Count());
}

void TSynEdit::PaintGutter(QPainter& painter, const std::vector<VisibleRow>& rows,
                           const QRect& /*area*/) {
    gutter.Paint(painter, rows, Lines().Count(), LineHeight(), viewport()->height(), Engine(),
                 palette());
}

int TSynEdit::CaretY() const {
    return Engine().Caret().line.Value() + 1;
}

int TSynEdit::CaretX() const {
    return int(Engine().CharColumnOf(Engine().Caret()).Value()) + 1;
}

void TSynEdit::SetCaretXY(int x, int y) {
    const LineIndex line(std::max(0, y - 1));
    const ByteColumn column =
        Engine().ColumnAtChar(Engine().Clamp(BufferPosition{line, ByteColumn(0)}).line,
                              CharColumn(std::size_t(std::max(1, x) - 1)));
    Engine().SetCaret(BufferPosition{line, column});
}

void TSynEdit::Undo() {
    if (CanUndo())
        ExecuteCommand(ecUndo);
}

void TSynEdit::Redo() {
    if (CanRedo())
        ExecuteCommand(ecRedo);
}
