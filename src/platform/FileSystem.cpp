#include "platform/FileSystem.h"

#include "platform/SystemMemory.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// Linux writes and reads at most about 2 GB per call; larger requests are split.
constexpr std::size_t kIoChunk = std::size_t{1} << 30;
// Links are followed at most this many times, as the kernel does before it gives up.
constexpr int kMaxLinkHops = 40;

// The names of our unique files: "." + the file's name cut to its first bytes + a tag + random
// letters. The cut leaves room for the rest below the common 255-byte limit of a file name.
constexpr std::size_t kNameBytesKept = 64;
constexpr std::size_t kRandomLetters = 10;
constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::string_view kTemporaryTag = ".tabrix-";
constexpr std::string_view kBackupTag = ".tabrix-backup-";

std::string UniqueNamePrefix(std::string_view folder, std::string_view name, std::string_view tag) {
    return std::string(folder) + "." + std::string(name.substr(0, kNameBytesKept)) +
           std::string(tag);
}

FileErrorKind KindOf(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return FileErrorKind::NotFound;
    case EISDIR:
        return FileErrorKind::IsFolder;
    case EACCES:
    case EPERM:
        return FileErrorKind::PermissionDenied;
    case EFBIG:
        return FileErrorKind::TooLarge;
    default:
        return FileErrorKind::Other;
    }
}

FileError SystemError(int error, std::string_view action, const std::string& path) {
    const std::string reason = std::strerror(error);
    return {KindOf(error), std::string(action) + " \"" + path + "\": " + reason, reason};
}

FileError PlainError(FileErrorKind kind, std::string_view action, const std::string& path,
                     std::string_view reason) {
    return {kind, std::string(action) + " \"" + path + "\": " + std::string(reason),
            std::string(reason)};
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Reset(); }

    int Get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    // Closes now and reports the error: a delayed write error may only show up here.
    int Close() {
        const int result = close(fd_) == 0 ? 0 : errno;
        fd_ = -1;
        return result;
    }
    int Release() { return std::exchange(fd_, -1); }
    void Reset(int fd = -1) {
        if (fd_ >= 0) {
            close(fd_);
        }
        fd_ = fd;
    }

private:
    int fd_;
};

// A file created under a unique name and locked for as long as the object lives; removed again
// unless Keep() is called.
class UniqueFile {
public:
    UniqueFile() = default;
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;
    ~UniqueFile() {
        fd.Reset();
        if (!path.empty()) {
            unlink(path.c_str());
        }
    }

    // Creates UniqueNamePrefix + random letters, exclusively and without following links.
    // Returns errno, 0 on success.
    int Create(std::string_view folder, std::string_view name, std::string_view tag, mode_t mode) {
        thread_local std::mt19937_64 generator{std::random_device{}() ^
                                               static_cast<std::uint64_t>(getpid())};
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string candidate = UniqueNamePrefix(folder, name, tag);
            for (std::size_t i = 0; i < kRandomLetters; ++i) {
                candidate += kLetters[generator() % kLetters.size()];
            }
            FileDescriptor created(
                open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode));
            if (!created) {
                if (errno != EEXIST) {
                    return errno;
                }
                continue;
            }
            const int error = LockUntilClosed(created.Get());
            struct stat status;
            if (error != 0 || fstat(created.Get(), &status) != 0) {
                unlink(candidate.c_str());
                return error != 0 ? error : errno;
            }
            // A cleaner took the file for stale in the moment before the lock: it is gone.
            if (status.st_nlink == 0) {
                continue;
            }
            fd.Reset(fcntl(created.Get(), F_DUPFD_CLOEXEC, 0));
            lock.Reset(created.Release());
            path = std::move(candidate);
            if (!fd) {
                return errno;
            }
            return 0;
        }
        return EEXIST;
    }
    void Keep() { path.clear(); }

    FileDescriptor fd;
    std::string path;

private:
    // The lock belongs to the open file, which this second descriptor keeps open after fd is
    // closed to report delayed write errors, up to and past the rename.
    static int LockUntilClosed(int descriptor) {
        while (flock(descriptor, LOCK_EX) != 0) {
            if (errno != EINTR) {
                return errno;
            }
        }
        return 0;
    }

    FileDescriptor lock;
};

