#include "platform/qt/OneFieldDialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TOneFieldDialog::TOneFieldDialog(const QString& caption, const QString& fieldName,
                                 const QString& text, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    Edit1 = new QLineEdit(text, this);
    Edit1->setAccessibleName(fieldName);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Edit1);
    layout->addWidget(buttons);
}

void TOneFieldDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Edit1->setFocus();
    Edit1->selectAll();
}
