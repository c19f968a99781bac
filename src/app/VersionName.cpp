#include "app/VersionName.h"

#include "app/FileNameParts.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace {

int DigitValue(char c, int base) {
    int value = base; // not a digit
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

// The integer reading of the Pascal run-time the naming rule comes from, limited to values a
// 32-bit signed integer holds.
std::optional<std::int64_t> ReadInt32(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    } else if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    const std::int64_t limit =
        std::int64_t{std::numeric_limits<std::int32_t>::max()} + (negative ? 1 : 0);
    std::int64_t magnitude = 0;
    for (const char c : text) {
        const int digit = DigitValue(c, base);
        if (digit < 0) {
            return std::nullopt;
        }
        magnitude = magnitude * base + digit;
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    return negative ? -magnitude : magnitude;
}

} // namespace

std::string NextVersionName(std::string_view stem) {
    const std::size_t underscore = stem.rfind('_');
    if (underscore == std::string_view::npos) {
        return std::string(stem) + "_2";
    }
    const std::string_view prefix = stem.substr(0, underscore + 1);
    const std::string_view suffix = stem.substr(underscore + 1);
    if (const std::optional<std::int64_t> number = ReadInt32(suffix)) {
        return std::string(prefix) + std::to_string(*number + 1);
    }
    return std::string(stem) + "_2";
}

std::string NextFreeVersionPath(std::string_view path,
                                const std::function<bool(const std::string&)>& exists) {
    const FileNameParts parts = SplitFileName(path);
    std::string stem = parts.stem;
    std::string candidate;
    do {
        stem = NextVersionName(stem);
        candidate = parts.folder + stem + parts.extension;
    } while (exists(candidate));
    return candidate;
}

std::string NextFreeVersionPath(std::string_view path) {
    return NextFreeVersionPath(path, PathExists);
}
