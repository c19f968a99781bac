#pragma once
// TDocumentView: what the window's commands need of the editor a document shows in one view
// mode. The plain, code and rich editors each implement it once, so a command talks to the
// current view and branches on the mode only where the modes really differ (the switch itself,
// the menus of a mode, the rich editor's formatting).

#include "platform/Progress.h"

#include <QPoint>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class Encoding;
class QWidget;
class SearchEditor;
class TSynCustomHighlighter;
class TSynEditStringList;
class TSynEditWidget;

class TDocumentView {
public:
    // Takes one piece of a text being written; false stops the writing.
    using Writer = std::function<bool(std::string_view piece)>;

    virtual ~TDocumentView() = default;

    // The editor itself, to show, hide and focus.
    virtual QWidget& Widget() const = 0;
    // The editor of our text engine behind the view; none for the rich editor.
    virtual TSynEditWidget* TextEditor() const = 0;

    // ---- Caret and selection ----
    // The caret's column (characters) and line, both from 0.
    virtual QPoint Caret() const = 0;
    virtual void SetCaret(QPoint caret) = 0;
    virtual void SelectAll() = 0;
    virtual void DeleteSelection() = 0;

    // ---- Edits ----
    virtual bool CanUndo() const = 0;
    virtual void Undo() = 0;
    virtual void Cut() = 0;
    virtual void Copy() = 0;
    virtual void Paste() = 0;

    // ---- Text out ----
    // The text as lines: the engine's own list, or the rich editor's plain text in a list of its
    // own, read again at every call.
    virtual TSynEditStringList& Lines() = 0;
    // The whole text as export, preview and printing take it.
    virtual std::string Text() = 0;
    // The text a save writes, piece by piece, each line with its break, in the document's
    // encoding; adds to unencodable the characters that became '?' on the way.
    virtual void WriteFileText(const Writer& write, const ProgressHook& progress,
                               std::size_t& unencodable) const = 0;
    // The same text, whole: for the saves that convert it on the way.
    std::string FileText(const ProgressHook& progress, std::size_t& unencodable) const;

    // ---- What other subsystems read ----
    virtual void SetTextEncoding(const Encoding& encoding) = 0;
    // Find and replace's side of the editor; it lives no longer than the editor.
    virtual std::unique_ptr<SearchEditor> SearchSource() const = 0;
    // The highlighter whose colours an export shows; none but in code view.
    virtual TSynCustomHighlighter* ColouringHighlighter() const { return nullptr; }
};
