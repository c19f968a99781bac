#include "app/ProjectFile.h"

#include "app/DocumentText.h"
#include "app/FileNameParts.h"

#include <algorithm>

namespace {

bool HoldsLineBreak(std::string_view path) {
    return path.find_first_of("\r\n") != std::string_view::npos;
}

FileError NoProject(std::string_view why) {
    return {FileErrorKind::Other, std::string(why)};
}

} // namespace

bool IsProjectFileName(std::string_view path) {
    return SplitFileName(path).extension == ".txp";
}

std::string MissingEntriesText(const std::vector<std::string>& messages) {
    std::string text;
    const std::size_t listed = std::min(messages.size(), kMaxListedMissingEntries);
    for (std::size_t i = 0; i < listed; ++i) {
        if (i > 0)
            text += "\n";
        text += messages[i];
    }
    if (messages.size() > listed)
        text += "\nand " + std::to_string(messages.size() - listed) + " more";
    return text;
}

std::string ProjectEntry(std::string_view documentPath, std::string_view projectFolder) {
    if (documentPath.size() <= projectFolder.size() ||
        !SamePath(documentPath.substr(0, projectFolder.size()), projectFolder))
        return std::string(documentPath);
    const std::string_view rest = documentPath.substr(projectFolder.size());
    // A rest that would read back as another path, or be skipped, is stored in full.
    return IsBlankText(rest) || IsAbsolutePath(rest) ? std::string(documentPath)
                                                     : std::string(rest);
}

std::string ProjectText(const std::vector<std::string>& documentPaths,
                        std::string_view projectFolder) {
    std::string text;
    for (const std::string& path : documentPaths) {
        if (path.empty() || HoldsLineBreak(path))
            continue;
        text += ProjectEntry(path, projectFolder);
        text += "\r\n";
    }
    return text;
}

FileResult<std::vector<std::string>> ProjectPaths(std::string_view content,
                                                  std::string_view projectFolder) {
    FileResult<std::vector<std::string>> result;
    if (content.find('\0') != std::string_view::npos) {
        result.error = NoProject("The file holds binary data, not a list of files.");
        return result;
    }
    while (!content.empty()) {
        const std::size_t end = std::min(content.find_first_of("\r\n"), content.size());
        const std::string_view line = content.substr(0, end);
        std::size_t next = end;
        if (next < content.size())
            next += content.substr(next).starts_with("\r\n") ? 2 : 1;
        content.remove_prefix(next);
        if (IsBlankText(line))
            continue;
        if (line.size() > kMaxProjectEntryLength) {
            result.error = NoProject("A line is too long to be a file name.");
            return result;
        }
        if (result.value.size() == static_cast<std::size_t>(kMaxProjectEntries)) {
            result.error = NoProject("The file lists too many files.");
            return result;
        }
        result.value.push_back(IsAbsolutePath(line)
                                   ? std::string(line)
                                   : std::string(projectFolder) + std::string(line));
    }
    return result;
}

FileResult<std::vector<std::string>> LoadProjectFile(const std::string& path) {
    const std::string absolute = AbsolutePath(path);
    FileResult<std::string> content = ReadWholeFile(absolute);
    if (!content)
        return {{}, content.error};
    return ProjectPaths(content.value, FolderOf(absolute));
}

std::optional<FileError> SaveProjectFile(const std::string& path,
                                         const std::vector<std::string>& documentPaths) {
    const std::string absolute = AbsolutePath(path);
    return SaveFileAtomically(absolute, ProjectText(documentPaths, FolderOf(absolute)));
}
