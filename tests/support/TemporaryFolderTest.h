#pragma once
// A fresh temporary folder per test, removed afterwards whatever permissions the test left on
// its contents, with helpers to write and read files byte for byte.

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

class TemporaryFolderTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tabrix-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        // The physical path, so it compares equal to what getcwd reports.
        root = std::filesystem::canonical(pattern).string() + "/";
    }

    void TearDown() override {
        std::error_code ignored;
        for (auto it = std::filesystem::recursive_directory_iterator(root, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            if (!it->is_symlink()) {
                chmod(it->path().c_str(), 0700);
            }
        }
        chmod(root.c_str(), 0700);
        std::filesystem::remove_all(root, ignored);
    }

    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string root; // ends in a separator
};
