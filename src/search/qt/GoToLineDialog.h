#pragma once
// TForm4, the "Go to line number" dialog. Created once and kept, so it shows the number
// entered last time.

#include <QDialog>
#include <QString>
#include <optional>

class QLineEdit;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
    QLineEdit* Edit1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

// The text without leading and trailing characters up to the space.
QString TrimBlanks(const QString& text);
// The line number typed into the dialog: the trimmed text as a whole number; nothing when it
// is not one.
std::optional<int> ParseLineNumber(const QString& text);
