#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/qt/EncodingQt.h"
#include "platform/qt/ScriptedDialogs.h"
#include "search/FindReplace.h"
#include "search/qt/SearchController.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

enum class EditorKind { Plain, Code };

// A window with a plain and a code editor, one of them active, and the search commands on it.
struct SearchWindow {
    SearchWindow(EditorKind kind, const Encoding& encoding) : encoding(encoding) {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(&memo);
        layout->addWidget(&synEdit);
        active = kind == EditorKind::Plain ? static_cast<TSynEditWidget*>(&memo) : &synEdit;
        active->Engine().SetEncoding(encoding);
        window.resize(500, 400);
        window.show();
        QApplication::setActiveWindow(&window);
    }
    void SetText(const QString& text) { active->Engine().SetText(FromQString(text, encoding)); }
    QString Text() const { return ToQString(active->Engine().Text(), encoding); }
    // The text with the selection marked by [ and ].
    QString Marked() const {
        const std::string text = active->Engine().Text();
        const std::size_t start = active->Engine().SelStart().Value();
        const std::size_t end = start + active->Engine().SelLength().Value();
        return ToQString(text.substr(0, start), encoding) + "[" +
               ToQString(text.substr(start, end - start), encoding) + "]" +
               ToQString(text.substr(end), encoding);
    }
    void Select(int start, int length) {
        const QString text = Text();
        active->Engine().SetSelection(
            active->Engine().PositionOf(TextOffset(FromQString(text.left(start), encoding).size())),
            active->Engine().PositionOf(
                TextOffset(FromQString(text.left(start + length), encoding).size())));
    }
    int Messages() const {
        int count = 0;
        for (const auto& shown : dialogs.History())
            count += shown.kind == ScriptedDialogs::Kind::Message &&
                     shown.messageKind == MessageKind::Plain && shown.caption == "Tabrix Pro" &&
                     shown.text == "The search string is not found" &&
                     shown.buttons == MessageButtons::Ok;
        return count;
    }

    const Encoding& encoding;
    QWidget window;
    TMemo memo;
    TSynEdit synEdit;
    TSynEditWidget* active;
    ScriptedDialogs dialogs;
    TSearchController search{&window, dialogs, [this] { return MakeSearchEditor(*active); }};
};

struct EditorSetup {
    EditorKind kind;
    const Encoding& encoding;
};

std::vector<EditorSetup> AllSetups() {
    std::vector<EditorSetup> setups;
    for (const EditorKind kind : {EditorKind::Plain, EditorKind::Code})
        for (const int codePage : {1251, Encoding::Utf8CodePage})
            setups.push_back({kind, *Encoding::ForCodePage(codePage)});
    return setups;
}

std::string Name(const EditorSetup& setup) {
    return std::string(setup.kind == EditorKind::Plain ? "plain " : "code ") +
           setup.encoding.Name();
}

