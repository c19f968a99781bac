#pragma once
// The installed-files list "install.txt" of the program folder: one path per line, relative to
// the program folder; a path ending in a separator names a folder. Only entries that stay inside
// the program folder are kept: an absolute path or one with a ".." step could make the uninstall
// delete the user's own files.

#include <string>
#include <string_view>
#include <vector>

struct InstalledEntry {
    std::string path; // as listed, a folder with its trailing separator
    bool isFolder = false;
    bool operator==(const InstalledEntry&) const = default;
};

// The entries of the list's text in their order; blank lines and entries leading outside the
// program folder are left out. Lines may end in CR LF.
std::vector<InstalledEntry> ParseInstalledFiles(std::string_view text);

// Whether relative stays inside the folder it is appended to (no leading separator, no ".." step,
// no NUL byte).
bool StaysInsideFolder(std::string_view relative);
