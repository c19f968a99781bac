#include "richedit/qt/RichEdit.h"

#include "platform/FileSystem.h"
#include "platform/qt/EncodingQt.h"
#include "richedit/RichFileKind.h"
#include "richedit/RtfReader.h"
#include "richedit/RtfWriter.h"
#include "richedit/qt/RichTextConversion.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>

namespace {

constexpr QChar kLineSeparator = QChar::LineSeparator;

// Lines before position in the block's text: the number of line separators ahead of it.
int LineSeparatorsBefore(const QString& text, int position) {
    return int(QStringView(text).left(position).count(kLineSeparator));
}

} // namespace

TRxRichEdit::TRxRichEdit(QWidget* parent) : QTextEdit(parent) {
    setTabChangesFocus(false);
    setAcceptRichText(true);
    // Pointer movement without a button held is reported too: the window watches for it.
    viewport()->setMouseTracking(true);
    KeepSelectionVisible();
    connect(this, &QTextEdit::textChanged, this, &TRxRichEdit::Changed);
}

QStringList TRxRichEdit::Lines() const {
    QStringList lines;
    ForEachLine([&](const QString& line) { lines += line; });
    return lines;
}

void TRxRichEdit::ForEachLine(const std::function<void(const QString& line)>& take,
                              const ProgressHook& progress) const {
    if (document()->isEmpty()) {
        return;
    }
    ProgressReporter reporter(progress, std::uint64_t(document()->characterCount()));
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        for (const QStringView line : QStringView(text).tokenize(kLineSeparator)) {
            take(line.toString());
        }
        reporter.Advance(std::uint64_t(block.position() + block.length()));
    }
}

void TRxRichEdit::SetLines(const QStringList& lines) {
    SetUnformattedText(lines.join(QChar('\n')));
}

void TRxRichEdit::SetUnformattedText(const QString& text) {
    bool given = false;
    SetUnformattedText([&](QString& piece) {
        if (given) {
            return false;
        }
        piece = text;
        given = true;
        return true;
    });
}

void TRxRichEdit::SetUnformattedText(const std::function<bool(QString& piece)>& next) {
    // Typing after replaced text must not take on the format the caret had before.
    setCurrentCharFormat(QTextCharFormat());
    QTextDocument& text = *document();
    // Without a history the old text is not kept for undo while the new one goes in.
    const bool history = text.isUndoRedoEnabled();
    text.setUndoRedoEnabled(false);
    text.clear();
    QTextCursor end(&text);
    QString piece;
    while (next(piece)) {
        end.insertText(piece);
    }
    text.setUndoRedoEnabled(history);
    TextReplaced();
}

void TRxRichEdit::Clear() {
    clear();
    TextReplaced();
}

std::optional<std::string> TRxRichEdit::LoadFromFile(const std::string& path,
                                                     const ProgressHook& progress) {
    const FileResult<std::string> file = ReadWholeFile(path);
    if (!file) {
        return file.error->message;
    }
    return LoadFromBytes(file.value, path, progress);
}

std::optional<std::string> TRxRichEdit::LoadFromBytes(const std::string& bytes,
                                                      const std::string& name,
                                                      const ProgressHook& progress) {
    switch (ClassifyRichFile(bytes)) {
    case RichFileKind::Binary:
        return NotRichTextMessage(name);
    case RichFileKind::Rtf: {
        const RichDocument read = ReadRtf(bytes, StageOfProgress(progress, bytes.size(), 0, 2));
        ToTextDocument(read, *document(), StageOfProgress(progress, bytes.size(), 1, 2));
        TextReplaced();
        lostItemCount = LostCount(read);
        lostItemNames = LostNames(read);
        return std::nullopt;
    }
    case RichFileKind::PlainText:
        SetPlainTextBytes(bytes, progress);
        return std::nullopt;
    }
    return std::nullopt;
}

void TRxRichEdit::SetPlainTextBytes(std::string_view bytes, const ProgressHook& progress) {
    ProgressReporter reporter(progress, bytes.size());
    std::size_t start = 0;
    SetUnformattedText([&](QString& piece) {
        if (start == bytes.size()) {
            return false;
        }
        // Pieces end after a line feed, so no CR LF and no character is cut in two.
        const std::size_t feed = bytes.find('\n', std::min(bytes.size(), start + kPieceBytes));
        const std::size_t end = feed == std::string_view::npos ? bytes.size() : feed + 1;
        piece = ToQString(bytes.substr(start, end - start), ProgramEncoding());
        piece.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        piece.replace(QChar('\r'), QChar('\n'));
        start = end;
        reporter.Advance(start);
        return true;
    });
}

