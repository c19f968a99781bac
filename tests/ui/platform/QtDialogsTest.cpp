// The Qt dialogs a person sees: what they open on and what they list. Each test opens the real
// dialog under the offscreen platform and looks at it while it is shown.

#include "platform/qt/Dialogs.h"
#include "platform/qt/NameOnlyIconProvider.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QListView>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
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

// The faces the shipped styles name, the editors' default face and the rich editor's.
QStringList FacesInUse() {
    QStringList faces = {"Courier New", "MS Sans Serif"};
    for (const QFileInfo& style :
         QDir(TABRIX_TEST_DATA "/../../data/styles").entryInfoList({"*.style"})) {
        QFile file(style.filePath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << style.fileName().toStdString();
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (line.startsWith("Name="))
                faces << QString::fromUtf8(line.mid(5).trimmed());
        }
    }
    faces.removeDuplicates();
    return faces;
}

TEST(QtFontDialog, OpensOnTheFontDrawnAndOkChangesNothing) {
    const QStringList faces = FacesInUse();
    ASSERT_TRUE(faces.contains("DejaVu Sans Mono"));
    struct Style {
        bool bold;
        bool italic;
    };
    for (const QString& face : faces) {
        for (const Style style :
             {Style{false, false}, Style{true, false}, Style{false, true}, Style{true, true}}) {
            QFont current(face, 11);
            current.setBold(style.bold);
            current.setItalic(style.italic);
            const QFontInfo drawn(current);
            const std::string name = face.toStdString() + " " + drawn.styleName().toStdString();
            QFont shown;
            WhenModalShows([&](QWidget& modal) {
                auto& dialog = dynamic_cast<QFontDialog&>(modal);
                shown = dialog.currentFont();
                dialog.accept();
            });
            QtDialogs dialogs;
            const std::optional<FontChoice> chosen =
                dialogs.ChooseFont(FontChoice{current, QColor(Qt::black)}, false);
            const QFontInfo opened(shown);
            EXPECT_EQ(opened.family().toStdString(), drawn.family().toStdString()) << name;
            EXPECT_EQ(opened.styleName().toStdString(), drawn.styleName().toStdString()) << name;
            EXPECT_EQ(shown.pointSize(), 11) << name;
            ASSERT_TRUE(chosen.has_value()) << name;
            EXPECT_EQ(chosen->font, current) << name;
        }
    }
}

TEST(QtFontDialog, ListsFixedPitchFacesOnlyWhenAskedTo) {
    for (const bool fixedPitchOnly : {true, false}) {
        QStringList listed;
        WhenModalShows([&](QWidget& modal) {
            // The first list of the dialog is its list of faces.
            const QAbstractItemModel* faces = modal.findChild<QListView*>()->model();
            for (int row = 0; row < faces->rowCount(); ++row)
                listed << faces->index(row, 0).data().toString();
            static_cast<QDialog&>(modal).reject();
        });
        QtDialogs dialogs;
        EXPECT_FALSE(dialogs.ChooseFont(
            FontChoice{QFont("DejaVu Sans Mono", 10), QColor(Qt::black)}, fixedPitchOnly));
        const auto proportional = std::count_if(listed.begin(), listed.end(), [](const QString& f) {
            return !QFontDatabase::isFixedPitch(f);
        });
        EXPECT_TRUE(listed.contains("DejaVu Sans Mono")) << fixedPitchOnly;
        EXPECT_EQ(listed.contains("DejaVu Serif"), !fixedPitchOnly);
        EXPECT_EQ(proportional == 0, fixedPitchOnly) << listed.join(", ").toStdString();
    }
}

} // namespace
