#include "platform/qt/NameOnlyIconProvider.h"

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
    if (info.isDir())
        return QFileIconProvider::icon(Folder);
    const QMimeType type = mimeTypes.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    const QIcon themed = QIcon::fromTheme(type.iconName());
    return themed.isNull() ? QFileIconProvider::icon(File) : themed;
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
    if (info.isDir())
        return QFileIconProvider::type(info);
    const QMimeType type = mimeTypes.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    return type.comment().isEmpty() ? type.name() : type.comment();
}
