#pragma once
// Which program "Speak Settings" starts. On Windows that is the speech control-panel applet;
// here it is the desktop's sound settings. Starts nothing itself.

#include "platform/Registry.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The key and value naming the speech settings program (local machine hive).
inline constexpr std::string_view SpeechSettingsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Control Panel\\Cpls";
inline constexpr std::string_view SpeechSettingsValue = "Speech";

// The registry value in double quotes when it is set and not empty; else the first sound
// settings program found on PATH (GNOME, KDE Plasma, pavucontrol-qt, pavucontrol, MATE) with
// its arguments; nothing when the desktop has none.
std::optional<std::string> SpeechSettingsCommandLine(Registry& registry);

// The sound settings programs looked for, in that order.
std::vector<std::string_view> SoundSettingsProgramNames();
