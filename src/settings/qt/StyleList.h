#pragma once
// The styles of the Style menu: the style files shipped in the program folder, listed by name.

#include "platform/qt/Dialogs.h"

#include <QString>
#include <QStringList>

// The names of the ".style" files of the program folder, without the extension.
QStringList ListedStyleNames();
// The position of the first name equal to current, letter case aside; -1 when none is.
int CheckedStylePosition(const QStringList& names, const QString& current);
// The open dialog of "Organize Styles": the style files of the program folder.
FileDialogRequest OrganizeStylesRequest();
