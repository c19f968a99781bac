#include "maintenance/InstalledFiles.h"

#include "platform/FileSystem.h"

bool StaysInsideFolder(std::string_view relative) {
    if (relative.empty() || IsPathSeparator(relative.front()) ||
        relative.find('\0') != std::string_view::npos)
        return false;
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = start;
        while (end < relative.size() && !IsPathSeparator(relative[end]))
            ++end;
        if (relative.substr(start, end - start) == "..")
            return false;
        start = end + 1;
    }
    return true;
}

std::vector<InstalledEntry> ParseInstalledFiles(std::string_view text) {
    std::vector<InstalledEntry> entries;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty() || !StaysInsideFolder(line))
            continue;
        entries.push_back({std::string(line), IsPathSeparator(line.back())});
    }
    return entries;
}
