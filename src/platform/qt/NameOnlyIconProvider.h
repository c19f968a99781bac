#pragma once
// Icons and type names for the file dialogs from the file name alone: the dialog never opens a
// listed file, which would block on a special file such as /proc/kmsg.

#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>
#include <QString>

class NameOnlyIconProvider : public QFileIconProvider {
public:
    QIcon icon(const QFileInfo& info) const override;
    using QFileIconProvider::icon;
    QString type(const QFileInfo& info) const override;

private:
    QMimeDatabase mimeTypes;
};
