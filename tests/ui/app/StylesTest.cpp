#include "SettingsFixture.h"

#include <QFontInfo>
#include <QScreen>
#include <QStatusBar>

class StylesTest : public SettingsTest {
protected:
    void ShipStyle(const QString& name, const QByteArray& content) {
        Write(ProgramFolder() + "/" + name, content);
    }
    void SaveStyleInSettingsFolder(const QString& name, const QByteArray& content) {
        Write(SettingsFolder() + "/" + name, content);
    }
    QAction* StyleItem(const QString& name) {
        for (QAction* action : Part<QMenu>(*window, "mniStyles").actions()) {
            if (action->text().replace("&&", "&") == name)
                return action;
        }
        ADD_FAILURE() << "no style " << name.toStdString();
        return nullptr;
    }
    QString FontName() const { return window->CurrentPlainEditor()->Font().family(); }
};

TEST_F(StylesTest, StyleMenuHasItsItemsInOrder) {
    Start();
    EXPECT_EQ(Captions(&Part<QMenu>(*window, "mniStyle")),
              QStringList({"Styles", "|", "Background Color", "Foreground Color", "Choose Font",
                           "Font Size", "Quick Fonts", "|", "Save Current Style", "|",
                           "Organize Styles", "|", "Reset to Defaults"}));
}

TEST_F(StylesTest, ListsOnlyTheProgramFoldersStyleFiles) {
    ShipStyle("Paper.style", "");
    ShipStyle("Loud.STYLE", "");
    ShipStyle("notes.txt", "");
    QDir().mkpath(ProgramFolder() + "/folder.style");
    SaveStyleInSettingsFolder("Mine.style", "");
    Start();
    QStringList names = StyleCaptions();
    names.sort();
    EXPECT_EQ(names, QStringList({"Loud.STYLE", "Paper"}));
}

TEST_F(StylesTest, NoShippedStylesGiveAnEmptyList) {
    SaveStyleInSettingsFolder("Mine.style", "");
    Start();
    EXPECT_TRUE(Part<QMenu>(*window, "mniStyles").isEmpty());
}

TEST_F(StylesTest, ChoosingAStyleReadsTheSettingsFoldersFileFirstAndChecksIt) {
    ShipStyle("Paper.style", "[Font]\r\nName=DejaVu Serif\r\n");
    ShipStyle("Night.style", "[Font]\r\nName=DejaVu Sans Mono\r\n[Settings]\r\nWordwrap=0\r\n");
    SaveStyleInSettingsFolder("Paper.style", "[Font]\r\nName=DejaVu Sans\r\n");
    Start();
    EXPECT_EQ(CheckedStyle(), "<none>");
    StyleItem("Night")->trigger();
    EXPECT_EQ(FontName(), "DejaVu Sans Mono");
    EXPECT_FALSE(window->CurrentPlainEditor()->WordWrap());
    EXPECT_EQ(window->Settings().CurrentStyleName(), "Night");
    EXPECT_EQ(CheckedStyle(), "Night");
    StyleItem("Paper")->trigger();
    EXPECT_EQ(FontName(), "DejaVu Sans") << "the settings folder's file is read first";
    EXPECT_TRUE(window->CurrentPlainEditor()->WordWrap()) << "absent keys take their defaults";
    EXPECT_EQ(CheckedStyle(), "Paper");
}

TEST_F(StylesTest, AStyleClearsEveryStyleTheFontDialogGave) {
    // The font dialog names the face's style as well as setting its flags.
    const struct {
        const char* style;
        bool bold;
        bool italic;
    } chosen[] = {{"Bold", true, false}, {"Oblique", false, true}, {"Bold Oblique", true, true}};
    ShipStyle("Night.style", "[Font]\r\nName=DejaVu Sans Mono\r\nIsBold=0\r\nIsItalic=0\r\n");
    Start();
    window->mniNewClick();
    window->SetViewMode(vmCode);
    for (const auto& c : chosen) {
        QFont font("DejaVu Sans Mono", 12);
        font.setBold(c.bold);
        font.setItalic(c.italic);
        font.setStyleName(c.style);
        dialogs.Queue(std::optional<FontChoice>(FontChoice{font, QColor(Qt::black)}));
        Part<QAction>(*window, "mniFont").trigger();
        ASSERT_EQ(QFontInfo(window->CurrentPlainEditor()->Font()).styleName(), c.style);
        StyleItem("Night")->trigger();
        for (int position : {0, 1}) {
            const TMyMemo& document = window->DocumentAt(position);
            for (const TSynEditWidget* editor :
                 {static_cast<const TSynEditWidget*>(document.PlainEditor),
                  static_cast<const TSynEditWidget*>(document.CodeEditor)}) {
                const QFontInfo drawn(editor->Font());
                EXPECT_FALSE(drawn.bold()) << c.style << " in tab " << position;
                EXPECT_FALSE(drawn.italic()) << c.style << " in tab " << position;
            }
        }
    }
}

