#pragma once
// The markup functions of the "Remove" and "Transform" submenus. They know only the characters
// '<' and '>', never HTML or XML syntax (no quotes, comments or CDATA). Each takes the editor's
// whole text and returns the new whole text (the whole-text rule).

#include "platform/Encoding.h"

#include <string>
#include <string_view>

// "Remove HTML/XML Tags": everything from a '<' to the next '>' goes, both brackets and any
// line breaks between them included; a '>' outside a tag goes too, and a '<' never closed takes
// the rest of the text with it. '<' and '>' are single bytes in every encoding and never part of
// a UTF-8 sequence, so no encoding is needed.
std::string RemoveTagsText(std::string_view text);

// "Leave Tags Only": every tag with its brackets and every CR and LF stay, in order; all else
// goes, a '>' outside a tag included.
std::string LeaveTagsOnlyText(std::string_view text);

// "Add Copyrights": look-alike symbols for some letters, one character for one: 'A' and 'a'
// become '@', 'C' and 'c' code 169, 'R' and 'r' code 174, 'S' and 's' '$', and the capital 'Y'
// code 165. Codes are those of LowCodes.h: in a code page the byte whatever the page shows
// there (in Windows-1252 the ©, ® and ¥ signs), in UTF-8 U+00A9, U+00AE and U+00A5.
std::string AddCopyrightsText(std::string_view text, const Encoding& encoding = ProgramEncoding());
