#pragma once
// TSynEditAccessible: the editor widget as assistive technology sees it (an editable multi-line
// text). Offsets count UTF-16 code units with one unit between lines, as Qt's own text widgets
// count them and its AT-SPI bridge passes them on; every lookup goes through the widget's
// character index, so a large document is never joined or copied. Edits made through it are
// undoable edits of the engine.

#include <QAccessibleWidget>

class TSynEditWidget;
class TSynCharIndex;
struct BufferPosition;

class TSynEditAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
public:
    explicit TSynEditAccessible(TSynEditWidget* editor);

    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // Text.
    using QAccessibleWidget::text;
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // Editable text.
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    struct Span {
        int start, end;
    };
    // The unit of text of that kind holding the offset (the break after a line is a character
    // and a word of its own).
    Span SpanAt(int offset, QAccessible::TextBoundaryType boundaryType) const;
    QString TextOfSpan(Span span, int* startOffset, int* endOffset) const;
    BufferPosition PositionOf(int offset) const;
    TSynEditWidget& Editor() const;
    TSynCharIndex& Index() const;
};

// Makes Qt ask for TSynEditAccessible for every editor widget; once per program.
void InstallSynEditAccessibleFactory();
