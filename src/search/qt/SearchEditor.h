#pragma once
// An editor as find and replace use it: the document interface of the search, plus the
// keyboard focus a found match brings. One adapter per editor kind:
// - the plain and code editors share one (MakeSearchEditor below), on the text engine;
// - a QTextEdit-based editor implements SearchDocument over its blocks: each block's text
//   through FromQString as a line, selection and Select through a QTextCursor (block number
//   and the byte column converted to the block's character position), Replace and
//   ReplaceRanges through QTextCursor insertText between one beginEditBlock and endEditBlock
//   (one undo step, each replacement in the format of what it replaces), and TakeFocus
//   through setFocus.

#include "search/SearchDocument.h"

#include <memory>

class TRxRichEdit;
class TSynEditWidget;

class SearchEditor : public SearchDocument {
public:
    virtual void TakeFocus() = 0;
    // The editor on our text engine, which marks matches; nothing for the rich editor.
    virtual TSynEditWidget* MarkingEditor() { return nullptr; }
};

// The adapter of a plain or code editor; it lives no longer than the editor.
std::unique_ptr<SearchEditor> MakeSearchEditor(TSynEditWidget& editor);
// The adapter of the rich editor, in the program's encoding as the rich editor converts its
// text; it lives no longer than the editor.
std::unique_ptr<SearchEditor> MakeSearchEditor(TRxRichEdit& editor);
