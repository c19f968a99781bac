#pragma once
// The highlighter framework: the attribute record, the abstract line scanner every language
// highlighter derives from, and the class list. It scans lines; it does not store ranges or
// paint (the editor does both).

#include "codeedit/SynEditTextBuffer.h"
#include "platform/Color.h"

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Font style set: bit 0 bold, 1 italic, 2 underline, 3 strike-out.
enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;

using TSynCharSet = std::bitset<256>;

class Registry;
enum class RegistryHive;

class TSynHighlighterAttributes {
public:
    explicit TSynHighlighterAttributes(std::string name);

    const std::string& Name() const { return name; }
    TColor Background() const { return background; }
    TColor Foreground() const { return foreground; }
    TFontStyles Style() const { return style; }
    void SetBackground(TColor value);
    void SetForeground(TColor value);
    void SetStyle(TFontStyles value);

    // Remembers the current values as the defaults (end of the owner's constructor).
    void InternalSaveDefaultValues();
    bool BackgroundStored() const { return background != backgroundDefault; }
    bool ForegroundStored() const { return foreground != foregroundDefault; }
    bool StyleStored() const { return style != styleDefault; }
    // Remembers the current foreground as the program's own choice (its constructor's, then
    // the main window's form). Only such a colour may be shown lighter or darker to stay
    // readable; one set after it is shown exactly.
    void KeepPresetForeground() { foregroundPreset = foreground; }
    bool ForegroundIsPreset() const { return foreground == foregroundPreset; }

    // Copies name, colours and style; one change notification when any of the three differed.
    void Assign(const TSynHighlighterAttributes& source);

    std::function<void(TSynHighlighterAttributes*)> OnChange;

private:
    void Changed();
    std::string name;
    TColor background = clNone, backgroundDefault = clNone;
    TColor foreground = clNone, foregroundDefault = clNone, foregroundPreset = clNone;
    TFontStyles style = 0, styleDefault = 0;
};

// One token of a line.
struct TSynToken {
    ByteColumn start;
    std::size_t length; // bytes
    int kind;
    TSynHighlighterAttributes* attribute; // nothing: paint in the editor's font
};

// Where a scan stands inside a line: the current token and all the scanner carries past it,
// so that the scan can be taken up again there without scanning the line from its start.
struct TSynScanState {
    ByteColumn tokenStart{}, tokenEnd{};
    int tokenKind = 0;
    TSynRange range = 0;
    // What the language keeps from token to token within a line besides its range.
    std::uint64_t lineState = 0;

    friend bool operator==(const TSynScanState&, const TSynScanState&) = default;
};

enum TSynHighlighterCapability : unsigned { hcUserSettings = 1, hcRegistry = 2 };

// Roles of DefaultAttribute.
enum TSynDefaultAttributeRole {
    SYN_ATTR_COMMENT = 0,
    SYN_ATTR_IDENTIFIER = 1,
    SYN_ATTR_KEYWORD = 2,
    SYN_ATTR_STRING = 3,
    SYN_ATTR_WHITESPACE = 4,
    SYN_ATTR_SYMBOL = 5
};

class TSynCustomHighlighter {
public:
    TSynCustomHighlighter();
    virtual ~TSynCustomHighlighter();
    TSynCustomHighlighter(const TSynCustomHighlighter&) = delete;
    TSynCustomHighlighter& operator=(const TSynCustomHighlighter&) = delete;

