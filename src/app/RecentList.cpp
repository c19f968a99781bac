#include "app/RecentList.h"

#include "platform/FileSystem.h"

#include <algorithm>

RecentList::RecentList(std::vector<std::string> entries) : entries(std::move(entries)) {
    if (this->entries.size() > static_cast<std::size_t>(kRecentCapacity))
        this->entries.resize(kRecentCapacity);
}

void RecentList::AddRecentFile(std::string_view path) {
    const auto listed = std::find_if(entries.begin(), entries.end(),
                                     [path](const std::string& e) { return SamePath(e, path); });
    if (listed != entries.end())
        entries.erase(listed);
    else if (entries.size() == static_cast<std::size_t>(kRecentCapacity))
        entries.pop_back();
    entries.insert(entries.begin(), std::string(path));
}

std::string_view RecentMenuName(std::string_view entry) {
    return FileNameOf(entry);
}
