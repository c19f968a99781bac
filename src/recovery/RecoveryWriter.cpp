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
    Queue({std::move(path), Action::Write, std::move(header), std::move(text), {}});
}

void RecoveryWriter::Remove(std::string path) {
    Queue({std::move(path), Action::Remove, {}, std::string(), {}});
}

void RecoveryWriter::StartJournal(std::string path, std::string bytes) {
    Queue({std::move(path), Action::StartJournal, {}, std::string(), std::move(bytes)});
}

void RecoveryWriter::Append(std::string path, std::string record) {
    Queue({std::move(path), Action::Append, {}, std::string(), std::move(record)});
}

void RecoveryWriter::Queue(Job job) {
    {
        std::lock_guard lock(mutex);
        if (job.action != Action::Append)
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

std::string RecoveryWriter::Perform(const Job& job) {
    std::optional<FileError> failed;
    switch (job.action) {
    case Action::Remove: {
        std::error_code error;
        std::filesystem::remove(job.path, error);
        return error ? job.path + ": " + error.message() : std::string();
    }
    case Action::Write:
        failed = SaveFileAtomically(job.path, FormatRecoveryFile(job.header, job.text),
                                    ReadOnlyFile::Refuse, FileAccess::OwnerOnly);
        break;
    case Action::StartJournal:
        failed = SaveFileAtomically(job.path, job.journalBytes, ReadOnlyFile::Refuse,
                                    FileAccess::OwnerOnly);
        break;
    case Action::Append:
        failed = AppendToFile(job.path, job.journalBytes);
        break;
    }
    return failed ? failed->message : std::string();
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

        const std::string error = Perform(job);
        // The snapshot goes here, off the user's thread, with its share of the loaded text.
        job = Job();

        lock.lock();
        busy = false;
        if (!error.empty())
            lastError = std::move(error);
        changed.notify_all();
    }
}
