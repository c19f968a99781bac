#pragma once
// Reading a plain text as a line list and writing a line list back, as the line functions and
// the editor exchange them. Does not know about word wrap: lines are the text's real lines.

#include <string>
#include <string_view>
#include <vector>

using LineList = std::vector<std::string>;

// The lines of text, without their breaks. CR LF, a lone CR and a lone LF each end a line; a
// text that ends with a break has no empty last line ("a\r\n" is the one line "a"; "" none).
LineList SplitLines(std::string_view text);

// The lines in order, each followed by CR LF; empty for no lines.
std::string JoinLines(const LineList& lines);

// Every lone CR and lone LF becomes CR LF, as the editor stores a text it is given. A text that
// has none comes back as it is, without a copy when it was moved in.
std::string NormalizeLineBreaks(std::string text);
