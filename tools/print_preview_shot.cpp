// Shows File > Print Preview of a text file on its own, for the screenshot in docs/screenshots
// (scripts/screenshot-print-preview.sh). Usage: print-preview-shot FILE

#include "codeedit/SynEditTextBuffer.h"
#include "codeedit/SynEditTextFile.h"
#include "output/qt/Printing.h"
#include "platform/qt/Dialogs.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Usage: print-preview-shot FILE\n");
        return 2;
    }
    TSynEditStringList lines;
    try {
        LoadFromFile(lines, argv[1]);
    } catch (const EFileStreamError& error) {
        std::fprintf(stderr, "print-preview-shot: %s\n", error.what());
        return 1;
    }
    QtDialogs dialogs;
    QPrinter printer(QPrinter::HighResolution);
    ShowPrintPreview(dialogs, printer,
                     {lines, QFont("Courier New", 10), QFileInfo(argv[1]).absoluteFilePath()});
    return 0;
}
