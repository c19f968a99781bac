#pragma once
// Writes a RichDocument as RTF that our reader reads back to the same document and word
// processors open: a font table and a colour table of what the runs use, one group per run,
// \ansicpg and font charsets of the given code page with characters outside it as \uN. Control
// characters other than tab are not written.

#include "platform/Encoding.h"
#include "richedit/RichDocument.h"

#include <string>

// A code page other than Windows-1250 to 1258 (UTF-8, ISO-8859-1) writes Windows-1252, RTF's
// own default.
std::string WriteRtf(const RichDocument& document, const Encoding& codePage);
