#pragma once
// TRxRichEdit: the rich editor, a QTextEdit that loads RTF (or plain text), saves RTF through our
// own reader and writer, and offers the window what it asks of an editor: the text as lines,
// the caret as 0-based column and line, font and colours, clipboard, one-step undo and the
// change, key and mouse signals. Lines are the document's paragraphs split at line breaks.
// It does not apply the window's appearance settings itself; the window calls the setters.

#include "platform/Encoding.h"
#include "platform/Progress.h"
#include "richedit/RichDocument.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QStringList>
#include <QTextEdit>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class TRxRichEdit : public QTextEdit {
    Q_OBJECT
public:
    // A big text goes in about this many bytes at a time, the window repainting in between.
    static constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

    explicit TRxRichEdit(QWidget* parent = nullptr);

    // One entry per line; an empty document has none.
    QStringList Lines() const;
    // The same lines handed over one at a time, without a list of them all; progress counts
    // characters.
    void ForEachLine(const std::function<void(const QString& line)>& take,
                     const ProgressHook& progress = {}) const;
    // Replaces everything by the lines as unformatted text in the editor's font, as code does:
    // the change signal fires, the caret goes to the start and there is nothing to undo.
    void SetLines(const QStringList& lines);
    // The same for a big text, which comes in pieces, joined as they are: `next` fills in the next
    // piece and says whether there was one. Between pieces the editor is whole, so the window may
    // repaint.
    void SetUnformattedText(const std::function<bool(QString& piece)>& next);
    void Clear();

    // The encoding the document's text takes as bytes (search, a save as text); the program's
    // until set.
    const Encoding& TextEncoding() const { return *textEncoding; }
    void SetTextEncoding(const Encoding& encoding) { textEncoding = &encoding; }

    // RTF when the file begins as RTF does, otherwise plain text in the program's code page; a
    // file that is neither (it holds NUL bytes) is refused and the editor left as it was. The
    // error message on failure, nothing on success.
    std::optional<std::string> LoadFromFile(const std::string& path,
                                            const ProgressHook& progress = {});
    // The same for bytes already read; name is what a refusal calls them.
    std::optional<std::string> LoadFromBytes(const std::string& bytes, const std::string& name,
                                             const ProgressHook& progress = {});
    // What the last RTF read had to leave out (headers, footnotes, ...): how many items, and
    // their kinds ("headers, footnotes"); nothing after plain text, Clear or SetLines.
    int LostItemCount() const { return lostItemCount; }
    const std::string& LostItemNames() const { return lostItemNames; }
    // After a save: the file holds what the editor holds.
    void ForgetLostItems() {
        lostItemCount = 0;
        lostItemNames.clear();
    }

    // Always RTF, in the program's code page where it can.
    std::optional<std::string> SaveToFile(const std::string& path,
                                          const ProgressHook& progress = {}) const;
    // The RTF that SaveToFile writes.
    std::string RtfText(const ProgressHook& progress = {}) const;
    // The same for a text already read from an editor (RichTextReader); needs no editor, so it
    // may be made on any thread.
    static std::string RtfOf(const RichDocument& text);

    // x: column, y: line, both from 0, counted as Lines() counts them.
    QPoint CaretPos() const;
    // A line that does not exist leaves the caret where it was; a column past the line's end
    // goes to its end.
    void SetCaretPos(QPoint position);

    // The font of unformatted text; text with a font of its own keeps it.
    QFont Font() const { return document()->defaultFont(); }
    void SetFont(const QFont& font);
    QColor FontColor() const;
    void SetFontColor(const QColor& color);
    QColor Color() const;
    void SetColor(const QColor& color);

    void CutToClipboard() { cut(); }
    void CopyToClipboard() { copy(); }
    void PasteFromClipboard() { paste(); }
    void ClearSelection() { textCursor().removeSelectedText(); }
    void SelectAll() { selectAll(); }
    // Takes back the last edit only.
    bool CanUndo() const { return document()->isUndoAvailable(); }
    void Undo();

signals:
    // Every change of the text, from the user or from code (loading, SetLines, Clear).
    void Changed();
    void KeyPressed(QKeyEvent* event);
    void KeyReleased(QKeyEvent* event);
    void MousePressed(QMouseEvent* event);
    void MouseMoved(QMouseEvent* event);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SetUnformattedText(const QString& text);
    // Plain text in the program's code page, its line breaks whatever they are.
    void SetPlainTextBytes(std::string_view bytes, const ProgressHook& progress);
    // Starts a fresh history after the text was replaced from code.
    void TextReplaced();
    void KeepSelectionVisible();

    const Encoding* textEncoding = &ProgramEncoding();
    int lostItemCount = 0;
    std::string lostItemNames;
};
