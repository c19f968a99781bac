#include "recovery/RecoveryFolder.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kInstancePrefix = "instance-";
constexpr std::string_view kFilePrefix = "document-";
constexpr std::string_view kFileExtension = ".recovery";
constexpr std::string_view kLockName = "lock";
constexpr std::string_view kRefusedFolder = "refused";
constexpr std::string_view kFallbackFolder = "recovery";

FileError FolderError(const std::string& folder, const std::error_code& error) {
    return {FileErrorKind::Other, "Cannot create the folder " + folder + ": " + error.message(),
            error.message()};
}

std::string RandomName(std::string_view prefix) {
    static std::random_device device;
    std::uniform_int_distribution<unsigned long long> draw;
    char digits[17] = {};
    std::to_chars(digits, digits + 16, draw(device), 16);
    return std::string(prefix) + digits;
}

// The document number in a copy's file name; nothing for any other file.
std::optional<int> SerialOf(const std::string& name) {
    if (!name.starts_with(kFilePrefix) || !name.ends_with(kFileExtension))
        return std::nullopt;
    const std::string_view digits(name.data() + kFilePrefix.size(),
                                  name.size() - kFilePrefix.size() - kFileExtension.size());
    int serial = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), serial);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return serial;
}

// Whether the two are copies of one document: of the same file, or untitled and alike.
bool SameDocument(const RecoveredDocument& a, const RecoveredDocument& b) {
    if (!a.header.fileName.empty() || !b.header.fileName.empty())
        return a.header.fileName == b.header.fileName;
    return a.header == b.header && a.text == b.text;
}

void MarkSuperseded(std::vector<AbandonedCopy>& copies) {
    std::vector<fs::file_time_type> written;
    for (const AbandonedCopy& copy : copies) {
        std::error_code error;
        written.push_back(fs::last_write_time(copy.path, error));
    }
    for (std::size_t i = 0; i < copies.size(); ++i) {
        for (std::size_t j = 0; j < copies.size() && !copies[i].superseded; ++j) {
            // Of two written at the same time, the one read later stands.
            const bool later = written[j] > written[i] || (written[j] == written[i] && j > i);
            copies[i].superseded = j != i && later && copies[i].document && copies[j].document &&
                                   SameDocument(*copies[i].document, *copies[j].document);
        }
    }
}

void ReadCopies(const std::string& folder, std::vector<AbandonedCopy>& copies) {
    std::vector<std::pair<int, std::string>> found;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (const std::optional<int> serial = SerialOf(entry.path().filename().string()))
            found.emplace_back(*serial, entry.path().string());
    }
    std::sort(found.begin(), found.end());
    for (const auto& [serial, path] : found) {
        AbandonedCopy copy{path, std::nullopt, {}, false};
        FileResult<std::string> bytes = ReadWholeFile(path);
        if (!bytes) {
            copy.error = bytes.error->message;
        } else {
            RecoveryParse parsed = ParseRecoveryFile(std::move(bytes.value));
            copy.document = std::move(parsed.document);
            copy.error = std::move(parsed.error);
        }
        copies.push_back(std::move(copy));
    }
}

} // namespace

RecoveryRootChoice ChooseRecoveryRoot(const std::string& wanted) {
    // The folder it goes in (the settings folder) may not be made yet.
    fs::path folder(wanted);
    if (!folder.has_filename())
        folder = folder.parent_path();
    std::error_code ignored;
    fs::create_directories(folder.parent_path(), ignored);
    const std::optional<FileError> refused = MakePrivateFolder(wanted, OwnOpenFolder::Close);
    if (!refused)
        return {wanted, {}};
    const FileResult<std::string> temporary = PrivateTempFolder();
    if (!temporary)
        return {{}, refused->message + "; " + temporary.error->message};
    const std::string fallback = temporary.value + std::string(kFallbackFolder) + "/";
    return {fallback, refused->message + "; recovery copies are kept in " + fallback};
}

