// Find and replace on the rich editor: the same steps as on the plain editors, in the program's
// encoding, with a replacement taking the format of the text it replaces.

#include "platform/qt/EncodingQt.h"
#include "platform/qt/ScriptedDialogs.h"
#include "richedit/qt/RichEdit.h"
#include "search/qt/SearchController.h"

#include <QApplication>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

struct RichSearchWindow {
    explicit RichSearchWindow(const Encoding& encoding) : before(ProgramEncoding()) {
        SetProgramEncoding(encoding);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(&rich);
        window.resize(500, 400);
        window.show();
        QApplication::setActiveWindow(&window);
    }
    ~RichSearchWindow() { SetProgramEncoding(before); }

    // Line breaks inside a paragraph read as paragraph ends.
    QString Text() const { return rich.document()->toPlainText(); }
    // The text with the selection marked by [ and ].
    QString Marked() const {
        const QString text = Text();
        const QTextCursor cursor = rich.textCursor();
        const int start = cursor.selectionStart();
        const int end = cursor.selectionEnd();
        return text.left(start) + "[" + text.mid(start, end - start) + "]" + text.mid(end);
    }
    void Select(int start, int length) {
        QTextCursor cursor = rich.textCursor();
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        rich.setTextCursor(cursor);
    }
    int Messages() const {
        int count = 0;
        for (const auto& shown : dialogs.History())
            count += shown.kind == ScriptedDialogs::Kind::Message &&
                     shown.text == "The search string is not found";
        return count;
    }

    const Encoding& before;
    QWidget window;
    TRxRichEdit rich;
    ScriptedDialogs dialogs;
    TSearchController search{&window, dialogs, [this] { return MakeSearchEditor(rich); }};
};

const std::vector<const Encoding*> kEncodings = {Encoding::ForCodePage(1251),
                                                 Encoding::ForCodePage(Encoding::Utf8CodePage)};

TEST(RichEditSearch, FindNextWrapsAndHonoursMatchCase) {
    struct Case {
        QString text;
        bool matchCase;
        QStringList marks;
    };
    const QChar lineBreak = QChar::LineSeparator;
    const Case cases[] = {
        {"дом Дом\nДОМ",
         false,
         {"[дом] Дом\nДОМ", "дом [Дом]\nДОМ", "дом Дом\n[ДОМ]", "[дом] Дом\nДОМ"}},
        {"дом Дом\nДОМ", true, {"дом Дом\n[ДОМ]", "дом Дом\n[ДОМ]"}},
        {QString("ab%1дом%1xДОМ").arg(lineBreak), true, {"ab\nдом\nx[ДОМ]", "ab\nдом\nx[ДОМ]"}},
    };
    for (const Encoding* encoding : kEncodings) {
        for (const Case& c : cases) {
            SCOPED_TRACE(encoding->Name() + " " + c.text.toStdString());
            RichSearchWindow w(*encoding);
            w.rich.setPlainText(c.text);
            TSearchDialog& find = *w.search.FindDialog;
            w.search.ShowFindDialog();
            find.SetFindText("ДОМ");
            find.SetMatchCase(c.matchCase);
            find.FindNextButton->click();
            EXPECT_FALSE(find.isVisible());
            EXPECT_EQ(w.window.focusWidget(), &w.rich);
            for (int press = 0; press < c.marks.size(); ++press) {
                if (press > 0)
                    w.search.FindNext();
                EXPECT_EQ(w.Marked(), c.marks[press]) << "press " << press;
            }
            EXPECT_EQ(w.Messages(), 0);
            find.SetFindText("кот");
            w.search.FindNext();
            EXPECT_EQ(w.Messages(), 1);
            EXPECT_EQ(w.Marked(), c.marks.back());
        }
    }
}

TEST(RichEditSearch, ReplaceIsOneUndoStepAndKeepsTheFormat) {
    for (const Encoding* encoding : kEncodings) {
        SCOPED_TRACE(encoding->Name());
        RichSearchWindow w(*encoding);
        w.rich.setHtml("кот, <b>Кот</b>; КОТ");
        TSearchDialog& replace = *w.search.ReplaceDialog;
        w.search.ShowReplaceDialog();
        replace.SetFindText("Кот");
        replace.SetReplaceText("пёс");
        replace.SetMatchCase(true);
        replace.FindNextButton->click();
        EXPECT_EQ(w.Marked(), "кот, [Кот]; КОТ");
        replace.ReplaceButton->click();
        EXPECT_EQ(w.Marked(), "кот, [пёс]; КОТ");
        EXPECT_EQ(w.rich.textCursor().charFormat().fontWeight(), QFont::Bold);
        EXPECT_FALSE(replace.isVisible());
        w.rich.Undo();
        EXPECT_EQ(w.Text(), "кот, Кот; КОТ");
        // A hand-selected match is replaced whatever its letter case.
        w.search.ShowReplaceDialog();
        w.Select(10, 3);
        replace.ReplaceButton->click();
        EXPECT_EQ(w.Marked(), "кот, Кот; [пёс]");
        EXPECT_EQ(w.Messages(), 0);
    }
}

