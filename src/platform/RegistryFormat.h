#pragma once
// The registry's in-memory tree and its file format (private to Registry). A hive file reads:
//
//   Tabrix Pro registry 1
//   [Software\Vantrel\Tabrix Pro\Main]
//   I Top=120
//   S Caption=Tabrix Pro
//
// One "[path]" line per key ("[]" is the root), then its values: "S name=text" for strings,
// "I name=number" for integers. Bytes outside printable ASCII, '%', and '=' in names or '\' in
// key names are written as %XX, so any byte string survives.

#include "platform/Registry.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace detail {

struct RegistryNamedValue {
    std::string name; // as written
    RegistryValue value;
};

struct RegistryNode {
    std::string name; // as created
    // Both maps are keyed by FoldRegistryName(name).
    std::map<std::string, RegistryNamedValue> values;
    std::map<std::string, std::unique_ptr<RegistryNode>> children;
};

// Key and value names compare without case: Unicode simple upper case of the bytes read as
// UTF-8 (other bytes compare exactly), the same whatever the program's code page.
std::string FoldRegistryName(std::string_view name);

// The components of a key path; empty components are dropped.
std::vector<std::string_view> SplitKeyPath(std::string_view path);

std::string SerializeRegistry(const RegistryNode& root);

struct RegistryParse {
    RegistryNode root;
    std::string problem; // non-empty: the text is damaged and root is empty
};
RegistryParse ParseRegistry(std::string_view text);

} // namespace detail
