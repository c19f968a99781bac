#pragma once
// The shared replace-all of plain text: exact, case-sensitive, left to right. Knows nothing of
// words, case folding or patterns.

#include <string>
#include <string_view>

// Every occurrence of `old` replaced by `replacement`, scanning on right after each inserted
// replacement, so inserted text is never searched again (replacing " " by "&nbsp;" ends). One
// pass, linear in the size of text and result. An empty `old` leaves the text as it is.
std::string ReplaceAllText(std::string_view text, std::string_view old,
                           std::string_view replacement);
