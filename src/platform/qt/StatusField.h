#pragma once
// A field of a status bar as a screen reader meets it: shown exactly while it has text, so that
// no empty field is read out as a nameless one and no hidden field keeps a text it no longer
// shows. A field whose text needs its subject to be understood ("LF", "UTF-8") is named with
// both. Does not decide what a field says.

#include <QString>

class QLabel;

void SetStatusFieldText(QLabel& field, const QString& text, const QString& subject = {});
