#include "app/RememberedEncodings.h"

#include "platform/FileSystem.h"

#include <algorithm>

std::vector<RememberedEncoding> ParseRememberedEncodings(std::string_view text) {
    std::vector<RememberedEncoding> entries;
    while (!text.empty() && entries.size() < MaxRememberedEncodings) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos || tab == 0 || tab + 1 == line.size())
            continue;
        entries.push_back({std::string(line.substr(tab + 1)), std::string(line.substr(0, tab))});
    }
    return entries;
}

std::string FormatRememberedEncodings(const std::vector<RememberedEncoding>& entries) {
    std::string text;
    for (const RememberedEncoding& entry : entries)
        text += entry.encodingName + '\t' + entry.path + '\n';
    return text;
}

std::optional<std::string> FindRememberedEncoding(const std::vector<RememberedEncoding>& entries,
                                                  std::string_view path) {
    for (const RememberedEncoding& entry : entries) {
        if (SamePath(entry.path, path))
            return entry.encodingName;
    }
    return std::nullopt;
}

void RememberEncoding(std::vector<RememberedEncoding>& entries, std::string_view path,
                      std::string_view encodingName) {
    if (path.empty() || path.find_first_of("\r\n") != std::string_view::npos)
        return;
    std::erase_if(entries,
                  [path](const RememberedEncoding& entry) { return SamePath(entry.path, path); });
    if (encodingName.empty())
        return;
    entries.insert(entries.begin(), {std::string(path), std::string(encodingName)});
    if (entries.size() > MaxRememberedEncodings)
        entries.resize(MaxRememberedEncodings);
}
