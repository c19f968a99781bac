// Reading the settings and style files into the window and writing them from it.

#include "app/qt/SettingsAndStyles.h"

#include "app/qt/DocumentFormats.h"
#include "app/qt/MainWindow.h"
#include "app/qt/RecentMenus.h"
#include "app/qt/ViewOptions.h"
#include "app/qt/WindowBoundsQt.h"
#include "app/qt/WindowFrame.h"
#include "codeedit/qt/Memo.h"
#include "platform/FileSystem.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/PathNames.h"
#include "platform/qt/Taskbar.h"
#include "settings/IniFile.h"
#include "settings/SettingsFolders.h"
#include "settings/WindowSettings.h"

#include <QAction>

namespace {

// The font sizes an editor can show; a file asking for another keeps the current size.
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 1638;

} // namespace

TWindowSettings::TWindowSettings(TForm1& window, TWindowFrame& frame,
                                 const TSettingsWidgets& widgets)
    : window(window), dialogs(window.Questions()), frame(frame), widgets(widgets) {}

WindowSettings TWindowSettings::CurrentWindowSettings(int activeTab) const {
    WindowSettings settings;
    settings.styleName = currentStyleName.toStdString();
    settings.recentFiles = window.Recent().Entries();
    settings.bounds = ToBounds(frame.OuterBounds());
    settings.alwaysOnTop = widgets.options.alwaysOnTop.isChecked();
    settings.wordWrap = widgets.options.wordWrap.isChecked();
    settings.hScrollBarVisible = widgets.options.hScrollBar.isChecked();
    settings.vScrollBarVisible = widgets.options.vScrollBar.isChecked();
    settings.statusBarVisible = widgets.options.statusBar.isChecked();
    settings.mainMenuVisible = widgets.options.mainMenu.isChecked();
    settings.toolBarVisible = widgets.options.toolBarShown.isChecked();
    settings.hideCaption = widgets.options.toolWindowMode.isChecked();
    settings.fullScreen = window.ViewOptions().FullScreen();
    settings.showLineNumbers = widgets.options.lineNumbers.isChecked();
    settings.showToolbarCaptions = window.ViewOptions().ToolBarCaptions();
    settings.activeTab = activeTab;
    settings.lineEnding = FileFormatName(window.Formats().NewDocumentLineBreaks());

    const TMemo* model = window.CurrentPlainEditor();
    const QFont font = model->Font();
    settings.font.name = font.family().toStdString();
    settings.font.size = font.pointSize();
    settings.font.bold = font.bold();
    settings.font.italic = font.italic();
    settings.font.underline = font.underline();
    settings.font.strikeout = font.strikeOut();
    settings.font.color = model->FontColor();
    settings.background = model->Color();
    return settings;
}

void TWindowSettings::LoadSettings(const QString& name, bool isMain) {
    if (!isMain)
        currentStyleName = name;
    const std::string path = SettingsReadPath(SettingsFileName(name.toStdString(), isMain));
    if (isMain && !FileExists(path)) {
        frame.SetOuterBounds(ToRect(DefaultBounds(ToBounds(frame.WorkArea()))));
        RebuildStylesMenu();
        return;
    }
    const bool hidden = window.Initialised() && window.isVisible();
    if (hidden)
        window.hide();

    const IniFile file(path);
    const WindowSettings settings = ReadWindowSettings(file, isMain, CurrentWindowSettings(0));
    if (isMain) {
        currentStyleName = QString::fromStdString(settings.styleName);
        window.Recent().SetRecentFiles(settings.recentFiles);
        window.Formats().SetNewDocumentLineBreaks(settings.lineEnding);
    }

    window.setWindowState(Qt::WindowNoState);
    window.ViewOptions().SetFullScreen(false);
    frame.SetOuterBounds(ToRect(ClampToWorkArea(settings.bounds, ToBounds(frame.WorkArea()))));

    window.ViewOptions().SetWordWrap(settings.wordWrap);
    window.ViewOptions().SetScrollBars(settings.hScrollBarVisible, settings.vScrollBarVisible);
    window.ViewOptions().SetStatusBarVisible(settings.statusBarVisible);
    window.ViewOptions().SetMainMenuVisible(settings.mainMenuVisible);
    window.ViewOptions().SetToolBarVisible(settings.toolBarVisible);
    window.ViewOptions().SetToolWindowMode(settings.hideCaption);
    window.ViewOptions().SetFullScreen(settings.fullScreen);
    window.ViewOptions().SetAlwaysOnTop(settings.alwaysOnTop);
    widgets.options.lineNumbers.setChecked(settings.showLineNumbers);
    window.ViewOptions().SetToolBarCaptions(settings.showToolbarCaptions);
    savedTabIndex = settings.activeTab;

    TMemo* model = window.CurrentPlainEditor();
    QFont font = model->Font();
    if (!settings.font.name.empty())
        font.setFamily(QString::fromStdString(settings.font.name));
    if (settings.font.size >= kMinFontSize && settings.font.size <= kMaxFontSize)
        font.setPointSize(settings.font.size);
    // Every style flag comes from the file; a face's style name (a font dialog's "Bold") would
    // outweigh the flags.
    font.setStyleName(QString());
    font.setBold(settings.font.bold);
    font.setItalic(settings.font.italic);
    font.setUnderline(settings.font.underline);
    font.setStrikeOut(settings.font.strikeout);
    model->SetFont(font);
    model->SetFontColor(settings.font.color);
    model->SetColor(settings.background);
    window.ViewOptions().ApplyAppearanceToAllDocuments();

    if (hidden)
        window.show();
    RebuildStylesMenu();
}

bool TWindowSettings::SaveSettings(const QString& name, bool isMain, int activeTab) {
    if (!isMain)
        currentStyleName = name;
    const std::string path = SettingsWritePath(SettingsFileName(name.toStdString(), isMain));
    // A style name is a file name in the settings folder, never a way out of it.
    const bool nameIsFileName = IsPlainFileName(SettingsFileName(name.toStdString(), isMain));
    IniFile file(path);
    WriteWindowSettings(file, CurrentWindowSettings(activeTab), isMain);
    std::string failedPath = path;
    if (!nameIsFileName || !file.Flush(failedPath)) {
        dialogs.ShowError("Tabrix Pro", "Unable to write to " + ShownText(failedPath));
        return false;
    }
    return true;
}

void TWindowSettings::LoadStartupSettings() {
    // A folder that cannot be made is reported when the settings are written at exit.
    EnsureSettingsFolder();
    window.ViewOptions().ApplyDefaultLook();
    LoadSettings(QString::fromUtf8(kMainSettingsName), true);
}

void TWindowSettings::SaveSettingsAtExit(int activeTab) {
    window.ViewOptions().LeaveFullScreenForExit();
    SaveSettings(QString::fromUtf8(kMainSettingsName), true, activeTab);
    Taskbar::Show();
}
