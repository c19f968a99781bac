// Each document keeps the encoding its file came in: it shows the right characters, text
// functions and find work on them, the file is written back as it came, and the user can reopen
// or save it in another encoding, which the recent list and projects keep.

#include "app/qt/RecentMenus.h"
#include "app/qt/TextFunctionCommands.h"
#include "app/qt/WindowProjects.h"
#include "platform/EncodingDetection.h"
#include "richedit/qt/RichEdit.h"
#include "search/qt/SearchDialog.h"
#include "ui/app/MainWindowFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QStringEncoder>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace {

struct Desktop {
    const char* name;
    int codePage; // the program's, as --codepage, the settings or the locale give it
    const char* locale;
};

const Desktop Utf8Desktop{"UTF-8 desktop", Encoding::Utf8CodePage, "en_US.UTF-8"};
const Desktop CLocaleDesktop{"C-locale desktop", 1252, "C"};

// The environment and program encoding of one desktop for the life of a test.
class DesktopScope {
public:
    explicit DesktopScope(const Desktop& desktop) : before(&ProgramEncoding()) {
        for (const char* variable : Variables) {
            const char* value = std::getenv(variable);
            saved.emplace_back(value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(variable);
        }
        setenv("LANG", desktop.locale, 1);
        SetProgramEncoding(*Encoding::ForCodePage(desktop.codePage));
    }
    ~DesktopScope() {
        for (std::size_t i = 0; i < std::size(Variables); ++i) {
            if (saved[i])
                setenv(Variables[i], saved[i]->c_str(), 1);
            else
                unsetenv(Variables[i]);
        }
        SetProgramEncoding(*before);
    }

private:
    static constexpr const char* Variables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    const Encoding* before;
    std::vector<std::optional<std::string>> saved;
};

QByteArray InCodePage(const QString& text, int codePage) {
    const std::string bytes =
        ConvertText(text.toStdString(), *Encoding::ForCodePage(Encoding::Utf8CodePage),
                    *Encoding::ForCodePage(codePage))
            .bytes;
    return QByteArray::fromStdString(bytes);
}

QByteArray InUtf16(const QString& text, QStringConverter::Encoding order) {
    QStringEncoder encoder(order, QStringConverter::Flag::WriteBom);
    return encoder.encode(text);
}

const QString Russian = "Привет, мир.\r\nКогда-то давно, в одном небольшом городе жил старый "
                        "часовщик. Каждое утро он открывал свою мастерскую и садился за работу.";
const QString German = "Ein schöner Tag – “quoted” € price.\r\nZweite Zeile.";
const QString French =
    "Le garçon a mangé une pêche à côté de la fenêtre. Très bien, répondit-il.\r\n";

// What the user sees of a file on one desktop.
struct Seen {
    QString caption;   // in the status bar
    QString firstLine; // as the editor shows it
    QString find;      // a word of it to find
    QString upper;     // the first line after Upper Case
};

struct FileCase {
    const char* name;
    QByteArray bytes;
    Seen onUtf8Desktop;
    Seen onCLocaleDesktop;
};

const Seen RussianSeen{"", "Привет, мир.", "мир", "ПРИВЕТ, МИР."};

Seen With(Seen seen, const QString& caption) {
    seen.caption = caption;
    return seen;
}

std::vector<FileCase> FileCases() {
    const Seen german{"Windows-1252", "Ein schöner Tag – “quoted” € price.", "schöner",
                      "EIN SCHÖNER TAG – “QUOTED” € PRICE."};
    const Seen french{
        "", "Le garçon a mangé une pêche à côté de la fenêtre. Très bien, répondit-il.", "garçon",
        "LE GARÇON A MANGÉ UNE PÊCHE À CÔTÉ DE LA FENÊTRE. TRÈS BIEN, RÉPONDIT-IL."};
    return {
        {"utf-8", Russian.toUtf8(), With(RussianSeen, "UTF-8"), With(RussianSeen, "UTF-8")},
        {"utf-8 with mark", "\xEF\xBB\xBF" + Russian.toUtf8(), With(RussianSeen, "UTF-8 with BOM"),
         With(RussianSeen, "UTF-8 with BOM")},
        {"utf-16 le", InUtf16(Russian, QStringConverter::Utf16LE), With(RussianSeen, "UTF-16 LE"),
         With(RussianSeen, "UTF-16 LE")},
        {"utf-16 be", InUtf16(Russian, QStringConverter::Utf16BE), With(RussianSeen, "UTF-16 BE"),
         With(RussianSeen, "UTF-16 BE")},
        // The C locale's code page is Windows-1252, and a single-byte program code page is what
        // a file without a mark opens in there.
        {"windows-1251",
         InCodePage(Russian, 1251),
         With(RussianSeen, "Windows-1251"),
         {"Windows-1252", "Ïðèâåò, ìèð.", "ìèð", "ÏÐÈÂÅÒ, ÌÈÐ."}},
        {"windows-1252", InCodePage(German, 1252), german, german},
        {"iso-8859-1", InCodePage(French, 28591), With(french, "ISO-8859-1"),
         With(french, "Windows-1252")},
    };
}

class DocumentEncodingTest : public MainWindowTest {
protected:
    void Start(const Desktop& desktop) {
        scope.emplace(desktop);
        MainWindowTest::SetUp();
    }
    void SetUp() override {}
    void TearDown() override {
        MainWindowTest::TearDown();
        scope.reset();
    }

