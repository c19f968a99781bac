#pragma once
// Where the program's own files are: the program folder is the folder of the running executable,
// and the shipped files (styles, icon, "install.txt") lie beside it in a build tree and in an
// installed copy alike, so a moved installation still finds them. A system package keeps the
// commands in <prefix>/bin/ and the shipped files in <prefix>/share/tabrix-pro/, as the file
// system hierarchy wants. Nothing here creates or reads a file.

#include <string>
#include <string_view>

// The folder of ExecutablePath(), ending in a separator; empty when the system cannot tell.
std::string ProgramFolder();
// The folder of shipped settings and style files, ending in a separator: $TABRIX_DATA_DIR when
// set (tests point it at their own folder), else DataFolderOf(ProgramFolder()).
std::string ProgramDataFolder();
// The shipped files of the program whose folder is programFolder (ending in a separator):
// <prefix>/share/tabrix-pro/ for a program folder <prefix>/bin/ when that folder exists, else the
// program folder itself.
std::string DataFolderOf(std::string_view programFolder);

// The file a package's installation carries in its data folder: it tells that the package manager
// owns the program's files, and its first line is the command that removes the package.
inline constexpr std::string_view kPackageRemovalName = "package-removal";

// Where an installation keeps the commands that lead to the program folder: for a program folder
// <prefix>/lib/tabrix-pro/, the folder <prefix>/bin/; empty for any other program folder (a build
// tree has none).
std::string CommandLinkFolder(std::string_view programFolder);

// The file-name extension of a desktop shortcut, with its dot.
inline constexpr std::string_view kShortcutExtension = ".desktop";
