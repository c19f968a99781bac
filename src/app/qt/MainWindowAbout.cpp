// The Help menu.

#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "platform/qt/Dialogs.h"
#include "settings/qt/AboutBox.h"

std::span<const MenuItem> HelpMenu() {
    static const MenuItem rows[] = {
        {.name = "mniAbout",
         .caption = "&About",
         .handler = Call<&TForm1::mniAboutClick>,
         .action = &TWindowParts::mniAbout},
    };
    return rows;
}

void TForm1::mniAboutClick() {
    dialogs.Exec(*AboutBox);
}
