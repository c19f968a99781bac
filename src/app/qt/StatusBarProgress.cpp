#include "app/qt/StatusBarProgress.h"

#include <QCoreApplication>
#include <QLabel>

StatusBarProgress::StatusBarProgress(QLabel* label, QString action)
    : label(label), action(std::move(action)),
      hook([this](std::uint64_t done, std::uint64_t total) { Report(done, total); }) {}

StatusBarProgress::~StatusBarProgress() {
    if (!shown)
        return;
    --showing;
    if (label)
        label->setText(before);
}

void StatusBarProgress::Report(std::uint64_t done, std::uint64_t total) {
    if (total <= kBigText || !label)
        return;
    if (!shown) {
        before = label->text();
        shown = true;
        ++showing;
    }
    const auto percent = static_cast<int>(std::min<std::uint64_t>(done, total) * 100 / total);
    label->setText(QString("%1... %2%").arg(action).arg(percent));
    // Painting only: input would run commands on a document that is half loaded or saved.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
