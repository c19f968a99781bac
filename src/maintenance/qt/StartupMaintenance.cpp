#include "maintenance/qt/StartupMaintenance.h"

#include "maintenance/Maintenance.h"
#include "platform/FileSystem.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/PathNames.h"
#include "platform/qt/Shell.h"

namespace {

const QString kCaption = QStringLiteral("Tabrix Pro");

// Paths are the file system's bytes; the fixed texts are ASCII.
QString Text(const std::string& bytes) {
    return ShownText(bytes);
}

} // namespace

bool DialogsMaintenanceUi::AskYesNo(const std::string& question) {
    return dialogs.AskYesNo(kCaption, Text(question));
}

void DialogsMaintenanceUi::ShowMessage(const std::string& text) {
    dialogs.ShowMessage(kCaption, Text(text));
}

bool DialogsMaintenanceUi::AskRetry(const std::string& text) {
    return dialogs.Message(MessageKind::Warning, kCaption, Text(text),
                           MessageButtons::RetryIgnore) == DialogAnswer::Retry;
}

void DialogsMaintenanceUi::OpenFolder(const std::string& folder) {
    ShellOpen(Text(folder));
}

bool RunStartupMaintenance(const std::vector<std::string>& arguments, Dialogs& dialogs) {
    Registry registry;
    DialogsMaintenanceUi ui(dialogs);
    return Maintenance(registry, ui, ExecutablePath()).RunAtStart(arguments);
}
