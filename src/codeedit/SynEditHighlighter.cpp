#include "codeedit/SynEditHighlighter.h"

#include <algorithm>
#include <stdexcept>
#include <strings.h>
#include <typeinfo>

TSynHighlighterAttributes::TSynHighlighterAttributes(std::string name) : name(std::move(name)) {}

void TSynHighlighterAttributes::SetBackground(TColor value) {
    if (background != value) {
        background = value;
        Changed();
    }
}

void TSynHighlighterAttributes::SetForeground(TColor value) {
    if (foreground != value) {
        foreground = value;
        Changed();
    }
}

void TSynHighlighterAttributes::SetStyle(TFontStyles value) {
    if (style != value) {
        style = value;
        Changed();
    }
}

void TSynHighlighterAttributes::InternalSaveDefaultValues() {
    backgroundDefault = background;
    foregroundDefault = foreground;
    styleDefault = style;
}

void TSynHighlighterAttributes::Assign(const TSynHighlighterAttributes& source) {
    name = source.name;
    const bool differs =
        background != source.background || foreground != source.foreground || style != source.style;
    background = source.background;
    foreground = source.foreground;
    style = source.style;
    if (differs) {
        Changed();
    }
}

void TSynHighlighterAttributes::Changed() {
    if (OnChange) {
        OnChange(this);
    }
}

namespace {

TSynCharSet InitialWordBreakChars() {
    TSynCharSet set;
    for (unsigned char c : std::string_view("!\"'()*+,-./:;=?[\\]^{|}")) {
        set.set(c);
    }
    return set;
}

} // namespace

TSynCustomHighlighter::TSynCustomHighlighter() : wordBreakChars(InitialWordBreakChars()) {}

TSynCustomHighlighter::~TSynCustomHighlighter() = default;

int TSynCustomHighlighter::AttributeCount() const {
    return static_cast<int>(attributes.size());
}

TSynHighlighterAttributes* TSynCustomHighlighter::AttributeAt(int index) const {
    if (index < 0 || index >= AttributeCount()) {
        return nullptr;
    }
    return attributes[static_cast<std::size_t>(index)].get();
}

std::string TSynCustomHighlighter::DefaultFilter() const {
    return defaultFilter;
}

TSynCharSet TSynCustomHighlighter::IdentifierChars() const {
    TSynCharSet set;
    for (int c = 33; c <= 255; ++c) {
        set.set(static_cast<std::size_t>(c));
    }
    return set;
}

void TSynCustomHighlighter::AssignWordBreakChars(const TSynCharSet& chars) {
    wordBreakChars = chars;
}

std::string TSynCustomHighlighter::SampleSource() const {
    return {};
}

bool TSynCustomHighlighter::DefaultFilterStored() const {
    return true;
}

void TSynCustomHighlighter::SetDefaultFilter(const std::string& filter) {
    defaultFilter = filter;
}

void TSynCustomHighlighter::AssignSampleSource(const std::string&) {}

unsigned TSynCustomHighlighter::Capabilities() const {
    return hcRegistry;
}

std::string TSynCustomHighlighter::LanguageName() const {
    return "<Unknown>";
}

TSynRange TSynCustomHighlighter::CurrentRange() const {
    return 0;
}

bool TSynCustomHighlighter::IsKeywordText(std::string_view) const {
    return false;
}

void TSynCustomHighlighter::RestoreRange(TSynRange) {}

void TSynCustomHighlighter::ClearRange() {}

void TSynCustomHighlighter::ResumeLine(std::string_view line, LineIndex lineIndex,
                                       const TSynScanState& /*state*/) {
    StartLine(line, lineIndex);
}

bool TSynCustomHighlighter::ApplyUserSetting(int) {
    return false;
}

void TSynCustomHighlighter::ListUserSettings(std::vector<std::string>& settings) {
    settings.clear();
}

void TSynCustomHighlighter::ScanToLineEnd() {
    while (!AtLineEnd()) {
        NextToken();
    }
}

