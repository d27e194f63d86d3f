#include "platform/InstanceLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

CInstanceLock::CInstanceLock(const std::string& folder)
{
    if (!LockFolder(folder))
        LockFile(folder);
}

CInstanceLock::~CInstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
}

// True when flock decided: the folder is held by this object or by another copy.
bool CInstanceLock::LockFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_fd = fd;
        m_state = State::Held;
        return true;
    }
    const bool contended = errno == EWOULDBLOCK;
    ::close(fd);
    if (contended)
        m_state = State::HeldByOther;
    return contended;
}

void CInstanceLock::LockFile(const std::string& folder)
{
    const std::string path = folder + "/" + kLockFileName;
    // Opened for writing, as an exclusive record lock needs it; the file stays as it is.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
        m_nError = errno;
        return;
    }
    struct flock whole = {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET; // from the start, length 0: the whole file
    if (::fcntl(fd, F_SETLK, &whole) == 0) {
        m_fd = fd;
        m_state = State::Held;
        return;
    }
    const int error = errno;
    ::close(fd);
    if (error == EACCES || error == EAGAIN) {
        m_state = State::HeldByOther;
        return;
    }
    m_nError = error;
}

std::string LockUnavailableNotice(int error, Language language)
{
    const std::string reason = error != 0 ? std::strerror(error) : "unknown";
    if (language == Language::Japanese)
        return "Velliqa: このフォルダーをロックできないため（" + reason +
               "）、ロックなしで起動します。同じフォルダーで Velliqa を二つ同時に開かないでください。\n";
    return "Velliqa: cannot lock this folder (" + reason +
           "); starting without the lock. Do not open a second Velliqa in the same folder.\n";
}
