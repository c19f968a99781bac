#pragma once
// Where settings and style files live: written to the user's settings folder, read from there
// or, when the file is not there, from the program's data folder of shipped files. Only paths
// and listings: it never reads a file's content.

#include "platform/FileSystem.h"
#include "platform/ProgramFolder.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The main settings file's base name; ".ini" is added for it and ".style" for a style.
inline constexpr std::string_view kMainSettingsName = "tabrix_pro";
std::string SettingsFileName(std::string_view name, bool isMain);

// GetShellFolder("AppData") + "Tabrix_Pro/"; ends with a separator.
std::string SettingsFolder();
// Creates the settings folder with any missing parents; what failed, if anything did.
std::optional<FileError> EnsureSettingsFolder();

// The settings folder's file when it exists, else ProgramDataFolder()'s (which may not exist).
std::string SettingsReadPath(std::string_view fileName);
std::string ChooseReadPath(std::string_view fileName, std::string_view settingsFolder,
                           std::string_view programFolder);
std::string SettingsWritePath(std::string_view fileName);

// Names (without folder) of the regular files directly in `folder` whose extension, compared
// without case and without its dot, is one of `extensions`; in the order the file system lists
// them. An unreadable or missing folder lists nothing.
std::vector<std::string> ListFilesByExtension(const std::string& folder,
                                              const std::vector<std::string>& extensions);
