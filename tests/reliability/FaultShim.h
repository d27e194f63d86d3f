#pragma once
// Control of the I/O fault shim (libvelliqa_faultshim.so). The shim stands in front of the C
// library's open, read, write, fsync, rename, close, the status calls and the locking calls
// (flock, and fcntl's record locks); while it is armed it counts those calls and makes the k-th
// one fail, or every call of one kind. Link it into a test or load it with LD_PRELOAD.

extern "C" {

enum VelliqaFault
{
    kFaultNone = -1, // count only
    kFaultShort = 0, // the k-th read or write transfers only part of the bytes (not an error)
    // any other value: the k-th call fails with this errno (ENOSPC, EIO, ...)
};

// Starts counting from zero; the k-th counted call (from 1) fails as `fault` says.
void VelliqaFaultArm(long k, int fault);
// Makes every call of the kinds in `calls` fail with the errno `fault`, until disarmed. `calls`
// names them as VelliqaFaultHit does ("open", "flock", "fcntl", "fsync", "fsync on a folder",
// ...), separated by commas, and must stay valid while armed.
void VelliqaFaultArmEvery(const char* calls, int fault);
// Stops counting and failing.
void VelliqaFaultDisarm();
// Calls counted since the last arm.
long VelliqaFaultCalls();
// Name of the call that was made to fail, or null when none was.
const char* VelliqaFaultHit();
}
