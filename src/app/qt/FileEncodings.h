#pragma once
// A file's encoding between the disk and a document: which one a file opens in, keeping the one
// the user gave it, and the question before characters the encoding cannot hold become "?".

#include "platform/EncodingDetection.h"

#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

class Dialogs;
class StatusBarProgress;
struct TMyMemo;

// A byte-order mark in the file, else the encoding the user last gave the file, else the one its
// bytes show.
DocumentEncoding EncodingForFile(const std::string& path, std::string_view bytes);
// Keeps the encoding of a file just written or reopened for the next time it is opened.
void RememberDocumentEncoding(const TMyMemo& document);
// Whether to go on when count characters cannot be held by the encoding and become "?".
bool AcceptLostCharacters(Dialogs& dialogs, const TMyMemo& document, std::size_t count,
                          const DocumentEncoding& encoding, const QString& action);
// The file's bytes for the document's text in its encoding; nothing when characters the encoding
// cannot hold would be lost and the user would rather not save.
std::optional<std::string> BytesToSave(Dialogs& dialogs, const TMyMemo& document,
                                       StatusBarProgress& progress);
