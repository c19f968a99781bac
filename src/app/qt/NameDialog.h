#pragma once
// TForm2, the name-entry dialog. The caller puts the proposed name into Edit1, shows the dialog
// through Dialogs::Exec and reads Edit1 back on OK.

#include "platform/qt/OneFieldDialog.h"

class TForm2 : public TOneFieldDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr)
        : TOneFieldDialog("Enter file name", "File name", "untitled", parent) {
        setObjectName("Form2");
        setFixedSize(248, 72);
    }
};
