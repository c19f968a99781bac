// The recent-files list in the window: File > "Recent" (full paths) and the Open button's
// drop-down (names only), one item per slot, rebuilt from the list after every change.

#include "app/ProjectFile.h"
#include "app/qt/MainWindow.h"
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

void TForm1::CreateRecentItems() {
    for (QMenu* menu : {mniRecent, mnuRecent}) {
        const int items = menu == mniRecent ? kRecentCapacity : kDropDownItems;
        for (int tag = 0; tag < items; ++tag) {
            QAction* item = menu->addAction(" ");
            item->setData(tag);
            item->setVisible(false);
            connect(item, &QAction::triggered, this, [this, tag] { mniRecentItemClick(tag); });
        }
    }
}

void TForm1::RefreshRecentMenus() {
    const QList<QAction*> fullPaths = mniRecent->actions();
    const QList<QAction*> names = mnuRecent->actions();
    for (int slot = 0; slot < kRecentCapacity; ++slot) {
        const bool used = slot < recentList.Count();
        const QString entry = used ? DisplayPath(recentList.Entry(slot)) : QString();
        const QString name =
            used ? DisplayPath(std::string(RecentMenuName(recentList.Entry(slot)))) : QString();
        fullPaths[slot]->setText(used ? MenuCaption(ShownPath(entry)) : " ");
        names[slot]->setText(used ? MenuCaption(ShownPath(name)) : " ");
        fullPaths[slot]->setVisible(used);
        names[slot]->setVisible(used);
    }
}

void TForm1::AddRecentFile(const QString& path) {
    recentList.AddRecentFile(LocalPath(path));
    RefreshRecentMenus();
}

void TForm1::SetRecentFiles(std::vector<std::string> entries) {
    recentList = RecentList(std::move(entries));
    RefreshRecentMenus();
}

std::vector<QString> TForm1::RecentFiles() const {
    std::vector<QString> entries;
    for (const std::string& entry : recentList.Entries())
        entries.push_back(DisplayPath(entry));
    return entries;
}

void TForm1::mniRecentItemClick(int slot) {
    if (slot >= recentList.Count())
        return;
    const QString entry = DisplayPath(recentList.Entry(slot));
    openDialogFolder = DisplayFolderOf(entry);
    if (IsProjectFileName(recentList.Entry(slot)))
        OpenProjectReplacingTabs(entry);
    else
        OpenFile(entry);
}
