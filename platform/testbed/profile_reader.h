// The testbed profile as user-mode programs read it.
//
// The profile is the file named by the REG_SZ value "Profile" of
// HKLM\SOFTWARE\Testbed\Machine (or a file given directly, for tests). Every
// query first checks whether the registry value or the file has changed and
// reloads when it has, so a test can rewrite the profile while programs run.
// A missing or bad registry value, a missing file or one larger than
// kMaxFileSize is an empty profile: every getter then answers "not found". A
// file that cannot be opened for the moment (its writer holds it) leaves the
// last contents in place and is tried again on the next query.
//
// How a change is noticed: each query compares the registry value and the
// file's last-write time and size with those of the loaded copy (one registry
// read and one directory look-up, no file read: about 0.2 ms under Wine). File times can be coarse (2 s
// on FAT, a clock tick on other file systems), so a rewrite with the same size
// inside the same tick would look unchanged: while the loaded file is younger
// than kSettleMs at the time it was read, every query reads it again and
// compares the contents. Checking on every query, rather than at most every
// so many milliseconds, means that a test which rewrites the file sees the new
// values on its very next query, without waiting.
//
// Thread safety: one critical section guards the loaded copy; each getter
// copies its answer out while holding it. Two getters in a row may see two
// different versions of the file when it is rewritten between them.
#pragma once

#include <windows.h>

class TestbedProfile {
public:
    // Reads the file that HKLM\SOFTWARE\Testbed\Machine "Profile" names.
    TestbedProfile();
    // Reads the file that root\subKey "Profile" names (tests use their own key).
    TestbedProfile(HKEY root, const char* subKey);
    ~TestbedProfile();

    TestbedProfile(const TestbedProfile&) = delete;
    TestbedProfile& operator=(const TestbedProfile&) = delete;

    // Reads this file instead of the one the registry names; null or "" goes
    // back to the registry. The file is loaded on the next query.
    void UseFile(const char* path);

    // Loads the profile again now, changed or not. Returns true when a file
    // was read (it may be empty), false when the profile is empty because the
    // value or the file is missing, too large or unreadable.
    bool Reload();

    // The getters of profile_parse.h over the current contents, same rules:
    // true when the key exists and its value is valid; otherwise false and
    // *out untouched (GetString: out empty).
    bool GetString(const char* section, const char* key, char* out, unsigned outSize);
    bool GetInt(const char* section, const char* key, long* out);
    bool GetUInt(const char* section, const char* key, unsigned long* out);
    bool GetBool(const char* section, const char* key, bool* out);

    // A path value, relative ones resolved against the profile's folder.
    // False (out empty) when missing, empty or longer than outSize - 1.
    bool GetPath(const char* section, const char* key, char* out, unsigned outSize);

    // Item number index (from 0) of a comma-separated list value, cut to
    // outSize - 1 bytes without splitting a double-byte character.
    bool GetListItem(const char* section, const char* key, unsigned index, char* out,
                     unsigned outSize);

    // The path of the profile file named now, whether it exists or not ("" when
    // none is named). False when it does not fit.
    bool GetFilePath(char* out, unsigned outSize);

    // Goes up by one each time the contents change (a reload that finds the
    // same bytes does not count), so that a reader can start afresh, e.g. a
    // count of not-ready readings.
    unsigned long Generation();

    // The largest profile file read; a larger one is refused (empty profile).
    static const DWORD kMaxFileSize = 256 * 1024;
    // How long after its last write a file may still change unseen.
    static const DWORD kSettleMs = 2000;

private:
    struct FileStamp {
        FILETIME lastWrite;
        DWORD sizeLow;
        DWORD sizeHigh;
    };

    enum LoadResult { kRead, kEmpty, kUnreadable };

    void Refresh();
    bool ProfilePathNow(char* path, unsigned size) const;
    LoadResult Load(const char* path);
    void SetContents(char* data, DWORD size);

    CRITICAL_SECTION lock_;
    HKEY root_;
    char subKey_[MAX_PATH];
    char fixedPath_[MAX_PATH];  // from UseFile; "" means the registry decides
    char path_[MAX_PATH];       // the file loaded (or tried) last
    bool tried_;                // whether path_ has been tried at all
    bool stampValid_;           // stamp_ belongs to the contents held
    FileStamp stamp_;
    bool settled_;              // the file was older than kSettleMs when read
    char* data_;
    DWORD size_;
    unsigned long generation_;
};