TEST(SearchDialogs, LookLikeTheCommonFindAndReplaceDialogs) {
    SearchWindow w(EditorKind::Plain, *Encoding::ForCodePage(Encoding::Utf8CodePage));
    TSearchDialog& find = *w.search.FindDialog;
    TSearchDialog& replace = *w.search.ReplaceDialog;
    EXPECT_EQ(find.windowTitle(), "Find");
    EXPECT_EQ(replace.windowTitle(), "Replace");
    EXPECT_FALSE(find.isModal());
    EXPECT_FALSE(replace.isModal());
    EXPECT_EQ(find.FindText(), "");
    EXPECT_EQ(find.ReplaceEdit, nullptr);
    EXPECT_EQ(find.ReplaceButton, nullptr);
    EXPECT_EQ(replace.FindText(), "asdasd");
    EXPECT_EQ(replace.ReplaceText(), "asd");
    EXPECT_FALSE(find.MatchCase());
    EXPECT_FALSE(replace.MatchCase());
    EXPECT_EQ(replace.ReplaceAllButton->text(), "Replace &All");
    EXPECT_EQ(replace.CancelButton->text(), "Cancel");
    // Searching waits for a find text.
    EXPECT_FALSE(find.FindNextButton->isEnabled());
    EXPECT_TRUE(replace.ReplaceButton->isEnabled());
    replace.FindEdit->clear();
    EXPECT_FALSE(replace.ReplaceButton->isEnabled());
    EXPECT_FALSE(replace.ReplaceAllButton->isEnabled());
    // At most 255 characters of each text.
    for (QLineEdit* edit : {find.FindEdit, replace.FindEdit, replace.ReplaceEdit}) {
        edit->clear();
        QTest::keyClicks(edit, QString(300, QChar('x')));
        EXPECT_EQ(edit->text().size(), 255);
    }
    // The texts stay for the next showing.
    w.search.ShowReplaceDialog();
    replace.CancelButton->click();
    EXPECT_FALSE(replace.isVisible());
    w.search.ShowReplaceDialog();
    EXPECT_TRUE(replace.isVisible());
    EXPECT_EQ(replace.ReplaceText().size(), 255);
}

TEST(SearchDialogs, FindDialogClosesAtFindNextAndWraps) {
    for (const EditorSetup& setup : AllSetups()) {
        for (const bool matchCase : {false, true}) {
            SearchWindow w(setup.kind, setup.encoding);
            w.SetText("дом Дом\nДОМ");
            w.active->Engine().SetCaret(MakePosition(1, 1));
            TSearchDialog& find = *w.search.FindDialog;
            w.search.ShowFindDialog();
            find.SetFindText("ДОМ");
            find.SetMatchCase(matchCase);
            find.FindNextButton->click();
            EXPECT_FALSE(find.isVisible()) << Name(setup);
            EXPECT_EQ(w.window.focusWidget(), w.active) << Name(setup);
            const QStringList expected = matchCase
                                             ? QStringList{"дом Дом\n[ДОМ]", "дом Дом\n[ДОМ]"}
                                             : QStringList{"[дом] Дом\nДОМ", "дом [Дом]\nДОМ",
                                                           "дом Дом\n[ДОМ]", "[дом] Дом\nДОМ"};
            for (int press = 0; press < expected.size(); ++press) {
                if (press > 0)
                    w.search.FindNext();
                EXPECT_EQ(w.Marked().replace("\r\n", "\n"), expected[press])
                    << Name(setup) << " match case " << matchCase << " press " << press;
            }
            EXPECT_EQ(w.Messages(), 0);
            find.SetFindText("кот");
            w.search.FindNext();
            EXPECT_EQ(w.Messages(), 1) << Name(setup);
            EXPECT_EQ(w.Marked().replace("\r\n", "\n"), expected.back()) << Name(setup);
        }
    }
}

TEST(SearchDialogs, FindNextKeyRepeatsTheFindDialogsSearchOnly) {
    SearchWindow w(EditorKind::Plain, *Encoding::ForCodePage(Encoding::Utf8CodePage));
    w.SetText("a b a b");
    // Before any search F3 opens the Find dialog.
    w.search.FindNext();
    EXPECT_TRUE(w.search.FindDialog->isVisible());
    EXPECT_EQ(w.Marked(), "[]a b a b");
    EXPECT_EQ(w.Messages(), 0);
    w.search.ReplaceDialog->SetFindText("b");
    w.search.FindDialog->SetFindText("a");
    w.search.FindNext();
    w.search.FindNext();
    EXPECT_EQ(w.Marked(), "a b [a] b");
    EXPECT_FALSE(w.search.FindDialog->isVisible());
}

