#pragma once
// One state of a file on disk, told apart from another without reading the file: its size, its
// modification time to the nanosecond and the file's identity (device and inode), which a
// replacement by rename changes. It says nothing about the content itself: a program that writes
// the same number of bytes within one tick of the file system's clock and resets nothing else
// goes unnoticed.

#include <cstdint>
#include <optional>
#include <string>

struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file at the path, symbolic links followed; nothing when no file is there
// (deleted, renamed away, a dangling link) or it is a folder.
std::optional<FileStamp> StampOfFile(const std::string& path);
