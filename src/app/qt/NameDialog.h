#pragma once
// TForm2, the name-entry dialog: one edit field, OK and Cancel. The caller puts the proposed
// name into Edit1, shows the dialog through Dialogs::Exec and reads Edit1 back on OK.

#include <QDialog>

class QLineEdit;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    QLineEdit* Edit1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};
