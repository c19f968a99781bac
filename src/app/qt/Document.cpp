// A tab document's editors and their views.

#include "app/qt/Document.h"

#include "app/qt/DocumentViews.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "richedit/qt/RichEdit.h"

#include <QStackedWidget>

namespace {

template <class Editor> Editor* NewEditor(QStackedWidget& area, const char* name) {
    auto* editor = new Editor(&area);
    editor->setObjectName(name);
    area.addWidget(editor);
    editor->hide();
    return editor;
}

} // namespace

TMyMemo::TMyMemo(QStackedWidget& editorArea)
    : PlainEditor(NewEditor<TMemo>(editorArea, "Memo")),
      CodeEditor(NewEditor<TSynEdit>(editorArea, "SynEdit")),
      RichEditor(NewEditor<TRxRichEdit>(editorArea, "RichEdit")) {
    // Only the shown editor takes updates: switching editors turns updates off and on for the
    // editor area, which visits every child that has not turned them off itself.
    PlainEditor->setUpdatesEnabled(false);
    CodeEditor->setUpdatesEnabled(false);
    CodeEditor->SetShowLineNumbers(true);
    views[vmPlain] = std::make_unique<TPlainView>(*PlainEditor);
    views[vmCode] = std::make_unique<TCodeView>(*CodeEditor);
    views[vmRich] = std::make_unique<TRichView>(*RichEditor, *this);
}

TMyMemo::~TMyMemo() {
    delete PlainEditor;
    delete CodeEditor;
    delete RichEditor;
}

TDocumentView& TMyMemo::ViewOf(int mode) const {
    return *views[static_cast<std::size_t>(mode == vmCode || mode == vmRich ? mode : vmPlain)];
}
