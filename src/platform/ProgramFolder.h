#pragma once
// Where the program's own files are: the program folder is the folder of the running executable,
// and the shipped files (styles, icon, "install.txt") lie beside it in a build tree and in an
// installed copy alike, so a moved installation still finds them.
// Nothing here creates or reads a file.

#include <string>
#include <string_view>

// The folder of ExecutablePath(), ending in a separator; empty when the system cannot tell.
std::string ProgramFolder();
// The folder of shipped settings and style files, ending in a separator: $TABRIX_DATA_DIR when
// set (tests point it at their own folder), else ProgramFolder().
std::string ProgramDataFolder();

// Where an installation keeps the commands that lead to the program folder: for a program folder
// <prefix>/lib/tabrix-pro/, the folder <prefix>/bin/; empty for any other program folder (a build
// tree has none).
std::string CommandLinkFolder(std::string_view programFolder);

// The file-name extension of a desktop shortcut, with its dot.
inline constexpr std::string_view kShortcutExtension = ".desktop";
