// The Format menu of rich view and what reading a rich file left out: every command on a
// selection, its check mark and its undo, in UTF-8 and Windows-1251 documents; the question
// before saving over a file whose headers or footnotes would be lost.

#include "MainWindowFixture.h"
#include "app/qt/RichFormatCommands.h"
#include "platform/Encoding.h"
#include "richedit/qt/RichEdit.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QToolBar>
#include <functional>
#include <optional>

namespace {

class RichFormatTest : public MainWindowTest {
public:
    TRxRichEdit& Rich() { return *window->CurrentDocument().RichEditor; }
    // A rich document holding text, the given word selected.
    void OpenRich(const QByteArray& rtf, const QString& word) {
        window->Files().OpenFile(WriteFile("format.rtf", rtf));
        ASSERT_EQ(window->CurrentDocument().ViewMode, vmRich);
        QTextCursor found = Rich().document()->find(word);
        ASSERT_FALSE(found.isNull());
        Rich().setTextCursor(found);
    }
    QTextCharFormat FormatOf(const QString& word) {
        QTextCursor found = Rich().document()->find(word);
        QTextCursor inside(found);
        inside.setPosition(found.selectionEnd());
        return inside.charFormat();
    }
};

TEST_F(RichFormatTest, EveryFormatItemChangesTheSelectionShowsItsCheckAndUndoesInOneStep) {
    struct Case {
        const char* name;
        std::function<void(TForm1&)> run;
        std::function<bool(RichFormatTest&, const QString& word)> applied;
        const char* checked; // the item that shows it checked, if any
        std::optional<ScriptedDialogs::Answer> answer = std::nullopt;
    };
    const Case cases[] = {
        {"bold", [](TForm1& w) { Part<QAction>(w, "mniBold").trigger(); },
         [](RichFormatTest& t, const QString& w) {
             return t.FormatOf(w).fontWeight() >= QFont::Bold;
         },
         "mniBold"},
        {"italic", [](TForm1& w) { Part<QAction>(w, "mniItalic").trigger(); },
         [](RichFormatTest& t, const QString& w) { return t.FormatOf(w).fontItalic(); },
         "mniItalic"},
        {"underline", [](TForm1& w) { Part<QAction>(w, "mniUnderline").trigger(); },
         [](RichFormatTest& t, const QString& w) { return t.FormatOf(w).fontUnderline(); },
         "mniUnderline"},
        {"strike-out", [](TForm1& w) { Part<QAction>(w, "mniStrikeOut").trigger(); },
         [](RichFormatTest& t, const QString& w) { return t.FormatOf(w).fontStrikeOut(); },
         "mniStrikeOut"},
        {"font", [](TForm1& w) { w.Format().mniFormatFontClick(); },
         [](RichFormatTest& t, const QString& w) {
             return t.FormatOf(w).fontFamilies().toStringList().contains("DejaVu Serif");
         },
         nullptr, std::optional<FontChoice>(FontChoice{QFont("DejaVu Serif", 14), QColor()})},
        {"text colour", [](TForm1& w) { w.Format().mniTextColourClick(); },
         [](RichFormatTest& t, const QString& w) {
             return t.FormatOf(w).foreground().color() == QColor(200, 0, 0);
         },
         nullptr, std::optional<QColor>(QColor(200, 0, 0))},
        {"highlight", [](TForm1& w) { w.Format().mniHighlightColourClick(); },
         [](RichFormatTest& t, const QString& w) {
             return t.FormatOf(w).background().color() == QColor(200, 0, 0);
         },
         nullptr, std::optional<QColor>(QColor(200, 0, 0))},
        {"centre", [](TForm1& w) { Part<QAction>(w, "mniAlignCentre").trigger(); },
         [](RichFormatTest& t, const QString&) { return t.Rich().alignment() == Qt::AlignHCenter; },
         "mniAlignCentre"},
        {"justify", [](TForm1& w) { Part<QAction>(w, "mniJustify").trigger(); },
         [](RichFormatTest& t, const QString&) { return t.Rich().alignment() == Qt::AlignJustify; },
         "mniJustify"},
        {"bullets", [](TForm1& w) { Part<QAction>(w, "mniBullets").trigger(); },
         [](RichFormatTest& t, const QString&) {
             return t.Rich().textCursor().currentList() != nullptr &&
                    t.Rich().textCursor().currentList()->format().style() ==
                        QTextListFormat::ListDisc;
         },
         "mniBullets"},
        {"numbering", [](TForm1& w) { Part<QAction>(w, "mniNumbering").trigger(); },
         [](RichFormatTest& t, const QString&) {
             return t.Rich().textCursor().currentList() != nullptr &&
                    t.Rich().textCursor().currentList()->format().style() ==
                        QTextListFormat::ListDecimal;
         },
         "mniNumbering"},
        {"indent", [](TForm1& w) { w.Format().mniIndentClick(1); },
         [](RichFormatTest& t, const QString&) {
             return t.Rich().textCursor().blockFormat().leftMargin() > 0;
         },
         nullptr},
    };
    struct Document {
        const char* name;
        QByteArray rtf;
        QString word;
    };
    const Document documents[] = {
        {"UTF-8 text",
         "{\\rtf1\\ansi one \\u1087?\\u1088?\\u1080?\\u1074?\\u1077?\\u1090? two\\par}",
         QString::fromUtf8("привет")},
        {"Windows-1251", "{\\rtf1\\ansi\\ansicpg1251 one \\'ef\\'f0\\'e8\\'e2\\'e5\\'f2 two\\par}",
         QString::fromUtf8("привет")},
    };
    for (const Document& document : documents) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(document.name) + ": " + c.name);
            OpenRich(document.rtf, document.word);
            if (c.answer)
                dialogs.Queue(*c.answer);
            c.run(*window);
            EXPECT_TRUE(c.applied(*this, document.word));
            if (c.checked) {
                EXPECT_TRUE(Part<QAction>(*window, c.checked).isChecked());
            }
            Rich().undo();
            EXPECT_FALSE(c.applied(*this, document.word)) << "one undo takes it back";
            EXPECT_FALSE(Rich().document()->isUndoAvailable()) << "more than one step";
            window->CurrentDocument().Modified = false;
            window->Tabs().mniCloseClick();
        }
    }
}