int WriteAllAt(int fd, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t written = pwrite(fd, bytes.data(), std::min(bytes.size(), kIoChunk), offset);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
    return 0;
}

// Writes the content's pieces one after another from the start of the file. Returns errno.
int WriteContent(int fd, const ContentWriter& content) {
    int error = 0;
    off_t offset = 0;
    content([&](std::string_view piece) {
        error = WriteAllAt(fd, piece, offset);
        offset += static_cast<off_t>(piece.size());
        return error == 0;
    });
    return error;
}

// Copies everything of `from` over the start of `to`, which must be empty. Returns errno.
int CopyContent(int from, int to) {
    std::vector<char> buffer(1 << 20);
    for (off_t offset = 0;;) {
        const ssize_t got = pread(from, buffer.data(), buffer.size(), offset);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (got == 0) {
            return 0;
        }
        if (const int error =
                WriteAllAt(to, {buffer.data(), static_cast<std::size_t>(got)}, offset)) {
            return error;
        }
        offset += got;
    }
}

int Sync(int fd) {
    return fsync(fd) == 0 ? 0 : errno;
}

// Makes a rename in the folder durable; file systems that cannot sync folders lose nothing
// by the failure, so it is not reported.
void SyncFolder(std::string_view folder) {
    const std::string name = folder.empty() ? std::string(".") : std::string(folder);
    FileDescriptor fd(open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd) {
        fsync(fd.Get());
    }
}

// The file a chain of symbolic links ends at; the path itself when it is no link. The end of a
// dangling link is returned as it is, so saving creates it.
FileResult<std::string> FinalLinkTarget(const std::string& path) {
    FileResult<std::string> result;
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat status;
        if (lstat(current.c_str(), &status) != 0) {
            if (errno == ENOENT) {
                result.value = std::move(current);
            } else {
                result.error = SystemError(errno, "Cannot save", path);
            }
            return result;
        }
        if (!S_ISLNK(status.st_mode)) {
            result.value = std::move(current);
            return result;
        }
        std::string target(static_cast<std::size_t>(status.st_size) + 256, '\0');
        const ssize_t length = readlink(current.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size()) {
            result.error = SystemError(length < 0 ? errno : ENAMETOOLONG, "Cannot save", path);
            return result;
        }
        target.resize(static_cast<std::size_t>(length));
        current = !target.empty() && IsPathSeparator(target.front())
                      ? target
                      : std::string(FolderOf(current)) + target;
    }
    result.error = SystemError(ELOOP, "Cannot save", path);
    return result;
}

bool HasAccessControlList(const std::string& path) {
    return getxattr(path.c_str(), "system.posix_acl_access", nullptr, 0) >= 0;
}

// Writes, syncs and renames `temp` over `file`.
std::optional<FileError> CommitByRename(UniqueFile& temp, const std::string& file,
                                        const ContentWriter& content) {
    int error = WriteContent(temp.fd.Get(), content);
    if (error == 0) {
        error = Sync(temp.fd.Get());
    }
    if (error == 0) {
        error = temp.fd.Close();
    }
    if (error != 0) {
        return SystemError(error, "Cannot write", file);
    }
    if (rename(temp.path.c_str(), file.c_str()) != 0) {
        return SystemError(errno, "Cannot replace", file);
    }
    temp.Keep();
    SyncFolder(FolderOf(file));
    return std::nullopt;
}

std::optional<FileError> CreateByRename(const std::string& file, const ContentWriter& content,
                                        FileAccess access) {
    UniqueFile temp;
    // The permissions a new file gets anyway (0666 less the umask), so the content is never
    // more open than the finished file.
    const mode_t mode = access == FileAccess::OwnerOnly ? 0600 : 0666;
    if (const int error = temp.Create(FolderOf(file), FileNameOf(file), kTemporaryTag, mode)) {
        return SystemError(error, "Cannot create", file);
    }
    return CommitByRename(temp, file, content);
}

enum class Replacement { Done, InPlaceNeeded };

