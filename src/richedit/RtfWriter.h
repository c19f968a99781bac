#pragma once
// Writes a RichDocument as RTF that our reader reads back to the same document and word
// processors open: a font table and a colour table of what the runs use, one group per run,
// \ansicpg of the given code page with characters outside it as \uN. A run without a font name
// takes the document's first font; control characters other than tab are not written.

#include "platform/Encoding.h"
#include "richedit/RichDocument.h"

#include <string>

// A UTF-8 codePage writes Windows-1252, RTF's own default.
std::string WriteRtf(const RichDocument& document, const Encoding& codePage);
