#include "platform/Registry.h"

RegistryKey::RegistryKey(Registry& registry, RegistryHive hive, std::string path, Access access)
    : registry(&registry), hive(hive), path(std::move(path)), access(access) {}

std::optional<RegistryKey> RegistryKey::Open(Registry& registry, RegistryHive hive,
                                             std::string_view path, Access access) {
    if (!registry.KeyExists(hive, path))
        return std::nullopt;
    return RegistryKey(registry, hive, std::string(path), access);
}

std::optional<RegistryKey> RegistryKey::OpenOrCreate(Registry& registry, RegistryHive hive,
                                                     std::string_view path,
                                                     RegistryStatus* status) {
    RegistryStatus created;
    if (!registry.KeyExists(hive, path))
        created = registry.CreateKey(hive, path);
    if (status != nullptr)
        *status = created;
    if (!created)
        return std::nullopt;
    return RegistryKey(registry, hive, std::string(path), Access::ReadWrite);
}

bool RegistryKey::ValueExists(std::string_view name) const {
    return ReadValue(name).has_value();
}

std::optional<RegistryValue> RegistryKey::ReadValue(std::string_view name) const {
    return registry->ReadValue(hive, path, name);
}

std::optional<std::string> RegistryKey::ReadString(std::string_view name) const {
    auto value = ReadValue(name);
    if (!value || value->type != RegistryValue::Type::String)
        return std::nullopt;
    return std::move(value->text);
}

std::optional<std::uint32_t> RegistryKey::ReadInteger(std::string_view name) const {
    const auto value = ReadValue(name);
    if (!value || value->type != RegistryValue::Type::Integer)
        return std::nullopt;
    return value->number;
}

std::vector<std::string> RegistryKey::SubKeyNames() const {
    return registry->SubKeyNames(hive, path);
}

std::vector<std::string> RegistryKey::ValueNames() const {
    return registry->ValueNames(hive, path);
}

RegistryStatus RegistryKey::CheckWritable() const {
    if (access == Access::ReadOnly)
        return RegistryStatus::Failure("The registry key " + path + " is open for reading only");
    return {};
}

RegistryStatus RegistryKey::WriteString(std::string_view name, std::string_view value) {
    if (auto status = CheckWritable(); !status)
        return status;
    return registry->WriteValue(hive, path, name, RegistryValue::String(std::string(value)));
}

RegistryStatus RegistryKey::WriteInteger(std::string_view name, std::uint32_t value) {
    if (auto status = CheckWritable(); !status)
        return status;
    return registry->WriteValue(hive, path, name, RegistryValue::Integer(value));
}

RegistryStatus RegistryKey::DeleteValue(std::string_view name) {
    if (auto status = CheckWritable(); !status)
        return status;
    return registry->DeleteValue(hive, path, name);
}

RegistryStatus RegistryKey::DeleteSubKey(std::string_view name) {
    if (auto status = CheckWritable(); !status)
        return status;
    if (name.find_first_not_of('\\') == std::string_view::npos)
        return RegistryStatus::Failure("No sub-key named");
    return registry->DeleteKey(hive, path + "\\" + std::string(name));
}
