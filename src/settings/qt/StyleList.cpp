#include "settings/qt/StyleList.h"

#include "platform/qt/PathNames.h"
#include "settings/SettingsFolders.h"

#include <string_view>

QStringList ListedStyleNames() {
    QStringList names;
    for (std::string name : ListFilesByExtension(ProgramDataFolder(), {"style"})) {
        // Only the lower-case extension is cut, as the list has always been built.
        constexpr std::string_view extension = ".style";
        if (name.ends_with(extension))
            name.erase(name.size() - extension.size());
        names << QString::fromStdString(name);
    }
    return names;
}

int CheckedStylePosition(const QStringList& names, const QString& current) {
    for (int position = 0; position < int(names.size()); ++position) {
        if (names[position].compare(current, Qt::CaseInsensitive) == 0)
            return position;
    }
    return -1;
}

FileDialogRequest OrganizeStylesRequest() {
    FileDialogRequest request;
    request.caption = "Open";
    request.filters = {{"Tabrix Styles", "*.style"}};
    request.initialFolder = DisplayPath(ProgramDataFolder());
    return request;
}
