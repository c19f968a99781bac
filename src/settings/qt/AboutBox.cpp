#include "settings/qt/AboutBox.h"

#include "platform/qt/Shell.h"
#include "settings/qt/ProgramIcon.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

namespace {

const char* const MakerMail = "mailto:hello@tabrix.example";
const char* const ProductPage = "https://tabrix.example/pro";
const char* const MakerSite = "https://tabrix.example";

// A left click on a link, or Enter or Space while it has the focus.
bool OpensLink(const QEvent& event) {
    if (event.type() == QEvent::MouseButtonRelease)
        return static_cast<const QMouseEvent&>(event).button() == Qt::LeftButton;
    if (event.type() == QEvent::KeyPress) {
        const int key = static_cast<const QKeyEvent&>(event).key();
        return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    }
    return false;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      OpenLink(ShellOpen) {
    setObjectName("AboutBox");
    setWindowTitle("About");
    setFixedSize(300, 199);

    Panel1 = new QGroupBox(this);
    Panel1->setGeometry(0, 0, 297, 161);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setGeometry(8, 16, 32, 32);
    ProgramIcon->setPixmap(TabrixProgramIcon().pixmap(32, 32));
    ProgramIcon->setAccessibleName("Program icon");

    ProductName = new QLabel(Panel1);
    ProductName->move(64, 16);
    QFont bold = ProductName->font();
    bold.setBold(true);
    ProductName->setFont(bold);
    Version = new QLabel(Panel1);
    Version->move(64, 32);

    Label1 = AddLink(MakerMail, 80);
    Comments = AddLink(QString(), 104);
    Label2 = AddLink(MakerSite, 128);

    OKButton = new QPushButton("OK", this);
    OKButton->setDefault(true);
    OKButton->setGeometry(112, 168, 75, 25);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    FormCreate();
}

void TAboutBox::FormCreate() {
    Version->setText("1.5.0");
    ProductName->setText("Tabrix Pro");
    Comments->setText(ProductPage);
    for (QLabel* label : {ProductName, Version, Label1, Comments, Label2})
        label->adjustSize();
}

QLabel* TAboutBox::AddLink(const QString& text, int top) {
    auto* label = new QLabel(text, Panel1);
    label->move(8, top);
    label->setFixedWidth(Panel1->width() - 16);
    label->setWordWrap(true);
    label->setCursor(Qt::PointingHandCursor);
    // Tab reaches a link, Enter or Space opens it; the link with the focus is marked.
    label->setFocusPolicy(Qt::StrongFocus);
    label->setStyleSheet("QLabel { color: navy; text-decoration: underline; }"
                         "QLabel:focus { color: palette(highlighted-text);"
                         " background: palette(highlight); }");
    label->setTextFormat(Qt::PlainText);
    label->installEventFilter(this);
    return label;
}

void TAboutBox::CommentsClick(const QLabel& label) {
    // A link the desktop cannot open is not reported.
    if (OpenLink)
        OpenLink(label.text());
}

void TAboutBox::showEvent(QShowEvent* event) {
    // Centred on the screen, not on the main window.
    if (const QScreen* shown = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(shown->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
    // Enter closes the box, as before the links took the focus.
    OKButton->setFocus();
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (OpensLink(*event)) {
        for (const QLabel* label : {Label1, Comments, Label2}) {
            if (watched == label) {
                CommentsClick(*label);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
