#include "settings/SettingsFolders.h"

#include "platform/ShellFolders.h"
#include "settings/IniText.h"

#include <filesystem>

namespace {

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

bool HasListedExtension(std::string_view name, const std::vector<std::string>& extensions) {
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return false;
    }
    const std::string_view extension = name.substr(dot + 1);
    for (const std::string& wanted : extensions) {
        if (EqualWithoutCase(extension, wanted)) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string SettingsFileName(std::string_view name, bool isMain) {
    return std::string(name) + (isMain ? ".ini" : ".style");
}

std::string SettingsFolder() {
    return WithTrailingSeparator(GetShellFolder("AppData") + "Tabrix_Pro");
}

std::optional<FileError> EnsureSettingsFolder() {
    const std::string folder = SettingsFolder();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (IsFolder(folder)) {
        return std::nullopt;
    }
    const std::string reason = error ? error.message() : "not a folder";
    return FileError{FileErrorKind::Other, "Cannot create \"" + folder + "\": " + reason};
}

std::string ChooseReadPath(std::string_view fileName, std::string_view settingsFolder,
                           std::string_view programFolder) {
    std::string inSettings = std::string(settingsFolder) + std::string(fileName);
    if (FileExists(inSettings)) {
        return inSettings;
    }
    return std::string(programFolder) + std::string(fileName);
}

std::string SettingsReadPath(std::string_view fileName) {
    return ChooseReadPath(fileName, SettingsFolder(), ProgramDataFolder());
}

std::string SettingsWritePath(std::string_view fileName) {
    return SettingsFolder() + std::string(fileName);
}

std::vector<std::string> ListFilesByExtension(const std::string& folder,
                                              const std::vector<std::string>& extensions) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::string name = entries->path().filename().string();
        std::error_code statusError;
        if (HasListedExtension(name, extensions) && entries->is_regular_file(statusError)) {
            names.push_back(std::move(name));
        }
    }
    return names;
}
