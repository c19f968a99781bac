#pragma once
// The questions and messages of the maintenance step, so that it needs no window library: the
// window side answers them with message boxes, tests with scripted answers. Texts are bytes as
// the file system gives them.

#include <string>

class MaintenanceUi {
public:
    virtual ~MaintenanceUi() = default;

    // A confirmation with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& question) = 0;
    // A plain message with OK.
    virtual void ShowMessage(const std::string& text) = 0;
    // A warning with Retry and Ignore after a failed deletion; true for Retry.
    virtual bool AskRetry(const std::string& text) = 0;
    // Opens the folder in the desktop's file manager so the user can act on it.
    virtual void OpenFolder(const std::string& folder) = 0;
};
