#include "platform/SpeechSettings.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct SettingsProgram {
    std::string_view program;
    std::string_view arguments;
};

// Most specific first: the desktops' own sound pages, then the stand-alone mixers.
constexpr SettingsProgram SoundSettingsPrograms[] = {
    {"gnome-control-center", " sound"},
    {"systemsettings", " kcm_pulseaudio"},
    {"pavucontrol-qt", ""},
    {"pavucontrol", ""},
    {"mate-volume-control", ""},
};

bool IsExecutableFile(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           access(path.c_str(), X_OK) == 0;
}

bool OnPath(std::string_view program) {
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "";
    while (!folders.empty()) {
        const std::size_t end = std::min(folders.find(':'), folders.size());
        const std::string_view folder = folders.substr(0, end);
        // An empty entry is the current folder, which we never search for programs.
        if (!folder.empty() && IsExecutableFile(std::string(folder) + "/" + std::string(program)))
            return true;
        folders.remove_prefix(std::min(end + 1, folders.size()));
    }
    return false;
}

} // namespace

std::optional<std::string> SpeechSettingsCommandLine(Registry& registry) {
    if (const std::optional<RegistryKey> key =
            RegistryKey::Open(registry, RegistryHive::LocalMachine, SpeechSettingsKey)) {
        const std::optional<std::string> program = key->ReadString(SpeechSettingsValue);
        if (program && !program->empty())
            return "\"" + *program + "\"";
    }
    for (const SettingsProgram& candidate : SoundSettingsPrograms) {
        if (OnPath(candidate.program))
            return std::string(candidate.program) + std::string(candidate.arguments);
    }
    return std::nullopt;
}

std::vector<std::string_view> SoundSettingsProgramNames() {
    std::vector<std::string_view> names;
    for (const SettingsProgram& candidate : SoundSettingsPrograms)
        names.push_back(candidate.program);
    return names;
}
