#pragma once
// Paths between Qt's strings and the file system's bytes, in the file system's own encoding of
// names (QFile::encodeName), so every name round-trips.

#include <QString>
#include <string>

std::string LocalPath(const QString& path);
QString DisplayPath(const std::string& path);
