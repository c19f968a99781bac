#pragma once
// Paths between Qt's strings and the file system's bytes. A Linux file name is bytes, mostly
// UTF-8; a byte that starts no well-formed sequence travels in the string as the lone surrogate
// U+DC00 + byte, as Encoding carries such bytes, so every name round-trips. Qt's own conversion
// (QFile::encodeName) would turn those bytes into U+FFFD and lose the name.

#include <QString>
#include <string>

std::string LocalPath(const QString& path);
QString DisplayPath(const std::string& path);
// The folder a path is in, made absolute, without its trailing separator.
QString DisplayFolderOf(const QString& path);

// The path as the user reads it in captions and messages: each byte that is no character shows
// as \xHH.
QString ShownPath(const QString& path);
// The last part of a path (after its last separator), shown the same way.
QString ShownFileName(const QString& path);
// A message of the file system's bytes (one naming paths) shown the same way.
QString ShownText(const std::string& bytes);
