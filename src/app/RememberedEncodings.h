#pragma once
// The encodings the user gave files (by choosing one, or by saving a file in an encoding other
// than the program's), kept in a small file of their own in the settings folder so that a file
// opened again, from the recent list or a project, comes back in its encoding. The settings
// and project files stay as they are. Does not read or write the file itself.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// "encodings.txt" in the settings folder.
inline constexpr std::string_view RememberedEncodingsFileName = "encodings.txt";
// The oldest entries go beyond this many, so the file never grows without bound.
inline constexpr std::size_t MaxRememberedEncodings = 200;

struct RememberedEncoding {
    std::string path;
    std::string encodingName; // DocumentEncoding::Name()
};

// One entry a line, newest first: the encoding name, a tab, the path. Lines that are not of this
// form are skipped.
std::vector<RememberedEncoding> ParseRememberedEncodings(std::string_view text);
std::string FormatRememberedEncodings(const std::vector<RememberedEncoding>& entries);

// The entry of path, compared as the file system compares paths.
std::optional<std::string> FindRememberedEncoding(const std::vector<RememberedEncoding>& entries,
                                                  std::string_view path);
// Puts path's entry first with encodingName, or takes it out when encodingName is empty. A path
// holding a line break cannot be kept and changes nothing.
void RememberEncoding(std::vector<RememberedEncoding>& entries, std::string_view path,
                      std::string_view encodingName);
