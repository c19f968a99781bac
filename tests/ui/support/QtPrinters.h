#pragma once
// Lets GoogleTest print Qt strings in failure messages.

#include <QString>
#include <QStringList>
#include <ostream>

inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text;
}

inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '{';
    for (const QString& text : list)
        *out << text << ' ';
    *out << '}';
}