TEST(SearchDialogs, ReplaceDialogReplacesThenClosesWhenNothingFollows) {
    for (const EditorSetup& setup : AllSetups()) {
        SearchWindow w(setup.kind, setup.encoding);
        w.SetText("кот, Кот; КОТ");
        TSearchDialog& replace = *w.search.ReplaceDialog;
        w.search.ShowReplaceDialog();
        replace.SetFindText("кот");
        replace.SetReplaceText("пёс");
        replace.SetMatchCase(true);
        // Match case skips Кот and КОТ, but a hand-selected КОТ is still replaced.
        replace.FindNextButton->click();
        EXPECT_EQ(w.Marked(), "[кот], Кот; КОТ") << Name(setup);
        replace.ReplaceButton->click();
        EXPECT_EQ(w.Marked(), "[пёс], Кот; КОТ") << Name(setup);
        EXPECT_FALSE(replace.isVisible()) << Name(setup);
        w.search.ShowReplaceDialog();
        w.Select(10, 3);
        replace.ReplaceButton->click();
        EXPECT_EQ(w.Marked(), "пёс, Кот; [пёс]") << Name(setup);
        EXPECT_FALSE(replace.isVisible());
        // One Undo takes back one replacement.
        w.active->Engine().Undo();
        EXPECT_EQ(w.Text(), "пёс, Кот; КОТ") << Name(setup);
        // Find Next with the last match selected closes the dialog and keeps the selection.
        w.search.ShowReplaceDialog();
        replace.SetMatchCase(false);
        w.Select(10, 3);
        replace.FindNextButton->click();
        EXPECT_FALSE(replace.isVisible()) << Name(setup);
        EXPECT_EQ(w.Marked(), "пёс, Кот; [КОТ]") << Name(setup);
        EXPECT_EQ(w.Messages(), 0) << Name(setup);
    }
}

TEST(SearchDialogs, ReplaceAllIsOneUndoStep) {
    for (const EditorSetup& setup : AllSetups()) {
        SearchWindow w(setup.kind, setup.encoding);
        w.SetText("Дом и дом\nи ДОМ");
        TSearchDialog& replace = *w.search.ReplaceDialog;
        w.search.ShowReplaceDialog();
        replace.SetFindText("дом");
        replace.SetReplaceText("сад");
        replace.ReplaceAllButton->click();
        EXPECT_EQ(w.Marked().replace("\r\n", "\n"), "сад и сад\nи [сад]") << Name(setup);
        EXPECT_FALSE(replace.isVisible()) << Name(setup);
        EXPECT_EQ(w.Messages(), 0);
        w.active->Engine().Undo();
        EXPECT_EQ(w.Text().replace("\r\n", "\n"), "Дом и дом\nи ДОМ") << Name(setup);

        // An empty replacement ends with the message.
        w.SetText("a-A");
        w.search.ShowReplaceDialog();
        replace.SetFindText("a");
        replace.SetReplaceText("");
        replace.ReplaceAllButton->click();
        EXPECT_EQ(w.Marked(), "-[]") << Name(setup);
        EXPECT_EQ(w.Messages(), 1) << Name(setup);
        EXPECT_TRUE(replace.isVisible()) << Name(setup);
        w.active->Engine().Undo();
        EXPECT_EQ(w.Text(), "a-A") << Name(setup);
    }
}

TEST(SearchDialogs, FindTextTheDocumentCannotHoldMatchesNothing) {
    SearchWindow w(EditorKind::Plain, *Encoding::ForCodePage(1252));
    w.SetText("a?b?");
    w.search.FindDialog->SetFindText("д");
    w.search.FindNext();
    EXPECT_EQ(w.Marked(), "[]a?b?");
    EXPECT_EQ(w.Messages(), 1);
    w.search.ShowReplaceDialog();
    w.search.ReplaceDialog->SetFindText("д");
    w.Select(0, 1);
    w.search.ReplaceDialog->ReplaceAllButton->click();
    EXPECT_EQ(w.Marked(), "[a]?b?");
    EXPECT_FALSE(w.search.ReplaceDialog->isVisible());
}

