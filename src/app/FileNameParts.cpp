#include "app/FileNameParts.h"

#include "platform/FileSystem.h"

FileNameParts SplitFileName(std::string_view path) {
    const std::string_view folder = FolderOf(path);
    const std::string_view name = path.substr(folder.size());
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return {std::string(folder), std::string(name), {}};
    }
    return {std::string(folder), std::string(name.substr(0, dot)), std::string(name.substr(dot))};
}
