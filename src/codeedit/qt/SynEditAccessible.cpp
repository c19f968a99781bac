#include "codeedit/qt/SynEditAccessible.h"

#include "codeedit/qt/SynEditWidget.h"
#include "platform/qt/EncodingQt.h"

#include <QAccessible>
#include <algorithm>

namespace {

QAccessibleInterface* EditorFactory(const QString& /*className*/, QObject* object) {
    if (auto* editor = qobject_cast<TSynEditWidget*>(object))
        return new TSynEditAccessible(editor);
    return nullptr;
}

enum class CharKind { Word, Blank, Other };

CharKind KindOf(CharCode code) {
    if (code == ' ' || code == '\t')
        return CharKind::Blank;
    if (code == '_' || (code > 0x7F && !IsRawByteCode(code)) ||
        (code < 0x80 && QChar(char16_t(code)).isLetterOrNumber()))
        return CharKind::Word;
    return CharKind::Other;
}

// The run of characters of one kind (word characters, blanks, or others) holding the character
// at position, within its line.
BufferRange RunAt(const TSynEditEngine& engine, BufferPosition position) {
    const std::string_view line = engine.LineText(position.line);
    const Encoding& encoding = engine.TextEncoding();
    const CharKind kind = KindOf(encoding.CodeAt(line, position.column.Value()));
    std::size_t begin = position.column.Value();
    while (begin > 0) {
        const std::size_t before = encoding.PreviousCharStart(line, begin);
        if (KindOf(encoding.CodeAt(line, before)) != kind)
            break;
        begin = before;
    }
    std::size_t end = position.column.Value();
    while (end < line.size() && KindOf(encoding.CodeAt(line, end)) == kind)
        end += encoding.CharLength(line, end);
    return {{position.line, ByteColumn(begin)}, {position.line, ByteColumn(end)}};
}

} // namespace

void InstallSynEditAccessibleFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(EditorFactory);
        return true;
    }();
    (void)installed;
}

QRect TSynEditWidget::CharacterRect(BufferPosition position) {
    position = engine.Clamp(position);
    const std::optional<QPointF> point = PointOf(position);
    if (!point)
        return QRect();
    const BufferPosition next = engine.NextCharPosition(position);
    qreal width = metrics->SpaceWidth();
    if (next.line == position.line) {
        const std::optional<QPointF> after = PointOf(next);
        if (after && after->y() == point->y())
            width = std::max<qreal>(1, after->x() - point->x());
    }
    const int left = ClampedPixels(std::floor(point->x()));
    return QRect(left, int(point->y()), int(std::ceil(point->x() + width)) - left, LineHeight());
}

TSynEditAccessible::TSynEditAccessible(TSynEditWidget* editor)
    : QAccessibleWidget(editor, QAccessible::EditableText) {
    editor->Accessibility().Prepare();
}

TSynEditWidget& TSynEditAccessible::Editor() const {
    return *static_cast<TSynEditWidget*>(widget());
}

TSynCharIndex& TSynEditAccessible::Index() const {
    TSynEditWidget& editor = Editor();
    editor.Accessibility().Prepare();
    return editor.Accessibility().Index();
}

BufferPosition TSynEditAccessible::PositionOf(int offset) const {
    return Index().PositionOf(offset);
}

QAccessible::State TSynEditAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !Editor().ReadOnly();
    state.readOnly = Editor().ReadOnly();
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

void* TSynEditAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

// ---- Selection and caret -------------------------------------------------------------------

int TSynEditAccessible::selectionCount() const {
    return Editor().Engine().SelectionAvailable() ? 1 : 0;
}

void TSynEditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || selectionCount() == 0)
        return;
    const BufferRange range = Editor().Engine().SelectionRange();
    *startOffset = int(Index().OffsetOf(range.begin));
    *endOffset = int(Index().OffsetOf(range.end));
}

void TSynEditAccessible::addSelection(int startOffset, int endOffset) {
    // The editor has one selection: a new one takes its place.
    setSelection(0, startOffset, endOffset);
}

void TSynEditAccessible::removeSelection(int selectionIndex) {
    TSynEditEngine& engine = Editor().Engine();
    if (selectionIndex == 0)
        engine.SetCaret(engine.Caret());
}

void TSynEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0)
        return;
    Editor().Engine().SetSelection(PositionOf(startOffset), PositionOf(endOffset));
}

int TSynEditAccessible::cursorPosition() const {
    return int(Index().OffsetOf(Editor().Engine().Caret()));
}

void TSynEditAccessible::setCursorPosition(int position) {
    Editor().Engine().SetCaret(PositionOf(position));
}

// ---- Text ----------------------------------------------------------------------------------

int TSynEditAccessible::characterCount() const {
    return int(Index().Length());
}

