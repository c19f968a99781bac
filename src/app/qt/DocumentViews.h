#pragma once
// The views of a document's three editors: plain, code and rich.

#include "app/qt/DocumentView.h"

class TMemo;
class TRxRichEdit;
class TSynEdit;
struct TMyMemo;

// The plain and the code editor: both on our text engine.
class TEngineView : public TDocumentView {
public:
    explicit TEngineView(TSynEditWidget& editor) : editor(editor) {}

    QWidget& Widget() const override;
    TSynEditWidget* TextEditor() const override { return &editor; }
    bool CanUndo() const override;
    void Undo() override;
    void SelectAll() override;
    void DeleteSelection() override;
    void Cut() override;
    void Copy() override;
    void Paste() override;
    TSynEditStringList& Lines() override;
    void WriteFileText(const Writer& write, const ProgressHook& progress,
                       std::size_t& unencodable) const override;
    void SetTextEncoding(const Encoding& encoding) override;
    std::unique_ptr<SearchEditor> SearchSource() const override;

private:
    // Whether a save writes a break after the last line.
    virtual bool BreakAfterLast() const = 0;

    TSynEditWidget& editor;
};

class TPlainView final : public TEngineView {
public:
    explicit TPlainView(TMemo& editor);

    QPoint Caret() const override;
    void SetCaret(QPoint caret) override;
    // The text as it stands: no break after the last line.
    std::string Text() override;

private:
    // The plain editor's text has no break after its last line: its last line is the empty one
    // after a final break.
    bool BreakAfterLast() const override { return false; }

    TMemo& memo;
};

class TCodeView final : public TEngineView {
public:
    explicit TCodeView(TSynEdit& editor);

    QPoint Caret() const override;
    void SetCaret(QPoint caret) override;
    // Every line ending in a line break.
    std::string Text() override;
    TSynCustomHighlighter* ColouringHighlighter() const override;

private:
    bool BreakAfterLast() const override;

    TSynEdit& code;
};

class TRichView final : public TDocumentView {
public:
    // The document gives the encoding and the breaks its lines had before rich view.
    TRichView(TRxRichEdit& editor, const TMyMemo& document);
    ~TRichView() override;

    QWidget& Widget() const override;
    TSynEditWidget* TextEditor() const override { return nullptr; }
    QPoint Caret() const override;
    void SetCaret(QPoint caret) override;
    void SelectAll() override;
    void DeleteSelection() override;
    bool CanUndo() const override;
    void Undo() override;
    void Cut() override;
    void Copy() override;
    void Paste() override;
    TSynEditStringList& Lines() override;
    // Every line ending in a line break.
    std::string Text() override;
    // The plain text in the document's encoding, its lines joined by the breaks they had when
    // the text went into rich view.
    void WriteFileText(const Writer& write, const ProgressHook& progress,
                       std::size_t& unencodable) const override;
    void SetTextEncoding(const Encoding& encoding) override;
    std::unique_ptr<SearchEditor> SearchSource() const override;

private:
    TRxRichEdit& editor;
    const TMyMemo& document;
    std::unique_ptr<TSynEditStringList> lines;
};
