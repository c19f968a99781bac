#pragma once
// The maintenance step against a registry in the test's temporary folder, answered by
// ScriptedDialogs; the user's folders (Desktop, Programs) are the test process's own temporary
// HOME. Helpers install the build into a temporary prefix as `make install` does.

#include "maintenance/Maintenance.h"
#include "maintenance/qt/StartupMaintenance.h"
#include "platform/ShellFolders.h"
#include "platform/qt/ScriptedDialogs.h"
#include "support/TemporaryFolderTest.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

inline constexpr const char* kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tabrix Pro";
inline constexpr const char* kRunOnceKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr const char* kQuestion = "Are you sure to remove Tabrix Pro?";
inline constexpr const char* kResetDone = "Registry entries has been removed";
inline constexpr const char* kUninstallDone = "Uninstall complete.";

class MaintenanceTest : public TemporaryFolderTest {
protected:
    void SetUp() override {
        TemporaryFolderTest::SetUp();
        registry = std::make_unique<Registry>(root + "registry/");
    }
    void TearDown() override {
        EXPECT_EQ(dialogs.Unanswered(), 0) << "a question was asked that the test did not expect";
        TemporaryFolderTest::TearDown();
    }

    bool Run(const std::vector<std::string>& arguments, const std::string& executable) {
        DialogsMaintenanceUi ui(dialogs);
        return Maintenance(*registry, ui, executable).RunAtStart(arguments);
    }

    // The texts of the boxes shown, in order.
    std::vector<std::string> Shown() const {
        std::vector<std::string> texts;
        for (const auto& shown : dialogs.History())
            texts.push_back(shown.text.toStdString());
        return texts;
    }

    std::optional<std::string> Value(RegistryHive hive, const std::string& key,
                                     const std::string& name) {
        const auto value = registry->ReadValue(hive, key, name);
        return value ? std::optional(value->text) : std::nullopt;
    }

    // `cmake --install` of the build into prefix; the exit status.
    int Install(const std::string& prefix) const {
        const std::string command = "cmake --install '" + std::string(TABRIX_BINARY_DIR) +
                                    "' --prefix '" + prefix + "' >'" + root + "install.log' 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string InstallLog() const { return Read(root + "install.log"); }

    static bool Exists(const std::string& path) { return fs::exists(fs::symlink_status(path)); }

    std::unique_ptr<Registry> registry;
    ScriptedDialogs dialogs;
};
