#include "CliProcess.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

TEST(CliFolders, ShellFolderNamesTheUsersFolders) {
    const CliFolder folder;
    struct Case {
        const char* name;
        std::string out;
        int status;
    };
    const std::string data = std::getenv("XDG_DATA_HOME");
    const std::string config = std::getenv("XDG_CONFIG_HOME");
    const Case cases[] = {
        {"Programs", data + "/applications/\n", 0},
        {"appdata", config + "/\n", 0},
        {"Startup", "", 2},
    };
    for (const Case& c : cases) {
        const CliResult result = folder.Run({"shell-folder", c.name});
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_EQ(result.out, c.out) << c.name;
    }
    EXPECT_EQ(folder.Run({"shell-folder"}).status, 2);
}

TEST(CliFolders, StylesAreTheShippedFilesBesideTheProgram) {
    const CliResult result = CliFolder().Run({"styles"});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string bin = std::string(TABRIX_BINARY_DIR) + "/bin/";
    std::string expected;
    std::vector<std::string> names;
    for (const auto& entry :
         std::filesystem::directory_iterator(TABRIX_TEST_DATA "/../../data/styles"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        expected += bin + name + "\n";
    EXPECT_EQ(result.out, expected);
}

} // namespace
