#include "settings/qt/AboutBox.h"

#include "SettingsFixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <functional>

TEST(AboutBox, ShowsNameVersionAndThreeLinksInItsFrame) {
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), "About");
    EXPECT_EQ(box.size(), QSize(300, 199));
    EXPECT_EQ(box.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_EQ(box.Panel1->geometry(), QRect(0, 0, 297, 161));
    EXPECT_EQ(box.ProductName->text(), "Tabrix Pro");
    EXPECT_TRUE(box.ProductName->font().bold());
    EXPECT_EQ(box.Version->text(), "1.5.0");
    EXPECT_FALSE(box.ProgramIcon->pixmap().isNull());
    struct Link {
        QLabel* label;
        QPoint position;
        QString prefix;
    };
    for (const Link& link :
         {Link{box.Label1, {8, 80}, "mailto:"}, Link{box.Comments, {8, 104}, "https://"},
          Link{box.Label2, {8, 128}, "https://"}}) {
        SCOPED_TRACE(link.label->text().toStdString());
        EXPECT_EQ(link.label->pos(), link.position);
        EXPECT_TRUE(link.label->text().startsWith(link.prefix));
        EXPECT_TRUE(link.label->wordWrap());
        EXPECT_EQ(link.label->cursor().shape(), Qt::PointingHandCursor);
    }
    EXPECT_NE(box.Comments->text(), box.Label2->text());
    EXPECT_TRUE(box.OKButton->isDefault());
}

TEST(AboutBox, ALinkClickedOrEnteredFromTheKeyboardGoesToTheDesktop) {
    const std::function<void(QLabel&)> opens[] = {
        [](QLabel& label) {
            QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2),
                                label.mapToGlobal(QPointF(2, 2)), Qt::LeftButton, Qt::NoButton,
                                Qt::NoModifier);
            QApplication::sendEvent(&label, &release);
        },
        [](QLabel& label) { QTest::keyClick(&label, Qt::Key_Return); },
        [](QLabel& label) { QTest::keyClick(&label, Qt::Key_Space); },
    };
    for (const auto& open : opens) {
        TAboutBox box;
        QStringList opened;
        box.OpenLink = [&](const QString& link) {
            opened << link;
            return false; // a link the desktop cannot open is not reported
        };
        for (QLabel* label : {box.Label1, box.Comments, box.Label2, box.ProductName})
            open(*label);
        EXPECT_EQ(opened,
                  QStringList({box.Label1->text(), box.Comments->text(), box.Label2->text()}));
        EXPECT_TRUE(box.Label1->focusPolicy() & Qt::TabFocus);
    }
}

TEST(AboutBox, OpensWithOkFocusedSoEnterClosesIt) {
    TAboutBox box;
    box.show();
    QApplication::setActiveWindow(&box);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    EXPECT_EQ(QApplication::focusWidget(), box.OKButton);
}

TEST(AboutBox, IsCentredOnTheScreen) {
    TAboutBox box;
    box.show();
    QApplication::processEvents();
    const QPoint centre = box.screen()->availableGeometry().center();
    EXPECT_LE((box.frameGeometry().center() - centre).manhattanLength(), 2);
}

TEST_F(SettingsTest, HelpAboutShowsTheAboutBoxModally) {
    Start();
    EXPECT_EQ(Part<QAction>(*window, "mniAbout").text().remove('&'), "About");
    dialogs.QueueText({});
    Part<QAction>(*window, "mniAbout").trigger();
    ASSERT_FALSE(dialogs.History().empty());
    EXPECT_EQ(dialogs.History().back().kind, ScriptedDialogs::Kind::Dialog);
    EXPECT_EQ(dialogs.History().back().caption, "About");
}