// Replaces `file` by a new file renamed over it, unless the new file could not take over the
// old one's owner and group (then InPlaceNeeded, nothing changed).
FileResult<Replacement> ReplaceByRename(const std::string& file, const struct stat& old,
                                        const ContentWriter& content, FileAccess access) {
    FileResult<Replacement> result;
    UniqueFile temp;
    if (const int error = temp.Create(FolderOf(file), FileNameOf(file), kTemporaryTag, 0600)) {
        if (error == EACCES || error == EPERM) {
            result.value = Replacement::InPlaceNeeded;
        } else {
            result.error = SystemError(error, "Cannot save", file);
        }
        return result;
    }
    struct stat created;
    if (fstat(temp.fd.Get(), &created) != 0) {
        result.error = SystemError(errno, "Cannot save", file);
        return result;
    }
    if (created.st_uid != old.st_uid || created.st_gid != old.st_gid) {
        if (fchown(temp.fd.Get(), old.st_uid, old.st_gid) != 0) {
            if (errno == EPERM) {
                result.value = Replacement::InPlaceNeeded;
            } else {
                result.error = SystemError(errno, "Cannot save", file);
            }
            return result;
        }
    }
    // After the owner: changing it clears the set-user-ID and set-group-ID bits.
    const mode_t mode = access == FileAccess::OwnerOnly ? 0600 : old.st_mode & 07777;
    if (fchmod(temp.fd.Get(), mode) != 0) {
        result.error = SystemError(errno, "Cannot save", file);
        return result;
    }
    result.error = CommitByRename(temp, file, content);
    result.value = Replacement::Done;
    return result;
}

// A backup of `source` in the folder of `file`, or in the private temporary folder when that
// folder takes no new files. Returns errno.
int MakeBackup(const std::string& file, int source, UniqueFile& backup) {
    int error = backup.Create(FolderOf(file), FileNameOf(file), kBackupTag, 0600);
    if (error == EACCES || error == EPERM || error == EROFS) {
        const FileResult<std::string> folder = PrivateTempFolder();
        if (!folder) {
            return error;
        }
        error = backup.Create(folder.value, FileNameOf(file), kBackupTag, 0600);
    }
    if (error == 0) {
        error = CopyContent(source, backup.fd.Get());
    }
    if (error == 0) {
        error = Sync(backup.fd.Get());
    }
    return error;
}

int Rewrite(int fd, const ContentWriter& content) {
    if (ftruncate(fd, 0) != 0) {
        return errno;
    }
    if (const int error = WriteContent(fd, content)) {
        return error;
    }
    return Sync(fd);
}

int Restore(int fd, int backup) {
    if (ftruncate(fd, 0) != 0) {
        return errno;
    }
    if (const int error = CopyContent(backup, fd)) {
        return error;
    }
    return Sync(fd);
}

// For files a rename would change: hard-linked ones, or in a folder we cannot add to.
std::optional<FileError> RewriteInPlace(const std::string& file, const ContentWriter& content) {
    FileDescriptor target(open(file.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY));
    if (!target) {
        return SystemError(errno, "Cannot open", file);
    }
    UniqueFile backup;
    if (const int error = MakeBackup(file, target.Get(), backup)) {
        return SystemError(error, "Cannot make a backup of", file);
    }
    const int error = Rewrite(target.Get(), content);
    if (error == 0) {
        return std::nullopt;
    }
    FileError failure = SystemError(error, "Cannot write", file);
    if (Restore(target.Get(), backup.fd.Get()) != 0) {
        failure.message += "; the old content is kept in \"" + backup.path + "\"";
        backup.Keep();
    }
    return failure;
}

bool InGroup(gid_t group) {
    if (group == getegid()) {
        return true;
    }
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(getgroups(0, nullptr), 0)));
    groups.resize(static_cast<std::size_t>(
        std::max(getgroups(static_cast<int>(groups.size()), groups.data()), 0)));
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

bool DeniesWriting(const struct stat& status) {
    const uid_t user = geteuid();
    if (status.st_uid == user) {
        return (status.st_mode & S_IWUSR) == 0;
    }
    if (user == 0) {
        return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    }
    return (status.st_mode & (InGroup(status.st_gid) ? S_IWGRP : S_IWOTH)) == 0;
}

// One of our temporary files for `prefix`'s file: the prefix and then random letters only.
bool IsTemporaryName(std::string_view name, std::string_view prefix) {
    return name.size() == prefix.size() + kRandomLetters && name.starts_with(prefix) &&
           name.find_first_not_of(kLetters, prefix.size()) == std::string_view::npos;
}

