#include "platform/RegistryFormat.h"

#include "platform/CaseMapping.h"

#include <charconv>

namespace detail {
namespace {

constexpr std::string_view header = "Tabrix Pro registry 1";

void AppendEscaped(std::string& out, std::string_view text, std::string_view alsoEscaped) {
    static constexpr char hex[] = "0123456789ABCDEF";
    for (const char c : text) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte < 0x20 || byte > 0x7E || c == '%' || alsoEscaped.find(c) != std::string::npos) {
            out.push_back('%');
            out.push_back(hex[byte >> 4]);
            out.push_back(hex[byte & 0xF]);
        } else {
            out.push_back(c);
        }
    }
}

std::optional<std::string> Unescaped(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            result.push_back(text[i]);
            continue;
        }
        unsigned value = 0;
        if (text.size() - i < 3)
            return std::nullopt;
        const auto [end, error] =
            std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
        if (error != std::errc() || end != text.data() + i + 3)
            return std::nullopt;
        result.push_back(static_cast<char>(value));
        i += 2;
    }
    return result;
}

void SerializeNode(std::string& out, const RegistryNode& node, const std::string& path) {
    out += '[';
    out += path;
    out += "]\n";
    for (const auto& [folded, entry] : node.values) {
        const bool isString = entry.value.type == RegistryValue::Type::String;
        out += isString ? "S " : "I ";
        AppendEscaped(out, entry.name, "=");
        out += '=';
        if (isString)
            AppendEscaped(out, entry.value.text, "");
        else
            out += std::to_string(entry.value.number);
        out += '\n';
    }
    for (const auto& [folded, child] : node.children) {
        std::string childPath = path;
        if (!childPath.empty())
            childPath += '\\';
        AppendEscaped(childPath, child->name, "\\");
        SerializeNode(out, *child, childPath);
    }
}

// The node for the escaped path of a "[...]" line, created with its parents.
RegistryNode* NodeForLine(RegistryNode& root, std::string_view escapedPath) {
    RegistryNode* node = &root;
    for (const std::string_view component : SplitKeyPath(escapedPath)) {
        const auto name = Unescaped(component);
        if (!name)
            return nullptr;
        auto& child = node->children[FoldRegistryName(*name)];
        if (!child) {
            child = std::make_unique<RegistryNode>();
            child->name = *name;
        }
        node = child.get();
    }
    return node;
}

// Reads one "S name=text" or "I name=number" line into node; false when malformed.
bool ReadValueLine(RegistryNode& node, std::string_view line) {
    if (line.size() < 2 || (line[0] != 'S' && line[0] != 'I') || line[1] != ' ')
        return false;
    const std::string_view rest = line.substr(2);
    const auto equals = rest.find('=');
    if (equals == std::string_view::npos)
        return false;
    const auto name = Unescaped(rest.substr(0, equals));
    const std::string_view data = rest.substr(equals + 1);
    if (!name)
        return false;
    RegistryValue value;
    if (line[0] == 'S') {
        const auto text = Unescaped(data);
        if (!text)
            return false;
        value = RegistryValue::String(*text);
    } else {
        std::uint32_t number = 0;
        const auto [end, error] = std::from_chars(data.data(), data.data() + data.size(), number);
        if (data.empty() || error != std::errc() || end != data.data() + data.size())
            return false;
        value = RegistryValue::Integer(number);
    }
    node.values[FoldRegistryName(*name)] = RegistryNamedValue{*name, value};
    return true;
}

} // namespace

std::string FoldRegistryName(std::string_view name) {
    return UpperCase(name, *Encoding::ForCodePage(Encoding::Utf8CodePage));
}

std::vector<std::string_view> SplitKeyPath(std::string_view path) {
    std::vector<std::string_view> components;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto end = std::min(path.find('\\', start), path.size());
        if (end > start)
            components.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return components;
}

std::string SerializeRegistry(const RegistryNode& root) {
    std::string out(header);
    out += '\n';
    SerializeNode(out, root, "");
    return out;
}

RegistryParse ParseRegistry(std::string_view text) {
    RegistryParse result;
    if (text.empty())
        return result;
    RegistryNode* current = nullptr;
    std::size_t lineNumber = 0;
    for (std::size_t start = 0; start < text.size();) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        bool good = true;
        if (lineNumber == 1)
            good = line == header;
        else if (line.empty() || line.starts_with('#'))
            continue;
        else if (line.starts_with('[') && line.ends_with(']'))
            good = (current = NodeForLine(result.root, line.substr(1, line.size() - 2))) != nullptr;
        else
            good = current != nullptr && ReadValueLine(*current, line);
        if (!good) {
            result.root = RegistryNode();
            result.problem = "line " + std::to_string(lineNumber) + " is not understood";
            return result;
        }
    }
    return result;
}

} // namespace detail
