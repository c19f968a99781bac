#pragma once
// Project files (".txp"): the paths of a set of documents, one per line, in tab order, with no
// header. Entries inside the project file's folder are stored relative to it. Reads and writes
// the file; opening the documents it names is the window's business.

#include "platform/FileSystem.h"

#include <string>
#include <string_view>
#include <vector>

// The project of the tabs open at the last exit, kept in the settings folder.
inline constexpr std::string_view kDefaultProjectName = "default.txp";

// Only a file with a project's extension (".txp", exactly) is read as a project; every other
// file is a document, whatever file type the open dialog showed.
bool IsProjectFileName(std::string_view path);

// The entries of one project that name no file are told in one box, not one box each.
inline constexpr std::size_t kMaxListedMissingEntries = 20;

// One line per message, the first kMaxListedMissingEntries of them, then "and N more".
std::string MissingEntriesText(const std::vector<std::string>& messages);

// More entries than any set of tabs a person keeps open: such a file is no project, and opening
// it would make a tab per line.
inline constexpr int kMaxProjectEntries = 10000;
// Longer than any path a file system takes, on any platform we know.
inline constexpr std::size_t kMaxProjectEntryLength = 32767;

// How a document's path is stored in a project kept in `projectFolder` (with its trailing
// separator): the rest of the path when it lies in that folder, compared as the file system
// compares names; else the full path. A rest that reading would skip as blank, or take as absolute
// (after a doubled separator), is stored in full.
std::string ProjectEntry(std::string_view documentPath, std::string_view projectFolder);

// The file's content: each path's entry followed by CR LF. A path holding a line break cannot
// be stored as one line and is left out.
std::string ProjectText(const std::vector<std::string>& documentPaths,
                        std::string_view projectFolder);

// The paths the content names, in file order. Lines end at CR LF, LF or CR; lines holding only
// blanks and control characters are skipped; the others are taken as they are, untrimmed, and a
// relative one is put after `projectFolder`. Content holding a NUL byte (no path can), more than
// kMaxProjectEntries entries or an entry longer than kMaxProjectEntryLength is no project:
// the error says which.
FileResult<std::vector<std::string>> ProjectPaths(std::string_view content,
                                                  std::string_view projectFolder);

// Reads the project file at `path` (made absolute first) and gives the paths it names; an
// unreadable file or content that is no project is an error.
FileResult<std::vector<std::string>> LoadProjectFile(const std::string& path);

// Writes the documents' paths to the project file at `path`, atomically as documents are saved.
std::optional<FileError> SaveProjectFile(const std::string& path,
                                         const std::vector<std::string>& documentPaths);
