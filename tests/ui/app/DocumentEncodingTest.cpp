// Each document keeps the encoding its file came in: it shows the right characters, text
// functions and find work on them, the file is written back as it came, and the user can reopen
// or save it in another encoding, which the recent list and projects keep.

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
        for (QAction* item : window->mniFile->actions()) {
            if (item->objectName() != submenu || !item->menu())
                continue;
            for (QAction* choice : item->menu()->actions()) {
                if (choice->text().startsWith(text))
                    return choice;
            }
        }
        return nullptr;
    }
    QString Caption() const { return window->StatusBarEncoding->text(); }
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
        window->OpenFile(path);
        EXPECT_EQ(Caption(), seen.caption);
        EXPECT_EQ(FirstLine(), seen.firstLine);

        window->mniSaveClick();
        EXPECT_EQ(ReadFile(path), c.bytes);

        Find(seen.find);
        EXPECT_EQ(Selection(), seen.find);

        window->RunTextFunction("upper");
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
    window->OpenFile(path);
    EXPECT_EQ(Caption(), "Windows-1252");
    QAction* reopen = EncodingItem("mniReopenWithEncoding", "Windows-1251");
    ASSERT_NE(reopen, nullptr);
    reopen->trigger();
    EXPECT_EQ(Caption(), "Windows-1251");
    EXPECT_EQ(FirstLine(), "Привет, мир.");
    EXPECT_FALSE(window->CurrentDocument().Modified);

    window->mniCloseAllClick();
    EXPECT_EQ(Caption(), "Windows-1252");
    window->mniRecentItemClick(0);
    EXPECT_EQ(window->CurrentDocument().FileName, path);
    EXPECT_EQ(Caption(), "Windows-1251");
    EXPECT_EQ(FirstLine(), "Привет, мир.");

    const QString project = PathOf("work.txp");
    ASSERT_TRUE(window->SaveProject(project));
    window->mniCloseAllClick();
    window->LoadProject(project);
    EXPECT_EQ(window->CurrentDocument().FileName, path);
    EXPECT_EQ(Caption(), "Windows-1251");
    EXPECT_EQ(FirstLine(), "Привет, мир.");
}

TEST_F(DocumentEncodingTest, ReopeningAModifiedDocumentAsksFirst) {
    Start(CLocaleDesktop);
    const QString path = WriteFile("russian.txt", InCodePage(Russian, 1251));
    window->OpenFile(path);
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
    window->OpenFile(path);

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
    window->mniCloseAllClick();
    window->OpenFile(path);
    EXPECT_EQ(Caption(), "UTF-8");
}

TEST_F(DocumentEncodingTest, CodeViewKeepsTheEncodingAndConvertsItsOwnText) {
    Start(CLocaleDesktop);
    const QString html = "<p>Привет</p>\r\n<p>мир</p>\r\n";
    const QString path = WriteFile("page.html", InUtf16(html, QStringConverter::Utf16BE));
    window->OpenFile(path);
    ASSERT_EQ(window->CurrentDocument().ViewMode, vmCode);
    TSynEdit& editor = *window->CurrentDocument().CodeEditor;
    EXPECT_EQ(Caption(), "UTF-16 BE");
    editor.SetCaretXY(1, 1);
    EXPECT_EQ(editor.inputMethodQuery(Qt::ImSurroundingText).toString(), "<p>Привет</p>");
    window->mniSaveClick();
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
    window->OpenFile(path);
    window->SetViewMode(vmRich);
    window->CurrentDocument().RichEditor->insertPlainText("жж");
    ASSERT_TRUE(window->CurrentDocument().Modified);

    dialogs.Queue(DialogAnswer::No);
    window->mniSaveClick();
    EXPECT_EQ(LastMessage(), "File " + path +
                                 ": 2 character(s) cannot be written in Windows-1252 and would "
                                 "become \"?\".  Save anyway?");
    EXPECT_EQ(ReadFile(path), "abc");
    EXPECT_TRUE(window->CurrentDocument().Modified);

    dialogs.Queue(DialogAnswer::Yes);
    window->mniSaveClick();
    EXPECT_EQ(ReadFile(path), "??abc");
    EXPECT_FALSE(window->CurrentDocument().Modified);
}

TEST_F(DocumentEncodingTest, EncodingMenusOfferUtf8AndEveryCodePageOutsideRichView) {
    Start(Utf8Desktop);
    for (const char* submenu : {"mniReopenWithEncoding", "mniSaveWithEncoding"}) {
        QStringList captions;
        for (QAction* item : window->mniFile->actions()) {
            if (item->objectName() == submenu && item->menu()) {
                for (QAction* choice : item->menu()->actions())
                    captions << choice->text();
                EXPECT_TRUE(item->isVisible());
                window->SetViewMode(vmRich);
                EXPECT_FALSE(item->isVisible());
                window->SetViewMode(vmPlain);
            }
        }
        EXPECT_EQ(captions.size(), qsizetype(Encoding::SupportedCodePages().size())) << submenu;
        EXPECT_EQ(captions.value(0), "UTF-8") << submenu;
        EXPECT_TRUE(captions.contains("Windows-1251 (Cyrillic)")) << submenu;
        EXPECT_TRUE(captions.contains("ISO-8859-1 (Western)")) << submenu;
    }
}

} // namespace
