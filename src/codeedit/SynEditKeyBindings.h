#pragma once
// Key bindings as data: (command, shortcut) pairs and the two tables the editors use. The Qt
// layer translates a key event into a shortcut and looks it up here; it never decides commands.

#include "codeedit/SynEditCommands.h"

#include <cstdint>
#include <optional>
#include <vector>

// Virtual-key code in the low byte, modifier flags above it.
using TShortCut = std::uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// Windows virtual-key codes (named vk... so they never meet the VK_ macros of windows.h).
constexpr std::uint8_t vkBack = 0x08;
constexpr std::uint8_t vkTab = 0x09;
constexpr std::uint8_t vkReturn = 0x0D;
constexpr std::uint8_t vkPrior = 0x21; // Page Up
constexpr std::uint8_t vkNext = 0x22;  // Page Down
constexpr std::uint8_t vkEnd = 0x23;
constexpr std::uint8_t vkHome = 0x24;
constexpr std::uint8_t vkLeft = 0x25;
constexpr std::uint8_t vkUp = 0x26;
constexpr std::uint8_t vkRight = 0x27;
constexpr std::uint8_t vkDown = 0x28;
constexpr std::uint8_t vkInsert = 0x2D;
constexpr std::uint8_t vkDelete = 0x2E;
constexpr std::uint8_t vkF1 = 0x70;
// Digits and letters are their ASCII codes: '0'..'9' = 0x30..0x39, 'A'..'Z' = 0x41..0x5A.
constexpr std::uint8_t VkDigit(int digit) {
    return static_cast<std::uint8_t>('0' + digit);
}
constexpr std::uint8_t VkLetter(char upperCaseLetter) {
    return static_cast<std::uint8_t>(upperCaseLetter);
}

constexpr TShortCut ShortCut(std::uint8_t virtualKey, TShortCut modifiers = 0) {
    return static_cast<TShortCut>(virtualKey | modifiers);
}

struct TSynKeyBinding {
    TSynEditorCommand command;
    TShortCut shortCut;

    friend bool operator==(const TSynKeyBinding&, const TSynKeyBinding&) = default;
};

// An ordered binding list (the editor's Keystrokes). A command may have several shortcuts; a
// shortcut has at most one command.
class TSynEditKeyStrokes {
public:
    TSynEditKeyStrokes() = default;
    // Later duplicates of a shortcut are dropped (a programming error in a built-in table).
    explicit TSynEditKeyStrokes(const std::vector<TSynKeyBinding>& bindings);

    int Count() const { return static_cast<int>(bindings.size()); }
    const TSynKeyBinding& At(int index) const;
    const std::vector<TSynKeyBinding>& Bindings() const { return bindings; }

    // False, and nothing added, when the shortcut is already bound.
    bool Add(TSynEditorCommand command, TShortCut shortCut);
    void Clear() { bindings.clear(); }

    std::optional<TSynEditorCommand> FindCommand(TShortCut shortCut) const;
    std::vector<TShortCut> ShortCutsOf(TSynEditorCommand command) const;

private:
    std::vector<TSynKeyBinding> bindings;
};

// The code editor's table: 82 bindings. Order of definition: key by key (Up, Down, Left,
// Right, Page Down, Page Up, Home, End, Insert, Delete, Backspace, Enter, Tab, F1, then the
// letters A to Z and the digits 0 to 9), within a key alone, Shift, Ctrl, Ctrl+Shift; the two
// Alt bindings (Alt+Backspace undo, Alt+Shift+Backspace redo) last.
const TSynEditKeyStrokes& DefaultCodeEditorKeyStrokes();

// The plain editor's table: the keys of a plain multi-line edit control.
const TSynEditKeyStrokes& PlainEditorKeyStrokes();