// The boxes other than "not found", as kind and text.
std::vector<std::pair<MessageKind, QString>> OtherMessages(const ScriptedDialogs& dialogs) {
    std::vector<std::pair<MessageKind, QString>> shown;
    for (const auto& box : dialogs.History())
        if (box.kind == ScriptedDialogs::Kind::Message && box.text != NotFoundMessage)
            shown.emplace_back(box.messageKind, box.text);
    return shown;
}

TEST(SearchDialogs, RegularExpressionsAndWholeWordsInBothDialogs) {
    enum class Button { FindNext, Replace, ReplaceAll };
    struct OptionCase {
        SearchDialogKind dialog;
        Button button;
        QString text, find, replace;
        bool regex, wholeWords, matchCase;
        QString after; // selection in [ and ]
        bool dialogOpen;
    };
    using enum SearchDialogKind;
    const OptionCase cases[] = {
        {Find, Button::FindNext, "Кот кот", "к(о)т", "", true, false, true, "Кот [кот]", false},
        {Find, Button::FindNext, "кот Кот котик", "^к\\w+", "", true, false, false,
         "[кот] Кот котик", false},
        {Find, Button::FindNext, "котик, Кот!", "кот", "", false, true, false, "котик, [Кот]!",
         false},
        {Find, Button::FindNext, "ab\ncd", "b\\r\\nc", "", true, false, false, "a[b\nc]d", false},
        {Replace, Button::Replace, "Иван Петров", "(\\w+) (\\w+)", "$2 $1", true, false, false,
         "Иван Петров", true},
        {Replace, Button::ReplaceAll, "Иван Петров, Олег Сидоров", "(\\w+) (\\w+)", "$2 $1", true,
         false, false, "Петров Иван, [Сидоров Олег]", false},
        {Replace, Button::ReplaceAll, "дом домик дом.", "дом", "сад", false, true, false,
         "сад домик [сад].", false},
        {Replace, Button::ReplaceAll, "a\nb", "\\n", "+", true, false, false, "a[+]b", false},
    };
    for (const EditorSetup& setup : AllSetups()) {
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            const OptionCase& c = cases[i];
            SearchWindow w(setup.kind, setup.encoding);
            w.SetText(c.text);
            TSearchDialog& dialog =
                c.dialog == Find ? *w.search.FindDialog : *w.search.ReplaceDialog;
            dialog.Execute();
            dialog.SetFindText(c.find);
            dialog.SetReplaceText(c.replace);
            dialog.SetRegularExpression(c.regex);
            dialog.SetWholeWords(c.wholeWords);
            dialog.SetMatchCase(c.matchCase);
            (c.button == Button::FindNext  ? dialog.FindNextButton
             : c.button == Button::Replace ? dialog.ReplaceButton
                                           : dialog.ReplaceAllButton)
                ->click();
            // Replace with nothing selected only finds: the first match is selected.
            const QString shown = c.button == Button::Replace ? "[Иван Петров]" : c.after;
            EXPECT_EQ(w.Marked().replace("\r\n", "\n"), shown) << Name(setup) << " " << i;
            EXPECT_EQ(dialog.isVisible(), c.dialogOpen) << Name(setup) << " " << i;
            if (c.button == Button::Replace) {
                dialog.ReplaceButton->click();
                EXPECT_EQ(w.Marked(), "[Петров Иван]") << Name(setup);
                w.active->Engine().Undo();
                EXPECT_EQ(w.Text(), c.text) << Name(setup);
            }
            EXPECT_EQ(w.Messages(), 0) << Name(setup) << " " << i;
            EXPECT_TRUE(OtherMessages(w.dialogs).empty()) << Name(setup) << " " << i;
        }
    }
}

