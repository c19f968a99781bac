// The Help menu.

#include "app/qt/MainWindow.h"
#include "platform/qt/Dialogs.h"
#include "settings/qt/AboutBox.h"

#include <QMenu>

void TForm1::CreateHelpMenu() {
    mniAbout = mniHelp->addAction("&About");
    connect(mniAbout, &QAction::triggered, this, &TForm1::mniAboutClick);
}

void TForm1::mniAboutClick() {
    dialogs.Exec(*AboutBox);
}