TEST_F(StylesTest, SavingAStyleWritesTheSettingsFolderAndChecksIt) {
    ShipStyle("Paper.style", "[Font]\r\nName=DejaVu Serif\r\n");
    Start();
    dialogs.QueueText("Paper");
    Part<QAction>(*window, "mniSaveStyle").trigger();
    EXPECT_EQ(dialogs.History().back().caption, "Enter file name");
    EXPECT_EQ(dialogs.History().back().text, "Untitled") << "the dialog proposes the current style";
    const QByteArray saved = Read(SettingsFolder() + "/Paper.style");
    EXPECT_TRUE(saved.contains("Name=Courier New\r\n"));
    EXPECT_FALSE(saved.contains("StyleName")) << saved.toStdString();
    EXPECT_FALSE(saved.contains("[Recent]"));
    EXPECT_TRUE(saved.contains("CIndex=0\r\n"));
    EXPECT_EQ(CheckedStyle(), "Paper");
    StyleItem("Paper")->trigger();
    EXPECT_EQ(FontName(), "Courier New");

    dialogs.QueueText("Ignored", false);
    Part<QAction>(*window, "mniSaveStyle").trigger();
    EXPECT_EQ(window->Settings().CurrentStyleName(), "Paper");
}

TEST_F(StylesTest, AnAmpersandInAStyleNameIsPartOfTheName) {
    ShipStyle("Salt & Pepper.style", "[Font]\r\nName=DejaVu Serif\r\n");
    Start();
    ASSERT_EQ(StyleCaptions(), QStringList({"Salt & Pepper"}));
    StyleItem("Salt & Pepper")->trigger();
    EXPECT_EQ(window->Settings().CurrentStyleName(), "Salt & Pepper");
    EXPECT_EQ(FontName(), "DejaVu Serif");
    EXPECT_EQ(CheckedStyle(), "Salt & Pepper");
}

TEST_F(StylesTest, AStyleWhoseFileIsGoneGivesTheDefaultOptionsAndKeepsGeometryAndFont) {
    ShipStyle("Gone.style", "");
    Start();
    SetFrame(QRect(30, 40, 400, 300));
    window->ViewOptions().SetAlwaysOnTop(true);
    window->ViewOptions().SetWordWrap(false);
    window->ViewOptions().SetStatusBarVisible(false);
    QFont font("DejaVu Serif", 14);
    font.setBold(true);
    window->CurrentPlainEditor()->SetFont(font);
    window->CurrentPlainEditor()->SetColor(clYellow);
    QFile::remove(ProgramFolder() + "/Gone.style");
    StyleItem("Gone")->trigger();
    EXPECT_EQ(window->frameGeometry(), QRect(30, 40, 400, 300));
    EXPECT_TRUE(Part<QAction>(*window, "mniAlwaysOnTop").isChecked());
    EXPECT_TRUE(Part<QAction>(*window, "mniWordWrap").isChecked());
    EXPECT_TRUE(Part<QAction>(*window, "mniStatusbar").isChecked());
    EXPECT_EQ(FontName(), "DejaVu Serif");
    EXPECT_EQ(window->CurrentPlainEditor()->Font().pointSize(), 14);
    EXPECT_FALSE(window->CurrentPlainEditor()->Font().bold());
    EXPECT_EQ(window->CurrentPlainEditor()->Color(), clYellow);
}

TEST_F(StylesTest, AFullScreenStyleRestoresToItsOwnBounds) {
    ShipStyle("Wide.style", "[Form]\r\nTop=10\r\nLeft=20\r\nWidth=300\r\nHeight=400\r\n"
                            "[Settings]\r\nFullScreen=1\r\n");
    Start();
    StyleItem("Wide")->trigger();
    EXPECT_TRUE(window->ViewOptions().FullScreen());
    EXPECT_EQ(window->ViewOptions().RestoreBounds(), QRect(20, 10, 300, 400));
    window->ViewOptions().SetFullScreen(false);
    EXPECT_EQ(window->frameGeometry(), QRect(20, 10, 300, 400));
}

