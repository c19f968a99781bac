#pragma once
// The folder / stem / extension split used when naming a document's file. Pure text: the
// file system is never asked.

#include <string>
#include <string_view>

struct FileNameParts {
    std::string folder;    // with its trailing separator; "" for a bare name
    std::string stem;      // the name up to its last "."; the whole name when it has none
    std::string extension; // the last "." of the name and what follows; "" when none
};

// Only the name's own dots count, never one in a folder. A name starting with its only dot
// (".bashrc") is all extension and has an empty stem.
FileNameParts SplitFileName(std::string_view path);
