// Projects in the window: Save Project As, loading a project into tabs, "default.txp" at start
// and exit, and the current project in the application title. The file format is the core's.

#include "app/ProjectFile.h"
#include "app/qt/MainWindow.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/PathNames.h"
#include "platform/qt/StatusField.h"
#include "settings/SettingsFolders.h"

#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

namespace {

QString DefaultProjectPath() {
    return DisplayPath(SettingsFolder() + std::string(kDefaultProjectName));
}

} // namespace

void TForm1::CreateProjectField() {
    StatusBarProject = new QLabel(this);
    StatusBarProject->setObjectName("StatusBarProject");
    StatusBarProject->hide();
    statusBar()->addWidget(StatusBarProject);
}

void TForm1::SetCurrentProject(const QString& path) {
    currentProject = path;
    UpdateTitle();
    // The title's project goes to the X11 icon name, which no taskbar shows: the status bar
    // shows it where the user looks.
    SetStatusFieldText(*StatusBarProject,
                       path.isEmpty() ? QString() : "Project: " + QFileInfo(path).fileName());
    StatusBarProject->setToolTip(path);
}

void TForm1::SaveProjectAs1Click() {
    FileDialogRequest request;
    request.caption = "Save Project As";
    request.filters = {{"Text Projects (*.txp)", "*.txp"}, {"All Files", "*.*"}};
    request.fileName = saveProjectDialogFileName;
    // A project saved as ".txt" would not be offered as a project again.
    request.defaultExtension = "txp";
    request.overwritePrompt = true;
    const std::optional<FileDialogResult> chosen = dialogs.SaveFile(request);
    if (!chosen)
        return;
    saveProjectDialogFileName = chosen->files.front();
    SetCurrentProject(DisplayPath(AbsolutePath(LocalPath(saveProjectDialogFileName))));
    SaveProject(currentProject);
}

bool TForm1::SaveProject(const QString& destination) {
    std::vector<std::string> paths;
    for (int position = 0; position < DocumentCount(); ++position)
        paths.push_back(LocalPath(DocumentAt(position).FileName));
    if (const auto error = SaveProjectFile(LocalPath(destination), paths)) {
        dialogs.ShowError("Tabrix Pro", QString::fromStdString(error->message));
        return false;
    }
    return true;
}

void TForm1::LoadProject(const QString& path) {
    const FileResult<std::vector<std::string>> entries = LoadProjectFile(LocalPath(path));
    if (!entries) {
        dialogs.ShowMessage("Tabrix Pro", "Error opening project");
        return;
    }
    SetCurrentProject(DisplayPath(AbsolutePath(LocalPath(path))));
    // A shown tab bar lays out all its tabs whenever one is added or renamed; hidden, it does so
    // once when shown again, so a large project does not take time growing with the cube of its
    // size.
    centralWidget()->hide();
    std::vector<std::string> missing;
    for (const std::string& entry : entries.value) {
        if (const std::optional<QString> message = OpenFileUnlessMissing(DisplayPath(entry)))
            missing.push_back(message->toStdString());
    }
    centralWidget()->show();
    RefreshCurrentTab();
    if (!missing.empty())
        dialogs.ShowMessage("Tabrix Pro", QString::fromStdString(MissingEntriesText(missing)));
}

void TForm1::OpenProjectReplacingTabs(const QString& path) {
    mniCloseAllClick();
    LoadProject(path);
}

void TForm1::SaveCurrentProject() {
    if (!currentProject.isEmpty())
        SaveProject(currentProject);
}

void TForm1::LoadDefaultProject() {
    const QString path = DefaultProjectPath();
    if (FileExists(LocalPath(path)))
        LoadProject(path);
}

void TForm1::SaveDefaultProject() {
    SaveProject(DefaultProjectPath());
}
