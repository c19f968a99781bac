#include "maintenance/Maintenance.h"

#include "maintenance/FolderTree.h"
#include "maintenance/InstalledFiles.h"
#include "platform/FileSystem.h"
#include "platform/ProgramFolder.h"
#include "platform/ShellFolders.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tabrix Pro";
constexpr std::string_view kRunOnceKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr std::string_view kProgramKey = "\\Software\\Vantrel\\Tabrix Pro\\";
constexpr std::string_view kMainKey = "\\Software\\Vantrel\\Tabrix Pro\\Main";
constexpr std::string_view kPendingProgram = "Delete Tabrix Pro";
constexpr std::string_view kPendingFile = "Delete Tabrix Pro file ";
constexpr std::string_view kShortcutName = "Tabrix Pro";
constexpr std::string_view kInstalledFilesName = "install.txt";

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

void RemoveIgnoringFailure(const std::string& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

std::string WithoutTrailingSeparator(std::string path) {
    while (!path.empty() && IsPathSeparator(path.back()))
        path.pop_back();
    return path;
}

// The removal command a package's installation names, when the program belongs to a package
// manager; an unreadable or empty list still marks it as the package manager's.
std::optional<std::string> PackageRemovalCommand(const std::string& programFolder) {
    const std::string marker = DataFolderOf(programFolder) + std::string(kPackageRemovalName);
    if (!PathExists(marker))
        return std::nullopt;
    const std::string text = ReadWholeFile(marker).value;
    std::string command = text.substr(0, text.find_first_of("\r\n"));
    while (!command.empty() && command.back() == ' ')
        command.pop_back();
    return command;
}

std::string PackagedProgramMessage(const std::string& removalCommand) {
    std::string text =
        "Tabrix Pro was installed by the package manager, and only the package manager removes it.";
    if (!removalCommand.empty())
        text += " As root, run:\r\n\r\n" + removalCommand;
    return text + "\r\n\r\nNothing has been removed.";
}

} // namespace

Maintenance::Maintenance(Registry& registry, MaintenanceUi& ui, std::string executablePath)
    : registry(registry), ui(ui), executablePath(std::move(executablePath)),
      programFolder(FolderOf(this->executablePath)) {}

bool Maintenance::RunAtStart(const std::vector<std::string>& arguments) {
    RegisterUninstallEntry();
    const std::string first = arguments.empty() ? std::string() : LowerAscii(arguments.front());
    if (first == "/reset") {
        ResetRegistryEntries();
        return true;
    }
    if (first == "/uninstall") {
        // The package's files are the package manager's: deleting them would leave its records
        // wrong, so the user is sent there instead and keeps everything, settings included.
        if (const std::optional<std::string> removal = PackageRemovalCommand(programFolder)) {
            ui.ShowMessage(PackagedProgramMessage(*removal));
        } else if (ui.AskYesNo("Are you sure to remove Tabrix Pro?")) {
            ResetRegistryEntries();
            UninstallProgram();
        }
        return true;
    }
    return false;
}

void Maintenance::RegisterUninstallEntry() {
    if (registry.KeyExists(RegistryHive::LocalMachine, kUninstallKey))
        return;
    if (auto entry =
            RegistryKey::OpenOrCreate(registry, RegistryHive::LocalMachine, kUninstallKey)) {
        entry->WriteString("DisplayName", "Tabrix Pro");
        entry->WriteString("UninstallString", executablePath + " /uninstall");
    }
    auto runOnce = RegistryKey::Open(registry, RegistryHive::LocalMachine, kRunOnceKey,
                                     RegistryKey::Access::ReadWrite);
    if (!runOnce || !runOnce->ValueExists(kPendingProgram))
        return;
    runOnce->DeleteValue(kPendingProgram);
    for (int n = 0;; ++n) {
        const std::string name = std::string(kPendingFile) + std::to_string(n);
        if (!runOnce->ValueExists(name))
            break;
        runOnce->DeleteValue(name);
    }
}

