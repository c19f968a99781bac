#pragma once
// Projects in the window: Save Project As, loading a project into tabs, "default.txp" at start
// and exit, and the current project in the status bar. The file format is the core's; the
// documents are reached through the window's public commands.

#include <QString>

class Dialogs;
class QLabel;
class TForm1;

class TWindowProjects {
public:
    // Adds the status bar's field of the current project, hidden while there is none.
    explicit TWindowProjects(TForm1& window);

    // The project file last loaded or saved; empty when there is none.
    const QString& CurrentProject() const { return currentProject; }
    void SaveProjectAs1Click();
    // False when the file could not be written (the user has been told).
    bool SaveProject(const QString& destination);
    void LoadProject(const QString& path);
    // Close All, then the project: how the Open dialog and the recent list open one.
    void OpenProjectReplacingTabs(const QString& path);
    void SaveCurrentProject();
    void LoadDefaultProject();
    void SaveDefaultProject();

private:
    void SetCurrentProject(const QString& path);

    TForm1& window;
    Dialogs& dialogs;
    QLabel* field;
    QString currentProject;
    QString saveDialogFileName;
};
