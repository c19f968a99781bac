#include "codeedit/qt/SynEditWidget.h"
#include "search/EngineSearchDocument.h"
#include "search/qt/SearchEditor.h"

#include <utility>

namespace {

class SynEditSearchEditor : public SearchEditor {
public:
    explicit SynEditSearchEditor(TSynEditWidget& editor)
        : editor(editor), document(editor.Engine()) {}

    const Encoding& TextEncoding() const override { return document.TextEncoding(); }
    int LineCount() const override { return document.LineCount(); }
    std::string_view LineText(LineIndex line) const override { return document.LineText(line); }
    BufferRange Selection() const override { return document.Selection(); }
    void Select(BufferRange range) override {
        document.Select(range);
        editor.EnsureCaretVisible();
    }
    bool ReadOnly() const override { return document.ReadOnly(); }
    void Replace(BufferRange range, std::string_view text) override {
        document.Replace(range, text);
    }
    void ReplaceEach(SpanReplacement replacements) override {
        document.ReplaceEach(std::move(replacements));
    }
    void TakeFocus() override { editor.setFocus(); }
    TSynEditWidget* MarkingEditor() override { return &editor; }

private:
    TSynEditWidget& editor;
    EngineSearchDocument document;
};

} // namespace

std::unique_ptr<SearchEditor> MakeSearchEditor(TSynEditWidget& editor) {
    return std::make_unique<SynEditSearchEditor>(editor);
}
