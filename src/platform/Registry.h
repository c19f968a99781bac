#pragma once
// A store in place of the Windows registry: two hives of keys (backslash paths such as
// "Software\Tabrix Pro"; key and value names compare without case) holding string (REG_SZ) and
// integer (DWORD) values. Each hive is one text file, rewritten atomically on every change and
// read again when another process changed it. No other value types, no access rights, no
// change notifications.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class RegistryHive { CurrentUser, LocalMachine };

struct RegistryValue {
    enum class Type { String, Integer };
    Type type = Type::String;
    std::string text;         // Type::String
    std::uint32_t number = 0; // Type::Integer

    static RegistryValue String(std::string text) { return {Type::String, std::move(text), 0}; }
    static RegistryValue Integer(std::uint32_t number) { return {Type::Integer, {}, number}; }
    bool operator==(const RegistryValue&) const = default;
};

// The outcome of a change: ok, or why it failed. A successful change may carry a notice (a
// damaged hive file was set aside).
struct RegistryStatus {
    bool ok = true;
    std::string message;

    static RegistryStatus Failure(std::string message) { return {false, std::move(message)}; }
    explicit operator bool() const { return ok; }
};

class Registry {
public:
    // The hive files live in folder, which the first change creates.
    explicit Registry(std::filesystem::path folder = DefaultFolder());
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // $XDG_DATA_HOME/Tabrix_Pro/ (default ~/.local/share/Tabrix_Pro/).
    static std::filesystem::path DefaultFolder();
    std::filesystem::path HiveFile(RegistryHive hive) const;

    // Key paths: components separated by backslashes; leading, trailing and doubled
    // backslashes are ignored, and "" is the hive's root.
    bool KeyExists(RegistryHive hive, std::string_view key);
    // Creates the key and every missing key above it; an existing key is fine.
    RegistryStatus CreateKey(RegistryHive hive, std::string_view key);
    // Removes the key with everything below it. Fails for a missing key and for the root.
    RegistryStatus DeleteKey(RegistryHive hive, std::string_view key);
    // Names as they were created, sorted without case; empty for a missing key.
    std::vector<std::string> SubKeyNames(RegistryHive hive, std::string_view key);
    std::vector<std::string> ValueNames(RegistryHive hive, std::string_view key);

    // Nothing when the key or the value is missing.
    std::optional<RegistryValue> ReadValue(RegistryHive hive, std::string_view key,
                                           std::string_view name);
    // The key must exist.
    RegistryStatus WriteValue(RegistryHive hive, std::string_view key, std::string_view name,
                              const RegistryValue& value);
    RegistryStatus DeleteValue(RegistryHive hive, std::string_view key, std::string_view name);

    // Why the hive's file could not be read (it is then taken as empty, and kept as a ".bad"
    // copy at the next change); empty when it was fine.
    std::string LoadProblem(RegistryHive hive);

private:
    struct Hive;
    Hive& Refreshed(RegistryHive hive);

    std::filesystem::path folder;
    std::mutex mutex;
    std::unique_ptr<Hive> hives[2];
};

// An open key, as a program holds a registry key handle. Opening read-only fails for a missing
// key; a read-only key refuses changes. A key deleted while open reads as empty and refuses
// changes.
class RegistryKey {
public:
    enum class Access { ReadOnly, ReadWrite };

    static std::optional<RegistryKey> Open(Registry& registry, RegistryHive hive,
                                           std::string_view path, Access access = Access::ReadOnly);
    // Creates the key when missing; nothing when that fails (status tells why).
    static std::optional<RegistryKey> OpenOrCreate(Registry& registry, RegistryHive hive,
                                                   std::string_view path,
                                                   RegistryStatus* status = nullptr);

    const std::string& Path() const { return path; }

    bool ValueExists(std::string_view name) const;
    std::optional<RegistryValue> ReadValue(std::string_view name) const;
    // Nothing when missing or of the other type.
    std::optional<std::string> ReadString(std::string_view name) const;
    std::optional<std::uint32_t> ReadInteger(std::string_view name) const;
    std::vector<std::string> SubKeyNames() const;
    std::vector<std::string> ValueNames() const;

    RegistryStatus WriteString(std::string_view name, std::string_view value);
    RegistryStatus WriteInteger(std::string_view name, std::uint32_t value);
    RegistryStatus DeleteValue(std::string_view name);
    // Removes the sub-key name (a path below this key) with everything below it.
    RegistryStatus DeleteSubKey(std::string_view name);

private:
    RegistryKey(Registry& registry, RegistryHive hive, std::string path, Access access);
    RegistryStatus CheckWritable() const;

    Registry* registry;
    RegistryHive hive;
    std::string path;
    Access access;
};