    QAction* Item(const char* name) { return window->findChild<QAction*>(name); }
    // The item of a File submenu whose caption starts with text.
    QAction* EncodingItem(const char* submenu, const QString& text) {
        for (QAction* item : Part<QMenu>(*window, "mniFile").actions()) {
            if (item->objectName() != submenu || !item->menu())
                continue;
            for (QAction* choice : item->menu()->actions()) {
                if (choice->text().startsWith(text))
                    return choice;
            }
        }
        return nullptr;
    }
    QString Caption() const { return Part<QLabel>(*window, "StatusBarEncoding").text(); }
    // The checked items of a File submenu as the user sees it opened.
    QStringList CheckedItems(const char* submenu) {
        QMenu* menu = submenu == std::string_view("mniSaveWithEncoding")
                          ? &Part<QMenu>(*window, "mniSaveWithEncoding")
                          : &Part<QMenu>(*window, "mniReopenWithEncoding");
        menu->popup(QPoint());
        QStringList checked;
        for (const QAction* item : menu->actions()) {
            if (item->isChecked())
                checked << item->text();
        }
        menu->close();
        return checked;
    }
    // The first line as the editor shows it (what it gives input methods).
    QString FirstLine() {
        window->CurrentPlainEditor()->SetCaretPos({0, 0});
        return window->CurrentPlainEditor()->inputMethodQuery(Qt::ImSurroundingText).toString();
    }
    QString Selection() {
        return window->CurrentPlainEditor()->inputMethodQuery(Qt::ImCurrentSelection).toString();
    }
    void Find(const QString& text) {
        auto* dialog = window->findChild<TSearchDialog*>("FindDialog");
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>("FindEdit")->setText(text);
        window->CurrentPlainEditor()->SetCaretPos({0, 0});
        Item("FindNext1")->trigger();
    }

