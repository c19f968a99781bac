#pragma once
// The recent-files list: up to 15 full paths, newest first, each slot shown by one item of the
// two recent menus. It does not read or write the settings file (the settings code carries the
// entries) and never asks whether a file exists.

#include <string>
#include <string_view>
#include <vector>

inline constexpr int kRecentCapacity = 15;

class RecentList {
public:
    RecentList() = default;
    // Entries as the settings file gave them, slot 0 first; those past the capacity are dropped
    // and duplicates are kept, as a file may hold them.
    explicit RecentList(std::vector<std::string> entries);

    // Puts the path in slot 0. A path already listed (the first slot naming the same file, as
    // the file system compares names) moves up; a new one pushes the others down and the last
    // falls off a full list.
    void AddRecentFile(std::string_view path);

    int Count() const { return static_cast<int>(entries.size()); }
    // The full path in the slot, exactly as it was put there.
    const std::string& Entry(int slot) const { return entries[static_cast<std::size_t>(slot)]; }
    const std::vector<std::string>& Entries() const { return entries; }

private:
    std::vector<std::string> entries;
};

// What the Open button's drop-down shows for an entry: the file name without its folder.
std::string_view RecentMenuName(std::string_view entry);
