#pragma once
// TAboutBox: Help > About. The program's icon, name and version, and three links the desktop
// opens (mail program or browser) on a click, or on Enter or Space once Tab has reached them.
// Created once with the main window, shown modally on demand.

#include <QDialog>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // Hands a link text to the desktop; replaceable so that tests open nothing.
    std::function<bool(const QString&)> OpenLink;

    QGroupBox* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Label1 = nullptr;   // the maker's e-mail address
    QLabel* Comments = nullptr; // the product's web page
    QLabel* Label2 = nullptr;   // the maker's web site
    QPushButton* OKButton = nullptr;

    // Opening any of the link labels.
    void CommentsClick(const QLabel& label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    QLabel* AddLink(const QString& text, int top);
};
