#include "settings/WindowSettings.h"

#include "platform/FileSystem.h"
#include "settings/ColorNames.h"

#include <algorithm>

namespace {

constexpr std::string_view kForm = "Form";
constexpr std::string_view kRecent = "Recent";
constexpr std::string_view kToolbar = "Toolbar";
constexpr std::string_view kSettings = "Settings";
constexpr std::string_view kFont = "Font";
constexpr std::string_view kBackground = "Background";

// Sizes a font dialog offers; anything else in a file is garbage, and a huge face would make
// every repaint crawl.
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 1638;

// How far a window may reach past the work area: a maximised frame overhangs by 4 each side.
constexpr int kOverhang = 8;

std::string RecentKey(int position) {
    return "File" + std::to_string(position);
}

// The options whose absent key means their table default rather than the current state.
struct OptionKey {
    std::string_view section;
    std::string_view key;
    bool WindowSettings::*member;
};

constexpr OptionKey kOptionKeys[] = {
    {kToolbar, "IsSmall", &WindowSettings::isSmall},
    {kSettings, "Wordwrap", &WindowSettings::wordWrap},
    {kSettings, "HScrollBarVisible", &WindowSettings::hScrollBarVisible},
    {kSettings, "VScrollBarVisible", &WindowSettings::vScrollBarVisible},
    {kSettings, "StatusBarVisible", &WindowSettings::statusBarVisible},
    {kSettings, "MainMenuVisible", &WindowSettings::mainMenuVisible},
    {kSettings, "ToolBarVisible", &WindowSettings::toolBarVisible},
    {kSettings, "HideCaption", &WindowSettings::hideCaption},
    {kSettings, "FullScreen", &WindowSettings::fullScreen},
    {kSettings, "ShowLineNumbers", &WindowSettings::showLineNumbers},
    {kSettings, "ShowToolbarCaptions", &WindowSettings::showToolbarCaptions},
};

} // namespace

WindowSettings DefaultWindowSettings() {
    WindowSettings settings;
    settings.styleName = "Untitled";
    settings.font.name = "Courier New";
    settings.font.size = 10;
    settings.font.color = clWindowText;
    settings.background = clWindow;
    return settings;
}

WindowBounds DefaultBounds(const WindowBounds& workArea) {
    return {workArea.left - 4, workArea.top - 4, workArea.width + 8, workArea.height + 8};
}

WindowSettings ReadWindowSettings(const IniFile& file, bool isMain, const WindowSettings& current) {
    const WindowSettings defaults = DefaultWindowSettings();
    WindowSettings settings = current;
    if (isMain) {
        settings.styleName = file.ReadString(kForm, "StyleName", current.styleName);
        settings.recentFiles.clear();
        for (int position = 0; position < kMaxRecentFiles; ++position) {
            std::string path = file.ReadString(kRecent, RecentKey(position), {});
            if (!path.empty() && FileExists(path)) {
                settings.recentFiles.push_back(std::move(path));
            }
        }
    }
    settings.bounds.top = file.ReadInteger(kForm, "Top", current.bounds.top);
    settings.bounds.left = file.ReadInteger(kForm, "Left", current.bounds.left);
    settings.bounds.width = file.ReadInteger(kForm, "Width", current.bounds.width);
    settings.bounds.height = file.ReadInteger(kForm, "Height", current.bounds.height);
    settings.alwaysOnTop = file.ReadBool(kForm, "AlwaysOnTop", current.alwaysOnTop);
    for (const OptionKey& option : kOptionKeys) {
        settings.*option.member =
            file.ReadBool(option.section, option.key, defaults.*option.member);
    }
    settings.activeTab = file.ReadInteger(kSettings, "CIndex", defaults.activeTab);
    if (isMain)
        settings.lineEnding = file.ReadString(kSettings, "LineEnding", current.lineEnding);
    settings.font.name = file.ReadString(kFont, "Name", current.font.name);
    settings.font.size = file.ReadInteger(kFont, "Size", current.font.size);
    if (settings.font.size < kMinFontSize || settings.font.size > kMaxFontSize) {
        settings.font.size = current.font.size;
    }
    settings.font.bold = file.ReadBool(kFont, "IsBold", false);
    settings.font.italic = file.ReadBool(kFont, "IsItalic", false);
    settings.font.underline = file.ReadBool(kFont, "IsUnderline", false);
    settings.font.strikeout = file.ReadBool(kFont, "IsStrikeout", false);
    settings.font.color = ReadColor(file, kFont, "Color", current.font.color);
    settings.background = ReadColor(file, kBackground, "Color", current.background);
    return settings;
}

WindowBounds ClampToWorkArea(const WindowBounds& bounds, const WindowBounds& workArea) {
    WindowBounds clamped = bounds;
    if (clamped.width > workArea.width + kOverhang) {
        clamped.width = workArea.width + kOverhang;
    }
    if (clamped.height > workArea.height + kOverhang) {
        clamped.height = workArea.height + kOverhang;
    }
    if (clamped.left > workArea.width) {
        clamped.left = 0;
    }
    if (clamped.top > workArea.height) {
        clamped.top = 0;
    }
    // A window out of reach to the left or with its caption above the screen could not be
    // dragged back.
    if (static_cast<long long>(clamped.left) + clamped.width <= workArea.left) {
        clamped.left = workArea.left;
    }
    if (clamped.top < workArea.top - kOverhang) {
        clamped.top = workArea.top;
    }
    return clamped;
}

void WriteWindowSettings(IniFile& file, const WindowSettings& settings, bool isMain) {
    if (isMain) {
        file.WriteString(kForm, "StyleName", settings.styleName);
        const int count =
            std::min<int>(static_cast<int>(settings.recentFiles.size()), kMaxRecentFiles);
        for (int position = 0; position < count; ++position) {
            file.WriteString(kRecent, RecentKey(position),
                             settings.recentFiles[static_cast<std::size_t>(position)]);
        }
    }
    file.WriteInteger(kForm, "Top", settings.bounds.top);
    file.WriteInteger(kForm, "Left", settings.bounds.left);
    file.WriteInteger(kForm, "Width", settings.bounds.width);
    file.WriteInteger(kForm, "Height", settings.bounds.height);
    file.WriteBool(kForm, "AlwaysOnTop", settings.alwaysOnTop);
    // The toolbar always shows its large icons.
    file.WriteBool(kToolbar, "IsSmall", false);
    for (const OptionKey& option : kOptionKeys) {
        if (option.member != &WindowSettings::isSmall) {
            file.WriteBool(option.section, option.key, settings.*option.member);
        }
    }
    file.WriteInteger(kSettings, "CIndex", settings.activeTab);
    if (isMain && !settings.lineEnding.empty())
        file.WriteString(kSettings, "LineEnding", settings.lineEnding);
    file.WriteString(kFont, "Name", settings.font.name);
    file.WriteInteger(kFont, "Size", settings.font.size);
    file.WriteBool(kFont, "IsBold", settings.font.bold);
    file.WriteBool(kFont, "IsItalic", settings.font.italic);
    file.WriteBool(kFont, "IsUnderline", settings.font.underline);
    file.WriteBool(kFont, "IsStrikeout", settings.font.strikeout);
    WriteColor(file, kFont, "Color", settings.font.color);
    WriteColor(file, kBackground, "Color", settings.background);
}
