// tidemark.dll itself: its exports, and one store seen from two processes
// (this one through the entry points, a probe through the WatchAcs members).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/tidemark/condition_store.h"
#include "platform/tidemark/watch_conditions.h"
#include "platform/tidemark/watch_section.h"
#include "platform/tidemark/watcher_entry_points.h"

namespace {

// The machine's conditions that the tests write, put back as they were
// afterwards (also the key itself, when it did not exist).
class SavedConditions {
public:
    SavedConditions()
    {
        HKEY key;
        keyExisted_ = RegOpenKeyExA(HKEY_LOCAL_MACHINE, tidemark::kConditionKey, 0, KEY_QUERY_VALUE, &key) ==
                      ERROR_SUCCESS;
        for (Saved& saved : saved_) {
            DWORD type = 0, size = sizeof saved.value;
            saved.existed = keyExisted_ && RegQueryValueExA(key, saved.name, nullptr, &type,
                                                            reinterpret_cast<BYTE*>(&saved.value),
                                                            &size) == ERROR_SUCCESS && type == REG_DWORD;
        }
        if (keyExisted_)
            RegCloseKey(key);
    }

    ~SavedConditions()
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, tidemark::kConditionKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return;
        for (const Saved& saved : saved_) {
            if (saved.existed)
                RegSetValueExA(key, saved.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&saved.value),
                               sizeof saved.value);
            else
                RegDeleteValueA(key, saved.name);
        }
        RegCloseKey(key);
        if (!keyExisted_)
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, tidemark::kConditionKey);
    }

    static void Write(const char* name, DWORD value)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, tidemark::kConditionKey, 0, nullptr, 0,
                                                 KEY_SET_VALUE, nullptr, &key, nullptr));
        EXPECT_EQ(ERROR_SUCCESS,
                  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), sizeof value));
        RegCloseKey(key);
    }

private:
    struct Saved {
        const char* name;
        DWORD value;
        bool existed;
    };
    Saved saved_[3] = {{"Watch", 0, false}, {"MemNtfPar", 0, false}, {"FanNtf", 0, false}};
    bool keyExisted_ = false;
};

// Runs the probe beside the library and returns its exit code (-1: it did
// not start or did not end within 30 s).
int RunProbe(const std::string& arguments)
{
    std::string line = "\"" TIDEMARK_PROBE_PATH "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(TIDEMARK_PROBE_PATH, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

class TidemarkDll : public ::testing::Test {
protected:
    void SetUp() override
    {
        library_ = LoadLibraryA(TIDEMARK_DLL_PATH);
        ASSERT_NE(nullptr, library_) << TIDEMARK_DLL_PATH << " error " << GetLastError();
        get_ = reinterpret_cast<WatchGetAttributeEntry>(
            reinterpret_cast<void*>(GetProcAddress(library_, MAKEINTRESOURCEA(kWatchGetAttributeOrdinal))));
        set_ = reinterpret_cast<WatchSetAttributeEntry>(
            reinterpret_cast<void*>(GetProcAddress(library_, MAKEINTRESOURCEA(kWatchSetAttributeOrdinal))));
        ASSERT_NE(nullptr, get_);
        ASSERT_NE(nullptr, set_);
        // From the first call on, this process holds the section, so it
        // outlives the probes.
        Read(1, 1);
    }

    void TearDown() override { Unload(); }

    void Unload()
    {
        if (library_)
            FreeLibrary(library_);
        library_ = nullptr;
    }

    uint32_t Read(unsigned long group, unsigned long attribute, unsigned long key = 0)
    {
        uint32_t value = 0xCDCDCDCD;
        unsigned long length = sizeof value, scratch = 0;
        EXPECT_EQ(0ul, get_(group, attribute, key, &value, &length, &scratch));
        EXPECT_EQ(4ul, length);
        return value;
    }

    unsigned long Write(unsigned long group, unsigned long attribute, uint32_t value, unsigned long key = 0)
    {
        return set_(group, attribute, key, &value, sizeof value, 1);
    }

    // The drive table's row of c:, 0 when there is none.
    unsigned long RowOfDriveC()
    {
        for (unsigned long key = 1; key <= 26; ++key) {
            char name[8] = {};
            unsigned long length = sizeof name, scratch = 0;
            if (get_(2, 2, key, name, &length, &scratch) != 0)
                break;
            if (std::strcmp(name, "c:") == 0)
                return key;
        }
        return 0;
    }

    HMODULE library_ = nullptr;
    WatchGetAttributeEntry get_ = nullptr;
    WatchSetAttributeEntry set_ = nullptr;
    SavedConditions savedConditions_;
};

// The installation writes the watcher's conditions: each one there, of the
// right type and range, and what the library would take without it.
TEST(TidemarkInstallation, TheInstalledConditionsAreTheDefaults)
{
    const tidemark::ConditionStore machine(HKEY_LOCAL_MACHINE, tidemark::kConditionKey);
    int count = 0;
    const tidemark::ConditionRule* rules = tidemark::ConditionRules(&count);
    for (int i = 0; i < count; ++i) {
        if (rules[i].perDrive)
            continue;
        uint32_t value = 0xCDCDCDCD;
        EXPECT_TRUE(machine.Read(rules[i].id, 0, &value)) << rules[i].valueName;
        EXPECT_EQ(rules[i].defaultValue, value) << rules[i].valueName;
    }
}

TEST_F(TidemarkDll, EntryPointsHaveUndecoratedNamesAtOrdinalsOneAndTwo)
{
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(library_, "WatchGetAttribute")),
              reinterpret_cast<void*>(get_));
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(library_, "WatchSetAttribute")),
              reinterpret_cast<void*>(set_));
    EXPECT_EQ(nullptr, GetProcAddress(library_, "WatchGetAttribute@24"));
    EXPECT_EQ(nullptr, GetProcAddress(library_, "_WatchGetAttribute@24"));
    EXPECT_EQ(nullptr, GetProcAddress(library_, "_WatchSetAttribute@24"));
    // The watcher imports the members by name.
    EXPECT_NE(nullptr, GetProcAddress(library_, "_ZN8WatchAcs13SetHelErrCodeEm"));
    EXPECT_NE(nullptr, GetProcAddress(library_, "_ZN8WatchAcs10GetDrvListEiPc"));
}

