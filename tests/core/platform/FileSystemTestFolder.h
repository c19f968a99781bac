#pragma once
// A fresh temporary folder per test, removed afterwards whatever permissions the test left on
// its contents; the private temporary folder is pointed into it too.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

class FileSystemTestFolder : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tabrix-files-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        // The physical path, so it compares equal to what getcwd reports.
        root = std::filesystem::canonical(pattern).string() + "/";
        SaveVariable("XDG_RUNTIME_DIR", savedRuntime);
        SaveVariable("TMPDIR", savedTemp);
        setenv("TMPDIR", root.c_str(), 1);
        unsetenv("XDG_RUNTIME_DIR");
    }

    void TearDown() override {
        RestoreVariable("XDG_RUNTIME_DIR", savedRuntime);
        RestoreVariable("TMPDIR", savedTemp);
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

    static struct stat StatusOf(const std::string& path) {
        struct stat status {};
        lstat(path.c_str(), &status);
        return status;
    }

    static mode_t PermissionsOf(const std::string& path) { return StatusOf(path).st_mode & 07777; }

    std::size_t EntriesIn(const std::string& folder) const {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
            ++count;
        }
        return count;
    }

    std::string root; // ends in a separator

private:
    static void SaveVariable(const char* name, std::optional<std::string>& saved) {
        const char* value = std::getenv(name);
        saved = value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    }
    static void RestoreVariable(const char* name, const std::optional<std::string>& saved) {
        if (saved) {
            setenv(name, saved->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }

    std::optional<std::string> savedRuntime;
    std::optional<std::string> savedTemp;
};