    std::optional<DesktopScope> scope;
};

class DocumentEncodingOnDesktop : public DocumentEncodingTest,
                                  public testing::WithParamInterface<Desktop> {};

TEST_P(DocumentEncodingOnDesktop, FilesShowTheirCharactersAndComeBackAsTheyWere) {
    Start(GetParam());
    for (const FileCase& c : FileCases()) {
        SCOPED_TRACE(c.name);
        const Seen& seen =
            GetParam().codePage == Encoding::Utf8CodePage ? c.onUtf8Desktop : c.onCLocaleDesktop;
        const QString path = WriteFile(QString(c.name) + ".txt", c.bytes);
        window->Files().OpenFile(path);
        EXPECT_EQ(Caption(), seen.caption);
        EXPECT_EQ(FirstLine(), seen.firstLine);

        window->Files().mniSaveClick();
        EXPECT_EQ(ReadFile(path), c.bytes);

        Find(seen.find);
        EXPECT_EQ(Selection(), seen.find);

        window->TextFunctions().RunTextFunction("upper");
        EXPECT_EQ(FirstLine(), seen.upper);
    }
}

INSTANTIATE_TEST_SUITE_P(Desktops, DocumentEncodingOnDesktop,
                         testing::Values(Utf8Desktop, CLocaleDesktop),
                         [](const testing::TestParamInfo<Desktop>& info) {
                             return info.param.codePage == Encoding::Utf8CodePage ? "Utf8"
                                                                                  : "CLocale";
                         });

TEST_F(DocumentEncodingTest, ReopenWithEncodingIsKeptByRecentFilesAndProjects) {
    Start(CLocaleDesktop);
    const QString path = WriteFile("russian.txt", InCodePage(Russian, 1251));
    window->Files().OpenFile(path);
    EXPECT_EQ(Caption(), "Windows-1252");
    QAction* reopen = EncodingItem("mniReopenWithEncoding", "Windows-1251");
    ASSERT_NE(reopen, nullptr);
    reopen->trigger();
    EXPECT_EQ(Caption(), "Windows-1251");
    EXPECT_EQ(FirstLine(), "Привет, мир.");
    EXPECT_FALSE(window->CurrentDocument().Modified);

    window->Tabs().mniCloseAllClick();
    EXPECT_EQ(Caption(), "Windows-1252");
    window->Recent().mniRecentItemClick(0);
    EXPECT_EQ(window->CurrentDocument().FileName, path);
    EXPECT_EQ(Caption(), "Windows-1251");
    EXPECT_EQ(FirstLine(), "Привет, мир.");

    const QString project = PathOf("work.txp");
    ASSERT_TRUE(window->Projects().SaveProject(project));
    window->Tabs().mniCloseAllClick();
    window->Projects().LoadProject(project);
    EXPECT_EQ(window->CurrentDocument().FileName, path);
    EXPECT_EQ(Caption(), "Windows-1251");
    EXPECT_EQ(FirstLine(), "Привет, мир.");
}

TEST_F(DocumentEncodingTest, ReopeningAModifiedDocumentAsksFirst) {
    Start(CLocaleDesktop);
    const QString path = WriteFile("russian.txt", InCodePage(Russian, 1251));
    window->Files().OpenFile(path);
    window->CurrentPlainEditor()->SetSelText("edit ");
    ASSERT_TRUE(window->CurrentDocument().Modified);

    dialogs.Queue(DialogAnswer::No);
    EncodingItem("mniReopenWithEncoding", "Windows-1251")->trigger();
    EXPECT_EQ(dialogs.History().back().messageKind, MessageKind::Confirmation);
    EXPECT_EQ(LastMessage(),
              "File " + path + " has been modified.  Reopen it and lose the changes?");
    EXPECT_EQ(Caption(), "Windows-1252");
    EXPECT_TRUE(FirstLine().startsWith("edit "));

    dialogs.Queue(DialogAnswer::Yes);
    EncodingItem("mniReopenWithEncoding", "Windows-1251")->trigger();
    EXPECT_EQ(Caption(), "Windows-1251");
    EXPECT_EQ(FirstLine(), "Привет, мир.");
    EXPECT_FALSE(window->CurrentDocument().Modified);
}

TEST_F(DocumentEncodingTest, SaveWithEncodingConvertsAndAsksBeforeLosingCharacters) {
    Start(Utf8Desktop);
    const QString path = WriteFile("russian.txt", Russian.toUtf8());
    window->Files().OpenFile(path);

    EncodingItem("mniSaveWithEncoding", "Windows-1251")->trigger();
    EXPECT_EQ(ReadFile(path), InCodePage(Russian, 1251));
    EXPECT_EQ(Caption(), "Windows-1251");
    EXPECT_EQ(FirstLine(), "Привет, мир.");
    EXPECT_FALSE(window->CurrentDocument().Modified);

    // Windows-1252 has no Cyrillic letters: "No" leaves document and file as they were.
    dialogs.Queue(DialogAnswer::No);
    EncodingItem("mniSaveWithEncoding", "Windows-1252")->trigger();
    EXPECT_EQ(dialogs.History().back().messageKind, MessageKind::Warning);
    EXPECT_EQ(LastMessage(), "File " + path +
                                 ": 109 character(s) cannot be written in Windows-1252 and would "
                                 "become \"?\".  Convert anyway?");
    EXPECT_EQ(ReadFile(path), InCodePage(Russian, 1251));
    EXPECT_EQ(Caption(), "Windows-1251");

    dialogs.Queue(DialogAnswer::Yes);
    EncodingItem("mniSaveWithEncoding", "Windows-1252")->trigger();
    EXPECT_EQ(ReadFile(path).left(14), "??????, ???.\r\n");
    EXPECT_EQ(Caption(), "Windows-1252");

    // Back to UTF-8: the encoding the program has needs nothing remembered, and the file
    // opens in it again.
    EncodingItem("mniSaveWithEncoding", "UTF-8")->trigger();
    window->Tabs().mniCloseAllClick();
    window->Files().OpenFile(path);
    EXPECT_EQ(Caption(), "UTF-8");
}

TEST_F(DocumentEncodingTest, CodeViewKeepsTheEncodingAndConvertsItsOwnText) {
    Start(CLocaleDesktop);
    const QString html = "<p>Привет</p>\r\n<p>мир</p>\r\n";
    const QString path = WriteFile("page.html", InUtf16(html, QStringConverter::Utf16BE));
    window->Files().OpenFile(path);
    ASSERT_EQ(window->CurrentDocument().ViewMode, vmCode);
    TSynEdit& editor = *window->CurrentDocument().CodeEditor;
    EXPECT_EQ(Caption(), "UTF-16 BE");
    editor.SetCaretXY(1, 1);
    EXPECT_EQ(editor.inputMethodQuery(Qt::ImSurroundingText).toString(), "<p>Привет</p>");
    window->Files().mniSaveClick();
    EXPECT_EQ(ReadFile(path), InUtf16(html, QStringConverter::Utf16BE));

    EncodingItem("mniSaveWithEncoding", "Windows-1251")->trigger();
    EXPECT_EQ(ReadFile(path), InCodePage(html, 1251));
    EXPECT_EQ(Caption(), "Windows-1251");
    editor.SetCaretXY(1, 2);
    EXPECT_EQ(editor.inputMethodQuery(Qt::ImSurroundingText).toString(), "<p>мир</p>");
}

TEST_F(DocumentEncodingTest, SavingWhatTheEncodingCannotHoldAsksFirst) {
    Start(CLocaleDesktop);
    const QString path = WriteFile("plain.txt", "abc");
    window->Files().OpenFile(path);
    window->SetViewMode(vmRich);
    window->CurrentDocument().RichEditor->insertPlainText("жж");
    ASSERT_TRUE(window->CurrentDocument().Modified);

    dialogs.Queue(DialogAnswer::No);
    window->Files().mniSaveClick();
    EXPECT_EQ(LastMessage(), "File " + path +
                                 ": 2 character(s) cannot be written in Windows-1252 and would "
                                 "become \"?\".  Save anyway?");
    EXPECT_EQ(ReadFile(path), "abc");
    EXPECT_TRUE(window->CurrentDocument().Modified);

    dialogs.Queue(DialogAnswer::Yes);
    window->Files().mniSaveClick();
    EXPECT_EQ(ReadFile(path), "??abc");
    EXPECT_FALSE(window->CurrentDocument().Modified);
}

TEST_F(DocumentEncodingTest, EncodingMenusOfferUtf8AndEveryCodePageOutsideRichView) {
    Start(Utf8Desktop);
    for (const char* submenu : {"mniReopenWithEncoding", "mniSaveWithEncoding"}) {
        QStringList captions;
        for (QAction* item : Part<QMenu>(*window, "mniFile").actions()) {
            if (item->objectName() == submenu && item->menu()) {
                for (QAction* choice : item->menu()->actions())
                    captions << choice->text();
                EXPECT_TRUE(item->isVisible());
                window->SetViewMode(vmRich);
                EXPECT_FALSE(item->isVisible());
                window->SetViewMode(vmPlain);
            }
        }
        const bool saving = std::string_view(submenu) == "mniSaveWithEncoding";
        EXPECT_EQ(captions.size(),
                  qsizetype(Encoding::SupportedCodePages().size()) + (saving ? 3 : 0))
            << submenu;
        EXPECT_EQ(captions.mid(0, saving ? 4 : 1),
                  saving ? QStringList({"UTF-8", "UTF-8 with BOM", "UTF-16 LE", "UTF-16 BE"})
                         : QStringList({"UTF-8"}))
            << submenu;
        EXPECT_TRUE(captions.contains("Windows-1251 (Cyrillic)")) << submenu;
        EXPECT_TRUE(captions.contains("ISO-8859-1 (Western)")) << submenu;
    }
}

TEST_F(DocumentEncodingTest, EncodingMenusCheckTheDocumentsEncoding) {
    Start(Utf8Desktop);
    const struct {
        const char* name;
        QByteArray bytes;
        QString reopen; // the item checked in each menu
        QString save;
    } cases[] = {
        {"utf-8", Russian.toUtf8(), "UTF-8", "UTF-8"},
        {"utf-8 with mark", "\xEF\xBB\xBF" + Russian.toUtf8(), "UTF-8", "UTF-8 with BOM"},
        {"utf-16 le", InUtf16(Russian, QStringConverter::Utf16LE), "UTF-8", "UTF-16 LE"},
        {"windows-1251", InCodePage(Russian, 1251), "Windows-1251 (Cyrillic)",
         "Windows-1251 (Cyrillic)"},
    };
    for (const auto& c : cases) {
        window->Files().OpenFile(WriteFile(QString(c.name) + ".txt", c.bytes));
        EXPECT_EQ(CheckedItems("mniReopenWithEncoding"), QStringList({c.reopen})) << c.name;
        EXPECT_EQ(CheckedItems("mniSaveWithEncoding"), QStringList({c.save})) << c.name;
    }
    // Each tab shows its own.
    window->SelectIndex(0);
    window->RefreshCurrentTab();
    EXPECT_EQ(CheckedItems("mniSaveWithEncoding"), QStringList({"UTF-8"}));
}

TEST_F(DocumentEncodingTest, SaveWithEncodingGivesOrTakesAByteOrderMark) {
    Start(CLocaleDesktop);
    const QString path = WriteFile("russian.txt", InCodePage(Russian, 1251));
    window->Files().OpenFile(path);
    EncodingItem("mniReopenWithEncoding", "Windows-1251")->trigger();
    const struct {
        const char* item;
        QByteArray bytes;
    } steps[] = {
        {"UTF-16 LE", InUtf16(Russian, QStringConverter::Utf16LE)},
        {"UTF-16 BE", InUtf16(Russian, QStringConverter::Utf16BE)},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + Russian.toUtf8()},
        {"UTF-8", Russian.toUtf8()},
        {"UTF-16 BE", InUtf16(Russian, QStringConverter::Utf16BE)},
        {"Windows-1251", InCodePage(Russian, 1251)},
    };
    for (const auto& step : steps) {
        EncodingItem("mniSaveWithEncoding", step.item)->trigger();
        EXPECT_EQ(ReadFile(path), step.bytes) << step.item;
        EXPECT_TRUE(Caption().startsWith(step.item)) << step.item;
        EXPECT_EQ(FirstLine(), "Привет, мир.") << step.item;
        EXPECT_FALSE(window->CurrentDocument().Modified) << step.item;
    }
    // Opened again, the file shows in the encoding it was saved in.
    EncodingItem("mniSaveWithEncoding", "UTF-16 LE")->trigger();
    window->Tabs().mniCloseAllClick();
    window->Files().OpenFile(path);
    EXPECT_EQ(Caption(), "UTF-16 LE");
}

