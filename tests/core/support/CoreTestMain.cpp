// Main of the Qt-free test executables: HOME and the XDG folders point into a private
// temporary folder, so no test reads or writes the user's files.

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    std::string root = (std::filesystem::temp_directory_path() / "tabrix-test-XXXXXX").string();
    if (mkdtemp(root.data()) == nullptr)
        return 2;
    setenv("HOME", root.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root + "/.config").c_str(), 1);
    setenv("XDG_DATA_HOME", (root + "/.local/share").c_str(), 1);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return result;
}
