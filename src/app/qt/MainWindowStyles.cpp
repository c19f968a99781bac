// The Style menu: its table, the Styles list (style files shipped in the program folder), saving
// the current look as a style, opening style files for editing, Reset to Defaults, and the font
// and colour commands, which change every editor of every document alike.

#include "app/qt/FileCommands.h"
#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "app/qt/NameDialog.h"
#include "app/qt/WindowBoundsQt.h"
#include "app/qt/WindowFrame.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/qt/Dialogs.h"
#include "settings/WindowSettings.h"
#include "settings/qt/EditorLook.h"
#include "settings/qt/StyleList.h"

#include <QLineEdit>
#include <QMenu>

std::span<const MenuItem> StyleMenu() {
    static const MenuItem fontSize[] = {
        {.name = "mniDecreaseFont",
         .caption = "&Decrease Font Size",
         .shortcuts = {"Ctrl+Num+-", "Ctrl+-"},
         .handler = Call<&TForm1::mniDecreaseFontClick>,
         .button = {"tbZoomOut", " Zoom Out", "Zoom Out", "zoom-out", {ToolRow::Second, 2, 2}},
         .action = &TWindowParts::mniDecreaseFont},
        {.name = "mniIncreaseFont",
         .caption = "&Increase Font Size",
         .shortcuts = {"Ctrl+Num++", "Ctrl+=", "Ctrl++"},
         .handler = Call<&TForm1::mniIncreaseFontClick>,
         .button = {"tbZoomIn", "Zoom In", "Zoom In", "zoom-in", {ToolRow::Second, 2, 1}},
         .action = &TWindowParts::mniIncreaseFont},
    };
    static const MenuItem rows[] = {
        // Filled by RebuildStylesMenu.
        {.name = "mniStyles", .caption = "S&tyles", .menu = &TWindowParts::mniStyles},
        {},
        {.name = "mniBackground",
         .caption = "&Background Color",
         .handler = Call<&TForm1::mniBackgroundClick>,
         .button = {"tbBackground",
                    "Background",
                    "Background Color",
                    "color-fill",
                    {ToolRow::Second, 3, 2}},
         .action = &TWindowParts::mniBackground},
        {.name = "mniFontColor",
         .caption = "&Foreground Color",
         .handler = Call<&TForm1::mniFontColorClick>,
         .button = {"tbFontColor",
                    "Font Color",
                    "Foreground Color",
                    "format-text-color",
                    {ToolRow::Second, 3, 1}},
         .action = &TWindowParts::mniFontColor},
        {.name = "mniFont",
         .caption = "&Choose Font",
         .handler = Call<&TForm1::mniFontClick>,
         .button = {"tbFontType", "Font Type", "Choose Font", "font-type", {ToolRow::Second, 3, 3}},
         .dropDown = &TWindowParts::mnuFont,
         .action = &TWindowParts::mniFont},
        {.name = "mniFontSize", .caption = "Font &Size", .submenu = fontSize},
        // The Font Type button's drop-down, for the keyboard.
        {.caption = "&Quick Fonts", .menu = &TWindowParts::mnuFont},
        {},
        {.name = "mniSaveStyle",
         .caption = "Sa&ve Current Style",
         .handler = Call<&TForm1::mniSaveStyleClick>,
         .action = &TWindowParts::mniSaveStyle},
        {},
        {.name = "OpenOrganize1",
         .caption = "&Organize Styles",
         .handler = Call<&TForm1::OpenOrganize1Click>,
         .action = &TWindowParts::OpenOrganize1},
        {},
        {.name = "mniReset",
         .caption = "&Reset to Defaults",
         .handler = Call<&TForm1::mniResetClick>,
         .action = &TWindowParts::mniReset},
    };
    return rows;
}

void TForm1::RebuildStylesMenu() {
    listedStyles = ListedStyleNames();
    FillMenuFromStrings(*mniStyles, nullptr, listedStyles,
                        [this](int position) { mniStyleItemClick(position); });
    if (const int checked = CheckedStylePosition(listedStyles, currentStyleName); checked >= 0)
        mniStyles->actions()[checked]->setChecked(true);
}