// Deletes the temporary file at `path` when it is ours and no writer holds its lock.
void RemoveIfStale(const std::string& path) {
    FileDescriptor fd(
        open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK));
    struct stat status;
    if (!fd || fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_uid != geteuid() || flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
        return;
    }
    // Still the same file under that name: nothing was put in its place meanwhile.
    struct stat named;
    if (lstat(path.c_str(), &named) == 0 && named.st_dev == status.st_dev &&
        named.st_ino == status.st_ino) {
        unlink(path.c_str());
    }
}

// A trailing separator would make lstat and mkdir follow a link in the folder's place.
std::string WithoutTrailingSeparators(std::string folder) {
    while (folder.size() > 1 && IsPathSeparator(folder.back())) {
        folder.pop_back();
    }
    return folder;
}

std::optional<FileError> CheckPrivateFolder(const std::string& folder) {
    struct stat status;
    if (lstat(folder.c_str(), &status) != 0) {
        return SystemError(errno, "Cannot use the folder", folder);
    }
    const char* const reason = S_ISLNK(status.st_mode)       ? "It is a symbolic link"
                               : !S_ISDIR(status.st_mode)    ? "It is not a folder"
                               : status.st_uid != geteuid()  ? "It belongs to another user"
                               : (status.st_mode & 077) != 0 ? "Other users may enter it"
                                                             : nullptr;
    if (reason != nullptr) {
        return PlainError(FileErrorKind::PermissionDenied, "Cannot use the folder", folder, reason);
    }
    return std::nullopt;
}

bool IsPrivateFolder(const std::string& folder) {
    return !CheckPrivateFolder(folder);
}

// The folder named by an environment variable, without trailing separators so that a name can
// follow one; nullopt when unset or not absolute.
std::optional<std::string> FolderFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || !IsPathSeparator(value[0])) {
        return std::nullopt;
    }
    std::string folder = value;
    while (!folder.empty() && IsPathSeparator(folder.back())) {
        folder.pop_back();
    }
    return folder;
}

} // namespace

FileResult<std::string> ReadWholeFile(const std::string& path) {
    FileResult<std::string> result;
    FileResult<ByteBlock> read = ReadFileBytes(path);
    if (!read)
        result.error = std::move(read.error);
    else
        result.value.assign(read.value.View());
    return result;
}

FileResult<ByteBlock> ReadFileBytes(const std::string& path, const ProgressHook& progress) {
    FileResult<ByteBlock> result;
    // Non-blocking, so that opening a pipe cannot wait for a writer.
    FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd) {
        result.error = SystemError(errno, "Cannot open", path);
        return result;
    }
    struct stat status;
    if (fstat(fd.Get(), &status) != 0) {
        result.error = SystemError(errno, "Cannot read", path);
        return result;
    }
    if (S_ISDIR(status.st_mode)) {
        result.error = PlainError(FileErrorKind::IsFolder, "Cannot open", path, "It is a folder");
        return result;
    }
    if (!S_ISREG(status.st_mode)) {
        result.error =
            PlainError(FileErrorKind::Other, "Cannot open", path, "It is not a regular file");
        return result;
    }
    const FileError tooLarge =
        PlainError(FileErrorKind::TooLarge, "Cannot open", path, "The file is too large");
    if (static_cast<std::uint64_t>(status.st_size) > kMaxReadableFileSize) {
        result.error = tooLarge;
        return result;
    }
    // The block is written whole at once: it must fit, or the system ends the process.
    if (!MemoryFits(static_cast<std::uint64_t>(status.st_size)))
        throw std::bad_alloc();
    ByteBlock& bytes = result.value;
    bytes.Resize(static_cast<std::size_t>(status.st_size));
    ProgressReporter reporter(progress, bytes.Size());
    std::size_t filled = 0;
    for (;;) {
        ssize_t got;
        if (filled < bytes.Size()) {
            // In steps, so that progress can be shown while a large file comes in.
            got = read(fd.Get(), bytes.Data() + filled,
                       std::min<std::size_t>(bytes.Size() - filled, kProgressStep));
            if (got > 0) {
                filled += static_cast<std::size_t>(got);
            }
        } else {
            // The size was reached (or the file has none, as in /proc): look for more.
            char spill[1 << 16];
            got = read(fd.Get(), spill, sizeof spill);
            if (got > 0) {
                if (filled + static_cast<std::size_t>(got) > kMaxReadableFileSize) {
                    result.error = tooLarge;
                    bytes = ByteBlock();
                    return result;
                }
                bytes.Resize(filled + std::max<std::size_t>(filled / 8, sizeof spill));
                std::memcpy(bytes.Data() + filled, spill, static_cast<std::size_t>(got));
                filled += static_cast<std::size_t>(got);
            }
        }
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.error = SystemError(errno, "Cannot read", path);
            bytes = ByteBlock();
            return result;
        }
        reporter.Advance(filled);
    }
    bytes.Resize(filled);
    return result;
}

