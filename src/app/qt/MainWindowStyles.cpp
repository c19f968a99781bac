// The Style menu's styles: the Styles list (style files shipped in the program folder), saving
// the current look as a style, opening style files for editing, and Reset to Defaults.

#include "app/qt/MainWindow.h"
#include "app/qt/NameDialog.h"
#include "app/qt/WindowBoundsQt.h"
#include "codeedit/qt/Memo.h"
#include "platform/qt/Dialogs.h"
#include "settings/SettingsFolders.h"
#include "settings/WindowSettings.h"

#include <QFile>
#include <QLineEdit>
#include <QMenu>

void TForm1::CreateStyleMenu() {
    mniStyles = mniStyle->addMenu("S&tyles");
    mniStyle->addSeparator();
    CreateAppearanceItems();
    mniStyle->addSeparator();
    mniSaveStyle = mniStyle->addAction("Save &Current Style");
    connect(mniSaveStyle, &QAction::triggered, this, &TForm1::mniSaveStyleClick);
    mniStyle->addSeparator();
    OpenOrganize1 = mniStyle->addAction("&Organize Styles");
    connect(OpenOrganize1, &QAction::triggered, this, &TForm1::OpenOrganize1Click);
    mniStyle->addSeparator();
    mniReset = mniStyle->addAction("&Reset to Defaults");
    connect(mniReset, &QAction::triggered, this, &TForm1::mniResetClick);
}

void TForm1::RebuildStylesMenu() {
    listedStyles.clear();
    for (std::string name : ListFilesByExtension(ProgramDataFolder(), {"style"})) {
        // Only the lower-case extension is cut, as the list has always been built.
        constexpr std::string_view extension = ".style";
        if (name.ends_with(extension))
            name.erase(name.size() - extension.size());
        listedStyles.push_back(QString::fromStdString(name));
    }
    mniStyles->clear();
    for (int position = 0; position < int(listedStyles.size()); ++position) {
        const QString& name = listedStyles[std::size_t(position)];
        // A "&" in a name is text, not an accelerator mark.
        QAction* item = mniStyles->addAction(QString(name).replace("&", "&&"));
        item->setData(position);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, position] { mniStyleItemClick(position); });
    }
    // The first listed name that matches the current style carries the check.
    for (int position = 0; position < int(listedStyles.size()); ++position) {
        if (listedStyles[std::size_t(position)].compare(currentStyleName, Qt::CaseInsensitive) ==
            0) {
            mniStyles->actions()[position]->setChecked(true);
            break;
        }
    }
}

void TForm1::mniStyleItemClick(int position) {
    if (position < 0 || position >= int(listedStyles.size()))
        return;
    LoadSettings(listedStyles[std::size_t(position)], false);
}

void TForm1::mniSaveStyleClick() {
    Form2->Edit1->setText(currentStyleName);
    if (!dialogs.Exec(*Form2))
        return;
    SaveSettings(Form2->Edit1->text(), false, 0);
    RebuildStylesMenu();
}

void TForm1::OpenOrganize1Click() {
    FileDialogRequest request;
    request.caption = "Open";
    request.filters = {{"Tabrix Styles", "*.style"}};
    request.initialFolder = QFile::decodeName(QByteArray::fromStdString(ProgramDataFolder()));
    const std::optional<FileDialogResult> chosen = dialogs.OpenFile(request);
    if (chosen && !chosen->files.isEmpty())
        OpenFile(chosen->files.front());
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
    SetOuterBounds(ToRect(DefaultBounds(ToBounds(WorkArea()))));
    ApplyDefaultLook();
    ApplyAppearanceToAllDocuments();
    if (shown)
        show();
    currentStyleName.clear();
    RebuildStylesMenu();
}
