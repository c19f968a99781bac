#pragma once
// The maintenance step that runs at every start before any window: it keeps the program listed
// among the installed programs, and "/reset" or "/uninstall" as the first argument remove the
// program's registry entries (and, for /uninstall, its shortcuts and files) and end the run.
// It does not install anything: the install step leaves the files, shortcuts and "install.txt"
// it reads.

#include "maintenance/MaintenanceUi.h"
#include "platform/Registry.h"

#include <string>
#include <vector>

class Maintenance {
public:
    // executablePath: the running program's executable, absolute; its folder is the program
    // folder that holds "install.txt".
    Maintenance(Registry& registry, MaintenanceUi& ui, std::string executablePath);

    // Registers the uninstall entry, then acts on the first argument (letter case aside); a
    // package's installation answers "/uninstall" with the package manager's removal command and
    // removes nothing. True when the program is to end now.
    bool RunAtStart(const std::vector<std::string>& arguments);

    // Creates the uninstall entry when it is missing and, at that start only, clears the entries
    // of deletions left pending by an earlier uninstall. Fails silently without rights.
    void RegisterUninstallEntry();
    // Removes the window placement values and the Toolbars, Recent and Options keys, then says so.
    void ResetRegistryEntries();
    // Removes the shortcuts, the files and folders "install.txt" lists, the executable and the
    // uninstall entry.
    void UninstallProgram();

private:
    void RemoveShortcuts();
    void RemoveCommandLinks();
    // The listed files and empty folders that could not be deleted.
    std::vector<std::string> DeleteListed(const std::string& listText);
    // What Windows leaves to the next system start: a running program's files can be deleted
    // here and now, so they are, with the Retry/Ignore question for each that resists.
    void DeletePending(const std::vector<std::string>& leftovers);

    Registry& registry;
    MaintenanceUi& ui;
    std::string executablePath;
    std::string programFolder;
};
