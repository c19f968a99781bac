#pragma once
// A temporary folder per test that the private temporary folder is pointed into too.

#include "support/TemporaryFolderTest.h"

#include <cstdlib>
#include <optional>

class FileSystemTestFolder : public TemporaryFolderTest {
protected:
    void SetUp() override {
        TemporaryFolderTest::SetUp();
        SaveVariable("XDG_RUNTIME_DIR", savedRuntime);
        SaveVariable("TMPDIR", savedTemp);
        setenv("TMPDIR", root.c_str(), 1);
        unsetenv("XDG_RUNTIME_DIR");
    }

    void TearDown() override {
        RestoreVariable("XDG_RUNTIME_DIR", savedRuntime);
        RestoreVariable("TMPDIR", savedTemp);
        TemporaryFolderTest::TearDown();
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
