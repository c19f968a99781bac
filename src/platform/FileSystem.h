#pragma once
// Files as the documents need them: read whole, saved without ever leaving a half-written file,
// and the path rules of the platform (absolute paths, comparison, the folder/name split, a
// private temporary folder). Knows nothing about text, encodings or editors.

#include "platform/ByteBlock.h"
#include "platform/Progress.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

enum class FileErrorKind {
    NotFound,
    IsFolder,
    PermissionDenied,
    TooLarge,
    Other,
};

struct FileError {
    FileErrorKind kind = FileErrorKind::Other;
    std::string message;  // for the user: names the path and the system's reason
    std::string reason{}; // the system's reason alone, for messages worded by the caller
};

// A value, or what went wrong instead.
template <typename T> struct FileResult {
    T value{};
    std::optional<FileError> error;

    explicit operator bool() const { return !error; }
};

// Files above this size are refused rather than read: the editors hold the whole text in memory
// and number its lines with int, and a file of this size has at most that many lines.
inline constexpr std::uint64_t kMaxReadableFileSize = (std::uint64_t{1} << 31) - 1;

// The whole content of a regular file, read with one allocation. Folders, devices and pipes
// are refused (reading them could block or never end).
FileResult<std::string> ReadWholeFile(const std::string& path);
// The same into a block that is not zero-filled first, reporting progress while it reads.
// Throws std::bad_alloc when the file does not fit in the memory the system can still give.
FileResult<ByteBlock> ReadFileBytes(const std::string& path, const ProgressHook& progress = {});

// Content written piece by piece: the writer hands every piece, in order, to `write`, and stops
// early when `write` returns false (the file could not take it).
using ContentWriter = std::function<void(const std::function<bool(std::string_view)>& write)>;

// What a save does with a file whose mode bits deny the user writing it.
enum class ReadOnlyFile { Refuse, Overwrite };
// Who may read what a save writes: as the umask lets (documents, and a replaced file keeps its
// permissions), or the owner alone whatever the umask (the program's private copies).
enum class FileAccess { Usual, OwnerOnly };

// Replaces the file's content by `bytes` so that a failure at any point (a full disk, a crash)
// leaves either the old or the new content, never a mix:
// - a new file, or a regular file with one link whose owner, group, permissions and ACL the
//   replacement can keep: written to a temporary file in the same folder, synced, renamed over
//   the old one; the folder is synced too;
// - otherwise (hard links, a folder we cannot create files in, an owner we cannot give): the old
//   content is copied to a backup first, the file is rewritten in place and synced, and restored
//   from the backup when that fails.
// A symbolic link is followed to its final target (a dangling link creates it), so the link
// stays a link. A read-only file (IsReadOnlyFile) or one the system would not let the user write
// is refused unless the caller asked to overwrite it; a folder or a device always is. While the
// temporary file is written its writer holds a lock on it, so a temporary left by a writer that
// died is told apart from one in use (RemoveStaleTemporaries). Returns nothing on success.
std::optional<FileError> SaveFileAtomically(const std::string& path, std::string_view bytes,
                                            ReadOnlyFile readOnly = ReadOnlyFile::Refuse,
                                            FileAccess access = FileAccess::Usual);
// The same with content that is never held whole in memory.
std::optional<FileError> SaveFileAtomically(const std::string& path, const ContentWriter& content,
                                            ReadOnlyFile readOnly = ReadOnlyFile::Refuse,
                                            FileAccess access = FileAccess::Usual);

// Adds bytes at the end of an existing file (never a link) and syncs them; on failure the file
// is cut back to what it was.
std::optional<FileError> AppendToFile(const std::string& path, std::string_view bytes);

// Whether the file's mode bits deny the user writing it, as editors tell a read-only file: the
// owner's, group's or others' write bit, whichever class the user is in. For root, whom the
// system lets write anything, a file that nobody may write. False when there is no such file.
bool IsReadOnlyFile(const std::string& path);

// Deletes the temporary files that saves of `path` (a link: of its target) left beside it when
// their writer was killed before it could rename them: files of ours by their name, owned by the
// user, on which no live writer holds its lock. Touches nothing else; failures are ignored.
void RemoveStaleTemporaries(const std::string& path);

// `path` made absolute against the current folder and normalised by its text alone: repeated
// separators, "." and ".." are removed; symbolic links are not resolved (as the Windows rules
// the program was defined with do). An empty path is the current folder.
std::string AbsolutePath(std::string_view path);

// Absolute by the platform's rules: here, starting with a separator. Anything else (a drive
// letter or a backslash included) is relative.
bool IsAbsolutePath(std::string_view path);

// Whether two paths name the same entry as the file system compares names: byte for byte here,
// without case on a case-insensitive platform. Pass absolute paths.
bool SamePath(std::string_view a, std::string_view b);

// A file that can be opened as one: something other than a folder exists at the path
// (following symbolic links; a dangling link is no file).
bool FileExists(const std::string& path);
// Anything at all is at the path, a folder or a dangling link included: the name is taken.
bool PathExists(const std::string& path);

// The running program's own executable file, absolute; empty when the system cannot tell.
std::string ExecutablePath();

bool IsPathSeparator(char c);
// The folder part of a path with its trailing separator ("" for a bare name), and the rest.
std::string_view FolderOf(std::string_view path);
std::string_view FileNameOf(std::string_view path);
// The folder part without its trailing separator ("/" stays), as folders are named alone.
std::string FolderPathOf(std::string_view path);
// folder with one separator added when it does not end in one ("" stays "").
std::string WithTrailingSeparator(std::string folder);
// A name that stays one entry of the folder it is appended to: not empty, not "." or "..", and
// without a separator or NUL byte.
bool IsPlainFileName(std::string_view name);

// What MakePrivateFolder does with a folder of the user's own that others may enter: refuse it
// (in a shared place, where others may have put things in it) or close it to them.
enum class OwnOpenFolder { Refuse, Close };

// Makes the folder (its parent must exist) or checks the one there: it must be a folder, not a
// link to one, owned by the user, which nobody else may enter. Nothing is changed in a folder
// that is a link or someone else's; what is wrong with the folder is returned.
std::optional<FileError> MakePrivateFolder(const std::string& folder,
                                           OwnOpenFolder ownOpen = OwnOpenFolder::Refuse);

// A folder only the current user can enter, ending in a separator: $XDG_RUNTIME_DIR/tabrix-pro,
// else ${TMPDIR:-/tmp}/tabrix-pro-<uid>. An existing one that is a link, belongs to someone
// else or is open to others is not used; a fresh uniquely named folder is made instead.
FileResult<std::string> PrivateTempFolder();
