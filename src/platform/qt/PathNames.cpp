#include "platform/qt/PathNames.h"

#include "platform/Encoding.h"
#include "platform/FileSystem.h"
#include "platform/qt/EncodingQt.h"

namespace {

// Names are UTF-8 whatever the program's code page: as Qt and the desktop take them.
const Encoding& NameEncoding() {
    static const Encoding& utf8 = *Encoding::ForCodePage(Encoding::Utf8CodePage);
    return utf8;
}

} // namespace

std::string LocalPath(const QString& path) {
    return FromQString(path, NameEncoding());
}

QString DisplayPath(const std::string& path) {
    return ToQString(path, NameEncoding());
}

QString DisplayFolderOf(const QString& path) {
    return DisplayPath(FolderPathOf(AbsolutePath(LocalPath(path))));
}

QString ShownPath(const QString& path) {
    QString shown;
    shown.reserve(path.size());
    for (const QChar unit : path) {
        if (IsRawByteCode(unit.unicode()))
            shown +=
                "\\x" +
                QString("%1").arg(unit.unicode() - RawByteCode(0), 2, 16, QChar('0')).toUpper();
        else
            shown += unit;
    }
    return shown;
}

QString ShownFileName(const QString& path) {
    return ShownText(std::string(FileNameOf(LocalPath(path))));
}

QString ShownText(const std::string& bytes) {
    return ShownPath(DisplayPath(bytes));
}
