#pragma once
// A small modal dialog with one edit field above OK and Cancel: the shape of the program's name
// and go-to-line dialogs. The whole text is selected when it shows, so typing replaces it. The
// field shows no label: fieldName is what a screen reader calls it.

#include <QDialog>
#include <QString>

class QLineEdit;

class TOneFieldDialog : public QDialog {
    Q_OBJECT
public:
    TOneFieldDialog(const QString& caption, const QString& fieldName, const QString& text,
                    QWidget* parent = nullptr);
    QLineEdit* Edit1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};
