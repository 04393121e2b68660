#include "platform/tidemark/section_lock.h"

#include <windows.h>

namespace tidemark {

namespace {

PVOID volatile g_mutex = nullptr;

// The process's handle of the mutex, opened once; two threads racing here
// both create a handle and the loser closes its own.
HANDLE ProcessMutex()
{
    if (PVOID existing = g_mutex)
        return existing;
    HANDLE created = ::CreateMutexA(nullptr, FALSE, kSectionLockName);
    if (!created)
        return nullptr;
    if (PVOID previous = ::InterlockedCompareExchangePointer(&g_mutex, created, nullptr)) {
        ::CloseHandle(created);
        return previous;
    }
    return created;
}

}  // namespace

SectionLock::SectionLock() : mutex_(ProcessMutex()), held_(false)
{
    if (!mutex_)
        return;
    DWORD waited = ::WaitForSingleObject(mutex_, kWaitMs);
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

SectionLock::~SectionLock()
{
    if (held_)
        ::ReleaseMutex(mutex_);
}

void CloseSectionLock()
{
    if (PVOID mutex = ::InterlockedExchangePointer(&g_mutex, nullptr))
        ::CloseHandle(mutex);
}

}  // namespace tidemark
