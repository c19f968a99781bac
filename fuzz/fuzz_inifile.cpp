// Arbitrary bytes as a settings file: parsing keeps every byte, a write is read back, leaves the
// other keys alone, and the written content parses to the same values again.

#include "settings/IniFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniFile file("fuzz.ini", bytes);
    Check(file.Content() == bytes);

    // A section and key named by the input itself, besides the settings file's own.
    const std::string_view named = bytes.substr(0, 8);
    const std::string_view sections[] = {"Form", "Settings", "Recent", named};
    const std::string_view keys[] = {"Top", "File0", "Color", named};

    const std::string untouched = file.ReadString("Font", "Name", "<none>");
    Check(untouched.size() <= kMaxIniValueLength || untouched == "<none>");
    for (const std::string_view section : sections) {
        for (const std::string_view key : keys) {
            file.ReadInteger(section, key, 0);
            file.ReadBool(section, key, false);
            const std::string value = "v" + std::to_string(section.size() * 31 + key.size());
            if (file.WriteString(section, key, value)) {
                Check(file.ReadString(section, key, "") == value);
            }
        }
    }
    // No write above names [Font] Name (the input's own name is never both section and key).
    Check(file.ReadString("Font", "Name", "<none>") == untouched);

    const std::string written = file.Content();
    const IniFile again("fuzz.ini", written);
    Check(again.Content() == written);
    for (const std::string_view section : sections) {
        for (const std::string_view key : keys) {
            Check(again.ReadString(section, key, "<none>") ==
                  file.ReadString(section, key, "<none>"));
        }
    }
    return 0;
}
