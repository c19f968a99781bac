// File names that are not UTF-8 (a Linux name is bytes) open, save, come back with the tabs of
// the last exit and from the recent list as the very same file, and show their odd bytes.

#include "SettingsFixture.h"
#include "app/qt/RecentMenus.h"
#include "platform/qt/PathNames.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

class FileNameBytesTest : public SettingsTest {
protected:
    std::string Folder() const { return LocalPath(root.filePath("files")) + "/"; }
    static void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    QString CurrentText() const {
        return QString::fromStdString(window->CurrentPlainEditor()->Text());
    }
    QString LastMessage() const {
        return dialogs.History().empty() ? QString() : dialogs.History().back().text;
    }
    std::size_t FilesInFolder() const {
        return std::size_t(std::distance(std::filesystem::directory_iterator(Folder()), {}));
    }
};

TEST_F(FileNameBytesTest, ANameOfAnyBytesIsTheSameFileEverywhereAndShowsItsBytes) {
    const struct {
        std::string name;
        QString caption;
    } cases[] = {
        {"a\xff.txt", "a\\xFF.txt"},
        {"\x80\xfe-\xc3.txt", "\\x80\\xFE-\\xC3.txt"},
        {"caf\xe9.txt", "caf\\xE9.txt"},
        {"caf\xc3\xa9.txt", QString::fromUtf8("caf\xc3\xa9.txt")},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(root.filePath("config").toStdString());
        std::filesystem::remove_all(Folder());
        std::filesystem::create_directories(Folder());
        const std::string path = Folder() + c.name;
        WriteBytes(path, "old");
        Start();
        dialogs.QueueFiles({DisplayPath(path)});
        window->Files().mniOpenClick();
        ASSERT_EQ(CurrentText(), "old") << c.name;
        EXPECT_EQ(Part<QTabBar>(*window, "TabControl").tabText(0), c.caption);
        EXPECT_TRUE(window->windowTitle().contains(c.caption))
            << window->windowTitle().toStdString();
        EXPECT_EQ(Part<QMenu>(*window, "mniRecent").actions()[0]->text(),
                  ShownPath(DisplayPath(path)));

        window->CurrentPlainEditor()->SetText("new");
        window->Files().mniSaveClick();
        EXPECT_EQ(ReadBytes(path), "new") << c.name;
        EXPECT_EQ(FilesInFolder(), 1u) << c.name << ": saved under another name";

        // The tabs of the last exit and the recent list, through the files that keep them.
        Restart();
        ASSERT_EQ(window->DocumentCount(), 1) << c.name;
        EXPECT_EQ(LocalPath(window->CurrentDocument().FileName), path) << c.name;
        EXPECT_EQ(CurrentText(), "new") << c.name;
        ASSERT_FALSE(window->Recent().RecentFiles().empty()) << c.name;
        EXPECT_EQ(LocalPath(window->Recent().RecentFiles().front()), path) << c.name;
        window->Tabs().mniCloseAllClick();
        window->Recent().mniRecentItemClick(0);
        EXPECT_EQ(LocalPath(window->CurrentDocument().FileName), path) << c.name;
        EXPECT_EQ(CurrentText(), "new") << c.name;
        for (const auto& shown : dialogs.History())
            EXPECT_NE(shown.kind, ScriptedDialogs::Kind::Message)
                << c.name << ": " << shown.text.toStdString();
        dialogs.ClearHistory();
        Exit();
    }
}

TEST_F(FileNameBytesTest, AMissingFileIsNamedWithItsBytesShown) {
    Start();
    const std::string path = Folder() + "gone\xff.txt";
    window->Files().OpenFile(DisplayPath(path));
    EXPECT_EQ(LastMessage(), ShownText(Folder()) + "gone\\xFF.txt not found");
}

} // namespace
