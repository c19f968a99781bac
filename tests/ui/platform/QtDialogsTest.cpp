// The Qt dialogs a person sees: what they open on and what they list. Each test opens the real
// dialog under the offscreen platform and looks at it while it is shown.

#include "platform/qt/Dialogs.h"
#include "platform/qt/NameOnlyIconProvider.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Hands the next modal dialog to `inspect` once it is shown; `inspect` closes it.
void WhenModalShows(const std::function<void(QWidget&)>& inspect) {
    auto* poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, inspect] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
            poll->stop();
            poll->deleteLater();
            inspect(*modal);
        }
    });
    poll->start();
}

const std::vector<FileFilter> SaveFilters = {{"Text Files (*.txt)", "*.txt"},
                                             {"HTML Files (*.htm, *.html)", "*.htm;*.html"},
                                             {"Zipped Files (*.zip)", "*.zip"},
                                             {"All Files", "*.*"}};

TEST(QtFileDialogs, ListEachFileTypeByItsCaptionAlone) {
    for (const FileFilter& filter : SaveFilters)
        EXPECT_EQ(FilterCaptionShown(QtFilterString(filter)).toStdString(),
                  filter.caption.toStdString());
    EXPECT_EQ(QtFilterString({"All Files", "*.*"}), "All Files (*)");

    QTemporaryDir folder;
    QStringList listed;
    bool iconsFromNames = false;
    WhenModalShows([&](QWidget& modal) {
        auto& dialog = dynamic_cast<QFileDialog&>(modal);
        auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
        for (int i = 0; types && i < types->count(); ++i)
            listed << types->itemText(i);
        iconsFromNames = dynamic_cast<const NameOnlyIconProvider*>(dialog.iconProvider());
        dialog.selectNameFilter(QtFilterString(SaveFilters[1]));
        dialog.selectFile(folder.filePath("page.htm"));
        static_cast<QDialog&>(dialog).accept();
    });
    QtDialogs dialogs;
    const auto result =
        dialogs.SaveFile({"Save As", SaveFilters, 1, folder.path(), {}, {}, false, false});
    EXPECT_EQ(listed.join(" | ").toStdString(),
              "Text Files (*.txt) | HTML Files (*.htm, *.html) | Zipped Files (*.zip) | All Files");
    EXPECT_TRUE(iconsFromNames);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->filterIndex, 2);
}

TEST(QtFileDialogs, TypesComeFromNamesWithoutOpeningTheFiles) {
    QTemporaryDir folder;
    struct Case {
        const char* name;
        bool pdf;
    };
    const NameOnlyIconProvider icons;
    for (const Case& c : {Case{"report.pdf", true}, Case{"report", false}}) {
        QFile file(folder.filePath(c.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n");
        file.close();
        // Content sniffing would call both PDF; only the name may tell.
        EXPECT_EQ(icons.type(QFileInfo(file.fileName())).contains("PDF"), c.pdf) << c.name;
        EXPECT_FALSE(icons.icon(QFileInfo(file.fileName())).isNull()) << c.name;
    }
}

TEST(QtFontDialog, OpensOnTheFontTheEditorsAreDrawnWith) {
    struct Case {
        QString family;
        int size;
        bool bold;
    };
    // "Courier New" is not installed here: the system draws it with a substitute.
    for (const Case& c : {Case{"Courier New", 10, false}, Case{"DejaVu Sans Mono", 14, true}}) {
        QFont current(c.family, c.size);
        current.setBold(c.bold);
        const QString drawnFamily = QFontInfo(current).family();
        QFont shown;
        WhenModalShows([&](QWidget& modal) {
            auto& dialog = dynamic_cast<QFontDialog&>(modal);
            shown = dialog.currentFont();
            dialog.accept();
        });
        QtDialogs dialogs;
        const std::optional<FontChoice> chosen =
            dialogs.ChooseFont(FontChoice{current, QColor(Qt::black)}, true);
        EXPECT_EQ(shown.family().toStdString(), drawnFamily.toStdString());
        EXPECT_EQ(shown.pointSize(), c.size) << c.family.toStdString();
        EXPECT_EQ(shown.bold(), c.bold) << c.family.toStdString();
        ASSERT_TRUE(chosen.has_value());
        // OK without a change keeps the face drawn, its size and style.
        EXPECT_EQ(QFontInfo(chosen->font).family().toStdString(), drawnFamily.toStdString());
        EXPECT_EQ(chosen->font.pointSize(), c.size);
        EXPECT_EQ(chosen->font.bold(), c.bold);
    }
}

} // namespace