std::optional<FileError> AppendToFile(const std::string& path, std::string_view bytes) {
    FileDescriptor fd(open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!fd)
        return SystemError(errno, "Cannot open", path);
    struct stat status {};
    if (fstat(fd.Get(), &status) != 0)
        return SystemError(errno, "Cannot read the size of", path);
    int error = WriteAllAt(fd.Get(), bytes, status.st_size);
    if (!error)
        error = Sync(fd.Get());
    if (error) {
        // What follows must not land after half of this.
        if (ftruncate(fd.Get(), status.st_size) == 0)
            Sync(fd.Get());
        return SystemError(error, "Cannot write to", path);
    }
    return std::nullopt;
}

std::optional<FileError> SaveFileAtomically(const std::string& path, std::string_view bytes,
                                            ReadOnlyFile readOnly, FileAccess access) {
    return SaveFileAtomically(
        path, [bytes](const std::function<bool(std::string_view)>& write) { write(bytes); },
        readOnly, access);
}

std::optional<FileError> SaveFileAtomically(const std::string& path, const ContentWriter& content,
                                            ReadOnlyFile readOnly, FileAccess access) {
    const FileResult<std::string> target = FinalLinkTarget(path);
    if (!target) {
        return target.error;
    }
    const std::string& file = target.value;
    // First, so that the room they took is there for the new copy.
    RemoveStaleTemporaries(file);
    struct stat status;
    if (lstat(file.c_str(), &status) != 0) {
        if (errno != ENOENT) {
            return SystemError(errno, "Cannot save", file);
        }
        return CreateByRename(file, content, access);
    }
    if (S_ISDIR(status.st_mode)) {
        return PlainError(FileErrorKind::IsFolder, "Cannot save", file, "It is a folder");
    }
    if (!S_ISREG(status.st_mode)) {
        return PlainError(FileErrorKind::Other, "Cannot save", file, "It is not a regular file");
    }
    // A file the user may not write is refused, though a writable folder would let us
    // replace it.
    if (readOnly == ReadOnlyFile::Refuse) {
        if (faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) {
            return SystemError(errno, "Cannot save", file);
        }
        if (DeniesWriting(status)) {
            return PlainError(FileErrorKind::PermissionDenied, "Cannot save", file,
                              "The file is read-only");
        }
    }
    if (status.st_nlink == 1 && !HasAccessControlList(file)) {
        const FileResult<Replacement> replaced = ReplaceByRename(file, status, content, access);
        if (!replaced || replaced.value == Replacement::Done) {
            return replaced.error;
        }
    }
    return RewriteInPlace(file, content);
}

bool IsReadOnlyFile(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && DeniesWriting(status);
}

void RemoveStaleTemporaries(const std::string& path) {
    const FileResult<std::string> target = FinalLinkTarget(path);
    if (!target) {
        return;
    }
    const std::string folder(FolderOf(target.value));
    const std::string prefix = UniqueNamePrefix("", FileNameOf(target.value), kTemporaryTag);
    DIR* const listing = opendir(folder.empty() ? "." : folder.c_str());
    if (listing == nullptr) {
        return;
    }
    std::vector<std::string> stale;
    while (const dirent* entry = readdir(listing)) {
        if (IsTemporaryName(entry->d_name, prefix)) {
            stale.push_back(folder + entry->d_name);
        }
    }
    closedir(listing);
    std::for_each(stale.begin(), stale.end(), RemoveIfStale);
}

