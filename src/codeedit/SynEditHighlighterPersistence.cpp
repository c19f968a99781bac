#include "codeedit/SynEditHighlighter.h"
#include "platform/Registry.h"

namespace {

std::string AttributeKeyPath(const std::string& keyPath,
                             const TSynHighlighterAttributes& attribute) {
    return keyPath + "\\" + attribute.Name();
}

} // namespace

bool TSynCustomHighlighter::LoadFromRegistryKey(Registry& registry, RegistryHive root,
                                                const std::string& keyPath) {
    if (!RegistryKey::Open(registry, root, keyPath)) {
        return false;
    }
    for (const auto& attribute : attributes) {
        const auto key = RegistryKey::Open(registry, root, AttributeKeyPath(keyPath, *attribute));
        if (!key) {
            return false;
        }
        if (const auto background = key->ReadInteger("Background")) {
            attribute->SetBackground(*background);
        }
        if (const auto foreground = key->ReadInteger("Foreground")) {
            attribute->SetForeground(*foreground);
        }
        if (const auto style = key->ReadInteger("Style")) {
            attribute->SetStyle(static_cast<TFontStyles>(*style & 0x0F));
        }
    }
    return true;
}

bool TSynCustomHighlighter::SaveToRegistryKey(Registry& registry, RegistryHive root,
                                              const std::string& keyPath) const {
    if (!RegistryKey::OpenOrCreate(registry, root, keyPath)) {
        return false;
    }
    for (const auto& attribute : attributes) {
        auto key = RegistryKey::OpenOrCreate(registry, root, AttributeKeyPath(keyPath, *attribute));
        if (!key || !key->WriteInteger("Background", attribute->Background()) ||
            !key->WriteInteger("Foreground", attribute->Foreground()) ||
            !key->WriteInteger("Style", attribute->Style())) {
            return false;
        }
    }
    return true;
}
