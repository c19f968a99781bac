#pragma once
// A line list loaded from and saved to files and streams. The list itself only takes and hands
// out bytes; opening, reading and writing live here.

#include "codeedit/SynEditTextBuffer.h"

#include <istream>
#include <ostream>
#include <string>

// Replaces the lines with the stream's content from its start (or from where it stands when it
// cannot seek). Throws EFileStreamError when reading fails.
void LoadFromStream(TSynEditStringList& lines, std::istream& stream);
// Replaces the lines with the file's content, read straight into the block the lines point
// into. Throws EFileStreamError when the file cannot be opened or read, leaving lines unchanged.
void LoadFromFile(TSynEditStringList& lines, const std::string& path);
// Every line followed by the list's file format's break. Failures throw EFileStreamError.
void SaveToStream(const TSynEditStringList& lines, std::ostream& stream);
// Replaces the file as a whole (the platform's atomic save), so a failure leaves the old content.
void SaveToFile(const TSynEditStringList& lines, const std::string& path);
