// Keys, mouse, wheel, focus, input-method text and the clipboard of the editor widget.

#include "codeedit/qt/SynEditKeys.h"
#include "codeedit/qt/SynEditWidget.h"
#include "platform/qt/EncodingQt.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QScrollBar>
#include <algorithm>

namespace {

constexpr int kWheelRows = 3;

// The clipboard holds Qt's line breaks; the platform's clipboard converts them as it must.
QString ClipboardText(const std::string& bytes, const Encoding& encoding) {
    QString text = ToQString(bytes, encoding);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// The selected bytes as they were when selected, turned into text only when a program asks for
// them: selecting much text costs a copy of its bytes, not a conversion, each time.
class SelectedBytes : public QMimeData {
public:
    SelectedBytes(std::string bytes, const Encoding& encoding)
        : bytes(std::move(bytes)), encoding(encoding) {}

    QStringList formats() const override { return {PlainText()}; }
    bool hasFormat(const QString& type) const override { return type == PlainText(); }

protected:
    QVariant retrieveData(const QString& type, QMetaType) const override {
        return type == PlainText() ? QVariant(ClipboardText(bytes, encoding)) : QVariant();
    }

private:
    static QString PlainText() { return QStringLiteral("text/plain"); }

    std::string bytes;
    const Encoding& encoding; // encodings live as long as the program
};

} // namespace

void TSynEditWidget::PublishSelection() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection() && engine.SelectionAvailable())
        clipboard->setMimeData(new SelectedBytes(engine.SelectedText(), engine.TextEncoding()),
                               QClipboard::Selection);
}

void TSynEditWidget::PasteSelectionAt(QPoint point) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection() || engine.ReadOnly())
        return;
    const QString text = clipboard->text(QClipboard::Selection);
    if (text.isEmpty())
        return;
    engine.SetCaret(PositionAt(point), TSynCaretMove::Collapse);
    engine.ExecuteCommand(ecPaste, FromQString(text, engine.TextEncoding()));
}

void TSynEditWidget::CopyToClipboard() {
    if (engine.SelectionAvailable())
        QGuiApplication::clipboard()->setText(
            ClipboardText(engine.SelectedText(), engine.TextEncoding()));
}

void TSynEditWidget::CutToClipboard() {
    if (!engine.SelectionAvailable() || engine.ReadOnly())
        return;
    CopyToClipboard();
    engine.ExecuteCommand(ecCut);
}

void TSynEditWidget::PasteFromClipboard() {
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        engine.ExecuteCommand(ecPaste, FromQString(text, engine.TextEncoding()));
}

// ---- Input ---------------------------------------------------------------------------------

bool TSynEditWidget::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // Window shortcuts win over the editor's own bindings: never claim a combination.
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Tab belongs to the text, not to focus changes.
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void TSynEditWidget::keyPressEvent(QKeyEvent* event) {
    const TShortCut shortCut = ShortCutOfKeyEvent(*event);
    std::optional<TSynEditorCommand> command;
    if (shortCut != 0)
        command = keyStrokes.FindCommand(shortCut);
    if (command) {
        ExecuteCommand(*command);
        event->accept();
        emit KeyPressed(event);
        return;
    }
    const QString text = event->text();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool ctrl = modifiers & Qt::ControlModifier, alt = modifiers & Qt::AltModifier;
    const bool printable = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() != 0x7F;
    });
    // Ctrl+Alt together is AltGr on some systems and types a character.
    if (printable && ctrl == alt) {
        ExecuteCommand(ecChar, FromQString(text, engine.TextEncoding()));
        event->accept();
        emit KeyPressed(event);
        return;
    }
    event->ignore();
    emit KeyPressed(event);
}

void TSynEditWidget::keyReleaseEvent(QKeyEvent* event) {
    QAbstractScrollArea::keyReleaseEvent(event);
    emit KeyReleased(event);
}

void TSynEditWidget::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    rowMoveX = -1;
    if (event->button() == Qt::LeftButton) {
        const BufferPosition position = PositionAt(event->position().toPoint());
        const bool tripleClick = lastDoubleClick.isValid() &&
                                 lastDoubleClick.elapsed() < QApplication::doubleClickInterval();
        lastDoubleClick.invalidate();
        if (tripleClick) {
            const LineIndex line = position.line;
            const BufferPosition end =
                line.Value() + 1 < engine.LineCount()
                    ? BufferPosition{line + 1, ByteColumn(0)}
                    : BufferPosition{line, ByteColumn(engine.LineText(line).size())};
            engine.SetSelection({line, ByteColumn(0)}, end);
        } else {
            const bool alt = event->modifiers() & Qt::AltModifier;
            const bool shift = event->modifiers() & Qt::ShiftModifier;
            if (alt) {
                engine.SetSelectionMode(TSynSelectionMode::smColumn);
                columnByMouse = true;
            } else if (columnByMouse) {
                engine.SetSelectionMode(TSynSelectionMode::smNormal);
                columnByMouse = false;
            }
            engine.SetCaret(position, shift ? TSynCaretMove::Extend : TSynCaretMove::Collapse);
            mouseSelecting = true;
        }
    } else if (event->button() == Qt::MiddleButton) {
        PasteSelectionAt(event->position().toPoint());
    }
    emit MousePressed(event);
}

