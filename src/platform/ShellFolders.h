#pragma once
// Where the user's special folders are, in place of the Windows "Shell Folders": the XDG base
// folders on Linux. Every path returned ends in "/", so a file name can be appended directly
// (the settings folder is GetShellFolder("AppData") + "Tabrix_Pro/").

#include <string>
#include <string_view>

// "AppData" ($XDG_CONFIG_HOME, default ~/.config/), "Desktop" (XDG_DESKTOP_DIR of
// user-dirs.dirs, default ~/Desktop/), "Programs" ($XDG_DATA_HOME/applications/, default
// ~/.local/share/applications/); names without case. Empty for any other name.
std::string GetShellFolder(std::string_view name);

// The user's home folder ($HOME, else the password database), ending in "/".
std::string HomeFolder();
// $XDG_DATA_HOME when set to an absolute path, else ~/.local/share/; ends in "/".
std::string XdgDataHome();
// $XDG_CONFIG_HOME when set to an absolute path, else ~/.config/; ends in "/".
std::string XdgConfigHome();
