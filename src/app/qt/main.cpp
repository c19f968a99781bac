// tabrix-pro: the editor. --help and --version answer without a window; --codepage and --seed
// are shared with every executable; "/reset" or "/uninstall" first run the maintenance step and
// end; every other argument is a file to open.

#include "app/qt/MainWindow.h"
#include "maintenance/qt/StartupMaintenance.h"
#include "platform/CodePageOption.h"
#include "platform/Random.h"
#include "platform/qt/Application.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/PathNames.h"
#include "settings/qt/ProgramIcon.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const Usage = "Usage: tabrix-pro [--codepage CP] [--seed N] [FILE...]\n"
                          "       tabrix-pro /reset | /uninstall\n"
                          "\n"
                          "Tabrix Pro, a tabbed text editor.\n"
                          "\n"
                          "  --codepage CP  read and write text in code page CP: 1250 to 1258,\n"
                          "                 28591 (ISO-8859-1) or utf-8; default: the locale's\n"
                          "  --seed N       seed the random generator with N (reproducible runs)\n"
                          "  --help         show this text and exit\n"
                          "  --version      show the version and exit\n"
                          "  /reset         remove the program's registry entries and exit\n"
                          "  /uninstall     remove the program (after asking) and exit\n";

bool AskedFor(int argc, char** argv, const char* option) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            return false;
        if (std::strcmp(argv[i], option) == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (AskedFor(argc, argv, "--help")) {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (AskedFor(argc, argv, "--version")) {
        std::printf("Tabrix Pro %s\n", TABRIX_VERSION);
        return 0;
    }
    const PlatformOptions options = ParsePlatformOptions(argc, argv);
    if (!options.error.empty()) {
        std::fprintf(stderr, "tabrix-pro: %s\n%s", options.error.c_str(), Usage);
        return 2;
    }
    const CodePageChoice codePage = ChooseCodePage(options.codePage);
    if (!codePage.encoding) {
        std::fprintf(stderr, "tabrix-pro: %s\n", codePage.error.c_str());
        return 2;
    }
    SetProgramEncoding(*codePage.encoding);

    TApplication application(argc, argv);
    QApplication::setApplicationName("Tabrix Pro");
    QApplication::setWindowIcon(TabrixProgramIcon());
    QtDialogs dialogs;
    if (RunStartupMaintenance(options.arguments, dialogs))
        return 0;
    QStringList files;
    for (const std::string& argument : options.arguments)
        files << DisplayPath(argument);
    TForm1 window(dialogs, files);
    dialogs.SetParent(&window);
    // The window seeds from the clock as it is created; a given seed replaces that.
    if (options.seed)
        Random::SetSeed(*options.seed);
    window.show();
    return QApplication::exec();
}
