#include "platform/ProgramFolder.h"

#include "platform/FileSystem.h"

#include <cstdlib>
#include <filesystem>

std::string ProgramFolder() {
    return std::string(FolderOf(ExecutablePath()));
}

std::string ProgramDataFolder() {
    if (const char* overridden = std::getenv("TABRIX_DATA_DIR"); overridden && *overridden)
        return WithTrailingSeparator(overridden);
    return DataFolderOf(ProgramFolder());
}

std::string DataFolderOf(std::string_view programFolder) {
    constexpr std::string_view commands = "/bin/";
    if (programFolder.ends_with(commands)) {
        const std::string shared =
            std::string(programFolder.substr(0, programFolder.size() - commands.size())) +
            "/share/tabrix-pro/";
        std::error_code error;
        if (std::filesystem::is_directory(shared, error))
            return shared;
    }
    return std::string(programFolder);
}

std::string CommandLinkFolder(std::string_view programFolder) {
    constexpr std::string_view installed = "/lib/tabrix-pro/";
    if (!programFolder.ends_with(installed))
        return {};
    return std::string(programFolder.substr(0, programFolder.size() - installed.size())) + "/bin/";
}
