#pragma once
// Where recovery copies live: each running instance keeps its copies in a subfolder of its own
// ("instance-<random>") under the recovery folder, locked for as long as the instance lives. A
// subfolder whose lock nobody holds was left by an instance that ended without cleaning up (a
// crash, a kill, a power cut): another instance may claim it. A live instance's subfolder is
// never read or touched by anyone else. Knows nothing of documents or editors.

#include "platform/FileSystem.h"
#include "platform/InstanceLock.h"
#include "recovery/RecoveryFile.h"

#include <optional>
#include <string>
#include <vector>

// The recovery folder to use: `wanted` when it is private or can be made so (MakePrivateFolder),
// else one in the private temporary folder, never a folder a link leads to or another user's.
// The complaint says why `wanted` was not taken (and where copies go instead); empty when it was.
// No path at all when neither can be used.
struct RecoveryRootChoice {
    std::string path;
    std::string complaint;
};
RecoveryRootChoice ChooseRecoveryRoot(const std::string& wanted);

// The subfolder of this instance.
class RecoveryFolder {
public:
    // None: copies go nowhere (the folder could not be made).
    RecoveryFolder() = default;
    // Makes the recovery folder and a fresh locked subfolder in it; what failed otherwise.
    static FileResult<RecoveryFolder> Create(const std::string& root);

    bool Active() const { return lock.has_value(); }
    // Ends with a separator.
    const std::string& Path() const { return path; }
    // The file of the document with this number.
    std::string FileFor(int serial) const;
    // Removes the subfolder with everything in it and gives up the lock.
    void RemoveAll();

private:
    std::string path;
    std::optional<InstanceLock> lock;
};

// One file found in a claimed subfolder: the document it holds, or why it cannot be used (as
// RecoveryParse gives them: with a document, the error says what of its text is missing).
struct AbandonedCopy {
    std::string path;
    std::optional<RecoveredDocument> document;
    std::string error;
    // A later copy of the same document is there too: an instance that restored this one was
    // stopped before it removed it. Restoring both would apply the same edits twice.
    bool superseded = false;
};

// The subfolders of instances that are gone, claimed (locked) by this instance until Discard.
class AbandonedCopies {
public:
    // Claims every unlocked subfolder of root and reads its files, oldest document first. Of
    // the copies of one file (or of untitled documents alike in every respect) all but the one
    // written last are superseded.
    static AbandonedCopies Claim(const std::string& root);

    const std::vector<AbandonedCopy>& Copies() const { return copies; }
    // Moves a file that could not be read out of the way, into root's "refused" folder, so it is
    // neither lost nor offered again; the path it has there, or what failed.
    FileResult<std::string> SetAside(const AbandonedCopy& copy);
    // Removes the claimed subfolders and what is left in them, except a subfolder holding a
    // file that could not be set aside: that one stays for the next start.
    void Discard();

private:
    struct Claimed {
        std::string path;
        InstanceLock lock;
    };
    std::string root;
    std::vector<Claimed> claimed;
    std::vector<std::string> kept;
    std::vector<AbandonedCopy> copies;
};
