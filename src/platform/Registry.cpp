#include "platform/Registry.h"

#include "platform/FileSystem.h"
#include "platform/RegistryFormat.h"
#include "platform/ShellFolders.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using detail::RegistryNode;

// What identifies one version of a hive file: a save renames a new file over it.
struct FileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedNanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const std::filesystem::path& file) {
    struct stat info {};
    if (stat(file.c_str(), &info) != 0)
        return {};
    return {true, info.st_dev, info.st_ino, info.st_size,
            info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec};
}

std::string SystemError(const std::string& what, const std::filesystem::path& file) {
    return what + " " + file.string() + ": " + std::strerror(errno);
}

// Holds the lock file open: closing it releases the lock.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd(fd) {}
    ~FileDescriptor() {
        if (fd >= 0)
            close(fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd; }

private:
    int fd;
};

const RegistryNode* FindNode(const RegistryNode& root, std::string_view path) {
    const RegistryNode* node = &root;
    for (const std::string_view component : detail::SplitKeyPath(path)) {
        const auto found = node->children.find(detail::FoldRegistryName(component));
        if (found == node->children.end())
            return nullptr;
        node = found->second.get();
    }
    return node;
}

RegistryNode* FindNode(RegistryNode& root, std::string_view path) {
    return const_cast<RegistryNode*>(FindNode(static_cast<const RegistryNode&>(root), path));
}

std::string KeyNotFound(std::string_view key) {
    return "Registry key not found: " + std::string(key);
}

} // namespace

struct Registry::Hive {
    std::filesystem::path file;
    RegistryNode root;
    FileStamp stamp;
    bool loaded = false;
    std::string problem; // the file is damaged; set it aside before the next save