TEST_F(DocumentEncodingTest, SaveWithEncodingKeepsCaretSelectionAndScroll) {
    Start(Utf8Desktop);
    QString text;
    for (int line = 0; line < 200; ++line)
        text += "Строка " + QString::number(line) + ": Привет, мир.\r\n";
    for (const int mode : {vmPlain, vmCode}) {
        const QString path = WriteFile(mode == vmPlain ? "lines.txt" : "lines.ini", text.toUtf8());
        window->Files().OpenFile(path);
        ASSERT_EQ(window->CurrentDocument().ViewMode, mode);
        TSynEditWidget& editor = *window->CurrentDocument().View().TextEditor();
        TSynEditEngine& engine = editor.Engine();
        // "мир" on line 120, selected from its end back to its start.
        const LineIndex line(120);
        engine.SetSelection({line, engine.ColumnAtChar(line, CharColumn(23))},
                            {line, engine.ColumnAtChar(line, CharColumn(20))});
        editor.SetTopLine(LineIndex(100));
        const QString selected = editor.inputMethodQuery(Qt::ImCurrentSelection).toString();
        ASSERT_EQ(selected, "мир");

        EncodingItem("mniSaveWithEncoding", "Windows-1251")->trigger();
        ASSERT_EQ(ReadFile(path), InCodePage(text, 1251)) << mode;
        EXPECT_EQ(editor.inputMethodQuery(Qt::ImCurrentSelection).toString(), selected) << mode;
        EXPECT_EQ(engine.Caret().line, line) << mode;
        EXPECT_EQ(engine.CharColumnOf(engine.Caret()), CharColumn(20)) << mode;
        EXPECT_EQ(engine.CharColumnOf(engine.Anchor()), CharColumn(23)) << mode;
        EXPECT_EQ(editor.TopLine().Value(), 100) << mode;
    }
}

} // namespace
