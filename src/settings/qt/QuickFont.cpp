#include "settings/qt/QuickFont.h"

#include <QMenu>
#include <vector>

namespace {

// The caption groups, separated in the menu.
const std::vector<std::vector<const char*>>& QuickFontGroups() {
    static const std::vector<std::vector<const char*>> groups = {
        {"MS Sans Serif, 10", "Arial, 10", "Verdana, 10", "Tahoma, 10", "Times New Roman, 12",
         "Sylfaen, 10"},
        {"Courier New, 10", "Lucida Console, 10", "Terminal, 10"},
        {"Tahoma, 8", "Verdana, 8", "MS Sans Serif, 8", "Times New Roman, 10", "Small Fonts, 7"},
        {"Arial, 12", "Verdana, 12", "Tahoma, 12", "Sylfaen, 12", "Times New Roman, 14"}};
    return groups;
}

} // namespace

QuickFont ParseQuickFontCaption(QString caption) {
    caption.remove('&');
    const qsizetype comma = caption.indexOf(',');
    if (comma < 0)
        return {caption.trimmed(), 0};
    bool ok = false;
    const int size = caption.mid(comma + 1).trimmed().toInt(&ok);
    return {caption.left(comma).trimmed(), ok ? size : 0};
}

void AddQuickFontItems(QMenu& menu, const std::function<void(const QString& caption)>& onClick) {
    for (const auto& group : QuickFontGroups()) {
        if (!menu.isEmpty())
            menu.addSeparator();
        for (const char* caption : group) {
            QAction* item = menu.addAction(caption);
            QObject::connect(item, &QAction::triggered, &menu,
                             [onClick, item] { onClick(item->text()); });
        }
    }
}
