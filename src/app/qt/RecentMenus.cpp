// The recent-files menus.

#include "app/qt/RecentMenus.h"

#include "platform/qt/PathNames.h"
#include "settings/WindowSettings.h"

#include <QMenu>

static_assert(kRecentCapacity == kMaxRecentFiles, "the settings file keeps every slot");

namespace {

// The Open button's drop-down has one item more than the list can fill; it stays hidden.
constexpr int kDropDownItems = kRecentCapacity + 1;

// Menus read "&" as an accelerator mark; a path keeps its own.
QString MenuCaption(const QString& text) {
    return QString(text).replace('&', "&&");
}

} // namespace

TRecentMenus::TRecentMenus(QMenu& fullPaths, QMenu& names,
                           std::function<void(const QString& entry)> open)
    : fullPaths(fullPaths), names(names), open(std::move(open)) {
    for (QMenu* menu : {&fullPaths, &names}) {
        const int items = menu == &fullPaths ? kRecentCapacity : kDropDownItems;
        for (int tag = 0; tag < items; ++tag) {
            QAction* item = menu->addAction(" ");
            item->setData(tag);
            item->setVisible(false);
            QObject::connect(item, &QAction::triggered, menu,
                             [this, tag] { mniRecentItemClick(tag); });
        }
    }
}

void TRecentMenus::Refresh() {
    const QList<QAction*> fullPathItems = fullPaths.actions();
    const QList<QAction*> nameItems = names.actions();
    for (int slot = 0; slot < kRecentCapacity; ++slot) {
        const bool used = slot < recentList.Count();
        const QString entry = used ? DisplayPath(recentList.Entry(slot)) : QString();
        const QString name =
            used ? DisplayPath(std::string(RecentMenuName(recentList.Entry(slot)))) : QString();
        fullPathItems[slot]->setText(used ? MenuCaption(ShownPath(entry)) : " ");
        nameItems[slot]->setText(used ? MenuCaption(ShownPath(name)) : " ");
        fullPathItems[slot]->setVisible(used);
        nameItems[slot]->setVisible(used);
    }
}

void TRecentMenus::AddRecentFile(const QString& path) {
    recentList.AddRecentFile(LocalPath(path));
    Refresh();
}

void TRecentMenus::SetRecentFiles(std::vector<std::string> entries) {
    recentList = RecentList(std::move(entries));
    Refresh();
}

std::vector<QString> TRecentMenus::RecentFiles() const {
    std::vector<QString> entries;
    for (const std::string& entry : recentList.Entries())
        entries.push_back(DisplayPath(entry));
    return entries;
}

void TRecentMenus::mniRecentItemClick(int slot) {
    if (slot < recentList.Count())
        open(DisplayPath(recentList.Entry(slot)));
}
