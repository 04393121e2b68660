// The named mutex that serialises writes to the section across processes
// (the watcher's threads, the viewer, anyone else using tidemark).
#pragma once

namespace tidemark {

constexpr char kSectionLockName[] = "TidemarkWatchAcsObjWriteLock";

// Holds the mutex for its lifetime. A holder that ended without releasing it
// hands it on (the section is then used as it is: every write is one word or
// a whole re-initialisation guarded by the version word). Waits at most
// kWaitMs; Held() is false when the mutex could not be had.
class SectionLock {
public:
    SectionLock();
    ~SectionLock();
    SectionLock(const SectionLock&) = delete;
    SectionLock& operator=(const SectionLock&) = delete;

    bool Held() const { return held_; }

    static constexpr unsigned long kWaitMs = 5000;

private:
    void* mutex_;
    bool held_;
};

// Closes this process's handle of the mutex (when the library is unloaded).
void CloseSectionLock();

}  // namespace tidemark
