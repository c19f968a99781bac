#include "maintenance/FolderTree.h"

#include "platform/FileSystem.h"

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

bool IsFolderEmpty(const std::string& folder) {
    std::error_code error;
    const fs::directory_iterator entries(folder, error);
    return !error && entries == fs::directory_iterator();
}

bool DeleteFileWithRetry(const std::string& path, MaintenanceUi& ui) {
    for (;;) {
        std::error_code error;
        fs::remove(path, error);
        if (!error)
            return true;
        if (!ui.AskRetry("Cannot delete " + path))
            return false;
    }
}

bool DeleteFolderTree(const std::string& folder, MaintenanceUi& ui) {
    std::error_code error;
    if (!fs::is_directory(fs::symlink_status(folder, error)))
        return false;
    // Names first: deleting while the folder is being read may skip entries.
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(folder, error); !error && it != fs::directory_iterator();
         it.increment(error))
        entries.push_back(it->path());
    const std::string prefix = WithTrailingSeparator(folder);
    for (const fs::path& entry : entries) {
        std::error_code statusError;
        if (fs::is_directory(fs::symlink_status(entry, statusError))) {
            if (!DeleteFolderTree(entry.string(), ui))
                return false;
        } else {
            DeleteFileWithRetry(prefix + entry.filename().string(), ui);
        }
    }
    return fs::remove(folder, error) && !error;
}

ContainedEntry InspectContained(const std::string& folder, std::string_view relative) {
    std::vector<fs::path> steps;
    for (const fs::path& step : fs::path(relative)) {
        if (!step.empty() && step != ".")
            steps.push_back(step);
    }
    fs::path current(folder);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        current /= steps[i];
        std::error_code error;
        const fs::file_status status = fs::symlink_status(current, error);
        if (!fs::exists(status))
            return ContainedEntry::Missing;
        if (i + 1 == steps.size())
            return fs::is_directory(status) ? ContainedEntry::Folder : ContainedEntry::File;
        if (fs::is_symlink(status))
            return ContainedEntry::Unreachable;
        if (!fs::is_directory(status))
            return ContainedEntry::Missing;
    }
    return ContainedEntry::Folder;
}
