#include "platform/ProgramFolder.h"

#include "platform/FileSystem.h"

#include <cstdlib>

std::string ProgramFolder() {
    return std::string(FolderOf(ExecutablePath()));
}

std::string ProgramDataFolder() {
    if (const char* overridden = std::getenv("TABRIX_DATA_DIR"); overridden && *overridden)
        return WithTrailingSeparator(overridden);
    return ProgramFolder();
}

std::string CommandLinkFolder(std::string_view programFolder) {
    constexpr std::string_view installed = "/lib/tabrix-pro/";
    if (!programFolder.ends_with(installed))
        return {};
    return std::string(programFolder.substr(0, programFolder.size() - installed.size())) + "/bin/";
}
