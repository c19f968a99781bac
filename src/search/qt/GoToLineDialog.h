#pragma once
// TForm4, the "Go to line number" dialog. Created once and kept, so it shows the number
// entered last time.

#include "platform/qt/OneFieldDialog.h"

#include <QString>
#include <optional>

class Dialogs;

class TForm4 : public TOneFieldDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr)
        : TOneFieldDialog("Go to line number", "Line number", "1", parent) {
        setObjectName("Form4");
        resize(255, 99);
    }
};

// The text without leading and trailing characters up to the space.
QString TrimBlanks(const QString& text);
// The line number typed into the dialog: the trimmed text as a whole number; nothing when it
// is not one.
std::optional<int> ParseLineNumber(const QString& text);
// Shows the dialog; the line number on OK, or nothing when it was cancelled or held no whole
// number (the user has then been told).
std::optional<int> AskLineNumber(Dialogs& dialogs, TForm4& dialog);
