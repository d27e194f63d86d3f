#pragma once
// One program per data folder. Two copies started in the same folder would overwrite each
// other's changes through the shared temporary file and whole-file rewrites, so the first copy
// holds a lock on the folder itself. The operating system releases it when the process ends,
// however it ends, so a crash never leaves the folder locked.

#include <string>

class CInstanceLock
{
public:
    explicit CInstanceLock(const std::string& folder = ".");
    ~CInstanceLock();
    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;

    // True when this object holds the folder's lock.
    bool IsHeld() const { return m_bHeld; }

private:
    int m_fd = -1;
    bool m_bHeld = false;
};