    virtual int AttributeCount() const;
    virtual TSynHighlighterAttributes* AttributeAt(int index) const;
    virtual TSynHighlighterAttributes* DefaultAttribute(int role) const = 0;
    virtual std::string DefaultFilter() const;
    virtual TSynCharSet IdentifierChars() const;
    virtual void AssignWordBreakChars(const TSynCharSet& chars);
    virtual std::string SampleSource() const;
    virtual bool DefaultFilterStored() const;
    virtual void SetDefaultFilter(const std::string& filter);
    virtual void AssignSampleSource(const std::string& source);
    virtual unsigned Capabilities() const;
    virtual std::string LanguageName() const;
    virtual bool AtLineEnd() const = 0;
    virtual TSynRange CurrentRange() const;
    virtual std::string TokenText() const = 0;
    virtual TSynHighlighterAttributes* TokenAttribute() const = 0;
    virtual int TokenKind() const = 0;
    virtual ByteColumn TokenStart() const = 0;
    virtual bool IsKeywordText(std::string_view word) const;
    virtual void NextToken() = 0;
    // The line without its line break; it must stay alive until the next StartLine. The line
    // ends at its length: scanners never read the byte after it, and a NUL byte inside the
    // line is an ordinary character.
    virtual void StartLine(std::string_view line, LineIndex lineIndex) = 0;
    virtual void RestoreRange(TSynRange range);
    virtual void ClearRange();
    // The state of the scan at the current token; nothing when this highlighter cannot take up
    // a line in the middle (its lines are then always scanned from their start).
    virtual std::optional<TSynScanState> ScanState() const { return std::nullopt; }
    // Takes up the scan of line at a state a scan of it gave (the line unchanged up to there):
    // its token becomes the current one. Only highlighters that give states are asked.
    virtual void ResumeLine(std::string_view line, LineIndex lineIndex, const TSynScanState& state);
    // Sets the values the main window's form gives its instance where they differ from the
    // constructor's; nothing for most languages.
    virtual void ApplyFormDefaults() {}
    virtual bool ApplyUserSetting(int index);
    virtual void ListUserSettings(std::vector<std::string>& settings);
    // One sub-key per attribute under keyPath, named after it, with the integer values
    // "Background", "Foreground" and "Style". Loading stops at the first key it cannot open
    // (false); a missing value leaves its field as it is.
    virtual bool LoadFromRegistryKey(Registry& registry, RegistryHive root,
                                     const std::string& keyPath);
    virtual bool SaveToRegistryKey(Registry& registry, RegistryHive root,
                                   const std::string& keyPath) const;

    void ScanToLineEnd();
    // Every token of the line, as StartLine and NextToken hand them out one at a time; tokens
    // is emptied first. One call per line for readers of whole texts (the export).
    virtual void TokensOfLine(std::string_view line, LineIndex lineIndex,
                             std::vector<TSynToken>& tokens);
    // The token's length without building its text.
    virtual std::size_t TokenLength() const;

    const TSynCharSet& WordBreakChars() const { return wordBreakChars; }
    bool Enabled() const { return enabled; }
    void SetEnabled(bool value);

    using ChangeHook = std::function<void()>;
    // Returns a handle for UnhookAttributeChange.
    int HookAttributeChange(ChangeHook hook);
    void UnhookAttributeChange(int handle);
    void AttributeChanged(TSynHighlighterAttributes* sender);
    void BeginUpdate();
    void EndUpdate();

    virtual void Assign(const TSynCustomHighlighter& source);

protected:
    // Throws std::invalid_argument for a duplicate name. Takes ownership.
    TSynHighlighterAttributes* AddAttribute(std::unique_ptr<TSynHighlighterAttributes> attribute);
    // A new attribute with the values it starts with (clNone: the editor's own colour).
    TSynHighlighterAttributes* AddAttribute(std::string name, TFontStyles style,
                                            TColor foreground = clNone, TColor background = clNone);
    // Hooks every attribute's change handler and records the defaults; end of a constructor.
    void SetAttributesOnChange();
    // Every attribute's KeepPresetForeground: after the form's values are set.
    void KeepPresetForegrounds();

private:
    std::vector<std::unique_ptr<TSynHighlighterAttributes>> attributes; // sorted by name
    std::map<int, ChangeHook> hooks;
    int nextHookHandle = 1;
    int updateCount = 0;
    bool changePending = false;
    bool enabled = true;
    TSynCharSet wordBreakChars;
    std::string defaultFilter;
};

// Every highlighter class registers itself once; nothing else consults the list.
class TSynHighlighterList {
public:
    static TSynHighlighterList& Instance();
    void Add(const std::string& className);
    int Count() const { return static_cast<int>(classes.size()); }
    const std::string& At(int index) const { return classes[static_cast<std::size_t>(index)]; }

private:
    std::vector<std::string> classes;
};
