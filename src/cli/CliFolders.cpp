#include "cli/CliCommands.h"
#include "platform/ShellFolders.h"
#include "settings/SettingsFolders.h"

#include <algorithm>
#include <ostream>

int RunShellFolder(const std::vector<std::string>& arguments, CliStreams streams) {
    const std::string folder = arguments.size() == 1 ? GetShellFolder(arguments[0]) : std::string();
    if (folder.empty()) {
        streams.err << "tabrix-cli shell-folder: name one of AppData, Desktop, Programs\n";
        return ExitUsage;
    }
    streams.out << folder << "\n";
    return ExitOk;
}

int RunStyles(const std::vector<std::string>& arguments, CliStreams streams) {
    if (!arguments.empty()) {
        streams.err << "tabrix-cli styles: takes no arguments\n";
        return ExitUsage;
    }
    const std::string folder = ProgramDataFolder();
    std::vector<std::string> names = ListFilesByExtension(folder, {"style"});
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        streams.out << folder << name << "\n";
    return ExitOk;
}
