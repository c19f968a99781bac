#pragma once
// Menus, tool buttons and context menus as data: one table of MenuItem rows per menu, next to
// the handlers the rows name. MenuBuild turns the tables into actions, submenus and tool
// buttons; the window keeps no other list of its commands. Does not decide what a command does.

#include <QAction>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

class QMenu;
class QMenuBar;
class QToolBar;
class TForm1;
struct TWindowParts;

// The view modes (plain, code, rich) an element shows in, as a set of bits.
enum ViewModes : unsigned {
    NoViewMode = 0,
    InPlainView = 1u << 0,
    InCodeView = 1u << 1,
    InRichView = 1u << 2,
    InEveryView = InPlainView | InCodeView | InRichView,
};

constexpr bool ShowsIn(ViewModes modes, int viewMode) {
    return viewMode >= 0 && viewMode < 3 && (modes & (1u << unsigned(viewMode))) != 0;
}

enum class ToolRow { None, First, Second };

// Where a tool button sits: its row, its group in the row (separators stand between groups)
// and its order in the group.
struct ToolPlace {
    ToolRow row = ToolRow::None;
    int group = 0;
    int order = 0;
};

struct ToolButton {
    const char* name = nullptr; // none: the item has no tool button
    const char* caption = nullptr;
    const char* hint = nullptr;
    const char* icon = nullptr; // a freedesktop icon name, see ToolIcon
    ToolPlace place;
};

// Radio rows that follow one another in a menu form one group: checking one unchecks the others.
enum class MenuCheck { None, Unchecked, Checked, RadioUnchecked, RadioChecked };

struct MenuItem;
// Runs a row's command: the window, the row and the clicked item. Made by Call below.
using MenuHandler = void (*)(TForm1& window, const MenuItem& row, const QAction& item);

struct MenuItem {
    // The object name of the item (or the submenu's action).
    const char* name = nullptr;
    // None: a separator, or a tool button that has no menu item (yet).
    const char* caption = nullptr;
    // Every key that runs the item; the first one shows in the menu.
    std::initializer_list<const char*> shortcuts = {};
    int tag = 0;
    MenuHandler handler = nullptr;
    ToolButton button = {};
    // A drop-down menu on the tool button's arrow.
    QMenu* TWindowParts::*dropDown = nullptr;
    ViewModes modes = InEveryView;
    MenuCheck check = MenuCheck::None;
    // For a submenu: its items, and the window's part that keeps it (either may be left out).
    // A member that holds a menu already shares that menu: the row adds no items of its own.
    std::span<const MenuItem> submenu = {};
    QMenu* TWindowParts::*menu = nullptr;
    // The window's part that keeps the item.
    QAction* TWindowParts::*action = nullptr;
    // An image beside the caption in the menu.
    const char* icon = nullptr;
    // The text command that RunTextFunction runs for the item.
    std::string_view command = {};
    Qt::ShortcutContext shortcutContext = Qt::WindowShortcut;

    bool IsSubmenu() const { return !submenu.empty() || menu; }
    bool IsSeparator() const { return !caption && !button.name; }
};

// Runs a command of object: a member function taking nothing, the item's new check mark (bool),
// the row's tag (int) or the row's text command (std::string_view).
template <auto member, class Object>
void Invoke(Object& object, const MenuItem& row, const QAction& item) {
    using Member = decltype(member);
    if constexpr (std::is_same_v<Member, void (Object::*)()>)
        (object.*member)();
    else if constexpr (std::is_same_v<Member, void (Object::*)(bool)>)
        (object.*member)(item.isChecked());
    else if constexpr (std::is_same_v<Member, void (Object::*)(int)>)
        (object.*member)(row.tag);
    else {
        static_assert(std::is_same_v<Member, void (Object::*)(std::string_view)>);
        (object.*member)(row.command);
    }
}

// The row's handler: a command of the window.
template <auto member> void Call(TForm1& window, const MenuItem& row, const QAction& item) {
    Invoke<member>(window, row, item);
}

// The row's handler: a command of a part of the window, which the window's member function
// `part` gives.
template <auto part, auto member>
void CallOn(TForm1& window, const MenuItem& row, const QAction& item) {
    Invoke<member>((window.*part)(), row, item);
}

// What the window needs of the built menus: the tool buttons and the elements that show in some
// view modes only.
class MenuBuild {
public:
    // Adds the rows to menu: items, separators and submenus, each wired to its handler on the
    // window and kept in its part of parts (the window's own); tool buttons are kept until
    // PlaceToolButtons.
    void AddItems(QMenu& menu, std::span<const MenuItem> rows, TForm1& window, TWindowParts& parts);
    // The same for the menu bar, whose rows are all submenus.
    void AddMenus(QMenuBar& bar, std::span<const MenuItem> rows, TForm1& window,
                  TWindowParts& parts);
    // Puts every tool button met so far into its row, in group order, triggering its menu item;
    // a button's drop-down is its menu in parts.
    void PlaceToolButtons(QToolBar& first, QToolBar& second, const TWindowParts& parts);
    // Shows exactly the elements that show in viewMode.
    void ShowFor(int viewMode) const;
    // Adds an element built elsewhere to the view-mode switch.
    void Track(QAction& element, ViewModes modes);

private:
    template <class Container>
    void AddRows(Container& container, std::span<const MenuItem> rows, TForm1& window,
                 TWindowParts& parts);

    struct PendingButton {
        const MenuItem* row;
        QAction* item; // the menu item it triggers; none for a button without one
    };
    struct ModeElement {
        QAction* element;
        ViewModes modes;
    };
    std::vector<PendingButton> buttons;
    std::vector<ModeElement> modeElements;
};

// Menus and tabs turn "&" into an accelerator mark; this text shows as it is.
QString WithoutAcceleratorMarks(QString text);

// Replaces the items of menu after `after` (all of them when it is none) with one checkable
// item per caption, tagged with its position; "&" in a caption is text. Clicking calls onClick
// with the position.
void FillMenuFromStrings(QMenu& menu, const QAction* after, const QStringList& captions,
                         const std::function<void(int position)>& onClick);
