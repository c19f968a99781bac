// The font and colours every editor of every document shares: the Style menu's font and colour
// commands, the font size, and the look a new or changed document takes.

#include "app/qt/MainWindow.h"
#include "app/qt/ViewOptions.h"
#include "codeedit/qt/ColorQt.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "richedit/qt/RichEdit.h"
#include "settings/WindowSettings.h"
#include "settings/qt/EditorLook.h"

void TViewOptions::ApplyDefaultLook() {
    SetWordWrap(true);
    SetScrollBars(false, true);
    SetStatusBarVisible(true);
    SetMainMenuVisible(true);
    SetToolBarVisible(true);
    SetToolWindowMode(false);
    SetAlwaysOnTop(false);
    const FontSettings defaults = DefaultWindowSettings().font;
    TMemo* model = window.CurrentPlainEditor();
    QFont font(QString::fromStdString(defaults.name), defaults.size);
    model->SetFont(font);
    model->SetFontColor(defaults.color);
    model->SetColor(DefaultWindowSettings().background);
    // The code editors start with the same look.
    ApplyAppearanceToAllDocuments();
}

void TViewOptions::ApplyAppearanceToAllDocuments() {
    const TMemo& model = *window.CurrentPlainEditor();
    for (int position = 0; position < window.DocumentCount(); ++position)
        ApplyAppearance(window.DocumentAt(position), model);
}

void TViewOptions::ApplyAppearance(TMyMemo& document, const TMemo& model) {
    if (document.PlainEditor != &model) {
        document.PlainEditor->SetFont(model.Font());
        document.PlainEditor->SetFontColor(model.FontColor());
    }
    document.PlainEditor->SetColor(model.Color());
    document.PlainEditor->SetScrollBars(model.ScrollBars());
    document.PlainEditor->SetWordWrap(model.WordWrap());
    document.CodeEditor->SetFont(model.Font());
    document.CodeEditor->SetFontColor(model.FontColor());
    document.CodeEditor->SetColor(model.Color());
    document.CodeEditor->SetShowLineNumbers(widgets.options.lineNumbers.isChecked());
    ApplyLookToRichEditor(document, model);
}

void TViewOptions::ApplyLookToRichEditor(TMyMemo& document, const TMemo& model) {
    TRxRichEdit& editor = *document.RichEditor;
    editor.SetFont(model.Font());
    // System colours as the window's palette has them, not as the editor's own has been set.
    const QPalette& palette = window.palette();
    editor.SetFontColor(ToQColor(model.FontColor(), palette, palette.color(QPalette::Text)));
    editor.SetColor(ToQColor(model.Color(), palette, palette.color(QPalette::Base)));
}

void TViewOptions::ForEachEditor(const std::function<void(TSynEditWidget&)>& change) {
    for (int position = 0; position < window.DocumentCount(); ++position) {
        TMyMemo& document = window.DocumentAt(position);
        change(*document.PlainEditor);
        change(*document.CodeEditor);
        ApplyLookToRichEditor(document, *document.PlainEditor);
    }
}

void TViewOptions::mniBackgroundClick() {
    if (const std::optional<TColor> color =
            AskColor(window.Questions(), window.CurrentPlainEditor()->Color(), window.palette()))
        ForEachEditor([&](TSynEditWidget& editor) { editor.SetColor(*color); });
}

void TViewOptions::mniFontColorClick() {
    if (const std::optional<TColor> color = AskColor(
            window.Questions(), window.CurrentPlainEditor()->FontColor(), window.palette()))
        ForEachEditor([&](TSynEditWidget& editor) { editor.SetFontColor(*color); });
}

void TViewOptions::mniFontClick() {
    const FontPitch pitch =
        window.CurrentDocument().ViewMode == vmCode ? FontPitch::FixedOnly : FontPitch::Any;
    if (const std::optional<EditorFont> chosen =
            AskFont(window.Questions(), *window.CurrentPlainEditor(), pitch, window.palette())) {
        ForEachEditor([&](TSynEditWidget& editor) {
            editor.SetFont(chosen->font);
            editor.SetFontColor(chosen->color);
        });
    }
}

void TViewOptions::QuickFontClick(const QString& caption) {
    const QuickFont choice = ParseQuickFontCaption(caption);
    if (choice.face.isEmpty() || choice.size <= 0)
        return;
    ForEachEditor(
        [&](TSynEditWidget& editor) { editor.SetFont(WithFaceAndSize(editor.Font(), choice)); });
}

void TViewOptions::ChangeFontSize(int step) {
    ForEachEditor(
        [step](TSynEditWidget& editor) { editor.SetFont(WithSizeChangedBy(editor.Font(), step)); });
}

void TViewOptions::mniIncreaseFontClick() {
    ChangeFontSize(+1);
}

void TViewOptions::mniDecreaseFontClick() {
    if (window.CurrentPlainEditor()->Font().pointSize() < 2)
        return;
    ChangeFontSize(-1);
}

void TViewOptions::ZoomByWheel(int notches) {
    for (; notches > 0; --notches)
        mniIncreaseFontClick();
    for (; notches < 0; ++notches)
        mniDecreaseFontClick();
}
