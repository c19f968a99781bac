// Projects in the window.

#include "app/qt/WindowProjects.h"

#include "app/ProjectFile.h"
#include "app/qt/FileCommands.h"
#include "app/qt/MainWindow.h"
#include "app/qt/WindowTabs.h"
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

TWindowProjects::TWindowProjects(TForm1& window)
    : window(window), dialogs(window.Questions()), field(new QLabel(&window)) {
    field->setObjectName("StatusBarProject");
    field->hide();
    window.statusBar()->addWidget(field);
}

void TWindowProjects::SetCurrentProject(const QString& path) {
    currentProject = path;
    window.UpdateTitle();
    // The title's project goes to the X11 icon name, which no taskbar shows: the status bar
    // shows it where the user looks.
    SetStatusFieldText(*field,
                       path.isEmpty() ? QString() : "Project: " + QFileInfo(path).fileName());
    field->setToolTip(path);
}

void TWindowProjects::SaveProjectAs1Click() {
    FileDialogRequest request;
    request.caption = "Save Project As";
    request.filters = {{"Text Projects (*.txp)", "*.txp"}, {"All Files", "*.*"}};
    request.fileName = saveDialogFileName;
    // A project saved as ".txt" would not be offered as a project again.
    request.defaultExtension = "txp";
    request.overwritePrompt = true;
    const std::optional<FileDialogResult> chosen = dialogs.SaveFile(request);
    if (!chosen)
        return;
    saveDialogFileName = chosen->files.front();
    SetCurrentProject(DisplayPath(AbsolutePath(LocalPath(saveDialogFileName))));
    SaveProject(currentProject);
}

bool TWindowProjects::SaveProject(const QString& destination) {
    std::vector<std::string> paths;
    for (int position = 0; position < window.DocumentCount(); ++position)
        paths.push_back(LocalPath(window.DocumentAt(position).FileName));
    if (const auto error = SaveProjectFile(LocalPath(destination), paths)) {
        dialogs.ShowError("Tabrix Pro", QString::fromStdString(error->message));
        return false;
    }
    return true;
}

void TWindowProjects::LoadProject(const QString& path) {
    const FileResult<std::vector<std::string>> entries = LoadProjectFile(LocalPath(path));
    if (!entries) {
        dialogs.ShowMessage("Tabrix Pro", "Error opening project");
        return;
    }
    SetCurrentProject(DisplayPath(AbsolutePath(LocalPath(path))));
    // A shown tab bar lays out all its tabs whenever one is added or renamed; hidden, it does so
    // once when shown again, so a large project does not take time growing with the cube of its
    // size.
    window.centralWidget()->hide();
    std::vector<std::string> missing;
    for (const std::string& entry : entries.value) {
        if (const std::optional<QString> message =
                window.Files().OpenFileUnlessMissing(DisplayPath(entry)))
            missing.push_back(message->toStdString());
    }
    window.centralWidget()->show();
    window.RefreshCurrentTab();
    if (!missing.empty())
        dialogs.ShowMessage("Tabrix Pro", QString::fromStdString(MissingEntriesText(missing)));
}

void TWindowProjects::OpenProjectReplacingTabs(const QString& path) {
    window.Tabs().mniCloseAllClick();
    LoadProject(path);
}

void TWindowProjects::SaveCurrentProject() {
    if (!currentProject.isEmpty())
        SaveProject(currentProject);
}

void TWindowProjects::LoadDefaultProject() {
    const QString path = DefaultProjectPath();
    if (FileExists(LocalPath(path)))
        LoadProject(path);
}

void TWindowProjects::SaveDefaultProject() {
    SaveProject(DefaultProjectPath());
}
