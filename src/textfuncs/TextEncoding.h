#pragma once
// The "Encode" submenu: fixed mappings of the character codes 0 to 255 (see LowCodes.h for what
// a code is in each encoding). Each takes the editor's whole text and returns the new whole text
// (the whole-text rule); the submenu's four items share one handler and pass their tag.

#include "platform/Encoding.h"

#include <string>
#include <string_view>

// The values are the menu items' tags.
enum class EncodeMapping {
    // "Encode / Decode (w/o Line Breaks)": codes 32 to 255 mirrored (c becomes 287 - c), codes
    // below 32 kept, so the lines stay. Applied twice it gives the text back.
    MirrorKeepingLines = 0,
    // "Encode / Decode": codes 32 to 253 mirrored (c becomes 285 - c) and each CR LF traded
    // with the pair 255 254, so the text becomes one line; a 254 or 255 outside that pair stays.
    // Applied twice it gives the text back.
    MirrorJoiningLines = 1,
    // "ASCII Offset +1" (Ctrl+Alt+]) and "ASCII Offset -1" (Ctrl+Alt+[): the codes 32 to 255
    // rotated one step up or down (255 and 32 wrap round); codes below 32 kept. Each undoes
    // the other.
    OffsetUp = 2,
    OffsetDown = 3,
};

std::string EncodeText(std::string_view text, EncodeMapping mapping,
                       const Encoding& encoding = ProgramEncoding());
