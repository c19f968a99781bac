#include "platform/FileStamp.h"

#include <sys/stat.h>

std::optional<FileStamp> StampOfFile(const std::string& path) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || S_ISDIR(status.st_mode))
        return std::nullopt;
    return FileStamp{.size = static_cast<std::uint64_t>(status.st_size),
                     .modifiedSeconds = static_cast<std::int64_t>(status.st_mtim.tv_sec),
                     .modifiedNanoseconds = static_cast<std::int64_t>(status.st_mtim.tv_nsec),
                     .device = static_cast<std::uint64_t>(status.st_dev),
                     .inode = static_cast<std::uint64_t>(status.st_ino)};
}