TEST_F(RichFormatTest, FormatMenuAndKeysBelongToRichViewOnly) {
    window->CurrentPlainEditor()->SetText("plain words");
    QMenu* format = &Part<QMenu>(*window, "mniFormat");
    ASSERT_NE(format, nullptr);
    EXPECT_FALSE(format->menuAction()->isVisible());
    QTest::keyClick(window->CurrentPlainEditor(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(CurrentText(), "plain words");
    OpenRich("{\\rtf1 some {\\b bold} text\\par}", "bold");
    EXPECT_TRUE(format->menuAction()->isVisible());
    EXPECT_TRUE(Part<QAction>(*window, "mniBold").isChecked())
        << "checked while the selection is bold";
    QTextCursor plain = Rich().document()->find("some");
    Rich().setTextCursor(plain);
    EXPECT_FALSE(Part<QAction>(*window, "mniBold").isChecked());
    QTest::keyClick(&Rich(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_GE(FormatOf("some").fontWeight(), QFont::Bold) << "Ctrl+B in rich view";
    QStringList accelerators;
    for (const QAction* item : format->actions()) {
        const int mark = int(item->text().indexOf('&'));
        if (!item->isSeparator()) {
            ASSERT_GE(mark, 0) << item->text().toStdString();
            EXPECT_FALSE(accelerators.contains(item->text().mid(mark + 1, 1).toLower()))
                << item->text().toStdString();
            accelerators << item->text().mid(mark + 1, 1).toLower();
        }
    }
}

TEST_F(RichFormatTest, SavingOverAFileWithLeftOutItemsAsksFirst) {
    const QByteArray rtf = "{\\rtf1 {\\header Head}Body{\\*\\footnote Note} text\\par}";
    const QString path = WriteFile("noted.rtf", rtf);
    window->Files().OpenFile(path);
    window->ShowCaretPosition();
    EXPECT_EQ(Part<QLabel>(*window, "StatusBarLostItems").text(),
              "2 items not kept: headers, footnotes");
    const QString question = "File " + path +
                             " contains 2 items that Tabrix Pro cannot keep (headers, "
                             "footnotes).  Save anyway?";
    dialogs.Queue(DialogAnswer::No);
    window->Files().mniSaveClick();
    EXPECT_EQ(LastMessage(), question);
    EXPECT_EQ(ReadFile(path), rtf) << "No saves nothing";
    const QString copy = PathOf("copy.rtf");
    dialogs.QueueFiles({copy});
    dialogs.ClearHistory();
    window->Files().mniSaveAsClick();
    for (const ScriptedDialogs::Shown& shown : dialogs.History())
        EXPECT_NE(shown.text, question) << "Save As to a new name does not ask";
    EXPECT_TRUE(ReadFile(copy).contains("Body"));
    window->Files().OpenFile(path);
    dialogs.Queue(DialogAnswer::Yes);
    window->Files().mniSaveClick();
    EXPECT_FALSE(ReadFile(path).contains("Head"));
    window->ShowCaretPosition();
    EXPECT_EQ(Part<QLabel>(*window, "StatusBarLostItems").text(), "");
}

} // namespace
