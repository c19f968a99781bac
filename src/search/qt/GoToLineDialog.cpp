#include "search/qt/GoToLineDialog.h"

#include "platform/qt/Dialogs.h"

#include <QLineEdit>

QString TrimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= 32)
        ++first;
    while (last > first && text[last - 1].unicode() <= 32)
        --last;
    return text.mid(first, last - first);
}

std::optional<int> ParseLineNumber(const QString& text) {
    bool ok = false;
    const int number = TrimBlanks(text).toInt(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}

std::optional<int> AskLineNumber(Dialogs& dialogs, TForm4& dialog) {
    if (!dialogs.Exec(dialog))
        return std::nullopt;
    const QString text = dialog.Edit1->text();
    const std::optional<int> number = ParseLineNumber(text);
    if (!number) {
        dialogs.ShowError("Tabrix Pro",
                          QString("'%1' is not a valid integer value").arg(TrimBlanks(text)));
    }
    return number;
}
