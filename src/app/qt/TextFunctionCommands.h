#pragma once
// The Functions menu's commands: a text function run on the current document by its rule, and
// new random text in a tab of its own.

#include "app/qt/Document.h"

#include <functional>
#include <string_view>

class QLabel;

class TTextFunctionCommands {
public:
    // progressField: the status bar's field that shows how long a big text's function takes.
    // keepForUndo: keeps the current plain editor's text for Undo. newDocument: opens a new tab
    // and makes it the current one.
    TTextFunctionCommands(CurrentDocumentSource current, QLabel& progressField,
                          std::function<void()> keepForUndo, std::function<void()> newDocument);

    // Runs the named text function on the current plain editor by its rule, after keepForUndo.
    void RunTextFunction(std::string_view command);
    // tag 0: codes 32 to 255, 1: codes 32 to 89, 2: digits and letters.
    void mniFillRandomClick(int tag);

private:
    CurrentDocumentSource current;
    QLabel& progressField;
    std::function<void()> keepForUndo;
    std::function<void()> newDocument;
};