void Maintenance::ResetRegistryEntries() {
    if (auto main = RegistryKey::OpenOrCreate(registry, RegistryHive::CurrentUser, kMainKey)) {
        for (const char* name : {"Top", "Left", "Width", "Maximized"}) {
            if (main->ValueExists(name))
                main->DeleteValue(name);
        }
    }
    if (auto program =
            RegistryKey::OpenOrCreate(registry, RegistryHive::CurrentUser, kProgramKey)) {
        for (const char* name : {"Toolbars", "Recent", "Options"}) {
            if (registry.KeyExists(RegistryHive::CurrentUser, program->Path() + name))
                program->DeleteSubKey(name);
        }
    }
    ui.ShowMessage("Registry entries has been removed");
}

void Maintenance::UninstallProgram() {
    RemoveShortcuts();
    RemoveCommandLinks();
    const FileResult<std::string> list =
        ReadWholeFile(programFolder + std::string(kInstalledFilesName));
    if (!list) {
        ui.ShowMessage("Can't find install.txt\r\n\r\nYou need to delete the files manually");
        ui.OpenFolder(programFolder);
        return;
    }
    DeletePending(DeleteListed(list.value));
    registry.DeleteKey(RegistryHive::LocalMachine, kUninstallKey);
    ui.ShowMessage("Uninstall complete.");
}

void Maintenance::RemoveShortcuts() {
    const std::string shortcut = std::string(kShortcutName) + std::string(kShortcutExtension);
    const std::string desktop = GetShellFolder("Desktop");
    const std::string programs = GetShellFolder("Programs");
    if (!desktop.empty())
        RemoveIgnoringFailure(desktop + shortcut);
    if (programs.empty())
        return;
    const std::string group = programs + std::string(kShortcutName);
    DeleteFolderTree(group, ui);
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(group, error)))
        RemoveIgnoringFailure(group);
    RemoveIgnoringFailure(programs + shortcut);
}

// The installed commands are links from the command folder to the program folder's executables;
// only such links are removed, never a file of the same name that is something else.
void Maintenance::RemoveCommandLinks() {
    const std::string linkFolder = CommandLinkFolder(programFolder);
    if (linkFolder.empty())
        return;
    std::error_code error;
    for (fs::directory_iterator it(programFolder, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        const fs::path link = fs::path(linkFolder) / it->path().filename();
        std::error_code linkError;
        if (!fs::is_symlink(fs::symlink_status(link, linkError)))
            continue;
        const fs::path target = fs::read_symlink(link, linkError);
        if (linkError)
            continue;
        const fs::path resolved = (fs::path(linkFolder) / target).lexically_normal();
        if (resolved == it->path().lexically_normal())
            RemoveIgnoringFailure(link.string());
    }
}

std::vector<std::string> Maintenance::DeleteListed(const std::string& listText) {
    const std::vector<InstalledEntry> entries = ParseInstalledFiles(listText);
    const std::string ownName = LowerAscii(FileNameOf(executablePath));
    std::vector<std::string> leftovers;
    for (const InstalledEntry& entry : entries) {
        if (entry.isFolder || LowerAscii(entry.path) == ownName)
            continue;
        if (InspectContained(programFolder, entry.path) != ContainedEntry::File)
            continue;
        std::error_code error;
        if (!fs::remove(programFolder + entry.path, error) || error)
            leftovers.push_back(entry.path);
    }
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (!entry->isFolder)
            continue;
        const std::string folder = programFolder + WithoutTrailingSeparator(entry->path);
        if (InspectContained(programFolder, entry->path) != ContainedEntry::Folder ||
            !IsFolderEmpty(folder))
            continue;
        std::error_code error;
        if (!fs::remove(folder, error) || error)
            leftovers.push_back(entry->path);
    }
    std::stable_sort(
        leftovers.begin(), leftovers.end(),
        [](const std::string& a, const std::string& b) { return LowerAscii(a) < LowerAscii(b); });
    return leftovers;
}

void Maintenance::DeletePending(const std::vector<std::string>& leftovers) {
    DeleteFileWithRetry(executablePath, ui);
    for (const std::string& entry : leftovers) {
        const std::string path = programFolder + WithoutTrailingSeparator(entry);
        const ContainedEntry found = InspectContained(programFolder, entry);
        if (found == ContainedEntry::File ||
            (found == ContainedEntry::Folder && IsFolderEmpty(path)))
            DeleteFileWithRetry(path, ui);
    }
    if (IsFolderEmpty(programFolder))
        RemoveIgnoringFailure(WithoutTrailingSeparator(programFolder));
}