TEST_F(StylesTest, ResetToDefaultsGivesTheDefaultLookAndNoStyle) {
    ShipStyle("Night.style", "[Font]\r\nName=DejaVu Sans Mono\r\nSize=14\r\nIsBold=1\r\n"
                             "Color=clYellow\r\n[Background]\r\nColor=clNavy\r\n"
                             "[Settings]\r\nWordwrap=0\r\nStatusBarVisible=0\r\nFullScreen=1\r\n"
                             "ShowLineNumbers=0\r\nShowToolbarCaptions=0\r\n"
                             "[Form]\r\nAlwaysOnTop=1\r\n");
    Start();
    window->mniNewClick();
    StyleItem("Night")->trigger();
    Part<QAction>(*window, "mniReset").trigger();
    QApplication::processEvents();
    EXPECT_FALSE(window->ViewOptions().FullScreen());
    const QRect expected = window->screen()->availableGeometry().adjusted(-4, -4, 4, 4);
    EXPECT_EQ(window->frameGeometry().size(), expected.size());
    // A window given its frame back is placed anew, and the window system may keep its frame
    // on the screen: a few pixels of the grown rectangle's negative corner can be lost.
    EXPECT_NEAR(window->frameGeometry().left(), expected.left(), 2);
    EXPECT_NEAR(window->frameGeometry().top(), expected.top(), 2);
    EXPECT_TRUE(Part<QAction>(*window, "mniWordWrap").isChecked());
    EXPECT_TRUE(Part<QAction>(*window, "mniStatusbar").isChecked());
    EXPECT_FALSE(window->statusBar()->isHidden());
    EXPECT_FALSE(Part<QAction>(*window, "mniAlwaysOnTop").isChecked());
    EXPECT_FALSE(Part<QAction>(*window, "Showlinenumbers1").isChecked())
        << "line numbers are not part of a reset";
    EXPECT_FALSE(window->ViewOptions().ToolBarCaptions()) << "nor are the toolbar captions";
    for (int position = 0; position < window->DocumentCount(); ++position) {
        const TMyMemo& document = window->DocumentAt(position);
        EXPECT_EQ(document.CodeEditor->Font().family(), "Courier New");
        EXPECT_EQ(document.CodeEditor->Font().pointSize(), 10);
        EXPECT_FALSE(document.CodeEditor->Font().bold());
        EXPECT_EQ(document.CodeEditor->FontColor(), clWindowText);
        EXPECT_EQ(document.PlainEditor->Color(), clWindow);
    }
    EXPECT_EQ(window->Settings().CurrentStyleName(), "");
    EXPECT_EQ(CheckedStyle(), "<none>");

    Restart();
    EXPECT_TRUE(Read(MainSettingsPath()).contains("StyleName=\r\n"));
    EXPECT_EQ(CheckedStyle(), "<none>");
}

TEST_F(StylesTest, OrganizeStylesOpensTheChosenStyleFileAsADocument) {
    ShipStyle("Paper.style", "[Font]\r\nName=DejaVu Serif\r\n");
    Start();
    dialogs.QueueFiles({ProgramFolder() + "/Paper.style"});
    Part<QAction>(*window, "OpenOrganize1").trigger();
    const FileDialogRequest& request = dialogs.History().back().fileRequest;
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].caption, "Tabrix Styles");
    EXPECT_EQ(request.filters[0].patterns, "*.style");
    EXPECT_EQ(QDir(request.initialFolder), QDir(ProgramFolder()));
    EXPECT_EQ(window->CurrentDocument().FileName, ProgramFolder() + "/Paper.style");
    EXPECT_EQ(window->CurrentPlainEditor()->Text(), "[Font]\r\nName=DejaVu Serif\r\n");

    dialogs.QueueCancel();
    Part<QAction>(*window, "OpenOrganize1").trigger();
    EXPECT_EQ(window->DocumentCount(), 1);
}

TEST_F(StylesTest, AStyleNameThatLeadsOutOfTheSettingsFolderIsRefused) {
    Start();
    dialogs.QueueText("../escaped");
    Part<QAction>(*window, "mniSaveStyle").trigger();
    EXPECT_FALSE(QFile::exists(root.filePath("config/escaped.style")));
    EXPECT_EQ(dialogs.History().back().messageKind, MessageKind::Error);
    EXPECT_EQ(dialogs.History().back().text,
              "Unable to write to " + SettingsFolder() + "/../escaped.style");
}