void TForm1::mniStyleItemClick(int position) {
    if (position < 0 || position >= int(listedStyles.size()))
        return;
    LoadSettings(listedStyles[position], false);
}

void TForm1::mniSaveStyleClick() {
    Form2->Edit1->setText(currentStyleName);
    if (!dialogs.Exec(*Form2))
        return;
    SaveSettings(Form2->Edit1->text(), false, 0);
    RebuildStylesMenu();
}

void TForm1::OpenOrganize1Click() {
    const std::optional<FileDialogResult> chosen = dialogs.OpenFile(OrganizeStylesRequest());
    if (chosen && !chosen->files.isEmpty())
        fileCommands->OpenFile(chosen->files.front());
}

void TForm1::ApplyDefaultLook() {
    SetWordWrap(true);
    SetScrollBars(false, true);
    SetStatusBarVisible(true);
    SetMainMenuVisible(true);
    SetToolBarVisible(true);
    SetToolWindowMode(false);
    SetAlwaysOnTop(false);
    const FontSettings defaults = DefaultWindowSettings().font;
    TMemo* model = CurrentPlainEditor();
    QFont font(QString::fromStdString(defaults.name), defaults.size);
    model->SetFont(font);
    model->SetFontColor(defaults.color);
    model->SetColor(DefaultWindowSettings().background);
    // The code editors start with the same look.
    ApplyAppearanceToAllDocuments();
}

void TForm1::mniResetClick() {
    const bool shown = isVisible();
    hide();
    SetFullScreen(false);
    setWindowState(Qt::WindowNoState);
    frame->SetOuterBounds(ToRect(DefaultBounds(ToBounds(frame->WorkArea()))));
    ApplyDefaultLook();
    ApplyAppearanceToAllDocuments();
    if (shown)
        show();
    currentStyleName.clear();
    RebuildStylesMenu();
}

// ---- Font and colour commands ----

void TForm1::ForEachEditor(const std::function<void(TSynEditWidget&)>& change) {
    for (int position = 0; position < DocumentCount(); ++position) {
        TMyMemo& document = DocumentAt(position);
        change(*document.PlainEditor);
        change(*document.CodeEditor);
        ApplyLookToRichEditor(document, *document.PlainEditor);
    }
}

void TForm1::mniBackgroundClick() {
    if (const std::optional<TColor> color =
            AskColor(dialogs, CurrentPlainEditor()->Color(), palette()))
        ForEachEditor([&](TSynEditWidget& editor) { editor.SetColor(*color); });
}

void TForm1::mniFontColorClick() {
    if (const std::optional<TColor> color =
            AskColor(dialogs, CurrentPlainEditor()->FontColor(), palette()))
        ForEachEditor([&](TSynEditWidget& editor) { editor.SetFontColor(*color); });
}

void TForm1::mniFontClick() {
    const FontPitch pitch =
        CurrentDocument().ViewMode == vmCode ? FontPitch::FixedOnly : FontPitch::Any;
    if (const std::optional<EditorFont> chosen =
            AskFont(dialogs, *CurrentPlainEditor(), pitch, palette())) {
        ForEachEditor([&](TSynEditWidget& editor) {
            editor.SetFont(chosen->font);
            editor.SetFontColor(chosen->color);
        });
    }
}

void TForm1::QuickFontClick(const QString& caption) {
    const QuickFont choice = ParseQuickFontCaption(caption);
    if (choice.face.isEmpty() || choice.size <= 0)
        return;
    ForEachEditor(
        [&](TSynEditWidget& editor) { editor.SetFont(WithFaceAndSize(editor.Font(), choice)); });
}

void TForm1::ChangeFontSize(int step) {
    ForEachEditor(
        [step](TSynEditWidget& editor) { editor.SetFont(WithSizeChangedBy(editor.Font(), step)); });
}

void TForm1::mniIncreaseFontClick() {
    ChangeFontSize(+1);
}

void TForm1::mniDecreaseFontClick() {
    if (CurrentPlainEditor()->Font().pointSize() < 2)
        return;
    ChangeFontSize(-1);
}

void TForm1::ZoomByWheel(int notches) {
    for (; notches > 0; --notches)
        mniIncreaseFontClick();
    for (; notches < 0; ++notches)
        mniDecreaseFontClick();
}
