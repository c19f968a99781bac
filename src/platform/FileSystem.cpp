#include "platform/FileSystem.h"

#include "platform/SystemMemory.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <random>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace {

// Linux writes and reads at most about 2 GB per call; larger requests are split.
constexpr std::size_t kIoChunk = std::size_t{1} << 30;
// Links are followed at most this many times, as the kernel does before it gives up.
constexpr int kMaxLinkHops = 40;

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
    void Reset(int fd = -1) {
        if (fd_ >= 0) {
            close(fd_);
        }
        fd_ = fd;
    }

private:
    int fd_;
};

// A file created under a unique name; removed again unless Keep() is called.
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

    // Creates `folder` + "." + `name` + `tag` + random letters, exclusively and without
    // following links. Returns errno, 0 on success.
    int Create(std::string_view folder, std::string_view name, std::string_view tag, mode_t mode) {
        thread_local std::mt19937_64 generator{std::random_device{}() ^
                                               static_cast<std::uint64_t>(getpid())};
        // Leaves room for the additions below the common 255-byte limit of a file name.
        const std::string_view shortName = name.substr(0, 64);
        for (int attempt = 0; attempt < 100; ++attempt) {
            static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
            std::string candidate =
                std::string(folder) + "." + std::string(shortName) + std::string(tag);
            for (int i = 0; i < 10; ++i) {
                candidate += kLetters[generator() % (sizeof kLetters - 1)];
            }
            const int fd =
                open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
            if (fd >= 0) {
                this->fd.Reset(fd);
                path = std::move(candidate);
                return 0;
            }
            if (errno != EEXIST) {
                return errno;
            }
        }
        return EEXIST;
    }
    void Keep() { path.clear(); }

    FileDescriptor fd;
    std::string path;
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
    if (const int error = temp.Create(FolderOf(file), FileNameOf(file), ".tabrix-", mode)) {
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
    if (const int error = temp.Create(FolderOf(file), FileNameOf(file), ".tabrix-", 0600)) {
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
    int error = backup.Create(FolderOf(file), FileNameOf(file), ".tabrix-backup-", 0600);
    if (error == EACCES || error == EPERM || error == EROFS) {
        const FileResult<std::string> folder = PrivateTempFolder();
        if (!folder) {
            return error;
        }
        error = backup.Create(folder.value, FileNameOf(file), ".tabrix-backup-", 0600);
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

bool IsPrivateFolder(const std::string& folder) {
    struct stat status;
    return lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == geteuid() && (status.st_mode & 077) == 0;
}

// The folder itself if it is private, creating it when missing.
bool UsePrivateFolder(const std::string& folder) {
    if (mkdir(folder.c_str(), 0700) == 0) {
        // The umask may have taken more than the group and world bits.
        chmod(folder.c_str(), 0700);
    } else if (errno != EEXIST) {
        return false;
    }
    return IsPrivateFolder(folder);
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

std::optional<FileError> SaveFileAtomically(const std::string& path, std::string_view bytes,
                                            FileAccess access) {
    return SaveFileAtomically(
        path, [bytes](const std::function<bool(std::string_view)>& write) { write(bytes); },
        access);
}

std::optional<FileError> SaveFileAtomically(const std::string& path, const ContentWriter& content,
                                            FileAccess access) {
    const FileResult<std::string> target = FinalLinkTarget(path);
    if (!target) {
        return target.error;
    }
    const std::string& file = target.value;
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
    if (faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) {
        return SystemError(errno, "Cannot save", file);
    }
    if (status.st_nlink == 1 && !HasAccessControlList(file)) {
        const FileResult<Replacement> replaced = ReplaceByRename(file, status, content, access);
        if (!replaced || replaced.value == Replacement::Done) {
            return replaced.error;
        }
    }
    return RewriteInPlace(file, content);
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
        if (UsePrivateFolder(candidate)) {
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
