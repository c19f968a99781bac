#pragma once
// Paths between the window (QString) and the core and platform (the file system's bytes).

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>

inline std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

inline QString DisplayPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}