void TSynCustomHighlighter::TokensOfLine(std::string_view line, LineIndex lineIndex,
                                         std::vector<TSynToken>& tokens) {
    tokens.clear();
    StartLine(line, lineIndex);
    while (!AtLineEnd()) {
        tokens.push_back({TokenStart(), TokenLength(), TokenKind(), TokenAttribute()});
        NextToken();
    }
}

std::size_t TSynCustomHighlighter::TokenLength() const {
    return TokenText().size();
}

void TSynCustomHighlighter::SetEnabled(bool value) {
    if (enabled != value) {
        enabled = value;
        AttributeChanged(nullptr);
    }
}

int TSynCustomHighlighter::HookAttributeChange(ChangeHook hook) {
    const int handle = nextHookHandle++;
    hooks.emplace(handle, std::move(hook));
    return handle;
}

void TSynCustomHighlighter::UnhookAttributeChange(int handle) {
    hooks.erase(handle);
}

void TSynCustomHighlighter::AttributeChanged(TSynHighlighterAttributes*) {
    if (updateCount > 0) {
        changePending = true;
        return;
    }
    // A hook may unhook itself (an editor dropping the highlighter while repainting).
    const auto snapshot = hooks;
    for (const auto& [handle, hook] : snapshot) {
        if (hook) {
            hook();
        }
    }
}

void TSynCustomHighlighter::BeginUpdate() {
    ++updateCount;
}

void TSynCustomHighlighter::EndUpdate() {
    if (updateCount > 0 && --updateCount == 0 && changePending) {
        changePending = false;
        AttributeChanged(nullptr);
    }
}

void TSynCustomHighlighter::Assign(const TSynCustomHighlighter& source) {
    if (&source == this) {
        return;
    }
    for (const auto& own : attributes) {
        for (const auto& theirs : source.attributes) {
            if (theirs->Name() == own->Name()) {
                own->Assign(*theirs);
            }
        }
    }
    if (typeid(source) == typeid(*this)) {
        AssignSampleSource(source.SampleSource());
    }
    wordBreakChars = source.wordBreakChars;
    SetDefaultFilter(source.DefaultFilter());
    SetEnabled(source.Enabled());
}

TSynHighlighterAttributes*
TSynCustomHighlighter::AddAttribute(std::unique_ptr<TSynHighlighterAttributes> attribute) {
    // Names compare without case, as the sorted list of names did.
    const auto position =
        std::lower_bound(attributes.begin(), attributes.end(), attribute->Name(),
                         [](const auto& item, const std::string& name) {
                             return strcasecmp(item->Name().c_str(), name.c_str()) < 0;
                         });
    if (position != attributes.end() &&
        strcasecmp((*position)->Name().c_str(), attribute->Name().c_str()) == 0) {
        throw std::invalid_argument("Duplicate attribute name: " + attribute->Name());
    }
    return attributes.insert(position, std::move(attribute))->get();
}

TSynHighlighterAttributes* TSynCustomHighlighter::AddAttribute(std::string name, TFontStyles style,
                                                               TColor foreground,
                                                               TColor background) {
    auto* attribute = AddAttribute(std::make_unique<TSynHighlighterAttributes>(std::move(name)));
    attribute->SetForeground(foreground);
    attribute->SetBackground(background);
    attribute->SetStyle(style);
    return attribute;
}

void TSynCustomHighlighter::SetAttributesOnChange() {
    for (const auto& attribute : attributes) {
        attribute->OnChange = [this](TSynHighlighterAttributes* sender) {
            AttributeChanged(sender);
        };
        attribute->InternalSaveDefaultValues();
    }
    KeepPresetForegrounds();
}

void TSynCustomHighlighter::KeepPresetForegrounds() {
    for (const auto& attribute : attributes)
        attribute->KeepPresetForeground();
}

TSynHighlighterList& TSynHighlighterList::Instance() {
    static TSynHighlighterList list;
    return list;
}

void TSynHighlighterList::Add(const std::string& className) {
    if (std::find(classes.begin(), classes.end(), className) == classes.end()) {
        classes.push_back(className);
    }
}
