// The Style menu: its table, the Styles list (style files shipped in the program folder), saving
// the current look as a style, opening style files for editing and Reset to Defaults. Its font
// and colour commands are the view options' (ViewOptionsLook.cpp).

#include "app/qt/FileCommands.h"
#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "app/qt/NameDialog.h"
#include "app/qt/SettingsAndStyles.h"
#include "app/qt/ViewOptions.h"
#include "app/qt/WindowBoundsQt.h"
#include "app/qt/WindowFrame.h"
#include "platform/qt/Dialogs.h"
#include "settings/WindowSettings.h"
#include "settings/qt/StyleList.h"

#include <QLineEdit>
#include <QMenu>

std::span<const MenuItem> StyleMenu() {
    static const MenuItem fontSize[] = {
        {.name = "mniDecreaseFont",
         .caption = "&Decrease Font Size",
         .shortcuts = {"Ctrl+Num+-", "Ctrl+-"},
         .handler = CallOn<&TForm1::ViewOptions, &TViewOptions::mniDecreaseFontClick>,
         .button = {"tbZoomOut", " Zoom Out", "Zoom Out", "zoom-out", {ToolRow::Second, 2, 2}},
         .action = &TWindowParts::mniDecreaseFont},
        {.name = "mniIncreaseFont",
         .caption = "&Increase Font Size",
         .shortcuts = {"Ctrl+Num++", "Ctrl+=", "Ctrl++"},
         .handler = CallOn<&TForm1::ViewOptions, &TViewOptions::mniIncreaseFontClick>,
         .button = {"tbZoomIn", "Zoom In", "Zoom In", "zoom-in", {ToolRow::Second, 2, 1}},
         .action = &TWindowParts::mniIncreaseFont},
    };
    static const MenuItem rows[] = {
        // Filled by RebuildStylesMenu.
        {.name = "mniStyles", .caption = "S&tyles", .menu = &TWindowParts::mniStyles},
        {},
        {.name = "mniBackground",
         .caption = "&Background Color",
         .handler = CallOn<&TForm1::ViewOptions, &TViewOptions::mniBackgroundClick>,
         .button = {"tbBackground",
                    "Background",
                    "Background Color",
                    "color-fill",
                    {ToolRow::Second, 3, 2}},
         .action = &TWindowParts::mniBackground},
        {.name = "mniFontColor",
         .caption = "&Foreground Color",
         .handler = CallOn<&TForm1::ViewOptions, &TViewOptions::mniFontColorClick>,
         .button = {"tbFontColor",
                    "Font Color",
                    "Foreground Color",
                    "format-text-color",
                    {ToolRow::Second, 3, 1}},
         .action = &TWindowParts::mniFontColor},
        {.name = "mniFont",
         .caption = "&Choose Font",
         .handler = CallOn<&TForm1::ViewOptions, &TViewOptions::mniFontClick>,
         .button = {"tbFontType", "Font Type", "Choose Font", "font-type", {ToolRow::Second, 3, 3}},
         .dropDown = &TWindowParts::mnuFont,
         .action = &TWindowParts::mniFont},
        {.name = "mniFontSize", .caption = "Font &Size", .submenu = fontSize},
        // The Font Type button's drop-down, for the keyboard.
        {.caption = "&Quick Fonts", .menu = &TWindowParts::mnuFont},
        {},
        {.name = "mniSaveStyle",
         .caption = "Sa&ve Current Style",
         .handler = CallOn<&TForm1::Settings, &TWindowSettings::mniSaveStyleClick>,
         .action = &TWindowParts::mniSaveStyle},
        {},
        {.name = "OpenOrganize1",
         .caption = "&Organize Styles",
         .handler = CallOn<&TForm1::Settings, &TWindowSettings::OpenOrganize1Click>,
         .action = &TWindowParts::OpenOrganize1},
        {},
        {.name = "mniReset",
         .caption = "&Reset to Defaults",
         .handler = CallOn<&TForm1::Settings, &TWindowSettings::mniResetClick>,
         .action = &TWindowParts::mniReset},
    };
    return rows;
}

void TWindowSettings::RebuildStylesMenu() {
    listedStyles = ListedStyleNames();
    FillMenuFromStrings(widgets.styles, nullptr, listedStyles,
                        [this](int position) { mniStyleItemClick(position); });
    if (const int checked = CheckedStylePosition(listedStyles, currentStyleName); checked >= 0)
        widgets.styles.actions()[checked]->setChecked(true);
}

void TWindowSettings::mniStyleItemClick(int position) {
    if (position < 0 || position >= int(listedStyles.size()))
        return;
    LoadSettings(listedStyles[position], false);
}

void TWindowSettings::mniSaveStyleClick() {
    widgets.nameDialog.Edit1->setText(currentStyleName);
    if (!dialogs.Exec(widgets.nameDialog))
        return;
    SaveSettings(widgets.nameDialog.Edit1->text(), false, 0);
    RebuildStylesMenu();
}

void TWindowSettings::OpenOrganize1Click() {
    const std::optional<FileDialogResult> chosen = dialogs.OpenFile(OrganizeStylesRequest());
    if (chosen && !chosen->files.isEmpty())
        window.Files().OpenFile(chosen->files.front());
}

void TWindowSettings::mniResetClick() {
    const bool shown = window.isVisible();
    window.hide();
    window.ViewOptions().SetFullScreen(false);
    window.setWindowState(Qt::WindowNoState);
    frame.SetOuterBounds(ToRect(DefaultBounds(ToBounds(frame.WorkArea()))));
    window.ViewOptions().ApplyDefaultLook();
    window.ViewOptions().ApplyAppearanceToAllDocuments();
    if (shown)
        window.show();
    currentStyleName.clear();
    RebuildStylesMenu();
}
