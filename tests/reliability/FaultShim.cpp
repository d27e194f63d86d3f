// A shim in front of the C library's file calls that makes the k-th call fail on request.
// Each wrapper passes the call on to the next definition (the C library, or a sanitizer's
// interceptor) unless the shim is armed and this is the call chosen to fail.
#include "FaultShim.h"

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<bool> g_armed{false};
std::atomic<long> g_calls{0};
std::atomic<long> g_failAt{0};
std::atomic<int> g_fault{kFaultNone};
std::atomic<const char*> g_hit{nullptr};
std::atomic<const char*> g_every{nullptr}; // every call of this name fails

template <class F> F Next(const char* name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

// True when name is one of the comma-separated names in list.
bool Listed(const char* list, const char* name)
{
    const size_t length = ::strlen(name);
    for (const char* item = list; item; item = ::strchr(item, ',')) {
        if (*item == ',')
            ++item;
        if (::strncmp(item, name, length) == 0 && (item[length] == ',' || item[length] == '\0'))
            return true;
    }
    return false;
}

// Counts a call; true when it is the one to fail (errno is then set).
bool Fails(const char* name, bool transfers = false)
{
    if (!g_armed.load())
        return false;
    const long n = ++g_calls;
    const char* every = g_every.load();
    if (every && !Listed(every, name))
        return false;
    if (!every && (n != g_failAt.load() || g_fault.load() == kFaultNone))
        return false;
    if (g_fault.load() == kFaultShort && !transfers)
        return false;
    g_hit = name;
    errno = g_fault.load();
    return true;
}

bool ShortTransfer()
{
    return g_fault.load() == kFaultShort;
}

mode_t ModeArg(int flags, va_list args)
{
    const bool hasMode = (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
    return hasMode ? static_cast<mode_t>(va_arg(args, int)) : 0;
}

} // namespace

extern "C" {

void VelliqaFaultArm(long k, int fault)
{
    g_every = nullptr;
    g_calls = 0;
    g_failAt = k;
    g_fault = fault;
    g_hit = nullptr;
    g_armed = true;
}

void VelliqaFaultArmEvery(const char* calls, int fault)
{
    VelliqaFaultArm(0, fault);
    g_every = calls;
}

void VelliqaFaultDisarm()
{
    g_armed = false;
    g_every = nullptr;
}

long VelliqaFaultCalls()
{
    return g_calls.load();
}

const char* VelliqaFaultHit()
{
    return g_hit.load();
}

int open(const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeArg(flags, args);
    va_end(args);
    if (Fails("open"))
        return -1;
    static const auto real = Next<int (*)(const char*, int, ...)>("open");
    return real(path, flags, mode);
}

int open64(const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeArg(flags, args);
    va_end(args);
    if (Fails("open"))
        return -1;
    static const auto real = Next<int (*)(const char*, int, ...)>("open64");
    return real(path, flags, mode);
}

int __open_2(const char* path, int flags)
{
    if (Fails("open"))
        return -1;
    static const auto real = Next<int (*)(const char*, int)>("__open_2");
    return real(path, flags);
}

int __open64_2(const char* path, int flags)
{
    if (Fails("open"))
        return -1;
    static const auto real = Next<int (*)(const char*, int)>("__open64_2");
    return real(path, flags);
}

ssize_t read(int fd, void* buf, size_t count)
{
    static const auto real = Next<ssize_t (*)(int, void*, size_t)>("read");
    if (Fails("read", true)) {
        if (!ShortTransfer())
            return -1;
        return real(fd, buf, count / 2 > 0 ? count / 2 : count);
    }
    return real(fd, buf, count);
}

ssize_t write(int fd, const void* buf, size_t count)
{
    static const auto real = Next<ssize_t (*)(int, const void*, size_t)>("write");
    if (Fails("write", true)) {
        if (!ShortTransfer())
            return -1;
        return real(fd, buf, count / 2 > 0 ? count / 2 : count);
    }
    return real(fd, buf, count);
}

int fsync(int fd)
{
    // A folder's flush is a call of its own kind: file systems treat it differently.
    static const auto realFstat = Next<int (*)(int, struct stat*)>("fstat");
    struct stat st = {};
    const bool folder = g_armed.load() && realFstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    if (Fails(folder ? "fsync on a folder" : "fsync"))
        return -1;
    static const auto real = Next<int (*)(int)>("fsync");
    return real(fd);
}

int fdatasync(int fd)
{
    if (Fails("fdatasync"))
        return -1;
    static const auto real = Next<int (*)(int)>("fdatasync");
    return real(fd);
}

int rename(const char* from, const char* to)
{
    if (Fails("rename"))
        return -1;
    static const auto real = Next<int (*)(const char*, const char*)>("rename");
    return real(from, to);
}

int close(int fd)
{
    static const auto real = Next<int (*)(int)>("close");
    if (Fails("close")) {
        const int saved = errno;
        real(fd); // as on Linux, the descriptor is released even when close reports an error
        errno = saved;
        return -1;
    }
    return real(fd);
}

int fstat(int fd, struct stat* st)
{
    if (Fails("fstat"))
        return -1;
    static const auto real = Next<int (*)(int, struct stat*)>("fstat");
    return real(fd, st);
}

int stat(const char* path, struct stat* st)
{
    if (Fails("stat"))
        return -1;
    static const auto real = Next<int (*)(const char*, struct stat*)>("stat");
    return real(path, st);
}

int lstat(const char* path, struct stat* st)
{
    if (Fails("lstat"))
        return -1;
    static const auto real = Next<int (*)(const char*, struct stat*)>("lstat");
    return real(path, st);
}

int fchmod(int fd, mode_t mode)
{
    if (Fails("fchmod"))
        return -1;
    static const auto real = Next<int (*)(int, mode_t)>("fchmod");
    return real(fd, mode);
}

int futimens(int fd, const struct timespec times[2])
{
    if (Fails("futimens"))
        return -1;
    static const auto real = Next<int (*)(int, const struct timespec*)>("futimens");
    return real(fd, times);
}

int access(const char* path, int mode)
{
    if (Fails("access"))
        return -1;
    static const auto real = Next<int (*)(const char*, int)>("access");
    return real(path, mode);
}

int flock(int fd, int operation)
{
    if (Fails("flock"))
        return -1;
    static const auto real = Next<int (*)(int, int)>("flock");
    return real(fd, operation);
}

namespace {

bool IsLockCommand(int cmd)
{
    return cmd == F_SETLK || cmd == F_SETLKW || cmd == F_OFD_SETLK || cmd == F_OFD_SETLKW;
}

} // namespace

namespace {

// Only the record-lock commands count; every other command passes straight on to `name`. The
// third argument is read as a pointer, the widest form it takes on this platform.
int ShimFcntl(const char* name, int fd, int cmd, void* arg)
{
    if (IsLockCommand(cmd) && Fails("fcntl"))
        return -1;
    return Next<int (*)(int, int, ...)>(name)(fd, cmd, arg);
}

} // namespace

int fcntl(int fd, int cmd, ...)
{
    va_list args;
    va_start(args, cmd);
    void* arg = va_arg(args, void*);
    va_end(args);
    return ShimFcntl("fcntl", fd, cmd, arg);
}

int fcntl64(int fd, int cmd, ...)
{
    va_list args;
    va_start(args, cmd);
    void* arg = va_arg(args, void*);
    va_end(args);
    return ShimFcntl("fcntl64", fd, cmd, arg);
}

} // extern "C"
