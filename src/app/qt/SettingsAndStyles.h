#pragma once
// The window's settings and styles: the main settings file read at start and written at exit,
// style files applied and saved from the Style menu, the Styles list, Organize Styles and Reset
// to Defaults. The file format and the rules for each key live in settings/; here is only the
// order in which the window's setters run. Reaches the documents and the other parts through the
// window's public commands.

#include "app/qt/OptionItems.h"

#include <QString>
#include <QStringList>

class Dialogs;
class QMenu;
class TForm1;
class TForm2;
class TWindowFrame;
struct WindowSettings;

// The Styles list, the name dialog, and the items whose checks hold the options a settings file
// keeps.
struct TSettingsWidgets {
    QMenu& styles;
    TForm2& nameDialog;
    TOptionItems options;
};

class TWindowSettings {
public:
    TWindowSettings(TForm1& window, TWindowFrame& frame, const TSettingsWidgets& widgets);

    void LoadSettings(const QString& name, bool isMain);
    // False when the file could not be written (the user has been told).
    bool SaveSettings(const QString& name, bool isMain, int activeTab);
    const QString& CurrentStyleName() const { return currentStyleName; }
    // The tab that was active when the main settings file was written.
    int SavedTabIndex() const { return savedTabIndex; }
    void RebuildStylesMenu();
    void mniStyleItemClick(int position);
    void mniSaveStyleClick();
    void OpenOrganize1Click();
    void mniResetClick();
    void LoadStartupSettings();
    void SaveSettingsAtExit(int activeTab);

private:
    // The window's state as the settings files hold it.
    WindowSettings CurrentWindowSettings(int activeTab) const;

    TForm1& window;
    Dialogs& dialogs;
    TWindowFrame& frame;
    TSettingsWidgets widgets;
    QString currentStyleName = "Untitled";
    QStringList listedStyles;
    int savedTabIndex = -1;
};