std::string TRxRichEdit::RtfText(const ProgressHook& progress) const {
    return RtfOf(FromTextDocument(*document(), progress));
}

std::string TRxRichEdit::RtfOf(const RichDocument& text) {
    return WriteRtf(text, ProgramEncoding());
}

std::optional<std::string> TRxRichEdit::SaveToFile(const std::string& path,
                                                   const ProgressHook& progress) const {
    if (const std::optional<FileError> error = SaveFileAtomically(path, RtfText(progress))) {
        return error->message;
    }
    return std::nullopt;
}

QPoint TRxRichEdit::CaretPos() const {
    const QTextCursor cursor = textCursor();
    const QTextBlock current = cursor.block();
    int line = 0;
    for (QTextBlock block = document()->begin(); block != current; block = block.next()) {
        line += 1 + LineSeparatorsBefore(block.text(), block.length());
    }
    const QString text = current.text();
    const int inBlock = cursor.positionInBlock();
    line += LineSeparatorsBefore(text, inBlock);
    const int lineStart = inBlock > 0 ? int(text.lastIndexOf(kLineSeparator, inBlock - 1)) + 1 : 0;
    return QPoint(inBlock - lineStart, line);
}

void TRxRichEdit::SetCaretPos(QPoint position) {
    if (position.y() < 0) {
        return;
    }
    int line = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QStringList blockLines = block.text().split(kLineSeparator);
        if (position.y() < line + blockLines.size()) {
            int offset = 0;
            for (int i = 0; i < position.y() - line; ++i) {
                offset += int(blockLines[i].size()) + 1;
            }
            const int column =
                std::clamp(position.x(), 0, int(blockLines[position.y() - line].size()));
            QTextCursor cursor(block);
            cursor.setPosition(block.position() + offset + column);
            setTextCursor(cursor);
            return;
        }
        line += int(blockLines.size());
    }
}

void TRxRichEdit::SetFont(const QFont& font) {
    // The default font is no change of the text: the document must not count as modified.
    const QSignalBlocker blocker(this);
    document()->setDefaultFont(font);
    setFont(font);
}

QColor TRxRichEdit::FontColor() const {
    return palette().color(QPalette::Text);
}

void TRxRichEdit::SetFontColor(const QColor& color) {
    QPalette colors = palette();
    colors.setColor(QPalette::Text, color);
    setPalette(colors);
}

QColor TRxRichEdit::Color() const {
    return palette().color(QPalette::Base);
}

void TRxRichEdit::SetColor(const QColor& color) {
    QPalette colors = palette();
    colors.setColor(QPalette::Base, color);
    setPalette(colors);
}

void TRxRichEdit::Undo() {
    if (CanUndo()) {
        undo();
    }
}

void TRxRichEdit::keyPressEvent(QKeyEvent* event) {
    emit KeyPressed(event);
    QTextEdit::keyPressEvent(event);
}

void TRxRichEdit::keyReleaseEvent(QKeyEvent* event) {
    emit KeyReleased(event);
    QTextEdit::keyReleaseEvent(event);
}

void TRxRichEdit::mousePressEvent(QMouseEvent* event) {
    emit MousePressed(event);
    QTextEdit::mousePressEvent(event);
}

void TRxRichEdit::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMoved(event);
    QTextEdit::mouseMoveEvent(event);
}

void TRxRichEdit::changeEvent(QEvent* event) {
    QTextEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        KeepSelectionVisible();
    }
}

void TRxRichEdit::TextReplaced() {
    document()->clearUndoRedoStacks();
    ForgetLostItems();
    moveCursor(QTextCursor::Start);
}

void TRxRichEdit::KeepSelectionVisible() {
    // The inactive colours are the active ones, so the selection shows without the focus.
    QPalette colors = palette();
    const QPalette::ColorRole roles[] = {QPalette::Highlight, QPalette::HighlightedText};
    bool changed = false;
    for (const QPalette::ColorRole role : roles) {
        const QColor active = colors.color(QPalette::Active, role);
        if (colors.color(QPalette::Inactive, role) != active) {
            colors.setColor(QPalette::Inactive, role, active);
            changed = true;
        }
    }
    if (changed) {
        setPalette(colors);
    }
}
