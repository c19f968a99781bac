#pragma once
// TApplication: the application object with the program's top-level handler. An exception that
// leaves an event handler (a menu command, a key press, a timer, a dialog button, a paint) ends
// that handler only: it is caught here and its text shown in an error box, and the program goes
// on with every other document as it was. It does not undo what the handler did before it
// threw; commands check what they can before they change anything.

#include <QApplication>
#include <QString>
#include <QStringList>

class Dialogs;

class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The dialogs error boxes are shown through (the main window's); without any, the text goes
    // to standard error. The caller keeps them alive until it sets others or nullptr.
    static void SetErrorDialogs(Dialogs* dialogs);

private:
    void Report(const QString& text);
    void ShowPendingErrors();

    QStringList pendingErrors;
    QString shownError; // null while no box is up
    bool showScheduled = false;
};