std::string AbsolutePath(std::string_view path) {
    std::string joined;
    if (!IsAbsolutePath(path)) {
        std::error_code error;
        const std::filesystem::path current = std::filesystem::current_path(error);
        // Without a current folder (it was removed) the path stays relative.
        if (!error) {
            joined = current.string() + "/";
        }
    }
    joined += path;
    const bool absolute = !joined.empty() && IsPathSeparator(joined.front());

    std::vector<std::string_view> parts;
    std::string_view rest = joined;
    while (!rest.empty()) {
        const auto end = std::find_if(rest.begin(), rest.end(), IsPathSeparator);
        const std::string_view part(rest.begin(), end);
        rest.remove_prefix(part.size() + (end == rest.end() ? 0 : 1));
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == ".." && !parts.empty() && parts.back() != "..") {
            parts.pop_back();
        } else if (part != ".." || !absolute) {
            parts.push_back(part);
        }
    }
    std::string result = absolute ? "/" : "";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        result += i == 0 ? "" : "/";
        result += parts[i];
    }
    return result.empty() ? "." : result;
}

bool IsAbsolutePath(std::string_view path) {
    return !path.empty() && IsPathSeparator(path.front());
}

// Linux file systems compare names byte for byte.
bool SamePath(std::string_view a, std::string_view b) {
    return a == b;
}

bool FileExists(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

bool PathExists(const std::string& path) {
    struct stat status;
    return lstat(path.c_str(), &status) == 0;
}

std::string ExecutablePath() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

bool IsPathSeparator(char c) {
    return c == '/';
}

std::string_view FolderOf(std::string_view path) {
    const auto nameStart = std::find_if(path.rbegin(), path.rend(), IsPathSeparator).base();
    return path.substr(0, static_cast<std::size_t>(nameStart - path.begin()));
}

std::string_view FileNameOf(std::string_view path) {
    return path.substr(FolderOf(path).size());
}

std::string FolderPathOf(std::string_view path) {
    std::string folder(FolderOf(path));
    if (folder.size() > 1 && IsPathSeparator(folder.back()))
        folder.pop_back();
    return folder;
}

// Gives a folder of the user's own the mode 0700; never what a link leads to, never another's.
void CloseOwnFolder(const std::string& folder) {
    FileDescriptor fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat status;
    if (fd && fstat(fd.Get(), &status) == 0 && status.st_uid == geteuid() &&
        (status.st_mode & 07777) != 0700) {
        fchmod(fd.Get(), 0700);
    }
}

std::optional<FileError> MakePrivateFolder(const std::string& path, OwnOpenFolder ownOpen) {
    const std::string folder = WithoutTrailingSeparators(path);
    if (mkdir(folder.c_str(), 0700) == 0) {
        // The umask may have taken more than the group and world bits.
        CloseOwnFolder(folder);
    } else if (errno != EEXIST) {
        return SystemError(errno, "Cannot create the folder", folder);
    } else if (ownOpen == OwnOpenFolder::Close) {
        CloseOwnFolder(folder);
    }
    return CheckPrivateFolder(folder);
}

FileResult<std::string> PrivateTempFolder() {
    // A folder made by mkdtemp is reused for the rest of the process.
    static std::string madeUnique;
    FileResult<std::string> result;

    const std::string shared = FolderFromEnvironment("TMPDIR").value_or("/tmp");
    const std::string ownName = "tabrix-pro-" + std::to_string(geteuid());
    std::vector<std::string> candidates;
    if (const std::optional<std::string> runtime = FolderFromEnvironment("XDG_RUNTIME_DIR")) {
        candidates.push_back(*runtime + "/tabrix-pro");
    }
    candidates.push_back(shared + "/" + ownName);
    for (const std::string& candidate : candidates) {
        if (!MakePrivateFolder(candidate)) {
            result.value = candidate + "/";
            return result;
        }
    }
    if (madeUnique.empty() || !IsPrivateFolder(madeUnique)) {
        std::string pattern = shared + "/" + ownName + "-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            result.error = SystemError(errno, "Cannot create a temporary folder in", shared);
            return result;
        }
        madeUnique = pattern;
    }
    result.value = madeUnique + "/";
    return result;
}

std::string WithTrailingSeparator(std::string folder) {
    if (!folder.empty() && !IsPathSeparator(folder.back())) {
        folder += '/';
    }
    return folder;
}

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           std::none_of(name.begin(), name.end(),
                        [](char c) { return c == '\0' || IsPathSeparator(c); });
}