TEST(RichEditSearch, ReplaceAllIsOneUndoStep) {
    struct Case {
        QString replacement;
        QString marked;
        int messages;
    };
    const Case cases[] = {
        {"сад", "сад и сад\nи [сад]", 0},
        {"", " и \nи []", 1},
    };
    for (const Encoding* encoding : kEncodings) {
        for (const Case& c : cases) {
            SCOPED_TRACE(encoding->Name() + " " + c.replacement.toStdString());
            RichSearchWindow w(*encoding);
            w.rich.setPlainText("Дом и дом\nи ДОМ");
            TSearchDialog& replace = *w.search.ReplaceDialog;
            w.search.ShowReplaceDialog();
            replace.SetFindText("дом");
            replace.SetReplaceText(c.replacement);
            replace.ReplaceAllButton->click();
            EXPECT_EQ(w.Marked(), c.marked);
            EXPECT_EQ(w.Messages(), c.messages);
            w.rich.Undo();
            EXPECT_EQ(w.Text(), "Дом и дом\nи ДОМ");
        }
    }
}

// A run of rich text in one format; a match of the find text is a run of its own.
struct TextRun {
    QString text;
    QTextCharFormat format;
    bool match = false;
};

QTextCharFormat Formatted(int weight, QColor colour, qreal pointSize, bool italic) {
    QTextCharFormat format;
    format.setFontWeight(weight);
    format.setForeground(colour);
    format.setFontPointSize(pointSize);
    format.setFontItalic(italic);
    return format;
}

// The format of every character of a one-paragraph document.
std::vector<QTextCharFormat> CharacterFormats(const QTextDocument& document) {
    std::vector<QTextCharFormat> formats;
    for (auto fragment = document.begin().begin(); !fragment.atEnd(); ++fragment)
        formats.insert(formats.end(), std::size_t(fragment.fragment().length()),
                       fragment.fragment().charFormat());
    return formats;
}

// The text and per-character formats of the runs, with every match replaced by replacement.
std::pair<QString, std::vector<QTextCharFormat>> Expected(const std::vector<TextRun>& runs,
                                                          const QString* replacement) {
    QString text;
    std::vector<QTextCharFormat> formats;
    for (const TextRun& run : runs) {
        const QString& shown = run.match && replacement ? *replacement : run.text;
        text += shown;
        formats.insert(formats.end(), std::size_t(shown.size()), run.format);
    }
    return {text, formats};
}

void ExpectDocument(const TRxRichEdit& rich,
                    const std::pair<QString, std::vector<QTextCharFormat>>& expected) {
    EXPECT_EQ(rich.document()->toPlainText(), expected.first);
    const std::vector<QTextCharFormat> formats = CharacterFormats(*rich.document());
    ASSERT_EQ(formats.size(), expected.second.size());
    for (std::size_t i = 0; i < formats.size(); ++i)
        EXPECT_TRUE(formats[i] == expected.second[i]) << "character " << i;
}

TEST(RichEditSearch, ReplaceAllKeepsTheFormatsAroundAndBetweenMatches) {
    const QTextCharFormat plain;
    const QTextCharFormat bold = Formatted(QFont::Bold, Qt::black, 12, false);
    const QTextCharFormat red = Formatted(QFont::Normal, Qt::red, 12, false);
    const QTextCharFormat large = Formatted(QFont::Normal, Qt::black, 20, false);
    const QTextCharFormat blueItalic = Formatted(QFont::Normal, Qt::blue, 9, true);
    const std::vector<TextRun> runs = {
        {"Дом", bold, true},  {" и ", plain},          {"красный", red},   {" ", plain},
        {"дом", large, true}, {" очень ", blueItalic}, {"большой", large}, {" ", bold},
        {"ДОМ", red, true},   {" конец", blueItalic},
    };
    struct Case {
        QString replacement;
        QString marked;
    };
    const Case cases[] = {
        {"сад", "сад и красный сад очень большой [сад] конец"},
        {"", " и красный  очень большой [] конец"},
    };
    for (const Encoding* encoding : kEncodings) {
        for (const Case& c : cases) {
            for (const bool pattern : {false, true}) {
                SCOPED_TRACE(encoding->Name() + " " + c.replacement.toStdString() +
                             (pattern ? " as a pattern" : ""));
                RichSearchWindow w(*encoding);
                QTextCursor cursor(w.rich.document());
                for (const TextRun& run : runs)
                    cursor.insertText(run.text, run.format);
                w.rich.document()->clearUndoRedoStacks();
                TSearchDialog& replace = *w.search.ReplaceDialog;
                w.search.ShowReplaceDialog();
                replace.SetRegularExpression(pattern);
                replace.SetFindText(pattern ? "д[оа]м" : "дом");
                replace.SetReplaceText(c.replacement);
                replace.ReplaceAllButton->click();
                EXPECT_EQ(w.Marked(), c.marked);
                ExpectDocument(w.rich, Expected(runs, &c.replacement));
                w.rich.Undo();
                ExpectDocument(w.rich, Expected(runs, nullptr));
                EXPECT_FALSE(w.rich.CanUndo());
            }
        }
    }
}

TEST(RichEditSearch, ReadOnlyTextIsSearchedButNotChanged) {
    RichSearchWindow w(*Encoding::ForCodePage(Encoding::Utf8CodePage));
    w.rich.setPlainText("a b a");
    w.rich.setReadOnly(true);
    w.search.ShowReplaceDialog();
    w.search.ReplaceDialog->SetFindText("a");
    w.search.ReplaceDialog->SetReplaceText("z");
    w.search.ReplaceDialog->ReplaceAllButton->click();
    EXPECT_EQ(w.Text(), "a b a");
}

} // namespace
