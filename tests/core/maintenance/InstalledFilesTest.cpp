#include "maintenance/InstalledFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(InstalledFiles, EntriesKeepTheirOrderAndFoldersEndInTheSeparator) {
    const std::string text = "styles/\r\nstyles/Night.style\r\n\r\ntabrix-pro\ninstall.txt";
    const std::vector<InstalledEntry> expected{
        {"styles/", true},
        {"styles/Night.style", false},
        {"tabrix-pro", false},
        {"install.txt", false},
    };
    EXPECT_EQ(ParseInstalledFiles(text), expected);
}

TEST(InstalledFiles, EntriesLeadingOutOfTheProgramFolderAreSkipped) {
    struct Case {
        std::string entry;
        bool kept;
    };
    const Case cases[] = {
        {"notes.txt", true},
        {"sub/deeper/file", true},
        {"..notes", true},
        {"sub/..hidden/", true},
        {"./here.txt", true},
        {"/etc/passwd", false},
        {"/", false},
        {"../outside.txt", false},
        {"..", false},
        {"../", false},
        {"sub/../../outside", false},
        {"sub/..", false},
        {"sub/../same-folder-but-climbing", false},
        {std::string("a\0b", 3), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StaysInsideFolder(c.entry), c.kept) << c.entry;
        EXPECT_EQ(ParseInstalledFiles(c.entry + "\n").size(), c.kept ? 1u : 0u) << c.entry;
    }
}

} // namespace
