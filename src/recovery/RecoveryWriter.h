#pragma once
// Writes and removes recovery files on a thread of its own, so that formatting and writing a
// large document never holds up typing. Each file is replaced atomically, or a journal grows by
// appending. A request for a file replaces any request for it still waiting (appends excepted:
// each holds edits no other has), so a burst of changes costs one write. It does not decide what
// to write or when.

#include "recovery/RecoveryFile.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

class RecoveryWriter {
public:
    RecoveryWriter();
    // Finishes what was asked before it goes.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    void Write(std::string path, RecoveryHeader header, RecoveryText text);
    void Remove(std::string path);
    // A journal made anew (atomically) with its header and first record.
    void StartJournal(std::string path, std::string bytes);
    // A record added to the end of the journal.
    void Append(std::string path, std::string record);
    // Waits until everything asked so far is done.
    void Flush();
    // The last write that failed, for whoever wants to tell; empty when none did.
    std::string LastError() const;

private:
    enum class Action { Write, Remove, StartJournal, Append };
    struct Job {
        std::string path;
        Action action = Action::Write;
        RecoveryHeader header;
        RecoveryText text;
        std::string journalBytes;
    };
    void Queue(Job job);
    // What went wrong; empty when nothing did.
    static std::string Perform(const Job& job);
    void Run();

    mutable std::mutex mutex;
    std::condition_variable changed;
    std::deque<Job> jobs;
    bool busy = false;
    bool stopping = false;
    std::string lastError;
    std::thread thread;
};
