// LoadSettings and SaveSettings: the settings and style files applied to the window and read
// back from it. The file format and the rules for each key live in settings/; here is only the
// order in which the window's setters run.

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

#include <QMenu>

namespace {

// The font sizes an editor can show; a file asking for another keeps the current size.
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 1638;

} // namespace

WindowSettings TForm1::CurrentWindowSettings(int activeTab) const {
    WindowSettings settings;
    settings.styleName = currentStyleName.toStdString();
    settings.recentFiles = recent->Entries();
    settings.bounds = ToBounds(frame->OuterBounds());
    settings.alwaysOnTop = mniAlwaysOnTop->isChecked();
    settings.wordWrap = mniWordWrap->isChecked();
    settings.hScrollBarVisible = mniHScrollbar->isChecked();
    settings.vScrollBarVisible = mniVScrollbar->isChecked();
    settings.statusBarVisible = mniStatusbar->isChecked();
    settings.mainMenuVisible = mniViewMainMenu->isChecked();
    settings.toolBarVisible = mniViewToolbar->isChecked();
    settings.hideCaption = mniHideCaption->isChecked();
    settings.fullScreen = viewOptions->FullScreen();
    settings.showLineNumbers = Showlinenumbers1->isChecked();
    settings.showToolbarCaptions = viewOptions->ToolBarCaptions();
    settings.activeTab = activeTab;
    settings.lineEnding = FileFormatName(formats->NewDocumentLineBreaks());

    const TMemo* model = documents[static_cast<std::size_t>(CurrentIndex())]->PlainEditor;
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

void TForm1::LoadSettings(const QString& name, bool isMain) {
    if (!isMain)
        currentStyleName = name;
    const std::string path = SettingsReadPath(SettingsFileName(name.toStdString(), isMain));
    if (isMain && !FileExists(path)) {
        frame->SetOuterBounds(ToRect(DefaultBounds(ToBounds(frame->WorkArea()))));
        RebuildStylesMenu();
        return;
    }
    const bool hidden = initialised && isVisible();
    if (hidden)
        hide();

    const IniFile file(path);
    const WindowSettings settings = ReadWindowSettings(file, isMain, CurrentWindowSettings(0));
    if (isMain) {
        currentStyleName = QString::fromStdString(settings.styleName);
        recent->SetRecentFiles(settings.recentFiles);
        formats->SetNewDocumentLineBreaks(settings.lineEnding);
    }

    setWindowState(Qt::WindowNoState);
    viewOptions->SetFullScreen(false);
    frame->SetOuterBounds(ToRect(ClampToWorkArea(settings.bounds, ToBounds(frame->WorkArea()))));

    viewOptions->SetWordWrap(settings.wordWrap);
    viewOptions->SetScrollBars(settings.hScrollBarVisible, settings.vScrollBarVisible);
    viewOptions->SetStatusBarVisible(settings.statusBarVisible);
    viewOptions->SetMainMenuVisible(settings.mainMenuVisible);
    viewOptions->SetToolBarVisible(settings.toolBarVisible);
    viewOptions->SetToolWindowMode(settings.hideCaption);
    viewOptions->SetFullScreen(settings.fullScreen);
    viewOptions->SetAlwaysOnTop(settings.alwaysOnTop);
    Showlinenumbers1->setChecked(settings.showLineNumbers);
    viewOptions->SetToolBarCaptions(settings.showToolbarCaptions);
    savedTabIndex = settings.activeTab;

    TMemo* model = CurrentPlainEditor();
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
    viewOptions->ApplyAppearanceToAllDocuments();

    if (hidden)
        show();
    RebuildStylesMenu();
}

bool TForm1::SaveSettings(const QString& name, bool isMain, int activeTab) {
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

void TForm1::LoadStartupSettings() {
    // A folder that cannot be made is reported when the settings are written at exit.
    EnsureSettingsFolder();
    viewOptions->ApplyDefaultLook();
    LoadSettings(QString::fromUtf8(kMainSettingsName), true);
}

void TForm1::SaveSettingsAtExit(int activeTab) {
    viewOptions->LeaveFullScreenForExit();
    SaveSettings(QString::fromUtf8(kMainSettingsName), true, activeTab);
    Taskbar::Show();
}
