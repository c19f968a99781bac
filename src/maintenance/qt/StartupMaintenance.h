#pragma once
// The maintenance step as the program runs it at start: its questions become the program's
// message boxes, its registry is the user's and its program folder the running executable's.

#include "maintenance/MaintenanceUi.h"

#include <string>
#include <vector>

class Dialogs;

class DialogsMaintenanceUi : public MaintenanceUi {
public:
    explicit DialogsMaintenanceUi(Dialogs& dialogs) : dialogs(dialogs) {}

    bool AskYesNo(const std::string& question) override;
    void ShowMessage(const std::string& text) override;
    bool AskRetry(const std::string& text) override;
    void OpenFolder(const std::string& folder) override;

private:
    Dialogs& dialogs;
};

// True when the program is to end now ("/reset" or "/uninstall" as the first argument).
bool RunStartupMaintenance(const std::vector<std::string>& arguments, Dialogs& dialogs);