    void Load() {
        root = RegistryNode();
        problem.clear();
        stamp = StampOf(file);
        loaded = true;
        if (!stamp.exists)
            return;
        std::ifstream in(file, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        if (!in) {
            problem = "cannot be read";
            return;
        }
        auto parse = detail::ParseRegistry(content.str());
        root = std::move(parse.root);
        problem = std::move(parse.problem);
    }

    // Keeps a damaged file as "<file>.bad" (or .bad1, .bad2, ...) so the next save loses
    // nothing the user might still want.
    RegistryStatus SetAsideDamaged() {
        if (problem.empty() || !StampOf(file).exists)
            return {};
        std::filesystem::path backup = file.string() + ".bad";
        for (int n = 1; std::filesystem::exists(backup); ++n)
            backup = file.string() + ".bad" + std::to_string(n);
        if (rename(file.c_str(), backup.c_str()) != 0)
            return RegistryStatus::Failure(SystemError("Cannot set aside the damaged", file));
        problem.clear();
        return {true,
                "The damaged registry file " + file.string() + " was kept as " + backup.string()};
    }

    // Applies change under an exclusive lock on "<file>.lock", from the file's latest state,
    // and saves the result.
    template <class Change> RegistryStatus Modify(Change change) {
        std::error_code error;
        std::filesystem::create_directories(file.parent_path(), error);
        if (error)
            return RegistryStatus::Failure("Cannot create the folder " +
                                           file.parent_path().string() + ": " + error.message());
        const std::filesystem::path lockFile = file.string() + ".lock";
        FileDescriptor lock(open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
        if (lock.Get() < 0)
            return RegistryStatus::Failure(SystemError("Cannot open", lockFile));
        while (flock(lock.Get(), LOCK_EX) != 0) {
            if (errno != EINTR)
                return RegistryStatus::Failure(SystemError("Cannot lock", lockFile));
        }
        Refresh();
        RegistryStatus status = change(root);
        if (!status)
            return status;
        status = SetAsideDamaged();
        if (!status)
            return status;
        if (const auto failure =
                SaveFileAtomically(file.string(), detail::SerializeRegistry(root))) {
            loaded = false; // memory holds a change the file does not: read the file again
            return RegistryStatus::Failure(failure->message);
        }
        stamp = StampOf(file);
        return status;
    }

    void Refresh() {
        if (!loaded || StampOf(file) != stamp)
            Load();
    }
};

Registry::Registry(std::filesystem::path folder) : folder(std::move(folder)) {
    for (const RegistryHive hive : {RegistryHive::CurrentUser, RegistryHive::LocalMachine}) {
        auto& slot = hives[static_cast<int>(hive)];
        slot = std::make_unique<Hive>();
        slot->file = HiveFile(hive);
    }
}

Registry::~Registry() = default;

std::filesystem::path Registry::DefaultFolder() {
    return XdgDataHome() + "Tabrix_Pro/";
}

std::filesystem::path Registry::HiveFile(RegistryHive hive) const {
    return folder / (hive == RegistryHive::CurrentUser ? "HKEY_CURRENT_USER.hive"
                                                       : "HKEY_LOCAL_MACHINE.hive");
}

Registry::Hive& Registry::Refreshed(RegistryHive hive) {
    Hive& result = *hives[static_cast<int>(hive)];
    result.Refresh();
    return result;
}

bool Registry::KeyExists(RegistryHive hive, std::string_view key) {
    const std::lock_guard lock(mutex);
    return FindNode(Refreshed(hive).root, key) != nullptr;
}

RegistryStatus Registry::CreateKey(RegistryHive hive, std::string_view key) {
    const std::lock_guard lock(mutex);
    return hives[static_cast<int>(hive)]->Modify([&](RegistryNode& root) {
        RegistryNode* node = &root;
        for (const std::string_view component : detail::SplitKeyPath(key)) {
            auto& child = node->children[detail::FoldRegistryName(component)];
            if (!child) {
                child = std::make_unique<RegistryNode>();
                child->name = component;
            }
            node = child.get();
        }
        return RegistryStatus();
    });
}

RegistryStatus Registry::DeleteKey(RegistryHive hive, std::string_view key) {
    const std::lock_guard lock(mutex);
    const auto components = detail::SplitKeyPath(key);
    if (components.empty())
        return RegistryStatus::Failure("The root of a hive cannot be deleted");
    return hives[static_cast<int>(hive)]->Modify([&](RegistryNode& root) {
        const std::string_view parentPath =
            key.substr(0, static_cast<std::size_t>(components.back().data() - key.data()));
        RegistryNode* parent = FindNode(root, parentPath);
        if (parent == nullptr ||
            parent->children.erase(detail::FoldRegistryName(components.back())) == 0)
            return RegistryStatus::Failure(KeyNotFound(key));
        return RegistryStatus();
    });
}

std::vector<std::string> Registry::SubKeyNames(RegistryHive hive, std::string_view key) {
    const std::lock_guard lock(mutex);
    std::vector<std::string> names;
    if (const RegistryNode* node = FindNode(Refreshed(hive).root, key)) {
        for (const auto& [folded, child] : node->children)
            names.push_back(child->name);
    }
    return names;
}

std::vector<std::string> Registry::ValueNames(RegistryHive hive, std::string_view key) {
    const std::lock_guard lock(mutex);
    std::vector<std::string> names;
    if (const RegistryNode* node = FindNode(Refreshed(hive).root, key)) {
        for (const auto& [folded, entry] : node->values)
            names.push_back(entry.name);
    }
    return names;
}

std::optional<RegistryValue> Registry::ReadValue(RegistryHive hive, std::string_view key,
                                                 std::string_view name) {
    const std::lock_guard lock(mutex);
    const RegistryNode* node = FindNode(Refreshed(hive).root, key);
    if (node == nullptr)
        return std::nullopt;
    const auto found = node->values.find(detail::FoldRegistryName(name));
    if (found == node->values.end())
        return std::nullopt;
    return found->second.value;
}

RegistryStatus Registry::WriteValue(RegistryHive hive, std::string_view key, std::string_view name,
                                    const RegistryValue& value) {
    const std::lock_guard lock(mutex);
    return hives[static_cast<int>(hive)]->Modify([&](RegistryNode& root) {
        RegistryNode* node = FindNode(root, key);
        if (node == nullptr)
            return RegistryStatus::Failure(KeyNotFound(key));
        auto& entry = node->values[detail::FoldRegistryName(name)];
        if (entry.name.empty())
            entry.name = name;
        entry.value = value;
        return RegistryStatus();
    });
}

RegistryStatus Registry::DeleteValue(RegistryHive hive, std::string_view key,
                                     std::string_view name) {
    const std::lock_guard lock(mutex);
    return hives[static_cast<int>(hive)]->Modify([&](RegistryNode& root) {
        RegistryNode* node = FindNode(root, key);
        if (node == nullptr)
            return RegistryStatus::Failure(KeyNotFound(key));
        if (node->values.erase(detail::FoldRegistryName(name)) == 0)
            return RegistryStatus::Failure("Registry value not found: " + std::string(name));
        return RegistryStatus();
    });
}

std::string Registry::LoadProblem(RegistryHive hive) {
    const std::lock_guard lock(mutex);
    const Hive& state = Refreshed(hive);
    if (state.problem.empty())
        return {};
    return "The registry file " + state.file.string() + " " + state.problem +
           "; it is read as empty and kept as a .bad copy at the next change";
}
