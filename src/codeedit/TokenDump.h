#pragma once
// The plain-text token dump shared by `tabrix-cli tokens` and the reference tests: for each
// line one row per token, then the range after the line. It does not load files.

#include "codeedit/SynEditHighlighter.h"
#include "codeedit/SynEditTextBuffer.h"

#include <ostream>
#include <string>
#include <string_view>

// Token text with backslash, TAB, CR and LF escaped as \\ \t \r \n and every other byte below
// 0x20 or from 0x7F up as \xHH.
std::string EscapeTokenText(std::string_view text);

// Scans all lines as after a whole-text replace (storing their start ranges) and writes
//   L<n> TAB start TAB kind TAB attribute name or "-" TAB escaped text
// for each token of line n, then
//   R<n> TAB range after the line
void DumpTokens(TSynEditStringList& lines, TSynCustomHighlighter& highlighter, std::ostream& out);
