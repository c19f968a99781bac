#include "search/qt/GoToLineDialog.h"

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
