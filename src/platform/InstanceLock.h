#pragma once
// One program per data folder. Two copies started in the same folder would overwrite each
// other's changes through the shared temporary file and whole-file rewrites, so the first copy
// holds a lock on the folder. The operating system releases it when the process ends, however it
// ends, so a crash never leaves the folder locked.
//
// The lock is an exclusive flock on the folder itself. Where flock cannot lock the folder (on NFS
// it fails with EBADF on a folder, or with ENOLCK where the server has no lock support), a POSIX
// record lock on the lock file kLockFileName in the folder takes its place, which works over NFS.
// That file is the lock's own: it holds nothing, and no other code opens it. It must never be one
// of the data files, because closing any descriptor of a file drops a POSIX lock on it, and every
// edit of a data file closes its descriptors and replaces the file. Only EWOULDBLOCK from flock
// (or EACCES or EAGAIN from the record lock) means another copy holds the folder.

#include "platform/Language.h"

#include <string>

class CInstanceLock
{
public:
    static constexpr const char* kLockFileName = ".velliqa-lock";

    enum class State
    {
        Held,        // this object holds the folder's lock
        HeldByOther, // another copy holds it
        Unavailable  // no kind of lock works in this folder
    };

    explicit CInstanceLock(const std::string& folder = ".");
    ~CInstanceLock();
    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;

    State GetState() const { return m_state; }
    bool IsHeld() const { return m_state == State::Held; }
    // The system's reason (an errno value) why no lock could be had, when Unavailable.
    int GetError() const { return m_nError; }

private:
    bool LockFolder(const std::string& folder);
    void LockFile(const std::string& folder);

    int m_fd = -1;
    State m_state = State::Unavailable;
    int m_nError = 0;
};

// The line written on standard error when the folder cannot be locked and the program starts
// without the lock (UTF-8, with its line feed): in Japanese, or in English.
std::string LockUnavailableNotice(int error, Language language);