void TSynEditWidget::ExtendByMouse(QPoint point) {
    // Dragging beyond an edge scrolls that way by one row or a few characters.
    if (point.y() < 0)
        SetTopLine(TopLine() - 1);
    else if (point.y() >= viewport()->height())
        SetTopLine(TopLine() + 1);
    if (!wordWrap) {
        QScrollBar* horizontal = horizontalScrollBar();
        if (point.x() < TextAreaLeft())
            horizontal->setValue(horizontal->value() - horizontal->singleStep());
        else if (point.x() >= viewport()->width())
            horizontal->setValue(horizontal->value() + horizontal->singleStep());
    }
    const QPoint inside(std::clamp(point.x(), TextAreaLeft(), viewport()->width() - 1),
                        std::clamp(point.y(), 0, viewport()->height() - 1));
    engine.SetCaret(PositionAt(inside), TSynCaretMove::Extend);
}

void TSynEditWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!mouseSelecting || !(event->buttons() & Qt::LeftButton))
        return;
    lastMousePoint = event->position().toPoint();
    ExtendByMouse(lastMousePoint);
    // Held outside the view, the selection goes on growing as the view scrolls.
    if (viewport()->rect().contains(lastMousePoint))
        autoScrollTimer.stop();
    else if (!autoScrollTimer.isActive())
        autoScrollTimer.start();
}

void TSynEditWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && mouseSelecting) {
        mouseSelecting = false;
        autoScrollTimer.stop();
        PublishSelection();
    }
}

void TSynEditWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    const BufferRange word = engine.WordAt(PositionAt(event->position().toPoint()));
    engine.SetSelection(word.begin, word.end);
    mouseSelecting = false;
    lastDoubleClick.start();
    emit MousePressed(event);
}

void TSynEditWidget::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    const bool sideways =
        delta.x() != 0 || (event->modifiers() & Qt::ShiftModifier) ? !wordWrap : false;
    const int steps = (delta.x() != 0 ? delta.x() : delta.y()) / 120;
    if (steps == 0) {
        event->ignore();
        return;
    }
    if (sideways) {
        QScrollBar* horizontal = horizontalScrollBar();
        horizontal->setValue(horizontal->value() - steps * kWheelRows * horizontal->singleStep());
    } else if (!wordWrap) {
        SetTopLine(TopLine() - steps * kWheelRows);
    } else {
        // Word wrap scrolls by rows, so a long wrapped line can be read through.
        int rows = -steps * kWheelRows;
        while (rows > 0) {
            if (topRow + 1 < int(RowStarts(TopLine(), std::size_t(topRow) + 1).size()))
                ++topRow;
            else if (TopLine().Value() + 1 < Lines().Count())
                SetTopLine(TopLine() + 1);
            --rows;
        }
        while (rows < 0) {
            if (topRow > 0)
                --topRow;
            else if (TopLine() > LineIndex(0)) {
                SetTopLine(TopLine() - 1);
                topRow = int(RowStarts(TopLine()).size()) - 1;
            }
            ++rows;
        }
        viewport()->update();
    }
    event->accept();
}

void TSynEditWidget::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    RestartBlink();
    viewport()->update(CaretRect());
}

void TSynEditWidget::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    blinkTimer.stop();
    caretShown = false;
    viewport()->update(CaretRect());
}

void TSynEditWidget::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty())
        ExecuteCommand(ecChar, FromQString(event->commitString(), engine.TextEncoding()));
    preedit = event->preeditString();
    viewport()->update();
    event->accept();
}

QVariant TSynEditWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
    auto* self = const_cast<TSynEditWidget*>(this);
    const BufferPosition caret = engine.Caret();
    const std::string_view line = engine.LineText(caret.line);
    switch (query) {
    case Qt::ImEnabled:
        return !engine.ReadOnly();
    case Qt::ImCursorRectangle:
        return QRectF(self->CaretRect());
    case Qt::ImFont:
        return editorFont;
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
        return int(ToQString(line.substr(0, caret.column.Value()), engine.TextEncoding()).size());
    case Qt::ImSurroundingText:
        return ToQString(line, engine.TextEncoding());
    case Qt::ImCurrentSelection:
        return ClipboardText(engine.SelectedText(), engine.TextEncoding());
    case Qt::ImHints:
        return int(Qt::ImhMultiLine);
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}
