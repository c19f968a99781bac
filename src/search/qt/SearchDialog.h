#pragma once
// The modeless Find and Replace dialogs, shaped like the system's common ones with the options
// the program hides left out: find text, replace text (Replace only), Match case, Regular
// expression and Whole words only (both off at first), Find Next, Replace, Replace All (Replace
// only) and Cancel. Each text holds at most 255 characters; the buttons that search wait for a
// find text. The dialog only reports its buttons, its changes and its showing.

#include <QDialog>
#include <QString>

// The search's own types, declared here so that moc never reads the core's headers.
class Encoding;
enum class SearchDialogKind;
struct SearchRequest;
class QCheckBox;
class QLineEdit;
class QPushButton;

class TSearchDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxTextLength = 255;

    TSearchDialog(SearchDialogKind kind, QWidget* parent = nullptr);

    SearchDialogKind Kind() const { return kind; }
    QString FindText() const;
    void SetFindText(const QString& text);
    QString ReplaceText() const;
    void SetReplaceText(const QString& text);
    bool MatchCase() const;
    void SetMatchCase(bool value);
    void SetRegularExpression(bool value);
    void SetWholeWords(bool value);
    // The texts and option as a search takes them, in the encoding of the text searched.
    SearchRequest Request(const Encoding& encoding) const;

    // Shows the dialog, or brings it to the front when it is open.
    void Execute();

    QLineEdit* FindEdit = nullptr;
    QLineEdit* ReplaceEdit = nullptr; // Replace only
    QCheckBox* MatchCaseCheck = nullptr;
    QCheckBox* RegexCheck = nullptr;
    QCheckBox* WholeWordsCheck = nullptr;
    QPushButton* FindNextButton = nullptr;
    QPushButton* ReplaceButton = nullptr;    // Replace only
    QPushButton* ReplaceAllButton = nullptr; // Replace only
    QPushButton* CancelButton = nullptr;

signals:
    void FindNextPressed();
    void ReplacePressed();
    void ReplaceAllPressed();
    // The find text or an option changed.
    void SearchChanged();
    // Shown or hidden.
    void VisibilityChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void UpdateButtons();

    SearchDialogKind kind;
};