TEST_F(TidemarkDll, AMemberInAnotherProcessAndTheEntryPointsShareOneStore)
{
    // Watcher side writes, viewer side reads.
    ASSERT_EQ(0, RunProbe("set-mem-err 513"));
    EXPECT_EQ(513u, Read(3, 5));
    const unsigned long rowC = RowOfDriveC();
    ASSERT_NE(0ul, rowC);
    ASSERT_EQ(0, RunProbe("set-dsk-err c: 257"));
    EXPECT_EQ(257u, Read(2, 8, rowC));

    // Viewer side writes, watcher side reads.
    ASSERT_EQ(0ul, Write(3, 2, 37));
    EXPECT_EQ(37, RunProbe("get-mem-par"));
}

TEST_F(TidemarkDll, AConditionWrittenOnceIsSeenByTheNextSession)
{
    ASSERT_EQ(0ul, Write(8, 2, 0));
    // Nobody holds the section any longer: the probe starts a new one, which
    // loads the conditions from the registry.
    Unload();
    EXPECT_EQ(0, RunProbe("--fresh get-fan-ntf"));
    SetUp();
    ASSERT_EQ(0ul, Write(8, 2, 1));
    Unload();
    EXPECT_EQ(1, RunProbe("--fresh get-fan-ntf"));
}

TEST_F(TidemarkDll, AStaleSectionIsNotReadAsItIs)
{
    Unload();
    SavedConditions::Write("Watch", 0);
    // An older layout left behind: right magic and size, another version,
    // and a word where the switch would be.
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, tidemark::kSectionSize,
                                        tidemark::kSectionName);
    ASSERT_NE(nullptr, mapping);
    ASSERT_NE(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    auto* stale = static_cast<tidemark::WatchSectionLayout*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    ASSERT_NE(nullptr, stale);
    stale->magic = tidemark::kSectionMagic;
    stale->size = tidemark::kSectionSize;
    stale->version = tidemark::kLayoutVersion + 7;
    stale->watch = 0xDEAD;

    SetUp();
    EXPECT_EQ(0u, Read(1, 1));
    EXPECT_EQ(tidemark::kLayoutVersion, stale->version);
    EXPECT_EQ(0, RunProbe("get-watch"));
    UnmapViewOfFile(stale);
    CloseHandle(mapping);
}

}  // namespace
