#pragma once
// Removing folders and files the way the uninstall needs: whole trees with a Retry/Ignore
// question for each file that resists, and single entries of a listed path inside the program
// folder. A symbolic link is always removed as a link; nothing here follows one.

#include "maintenance/MaintenanceUi.h"

#include <string>
#include <string_view>

// True when the folder has no entry; a folder that cannot be read counts as not empty.
bool IsFolderEmpty(const std::string& folder);

// Deletes every entry of folder, sub-folders by this same routine, then the folder itself. A file
// whose deletion fails brings "Cannot delete <folder>/<name>" until the user picks Ignore. False
// when a folder could not be removed, which ends the operation at once.
bool DeleteFolderTree(const std::string& folder, MaintenanceUi& ui);

// Deletes the file (or link) at path; on failure asks "Cannot delete <path>" with Retry and
// Ignore. True when it is gone.
bool DeleteFileWithRetry(const std::string& path, MaintenanceUi& ui);

// What a path relative to a folder names, found without following a symbolic link on the way:
// a link among its folders makes it Unreachable, a link at its end is a File.
enum class ContainedEntry { Missing, File, Folder, Unreachable };
ContainedEntry InspectContained(const std::string& folder, std::string_view relative);
