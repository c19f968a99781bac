#pragma once
// The tables of the main menu's menus and of the tab context menu. Each is defined next to the
// handlers its rows name; MainWindowMenus.cpp puts them together.

#include "app/qt/MenuTable.h"

#include <span>

// The menu bar: its rows are the menus below.
std::span<const MenuItem> MainMenu();
std::span<const MenuItem> FileMenu();
std::span<const MenuItem> ExportMenu();
std::span<const MenuItem> ReopenWithEncodingMenu();
std::span<const MenuItem> SaveWithEncodingMenu();
std::span<const MenuItem> LineEndingsMenu();
std::span<const MenuItem> EditMenu();
std::span<const MenuItem> ViewMenu();
std::span<const MenuItem> FunctionsMenu();
std::span<const MenuItem> VoiceMenu();
std::span<const MenuItem> OptionsMenu();
std::span<const MenuItem> StyleMenu();
std::span<const MenuItem> TabsMenu();
std::span<const MenuItem> HelpMenu();
std::span<const MenuItem> FormatMenu();
std::span<const MenuItem> TabContextMenu();
std::span<const MenuItem> ViewModeMenu();
std::span<const MenuItem> CodeEditorModeMenu();
