#pragma once
// TSynEdit: the code editor. The shared editor widget plus a highlighter, a gutter with line
// numbers and bookmarks, and the code editor's key-binding table. Its Changed() signal fires
// only for edits that enter the undo list, so loading text leaves a document unmodified.

#include "codeedit/qt/SynEditGutter.h"
#include "codeedit/qt/SynEditWidget.h"

class TSynEdit : public TSynEditWidget {
    Q_OBJECT
public:
    explicit TSynEdit(QWidget* parent = nullptr);
    ~TSynEdit() override;

    // The highlighter must outlive the editor or be replaced (nullptr) before it dies.
    TSynCustomHighlighter* Highlighter() const { return highlighter; }
    void SetHighlighter(TSynCustomHighlighter* value);

    bool ShowLineNumbers() const { return gutter.ShowLineNumbers(); }
    void SetShowLineNumbers(bool value);
    const TSynGutter& Gutter() const { return gutter; }

    // Caret as the code editor counts it: line and column from 1 (a column is a character).
    int CaretY() const;
    int CaretX() const;
    void SetCaretXY(int x, int y);

    std::string Text() const { return Engine().Text(); }
    void SetText(std::string_view text) { Engine().SetText(text); }
    std::string SelText() const { return Engine().SelectedText(); }
    bool SelAvail() const { return Engine().SelectionAvailable(); }
    bool CanUndo() const { return !ReadOnly() && Engine().CanUndo(); }
    bool CanRedo() const { return !ReadOnly() && Engine().CanRedo(); }
    void Undo();
    void Redo();

protected:
    TSynCustomHighlighter* PaintingHighlighter() const override;
    TSynCustomHighlighter* RangeHighlighter() const override { return highlighter; }
    int GutterWidth() const override;
    void PaintGutter(QPainter& painter, const std::vector<VisibleRow>& rows,
                     const QRect& area) override;

private:
    void Unhook();

    TSynCustomHighlighter* highlighter = nullptr;
    int hookHandle = 0;
    TSynGutter gutter;
};
