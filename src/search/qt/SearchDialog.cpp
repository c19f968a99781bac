#include "search/qt/SearchDialog.h"

#include "platform/qt/EncodingQt.h"
#include "search/FindReplace.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TSearchDialog::TSearchDialog(SearchDialogKind kind, QWidget* parent) : QDialog(parent), kind(kind) {
    const bool replace = kind == SearchDialogKind::Replace;
    setObjectName(replace ? "ReplaceDialog" : "FindDialog");
    setWindowTitle(replace ? "Replace" : "Find");
    setModal(false);

    auto* fields = new QGridLayout;
    const auto addField = [&](const QString& caption, int row) {
        auto* edit = new QLineEdit(this);
        edit->setMaxLength(MaxTextLength);
        auto* label = new QLabel(caption, this);
        label->setBuddy(edit);
        fields->addWidget(label, row, 0);
        fields->addWidget(edit, row, 1);
        return edit;
    };
    FindEdit = addField("Fi&nd what:", 0);
    FindEdit->setObjectName("FindEdit");
    if (replace) {
        ReplaceEdit = addField("Re&place with:", 1);
        ReplaceEdit->setObjectName("ReplaceEdit");
    }
    MatchCaseCheck = new QCheckBox("Match &case", this);
    RegexCheck = new QCheckBox("Regular e&xpression", this);
    RegexCheck->setObjectName("RegexCheck");
    WholeWordsCheck = new QCheckBox("&Whole words only", this);
    WholeWordsCheck->setObjectName("WholeWordsCheck");

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addStretch();
    left->addWidget(MatchCaseCheck);
    left->addWidget(RegexCheck);
    left->addWidget(WholeWordsCheck);

    auto* buttons = new QVBoxLayout;
    const auto addButton = [&](const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    FindNextButton = addButton("&Find Next");
    FindNextButton->setDefault(true);
    if (replace) {
        ReplaceButton = addButton("&Replace");
        ReplaceAllButton = addButton("Replace &All");
    }
    CancelButton = addButton("Cancel");
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(buttons);

    connect(FindEdit, &QLineEdit::textChanged, this, &TSearchDialog::UpdateButtons);
    connect(FindEdit, &QLineEdit::textChanged, this, &TSearchDialog::SearchChanged);
    for (QCheckBox* option : {MatchCaseCheck, RegexCheck, WholeWordsCheck})
        connect(option, &QCheckBox::toggled, this, &TSearchDialog::SearchChanged);
    connect(FindNextButton, &QPushButton::clicked, this, &TSearchDialog::FindNextPressed);
    if (replace) {
        connect(ReplaceButton, &QPushButton::clicked, this, &TSearchDialog::ReplacePressed);
        connect(ReplaceAllButton, &QPushButton::clicked, this, &TSearchDialog::ReplaceAllPressed);
    }
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    UpdateButtons();
}

QString TSearchDialog::FindText() const {
    return FindEdit->text();
}

void TSearchDialog::SetFindText(const QString& text) {
    FindEdit->setText(text);
}

QString TSearchDialog::ReplaceText() const {
    return ReplaceEdit != nullptr ? ReplaceEdit->text() : QString();
}

void TSearchDialog::SetReplaceText(const QString& text) {
    if (ReplaceEdit != nullptr)
        ReplaceEdit->setText(text);
}

bool TSearchDialog::MatchCase() const {
    return MatchCaseCheck->isChecked();
}

void TSearchDialog::SetMatchCase(bool value) {
    MatchCaseCheck->setChecked(value);
}

void TSearchDialog::SetRegularExpression(bool value) {
    RegexCheck->setChecked(value);
}

void TSearchDialog::SetWholeWords(bool value) {
    WholeWordsCheck->setChecked(value);
}

SearchRequest TSearchDialog::Request(const Encoding& encoding) const {
    return {FromQString(FindText(), encoding), FromQString(ReplaceText(), encoding),
            MatchCase() ? CaseRule::MatchCase : CaseRule::IgnoreCase,
            RegexCheck->isChecked() ? PatternSyntax::RegularExpression : PatternSyntax::Literal,
            WholeWordsCheck->isChecked() ? WordRule::WholeWords : WordRule::AnyText};
}

void TSearchDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    emit VisibilityChanged();
}

void TSearchDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    emit VisibilityChanged();
}

void TSearchDialog::Execute() {
    show();
    raise();
    activateWindow();
    FindEdit->setFocus();
}

void TSearchDialog::UpdateButtons() {
    const bool searchable = !FindEdit->text().isEmpty();
    FindNextButton->setEnabled(searchable);
    if (ReplaceButton != nullptr) {
        ReplaceButton->setEnabled(searchable);
        ReplaceAllButton->setEnabled(searchable);
    }
}