FileResult<RecoveryFolder> RecoveryFolder::Create(const std::string& root) {
    // The copies hold the user's text: nobody else may look in.
    if (std::optional<FileError> error = MakePrivateFolder(root, OwnOpenFolder::Close))
        return {{}, std::move(error)};
    // Made and locked under a name nobody scans, then renamed: no other instance can ever see
    // the subfolder unlocked and take it for abandoned.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = RandomName("");
        const fs::path draft = fs::path(root) / ("." + name);
        std::error_code error;
        if (!fs::create_directory(draft, error)) {
            if (error)
                return {{}, FolderError(draft.string(), error)};
            continue;
        }
        fs::permissions(draft, fs::perms::owner_all, fs::perm_options::replace, error);
        std::optional<InstanceLock> lock = InstanceLock::TryAcquire((draft / kLockName).string());
        const fs::path named = fs::path(root) / (std::string(kInstancePrefix) + name);
        if (lock && !fs::exists(named, error)) {
            fs::rename(draft, named, error);
            if (!error) {
                RecoveryFolder folder;
                folder.path = WithTrailingSeparator(named.string());
                folder.lock = std::move(lock);
                return {std::move(folder), std::nullopt};
            }
        }
        fs::remove_all(draft, error);
        if (!lock)
            return {
                {},
                FolderError(draft.string(), std::make_error_code(std::errc::no_lock_available))};
    }
    return {{}, FolderError(root, std::make_error_code(std::errc::file_exists))};
}

std::string RecoveryFolder::FileFor(int serial) const {
    return path + std::string(kFilePrefix) + std::to_string(serial) + std::string(kFileExtension);
}

void RecoveryFolder::RemoveAll() {
    if (!lock)
        return;
    std::error_code error;
    fs::remove_all(path, error);
    lock.reset();
}

AbandonedCopies AbandonedCopies::Claim(const std::string& root) {
    AbandonedCopies result;
    result.root = root;
    std::error_code error;
    std::vector<std::string> folders;
    for (const fs::directory_entry& entry : fs::directory_iterator(root, error)) {
        if (entry.is_directory(error) &&
            entry.path().filename().string().starts_with(kInstancePrefix))
            folders.push_back(entry.path().string());
    }
    std::sort(folders.begin(), folders.end());
    for (const std::string& folder : folders) {
        // Held: its instance is alive. Taken: it is ours now, and no other instance's.
        std::optional<InstanceLock> lock =
            InstanceLock::TryAcquire((fs::path(folder) / kLockName).string());
        if (!lock)
            continue;
        ReadCopies(folder, result.copies);
        result.claimed.push_back({folder, std::move(*lock)});
    }
    MarkSuperseded(result.copies);
    return result;
}

FileResult<std::string> AbandonedCopies::SetAside(const AbandonedCopy& copy) {
    const fs::path refused = fs::path(root) / kRefusedFolder;
    if (std::optional<FileError> error =
            MakePrivateFolder(refused.string(), OwnOpenFolder::Close)) {
        kept.push_back(fs::path(copy.path).parent_path().string());
        return {{}, std::move(error)};
    }
    const fs::path source(copy.path);
    const fs::path target =
        refused / (source.parent_path().filename().string() + "-" + source.filename().string());
    std::error_code error;
    fs::rename(source, target, error);
    if (error) {
        kept.push_back(source.parent_path().string());
        return {{},
                FileError{FileErrorKind::Other,
                          "Cannot move " + copy.path + " to " + target.string() + ": " +
                              error.message(),
                          error.message()}};
    }
    return {target.string(), std::nullopt};
}

void AbandonedCopies::Discard() {
    std::error_code error;
    for (const Claimed& folder : claimed) {
        if (std::find(kept.begin(), kept.end(), folder.path) == kept.end())
            fs::remove_all(folder.path, error);
    }
    claimed.clear();
    copies.clear();
}
