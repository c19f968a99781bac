#pragma once
// The platform's line break: what a new text file has between its lines.

#include <string_view>

inline std::string_view PlatformLineBreak() {
#if defined(_WIN32)
    return "\r\n";
#else
    return "\n";
#endif
}
