#include "recovery/RecoveryWriter.h"

#include "platform/FileSystem.h"
#include "platform/ThreadPriority.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

RecoveryWriter::RecoveryWriter() : thread([this] { Run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    changed.notify_all();
    thread.join();
}

void RecoveryWriter::Write(std::string path, RecoveryHeader header, RecoveryText text) {
    Queue({std::move(path), false, std::move(header), std::move(text)});
}

void RecoveryWriter::Remove(std::string path) {
    Queue({std::move(path), true, {}, std::string()});
}

void RecoveryWriter::Queue(Job job) {
    {
        std::lock_guard lock(mutex);
        std::erase_if(jobs, [&](const Job& waiting) { return waiting.path == job.path; });
        jobs.push_back(std::move(job));
    }
    changed.notify_all();
}

void RecoveryWriter::Flush() {
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return jobs.empty() && !busy; });
}

std::string RecoveryWriter::LastError() const {
    std::lock_guard lock(mutex);
    return lastError;
}

void RecoveryWriter::Run() {
    // Copies may wait a little; typing may not.
    LowerThisThreadPriority();
    std::unique_lock lock(mutex);
    while (true) {
        changed.wait(lock, [this] { return stopping || !jobs.empty(); });
        if (jobs.empty())
            return;
        Job job = std::move(jobs.front());
        jobs.pop_front();
        busy = true;
        lock.unlock();

        std::string error;
        if (job.remove) {
            std::error_code removeError;
            std::filesystem::remove(job.path, removeError);
            error = removeError ? job.path + ": " + removeError.message() : std::string();
        } else if (const std::optional<FileError> saveError =
                       SaveFileAtomically(job.path, FormatRecoveryFile(job.header, job.text),
                                          ReadOnlyFile::Refuse, FileAccess::OwnerOnly)) {
            error = saveError->message;
        }
        // The snapshot goes here, off the user's thread, with its share of the loaded text.
        job = Job();

        lock.lock();
        busy = false;
        if (!error.empty())
            lastError = std::move(error);
        changed.notify_all();
    }
}
