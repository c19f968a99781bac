#pragma once
// The recent-files list in the window: File > "Recent" (full paths) and the Open button's
// drop-down (names only), one item per slot, rebuilt from the list after every change.

#include "app/RecentList.h"

#include <QString>
#include <functional>
#include <string>
#include <vector>

class QMenu;

class TRecentMenus {
public:
    // Fills both menus with hidden slots; clicking a used one hands its entry to open.
    TRecentMenus(QMenu& fullPaths, QMenu& names, std::function<void(const QString& entry)> open);

    void AddRecentFile(const QString& path);
    // The recent entries, slot 0 (the newest) first.
    std::vector<QString> RecentFiles() const;
    // The list as the settings file keeps it, and takes it back.
    const std::vector<std::string>& Entries() const { return recentList.Entries(); }
    void SetRecentFiles(std::vector<std::string> entries);
    void mniRecentItemClick(int slot);

private:
    void Refresh();

    QMenu& fullPaths;
    QMenu& names;
    std::function<void(const QString& entry)> open;
    RecentList recentList;
};