QString TSynEditAccessible::text(int startOffset, int endOffset) const {
    TSynCharIndex& index = Index();
    const int length = int(index.Length());
    const int from = std::clamp(std::min(startOffset, endOffset), 0, length);
    const int to = std::clamp(std::max(startOffset, endOffset), 0, length);
    if (from == to)
        return QString();
    const TSynEditEngine& engine = Editor().Engine();
    const BufferPosition begin = index.PositionOf(from);
    const BufferPosition end = index.PositionOf(to);
    QString text;
    text.reserve(to - from);
    for (LineIndex line = begin.line; line <= end.line; ++line) {
        std::string_view bytes = engine.LineText(line);
        if (line == end.line)
            bytes = bytes.substr(0, end.column.Value());
        if (line == begin.line)
            bytes = bytes.substr(std::min(begin.column.Value(), bytes.size()));
        else
            text += QLatin1Char('\n');
        text += ToQString(bytes, engine.TextEncoding());
    }
    return text;
}

TSynEditAccessible::Span
TSynEditAccessible::SpanAt(int offset, QAccessible::TextBoundaryType boundaryType) const {
    TSynCharIndex& index = Index();
    const int length = int(index.Length());
    offset = std::clamp(offset, 0, length);
    const TSynEditEngine& engine = Editor().Engine();
    const LineIndex line = index.LineOfOffset(offset);
    const int lineStart = int(index.LineStart(line));
    const int lineEnd = lineStart + int(index.LineLength(line));
    const bool lastLine = line.Value() == engine.LineCount() - 1;
    switch (boundaryType) {
    case QAccessible::NoBoundary:
        return {0, length};
    case QAccessible::SentenceBoundary:
    case QAccessible::ParagraphBoundary:
    case QAccessible::LineBoundary:
        return {lineStart, lastLine ? lineEnd : lineEnd + 1};
    case QAccessible::CharBoundary:
    case QAccessible::WordBoundary:
        break;
    }
    if (offset == lineEnd)
        return {offset, lastLine ? offset : offset + 1};
    const BufferPosition position = index.PositionOf(offset);
    if (boundaryType == QAccessible::CharBoundary) {
        const BufferPosition next = engine.NextCharPosition(position);
        return {int(index.OffsetOf(position)), int(index.OffsetOf(next))};
    }
    const BufferRange word = RunAt(engine, position);
    return {int(index.OffsetOf(word.begin)), int(index.OffsetOf(word.end))};
}

QString TSynEditAccessible::TextOfSpan(Span span, int* startOffset, int* endOffset) const {
    *startOffset = span.start;
    *endOffset = span.end;
    return text(span.start, span.end);
}

QString TSynEditAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int* startOffset, int* endOffset) const {
    return TextOfSpan(SpanAt(offset, boundaryType), startOffset, endOffset);
}

QString TSynEditAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const {
    const Span at = SpanAt(offset, boundaryType);
    if (at.start == 0)
        return TextOfSpan({0, 0}, startOffset, endOffset);
    return TextOfSpan(SpanAt(at.start - 1, boundaryType), startOffset, endOffset);
}

QString TSynEditAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
    const Span at = SpanAt(offset, boundaryType);
    const int length = characterCount();
    if (at.end >= length)
        return TextOfSpan({length, length}, startOffset, endOffset);
    return TextOfSpan(SpanAt(at.end, boundaryType), startOffset, endOffset);
}

QString TSynEditAccessible::attributes(int /*offset*/, int* startOffset, int* endOffset) const {
    // One look for the whole text: no attributes of its own anywhere.
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

// ---- Geometry ------------------------------------------------------------------------------

QRect TSynEditAccessible::characterRect(int offset) const {
    TSynEditWidget& editor = Editor();
    const QRect rect = editor.CharacterRect(PositionOf(offset));
    if (rect.isEmpty())
        return QRect();
    return QRect(editor.viewport()->mapToGlobal(rect.topLeft()), rect.size());
}

int TSynEditAccessible::offsetAtPoint(const QPoint& point) const {
    TSynEditWidget& editor = Editor();
    const QPoint local = editor.viewport()->mapFromGlobal(point);
    if (!editor.viewport()->rect().contains(local))
        return -1;
    return int(Index().OffsetOf(editor.PositionAt(local)));
}

void TSynEditAccessible::scrollToSubstring(int startIndex, int /*endIndex*/) {
    TSynEditWidget& editor = Editor();
    const LineIndex line = PositionOf(startIndex).line;
    const int rows = editor.Engine().PageRows();
    if (line < editor.TopLine() || line >= editor.TopLine() + rows)
        editor.SetTopLine(LineIndex(std::max(0, line.Value() - rows / 2)));
}

// ---- Editing -------------------------------------------------------------------------------

void TSynEditAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, QString());
}

void TSynEditAccessible::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

void TSynEditAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    TSynEditEngine& engine = Editor().Engine();
    if (engine.ReadOnly())
        return;
    engine.SetSelection(PositionOf(startOffset), PositionOf(endOffset));
    if (text.isEmpty())
        engine.DeleteSelection();
    else
        engine.InsertText(FromQString(text, engine.TextEncoding()));
}
