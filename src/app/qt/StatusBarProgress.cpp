#include "app/qt/StatusBarProgress.h"

#include <QCoreApplication>
#include <QLabel>
#include <atomic>
#include <chrono>
#include <exception>
#include <thread>

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
    if (total <= kBigText)
        return;
    const auto percent = static_cast<int>(std::min<std::uint64_t>(done, total) * 100 / total);
    Show(QString("%1... %2%").arg(action).arg(percent));
}

void StatusBarProgress::RunWhileRepainting(std::uint64_t textSize,
                                           const std::function<void()>& work) {
    if (textSize <= kBigText) {
        work();
        return;
    }
    std::atomic<bool> done = false;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        done = true;
    });
    const auto start = std::chrono::steady_clock::now();
    while (!done) {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                                 std::chrono::steady_clock::now() - start)
                                 .count();
        Show(QString("%1... %2 s").arg(action).arg(seconds));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

void StatusBarProgress::Show(const QString& text) {
    if (!label)
        return;
    if (!shown) {
        before = label->text();
        shown = true;
        ++showing;
    }
    label->setText(text);
    // Painting only: input would run commands on a document that is half loaded or saved.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
