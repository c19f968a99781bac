#include "app/qt/MenuTable.h"

#include "app/qt/KeypadShortcut.h"
#include "app/qt/MainWindow.h"
#include "app/qt/ToolIcons.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <tuple>

void MenuBuild::AddItems(QMenu& menu, std::span<const MenuItem> rows, TForm1& window,
                         TWindowParts& parts) {
    AddRows(menu, rows, window, parts);
}

void MenuBuild::AddMenus(QMenuBar& bar, std::span<const MenuItem> rows, TForm1& window,
                         TWindowParts& parts) {
    AddRows(bar, rows, window, parts);
}

namespace {

bool IsRadio(MenuCheck check) {
    return check == MenuCheck::RadioUnchecked || check == MenuCheck::RadioChecked;
}

// What a screen reader calls a tool button: its hint where that says more and still holds the
// caption a sighted user sees (two buttons are both captioned "Sort"), else its caption.
QString AccessibleName(const ToolButton& button) {
    const QString caption = QString(button.caption).trimmed();
    const QString hint = button.hint;
    return hint.contains(caption, Qt::CaseInsensitive) ? hint : caption;
}

} // namespace

template <class Container>
void MenuBuild::AddRows(Container& container, std::span<const MenuItem> rows, TForm1& window,
                        TWindowParts& parts) {
    QActionGroup* radioGroup = nullptr;
    for (const MenuItem& row : rows) {
        if (!IsRadio(row.check))
            radioGroup = nullptr;
        QAction* item = nullptr;
        if (QMenu* shared = row.menu ? parts.*row.menu : nullptr) {
            // A menu the window has made already shows here too: the same items and caption.
            shared->setTitle(row.caption);
            container.addMenu(shared);
            continue;
        }
        if (row.IsSubmenu()) {
            QMenu* submenu = container.addMenu(row.caption);
            // The menu goes by its row's name, as its action does.
            if (row.name)
                submenu->setObjectName(row.name);
            if (row.menu)
                parts.*row.menu = submenu;
            AddRows(*submenu, row.submenu, window, parts);
            item = submenu->menuAction();
        } else if (row.IsSeparator()) {
            item = container.addSeparator();
        } else if (row.caption) {
            item = container.addAction(row.caption);
            QList<QKeySequence> keys;
            for (const char* shortcut : row.shortcuts)
                keys << QKeySequence(shortcut);
            item->setShortcuts(keys);
            WatchKeypadShortcuts(*item);
            item->setShortcutContext(row.shortcutContext);
            // The window holds the keys too, so they work while the menu bar or this menu is
            // hidden.
            if (!keys.isEmpty())
                window.addAction(item);
            item->setCheckable(row.check != MenuCheck::None);
            item->setChecked(row.check == MenuCheck::Checked ||
                             row.check == MenuCheck::RadioChecked);
            if (IsRadio(row.check)) {
                if (!radioGroup)
                    radioGroup = new QActionGroup(&container);
                radioGroup->addAction(item);
            }
            if (row.icon)
                item->setIcon(ToolIcon(row.icon));
            if (row.handler) {
                QObject::connect(item, &QAction::triggered, &window,
                                 [&window, &row, item] { row.handler(window, row, *item); });
            }
        }
        if (item) {
            if (row.name)
                item->setObjectName(row.name);
            item->setData(row.tag);
            if (row.action)
                parts.*row.action = item;
            if (row.modes != InEveryView)
                Track(*item, row.modes);
        }
        if (row.button.name)
            buttons.push_back({&row, item});
    }
}

void MenuBuild::PlaceToolButtons(QToolBar& first, QToolBar& second, const TWindowParts& parts) {
    std::stable_sort(
        buttons.begin(), buttons.end(), [](const PendingButton& a, const PendingButton& b) {
            const ToolPlace& x = a.row->button.place;
            const ToolPlace& y = b.row->button.place;
            return std::tie(x.row, x.group, x.order) < std::tie(y.row, y.group, y.order);
        });
    const PendingButton* previous = nullptr;
    for (const PendingButton& pending : buttons) {
        const ToolButton& button = pending.row->button;
        QToolBar& row = button.place.row == ToolRow::First ? first : second;
        if (previous && previous->row->button.place.row == button.place.row &&
            previous->row->button.place.group != button.place.group) {
            // A separator stands between two buttons only where both show.
            const auto modes = ViewModes(previous->row->modes & pending.row->modes);
            QAction* separator = row.addSeparator();
            if (modes != InEveryView)
                Track(*separator, modes);
        }
        previous = &pending;
        QAction* action = row.addAction(ToolIcon(button.icon), button.caption);
        action->setObjectName(button.name);
        action->setToolTip(button.hint);
        // A tool button is a click on its menu item.
        if (QAction* item = pending.item)
            QObject::connect(action, &QAction::triggered, item, &QAction::trigger);
        auto* widget = qobject_cast<QToolButton*>(row.widgetForAction(action));
        if (widget)
            widget->setAccessibleName(AccessibleName(button));
        if (pending.row->dropDown) {
            action->setMenu(parts.*pending.row->dropDown);
            if (widget)
                widget->setPopupMode(QToolButton::MenuButtonPopup);
        }
        if (pending.row->modes != InEveryView)
            Track(*action, pending.row->modes);
    }
    buttons.clear();
}

void MenuBuild::ShowFor(int viewMode) const {
    for (const ModeElement& element : modeElements)
        element.element->setVisible(ShowsIn(element.modes, viewMode));
}

void MenuBuild::Track(QAction& element, ViewModes modes) {
    modeElements.push_back({&element, modes});
}

QString WithoutAcceleratorMarks(QString text) {
    return text.replace("&", "&&");
}

void FillMenuFromStrings(QMenu& menu, const QAction* after, const QStringList& captions,
                         const std::function<void(int position)>& onClick) {
    const QList<QAction*> items = menu.actions();
    for (qsizetype i = items.indexOf(after) + 1; i < items.size(); ++i)
        delete items[i];
    for (int position = 0; position < int(captions.size()); ++position) {
        QAction* item = menu.addAction(WithoutAcceleratorMarks(captions[position]));
        item->setCheckable(true);
        item->setData(position);
        QObject::connect(item, &QAction::triggered, &menu,
                         [onClick, position] { onClick(position); });
    }
}