TEST(SearchDialogs, ABadExpressionIsToldAndNothingHappens) {
    for (const EditorSetup& setup : AllSetups()) {
        SearchWindow w(setup.kind, setup.encoding);
        w.SetText("a(b a(b");
        w.Select(0, 3);
        for (TSearchDialog* dialog : {w.search.FindDialog, w.search.ReplaceDialog}) {
            dialog->Execute();
            dialog->SetFindText("a(");
            dialog->SetRegularExpression(true);
            for (QPushButton* button :
                 {dialog->FindNextButton, dialog->ReplaceButton, dialog->ReplaceAllButton}) {
                if (button == nullptr)
                    continue;
                button->click();
                EXPECT_EQ(w.Marked(), "[a(b] a(b") << Name(setup);
                EXPECT_TRUE(dialog->isVisible()) << Name(setup);
            }
        }
        // A replacement naming a group the expression lacks is told at Replace only.
        w.search.ReplaceDialog->SetFindText("a(\\()");
        w.search.ReplaceDialog->SetReplaceText("$2");
        w.search.ReplaceDialog->ReplaceAllButton->click();
        EXPECT_EQ(w.Text(), "a(b a(b") << Name(setup);
        const auto shown = OtherMessages(w.dialogs);
        const QString bad =
            "The regular expression is not valid at position 2: missing closing parenthesis.";
        const std::vector<std::pair<MessageKind, QString>> expected{
            {MessageKind::Error, bad},
            {MessageKind::Error, bad},
            {MessageKind::Error, bad},
            {MessageKind::Error, bad},
            {MessageKind::Error, "The replacement text refers to $2, a group the regular "
                                 "expression does not have."}};
        EXPECT_EQ(shown, expected) << Name(setup);
        EXPECT_EQ(w.Messages(), 0);
    }
}

TEST(SearchDialogs, AnExpressionTooHardStopsWithAWarning) {
    SearchWindow w(EditorKind::Code, *Encoding::ForCodePage(Encoding::Utf8CodePage));
    w.SetText(QString(20000, QChar('a')) + "!");
    w.search.FindDialog->SetFindText("(\\w+\\s?)+$");
    w.search.FindDialog->SetRegularExpression(true);
    w.search.FindNext();
    EXPECT_EQ(w.Marked().left(2), "[]");
    const std::vector<std::pair<MessageKind, QString>> expected{
        {MessageKind::Warning, TooComplexMessage}};
    EXPECT_EQ(OtherMessages(w.dialogs), expected);
}

TEST(SearchDialogs, OpenDialogsMarkAndCountTheMatches) {
    for (const EditorSetup& setup : AllSetups()) {
        SearchWindow w(setup.kind, setup.encoding);
        QLabel count;
        w.search.ShowMatchCountIn(&count);
        w.SetText("дом, домик; Дом\nдом");
        const auto marksShown = [&] {
            QApplication::processEvents();
            QTest::qWait(250);
            QImage image(w.active->viewport()->size(), QImage::Format_RGB32);
            QPainter painter(&image);
            w.active->PaintView(painter, image.rect());
            return image;
        };
        const QImage unmarked = marksShown();
        TSearchDialog& find = *w.search.FindDialog;
        find.SetFindText("дом");
        find.SetWholeWords(true);
        EXPECT_EQ(count.text(), "") << Name(setup);
        find.Execute();
        const QImage marked = marksShown();
        EXPECT_EQ(count.text(), "3 matches") << Name(setup);
        EXPECT_NE(marked, unmarked) << Name(setup);
        find.SetWholeWords(false);
        marksShown();
        EXPECT_EQ(count.text(), "4 matches") << Name(setup);
        find.SetRegularExpression(true);
        find.SetFindText("дом\\w");
        marksShown();
        EXPECT_EQ(count.text(), "1 match") << Name(setup);
        // Typing into the document counts again.
        w.active->Engine().SetCaret({});
        w.active->Engine().InsertText(FromQString("доми ", setup.encoding));
        marksShown();
        EXPECT_EQ(count.text(), "2 matches") << Name(setup);
        const QImage beforeClosing = marksShown();
        find.close();
        EXPECT_NE(marksShown(), beforeClosing) << Name(setup);
        EXPECT_EQ(count.text(), "") << Name(setup);
    }
}

} // namespace
