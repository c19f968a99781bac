#pragma once
// Reads RTF into a RichDocument: the text, the character formats and paragraph alignments the
// rich editor shows. Everything else (styles, lists, tables, pictures, fields' instructions,
// headers) is passed over. Never fails: damaged input (unbalanced braces, a cut-off file, huge
// numbers, deep nesting) gives whatever text could be read. Works without recursion, so nesting
// depth costs memory only.

#include "platform/Progress.h"
#include "richedit/RichDocument.h"

#include <string_view>

RichDocument ReadRtf(std::string_view rtf, const ProgressHook& progress = {});
