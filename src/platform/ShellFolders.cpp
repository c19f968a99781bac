#include "platform/ShellFolders.h"

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <unistd.h>

namespace {

std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '/')
        path.push_back('/');
    return path;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// Relative values are ignored, as the XDG base directory rules require.
std::string XdgFolder(const char* variable, std::string_view fallbackUnderHome) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/')
        return WithSlash(value);
    return HomeFolder() + std::string(fallbackUnderHome);
}

// XDG_DESKTOP_DIR="$HOME/Desktop" from user-dirs.dirs, with $HOME expanded; empty when absent.
std::string UserDirsDesktop() {
    std::ifstream file(XdgConfigHome() + "user-dirs.dirs");
    std::string line;
    constexpr std::string_view prefix = "XDG_DESKTOP_DIR=";
    while (std::getline(file, line)) {
        if (!line.starts_with(prefix))
            continue;
        std::string value = line.substr(prefix.size());
        if (value.size() < 2 || value.front() != '"' || value.back() != '"')
            return {};
        value = value.substr(1, value.size() - 2);
        if (value.starts_with("$HOME"))
            value = HomeFolder() + value.substr(std::min<std::size_t>(value.size(), 6));
        return value.starts_with('/') ? WithSlash(value) : std::string();
    }
    return {};
}

} // namespace

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0')
        return WithSlash(home);
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return WithSlash(entry->pw_dir);
    return "/";
}

std::string XdgDataHome() {
    return XdgFolder("XDG_DATA_HOME", ".local/share/");
}

std::string XdgConfigHome() {
    return XdgFolder("XDG_CONFIG_HOME", ".config/");
}

std::string GetShellFolder(std::string_view name) {
    if (EqualsNoCase(name, "AppData"))
        return XdgConfigHome();
    if (EqualsNoCase(name, "Programs"))
        return XdgDataHome() + "applications/";
    if (EqualsNoCase(name, "Desktop")) {
        const std::string desktop = UserDirsDesktop();
        return desktop.empty() ? HomeFolder() + "Desktop/" : desktop;
    }
    return {};
}
