// WatchAcs: the watcher's settings and state, read and written by members
// called on a view of the shared section "WatchAcsObj".
//
// A caller opens the section (or creates it, pagefile-backed, read/write,
// kSectionSize bytes), maps all of it and calls the members on the view:
//
//     HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, "WatchAcsObj");
//     if (!mapping)
//         mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 884, "WatchAcsObj");
//     WatchAcs* acs = static_cast<WatchAcs*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
//     unsigned long cycle = acs->GetDskCycle();
//
// The object never needs constructing: the first member called on a new (all
// zero), stale or foreign section fills it, the conditions from the registry
// (condition_store.h). Getters answer 0 when the section cannot be made
// usable; a condition word out of its range (another program wrote it) reads
// as the condition's default. Setters return 1 when the value was stored, 0 when it was refused
// (a level outside 0..2, a health code that names no group, an unknown drive)
// or the section lock could not be had. Every member may be called from any
// thread of any process at any time.
//
// Drive names are "c:" (a letter and a colon; what follows the colon is not
// read). Alarm levels: 0 normal, 1 alarm, 2 not monitored. Cycles: ms, 0 for
// the watcher's own default.
#pragma once

#include "platform/tidemark/watch_section.h"

#if defined(TIDEMARK_EXPORTS)
#define TIDEMARK_API __declspec(dllexport)
#else
#define TIDEMARK_API __declspec(dllimport)
#endif

class TIDEMARK_API WatchAcs {
public:
    // Common.
    unsigned long GetWatch();
    unsigned long GetDlgNtf();
    unsigned long GetThreadID();   // the thread that initialised the section
    // Starts path as a new process (args may be null); non-zero on success.
    int ExecuteModule(const char* path, const char* args);

    // Printer.
    unsigned long GetPriCycle();
    unsigned long GetPriAlmLvl();
    unsigned long SetPriAlmLvl(unsigned long level);
    unsigned long GetPriErrCode();
    unsigned long SetPriErrCode(unsigned long code);
    unsigned long GetPriComplete();
    unsigned long GetPriPaper();
    unsigned long GetPriOffline();
    // What the printer thread reports of itself: 4 running, 0 stopped.
    unsigned long SetPriCondit(unsigned long value);
    unsigned long GetPriCondit();

    // Memory (swap).
    unsigned long GetMemCycle();
    unsigned long GetMemAlmLvl();
    unsigned long SetMemAlmLvl(unsigned long level);
    unsigned long GetMemErrCode();
    unsigned long SetMemErrCode(unsigned long code);
    unsigned long GetMemNtfCnd();
    unsigned long GetMemNtfPar();   // percent of swap in use

    // Disk space.
    unsigned long GetDskCycle();
    unsigned long GetDskAlmLvl();
    unsigned long SetDskAlmLvl(unsigned long level);
    // kind 1: the PC's fixed drives, n entries of 3 bytes ("c:" and a NUL)
    // into buffer (at most 78 bytes); returns n. Any other kind or a null
    // buffer: 0, nothing written.
    int GetDrvList(int kind, char* buffer);
    unsigned long GetDskErrCode(char* drive);
    unsigned long SetDskErrCode(char* drive, unsigned long code);
    unsigned long GetDskCapaNtf(char* drive);
    unsigned long GetDskAcsErrNtf(char* drive);
    unsigned long GetDskCndPar(char* drive);   // percent free
    unsigned long GetDskExist(char* drive);    // drive type (GetDriveTypeA), 4 network
    // The drive that went below its threshold last; GetErrDrv writes its
    // name (3 bytes) and returns 1, or returns 0 when there is none.
    unsigned long SetErrDrv(char* drive);
    unsigned long GetErrDrv(char* buffer);
    // What the disk thread found for the drive: 0 normal, 1 below threshold,
    // 2 check off, 259 not ready, 260 not monitored, 261 drive error.
    unsigned long SetDskCondit(char* drive, unsigned long value);
    unsigned long GetDskCondit(char* drive);

    // Health.
    unsigned long GetHelCycle();
    unsigned long GetHelAlmLvl();
    unsigned long SetHelAlmLvl(unsigned long level);
    unsigned long GetHelErrCode();   // 0x500 plus the groups' bits
    // Merges code into the groups (health_code.h): 0 clears all, 0x5nn
    // replaces the groups it names, 0x540/0x580/0x5C0 clear one group.
    unsigned long SetHelErrCode(unsigned long code);
    unsigned long GetTempNtf();
    unsigned long GetFanNtf();
    unsigned long GetVoltNtf();

    // Disk failure prediction.
    unsigned long GetSmtCycle();
    unsigned long GetSmtAlmLvl();
    unsigned long SetSmtAlmLvl(unsigned long level);
    unsigned long GetSmtErrCode();
    unsigned long SetSmtErrCode(unsigned long code);

    // A WatchAcs is never made or copied, only mapped.
    WatchAcs() = delete;
    WatchAcs(const WatchAcs&) = delete;
    WatchAcs& operator=(const WatchAcs&) = delete;

private:
    tidemark::WatchSectionLayout section_;
};

static_assert(sizeof(WatchAcs) == tidemark::kSectionSize, "a WatchAcs is the whole section");

namespace tidemark {

// The section behind a WatchAcs (the object's only data), and the reverse.
WatchSectionLayout& SectionOf(WatchAcs& acs);
WatchAcs& AcsOf(WatchSectionLayout& section);

}  // namespace tidemark
