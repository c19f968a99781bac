#include "platform/qt/Application.h"

#include "platform/UnforeseenError.h"
#include "platform/qt/Dialogs.h"

#include <cstdio>
#include <exception>

namespace {

Dialogs* errorDialogs = nullptr;

} // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void TApplication::SetErrorDialogs(Dialogs* dialogs) {
    errorDialogs = dialogs;
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        Report(QString::fromStdString(UnforeseenErrorText(std::current_exception())));
        return true;
    }
}

void TApplication::Report(const QString& text) {
    // The box waits for the event loop: the handler may have thrown in the middle of a paint.
    // A failure that repeats while its box is waiting or showing is shown once.
    if (text == shownError || pendingErrors.contains(text))
        return;
    pendingErrors << text;
    if (showScheduled || !shownError.isNull())
        return;
    showScheduled = true;
    QMetaObject::invokeMethod(
        this, [this] { ShowPendingErrors(); }, Qt::QueuedConnection);
}

void TApplication::ShowPendingErrors() {
    showScheduled = false;
    // Errors reported while a box is up join the queue instead of opening boxes over it.
    while (!pendingErrors.isEmpty()) {
        shownError = pendingErrors.takeFirst();
        if (errorDialogs)
            errorDialogs->ShowError("Tabrix Pro", shownError);
        else
            std::fprintf(stderr, "Tabrix Pro: %s\n", qUtf8Printable(shownError));
    }
    shownError = QString();
}
