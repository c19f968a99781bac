#include "app/qt/NameDialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Enter file name");
    Edit1 = new QLineEdit("untitled", this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Edit1);
    layout->addWidget(buttons);
    setFixedSize(248, 72);
}

void TForm2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Typing replaces the proposed name.
    Edit1->selectAll();
    Edit1->setFocus();
}
