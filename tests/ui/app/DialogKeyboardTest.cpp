// The program's dialogs as keyboard and screen reader users meet them: Tab visits the controls
// in the order the dialog lays them out, and every control has a name to be read by.

#include "MainWindowFixture.h"
#include "app/qt/NameDialog.h"
#include "search/qt/GoToLineDialog.h"
#include "search/qt/SearchController.h"
#include "search/qt/SearchDialog.h"
#include "settings/qt/AboutBox.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

QRect PlaceIn(const QWidget& dialog, const QWidget& control) {
    return {control.mapTo(&dialog, QPoint(0, 0)), control.size()};
}

// The controls Tab can reach.
std::vector<QWidget*> Controls(QWidget& dialog) {
    std::vector<QWidget*> controls;
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
        if (child->isVisibleTo(&dialog) && child->isEnabled() &&
            (child->focusPolicy() & Qt::TabFocus))
            controls.push_back(child);
    }
    return controls;
}

// The order a reader meets the controls in: the columns from the left, each from the top, and
// controls side by side in one row from the left. Controls whose horizontal extents overlap
// share a column (a field and the checkboxes under it); a column of buttons beside them is the
// next one.
std::vector<QWidget*> ReadingOrder(const QWidget& dialog, std::vector<QWidget*> controls) {
    const auto place = [&](const QWidget* control) { return PlaceIn(dialog, *control); };
    std::sort(controls.begin(), controls.end(),
              [&](QWidget* a, QWidget* b) { return place(a).left() < place(b).left(); });
    std::vector<std::vector<QWidget*>> columns;
    int columnRight = -1;
    for (QWidget* control : controls) {
        if (columns.empty() || place(control).left() > columnRight)
            columns.emplace_back();
        columns.back().push_back(control);
        columnRight = std::max(columnRight, place(control).right());
    }
    std::vector<QWidget*> order;
    for (std::vector<QWidget*>& column : columns) {
        std::sort(column.begin(), column.end(),
                  [&](QWidget* a, QWidget* b) { return place(a).top() < place(b).top(); });
        for (std::size_t rowStart = 0; rowStart < column.size();) {
            std::size_t rowEnd = rowStart + 1;
            while (rowEnd < column.size() &&
                   place(column[rowEnd]).top() <= place(column[rowStart]).bottom())
                ++rowEnd;
            std::sort(column.begin() + std::ptrdiff_t(rowStart),
                      column.begin() + std::ptrdiff_t(rowEnd),
                      [&](QWidget* a, QWidget* b) { return place(a).left() < place(b).left(); });
            order.insert(order.end(), column.begin() + std::ptrdiff_t(rowStart),
                         column.begin() + std::ptrdiff_t(rowEnd));
            rowStart = rowEnd;
        }
    }
    return order;
}

QString Described(const std::vector<QWidget*>& controls) {
    QStringList names;
    for (QWidget* control : controls) {
        names << QString(control->metaObject()->className()) + " '" +
                     QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name) + "'";
    }
    return names.join(", ");
}

struct DialogCase {
    const char* name;
    std::function<QDialog&(TForm1&)> dialog;
    // Readies the dialog as it is used: a find text turns its buttons on.
    std::function<void(TForm1&)> prepare;
};

const DialogCase kDialogs[] = {
    {"name entry", [](TForm1& w) -> QDialog& { return Part<TForm2>(w, "Form2"); }, nullptr},
    {"go to line", [](TForm1& w) -> QDialog& { return Part<TForm4>(w, "Form4"); }, nullptr},
    {"find", [](TForm1& w) -> QDialog& { return *w.Search().FindDialog; },
     [](TForm1& w) { w.Search().FindDialog->SetFindText("x"); }},
    {"replace", [](TForm1& w) -> QDialog& { return *w.Search().ReplaceDialog; },
     [](TForm1& w) { w.Search().ReplaceDialog->SetFindText("x"); }},
    {"about", [](TForm1& w) -> QDialog& { return Part<TAboutBox>(w, "AboutBox"); }, nullptr},
};

TEST_F(MainWindowTest, TabWalksEveryDialogInTheOrderOfItsLayout) {
    for (const DialogCase& c : kDialogs) {
        SCOPED_TRACE(c.name);
        QDialog& dialog = c.dialog(*window);
        if (c.prepare)
            c.prepare(*window);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        const std::vector<QWidget*> expected = ReadingOrder(dialog, Controls(dialog));
        ASSERT_GE(expected.size(), 1u);
        expected.front()->setFocus(Qt::TabFocusReason);
        std::vector<QWidget*> walked{QApplication::focusWidget()};
        for (std::size_t step = 0; step < expected.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked.push_back(QApplication::focusWidget());
        }
        EXPECT_EQ(walked.back(), expected.front()) << "Tab comes round to the first control";
        walked.pop_back();
        EXPECT_EQ(Described(walked), Described(expected));
        dialog.hide();
    }
}

TEST_F(MainWindowTest, EveryDialogControlHasANameToBeReadBy) {
    for (const DialogCase& c : kDialogs) {
        SCOPED_TRACE(c.name);
        QDialog& dialog = c.dialog(*window);
        for (QWidget* control : Controls(dialog)) {
            const QString name =
                QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
            EXPECT_FALSE(name.trimmed().isEmpty()) << Described({control});
            // A field's label is no mnemonic for a reader: "Fi&nd what:" reads "Find what:".
            EXPECT_FALSE(name.contains('&')) << name.toStdString();
        }
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window->Search().ReplaceDialog->ReplaceEdit)
                  ->text(QAccessible::Name),
              "Replace with:")
        << "named by its label";
}

} // namespace
