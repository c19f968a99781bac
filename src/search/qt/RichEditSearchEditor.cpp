#include "platform/qt/EncodingQt.h"
#include "richedit/qt/RichEdit.h"
#include "search/qt/SearchEditor.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <optional>
#include <string>
#include <vector>

namespace {

// A line of the rich editor: where it starts in the document and its text in the document's
// encoding. Lines are split as TRxRichEdit::Lines splits them, at paragraphs and line breaks.
struct RichLine {
    int start;
    QString text;
    std::string bytes;
};

struct DocumentSpan {
    int begin;
    int end;
};

class RichEditSearchEditor : public SearchEditor {
public:
    explicit RichEditSearchEditor(TRxRichEdit& editor) : editor(editor) {}

    // The rich editor's text taken as bytes of the document's encoding.
    const Encoding& TextEncoding() const override { return editor.TextEncoding(); }
    int LineCount() const override { return int(Lines().size()); }
    std::string_view LineText(LineIndex line) const override {
        return Lines()[std::size_t(line.Value())].bytes;
    }

    BufferRange Selection() const override {
        const QTextCursor cursor = editor.textCursor();
        return {PositionAt(cursor.selectionStart()), PositionAt(cursor.selectionEnd())};
    }
    void Select(BufferRange range) override {
        const DocumentSpan span = DocumentSpans({range}).front();
        QTextCursor cursor = editor.textCursor();
        cursor.setPosition(span.begin);
        cursor.setPosition(span.end, QTextCursor::KeepAnchor);
        editor.setTextCursor(cursor);
        editor.ensureCursorVisible();
    }
    bool ReadOnly() const override { return editor.isReadOnly(); }
    void Replace(BufferRange range, std::string_view text) override {
        ReplaceRanges({range}, text);
    }
    void ReplaceRanges(const std::vector<BufferRange>& ranges, std::string_view text) override {
        ReplaceOneByOne(ranges, [&](std::size_t) { return text; });
    }
    void ReplaceEach(SpanReplacement replacements) override {
        ReplaceOneByOne(replacements.Ranges(),
                        [&](std::size_t i) { return replacements.TextOf(i); });
    }
    void TakeFocus() override { editor.setFocus(); }

private:
    // One insertion per range, from the last so that the positions before it hold: each
    // replacement takes the format of the text it replaces and the text between keeps its own.
    template <typename TextOf>
    void ReplaceOneByOne(const std::vector<BufferRange>& ranges, TextOf textOf) {
        const std::vector<DocumentSpan> spans = DocumentSpans(ranges);
        QTextCursor cursor = editor.textCursor();
        cursor.beginEditBlock();
        for (std::size_t i = spans.size(); i-- > 0;) {
            QString replacement = ToQString(textOf(i), TextEncoding());
            replacement.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            cursor.setPosition(spans[i].begin);
            cursor.setPosition(spans[i].end, QTextCursor::KeepAnchor);
            cursor.insertText(replacement);
        }
        cursor.endEditBlock();
        editor.setTextCursor(cursor);
        lines.clear();
    }

    // Built again after a replacement or any other change since the last look.
    const std::vector<RichLine>& Lines() const {
        const int revision = editor.document()->revision();
        if (lines.empty() || revision != linesRevision) {
            Split();
            linesRevision = revision;
        }
        return lines;
    }
    // A document always has a block, so there is always a line.
    void Split() const {
        lines.clear();
        for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next()) {
            const QString text = block.text();
            int lineStart = 0;
            for (const QString& part : text.split(QChar::LineSeparator)) {
                lines.push_back(
                    {block.position() + lineStart, part, FromQString(part, TextEncoding())});
                lineStart += int(part.size()) + 1;
            }
        }
    }

    // Character positions in the document of ascending ranges; each line's bytes are converted
    // once however many ranges it holds.
    std::vector<DocumentSpan> DocumentSpans(const std::vector<BufferRange>& ranges) const {
        const std::vector<RichLine>& all = Lines();
        std::optional<LineIndex> line;
        std::size_t column = 0;
        int at = 0;
        const auto documentPosition = [&](BufferPosition position) {
            const RichLine& rich = all[std::size_t(position.line.Value())];
            if (line != position.line) {
                line = position.line;
                column = 0;
                at = rich.start;
            }
            const std::string_view bytes =
                std::string_view(rich.bytes).substr(column, position.column.Value() - column);
            at += int(ToQString(bytes, TextEncoding()).size());
            column = position.column.Value();
            return at;
        };
        std::vector<DocumentSpan> spans;
        spans.reserve(ranges.size());
        for (const BufferRange& range : ranges) {
            const int begin = documentPosition(range.begin);
            spans.push_back({begin, documentPosition(range.end)});
        }
        return spans;
    }
    BufferPosition PositionAt(int documentPosition) const {
        const std::vector<RichLine>& all = Lines();
        std::size_t index = 0;
        while (index + 1 < all.size() && all[index + 1].start <= documentPosition)
            ++index;
        const RichLine& line = all[index];
        const QString prefix = line.text.left(documentPosition - line.start);
        return {LineIndex(int(index)), ByteColumn(FromQString(prefix, TextEncoding()).size())};
    }

    TRxRichEdit& editor;
    mutable std::vector<RichLine> lines;
    mutable int linesRevision = 0;
};

} // namespace

std::unique_ptr<SearchEditor> MakeSearchEditor(TRxRichEdit& editor) {
    return std::make_unique<RichEditSearchEditor>(editor);
}
