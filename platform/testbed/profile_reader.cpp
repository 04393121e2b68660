// The testbed profile for user-mode programs; see the header for how changes
// are noticed.
#include "platform/testbed/profile_reader.h"

#include <cstring>
#include <new>

#include "platform/testbed/profile_parse.h"
#include "platform/testbed/profile_path.h"

namespace {

const char kMachineKey[] = "SOFTWARE\\Testbed\\Machine";
const char kProfileValue[] = "Profile";

// Copies a NUL-terminated text that must fit whole.
bool CopyWhole(char* out, unsigned outSize, const char* text)
{
    size_t n = std::strlen(text);
    if (outSize == 0 || n >= outSize) {
        if (outSize > 0)
            out[0] = '\0';
        return false;
    }
    std::memcpy(out, text, n + 1);
    return true;
}

// The file's last-write time and size, without opening it. False when the
// path names no file (a folder does not count).
bool ReadStamp(const char* path, FILETIME* lastWrite, DWORD* sizeLow, DWORD* sizeHigh)
{
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(path, &found);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    FindClose(h);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    *lastWrite = found.ftLastWriteTime;
    *sizeLow = found.nFileSizeLow;
    *sizeHigh = found.nFileSizeHigh;
    return true;
}

// Whether lastWrite lies at least ms milliseconds before now.
bool OlderThan(const FILETIME& lastWrite, DWORD ms)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER a, b;
    a.LowPart = lastWrite.dwLowDateTime;
    a.HighPart = lastWrite.dwHighDateTime;
    b.LowPart = now.dwLowDateTime;
    b.HighPart = now.dwHighDateTime;
    return b.QuadPart >= a.QuadPart && b.QuadPart - a.QuadPart >= ULONGLONG(ms) * 10000;
}

void Complain(const char* what, const char* path)
{
    char line[MAX_PATH + 80];
    line[0] = '\0';
    std::strcat(line, "testbed profile: ");
    std::strcat(line, what);
    std::strcat(line, ": ");
    std::strncat(line, path, MAX_PATH - 1);
    std::strcat(line, "\n");
    OutputDebugStringA(line);
}

}  // namespace

TestbedProfile::TestbedProfile() : TestbedProfile(HKEY_LOCAL_MACHINE, kMachineKey) {}

TestbedProfile::TestbedProfile(HKEY root, const char* subKey)
    : root_(root),
      tried_(false),
      stampValid_(false),
      stamp_(),
      settled_(false),
      data_(nullptr),
      size_(0),
      generation_(0)
{
    InitializeCriticalSection(&lock_);
    if (!subKey || !CopyWhole(subKey_, sizeof subKey_, subKey))
        subKey_[0] = '\0';
    fixedPath_[0] = '\0';
    path_[0] = '\0';
}

TestbedProfile::~TestbedProfile()
{
    delete[] data_;
    DeleteCriticalSection(&lock_);
}

void TestbedProfile::UseFile(const char* path)
{
    EnterCriticalSection(&lock_);
    if (!path || !CopyWhole(fixedPath_, sizeof fixedPath_, path))
        fixedPath_[0] = '\0';
    tried_ = false;
    LeaveCriticalSection(&lock_);
}

// The profile's path as it stands now: the file given by UseFile, or the
// registry value. False when there is none or the value is not a usable path
// (wrong type, empty, too long, or holding wildcards that would let the file
// look-up match another file).
bool TestbedProfile::ProfilePathNow(char* path, unsigned size) const
{
    char value[MAX_PATH + 1];
    if (fixedPath_[0] != '\0') {
        std::strcpy(value, fixedPath_);
    } else {
        HKEY key;
        if (subKey_[0] == '\0' ||
            RegOpenKeyExA(root_, subKey_, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
            path[0] = '\0';
            return false;
        }
        DWORD type = 0;
        DWORD bytes = MAX_PATH;
        LONG rc = RegQueryValueExA(key, kProfileValue, nullptr, &type,
                                   reinterpret_cast<BYTE*>(value), &bytes);
        RegCloseKey(key);
        if (rc != ERROR_SUCCESS || type != REG_SZ || bytes > MAX_PATH)
            bytes = 0;
        value[bytes] = '\0';  // the stored value need not end with a NUL
    }
    if (value[0] == '\0' || std::strpbrk(value, "*?") != nullptr) {
        path[0] = '\0';
        return false;
    }
    return CopyWhole(path, size, value);
}

void TestbedProfile::SetContents(char* data, DWORD size)
{
    bool same = size == size_ && (size == 0 || std::memcmp(data, data_, size) == 0);
    if (same) {
        delete[] data;
        return;
    }
    delete[] data_;
    data_ = data;
    size_ = size;
    generation_++;
}

TestbedProfile::LoadResult TestbedProfile::Load(const char* path)
{
    if (!CopyWhole(path_, sizeof path_, path))
        path_[0] = '\0';
    tried_ = true;
    stampValid_ = false;

    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD err = GetLastError();
        if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) {
            SetContents(nullptr, 0);
            return kEmpty;
        }
        Complain("cannot open, keeping the last contents", path);
        return kUnreadable;
    }
    // The stamp is taken from the open file, the one that is read, even if a
    // writer renames another file over the name meanwhile. Should this file
    // change while it is read, the next query sees a different stamp.
    FileStamp stamp;
    stamp.sizeLow = GetFileSize(h, &stamp.sizeHigh);
    if ((stamp.sizeLow == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) ||
        !GetFileTime(h, nullptr, nullptr, &stamp.lastWrite)) {
        CloseHandle(h);
        Complain("cannot read, keeping the last contents", path);
        return kUnreadable;
    }
    if (stamp.sizeHigh != 0 || stamp.sizeLow > kMaxFileSize) {
        CloseHandle(h);
        Complain("file larger than 256 KB, ignored", path);
        SetContents(nullptr, 0);
        return kEmpty;
    }
    char* data = new (std::nothrow) char[stamp.sizeLow + 1];
    DWORD total = 0;
    bool ok = data != nullptr;
    while (ok && total < stamp.sizeLow) {
        DWORD got = 0;
        if (!ReadFile(h, data + total, stamp.sizeLow - total, &got, nullptr))
            ok = false;
        else if (got == 0)
            break;
        total += got;
    }
    CloseHandle(h);
    if (!ok) {
        delete[] data;
        Complain("cannot read, keeping the last contents", path);
        return kUnreadable;
    }
    SetContents(data, total);
    stamp_ = stamp;
    stampValid_ = true;
    settled_ = OlderThan(stamp.lastWrite, kSettleMs);
    return kRead;
}

void TestbedProfile::Refresh()
{
    char path[MAX_PATH];
    if (!ProfilePathNow(path, sizeof path)) {
        path_[0] = '\0';
        tried_ = true;
        stampValid_ = false;
        SetContents(nullptr, 0);
        return;
    }
    if (!tried_ || std::strcmp(path, path_) != 0 || !stampValid_ || !settled_) {
        Load(path);
        return;
    }
    FileStamp now;
    if (!ReadStamp(path, &now.lastWrite, &now.sizeLow, &now.sizeHigh) ||
        CompareFileTime(&now.lastWrite, &stamp_.lastWrite) != 0 || now.sizeLow != stamp_.sizeLow ||
        now.sizeHigh != stamp_.sizeHigh)
        Load(path);
}

bool TestbedProfile::Reload()
{
    EnterCriticalSection(&lock_);
    char path[MAX_PATH];
    bool read = false;
    if (ProfilePathNow(path, sizeof path)) {
        read = Load(path) == kRead;
    } else {
        path_[0] = '\0';
        tried_ = true;
        stampValid_ = false;
        SetContents(nullptr, 0);
    }
    LeaveCriticalSection(&lock_);
    return read;
}

bool TestbedProfile::GetString(const char* section, const char* key, char* out, unsigned outSize)
{
    EnterCriticalSection(&lock_);
    Refresh();
    bool found = testbed_get_string(data_, size_, section, key, out, outSize) != 0;
    LeaveCriticalSection(&lock_);
    return found;
}

bool TestbedProfile::GetInt(const char* section, const char* key, long* out)
{
    EnterCriticalSection(&lock_);
    Refresh();
    bool found = testbed_get_int(data_, size_, section, key, out) != 0;
    LeaveCriticalSection(&lock_);
    return found;
}

bool TestbedProfile::GetUInt(const char* section, const char* key, unsigned long* out)
{
    EnterCriticalSection(&lock_);
    Refresh();
    bool found = testbed_get_uint(data_, size_, section, key, out) != 0;
    LeaveCriticalSection(&lock_);
    return found;
}

bool TestbedProfile::GetBool(const char* section, const char* key, bool* out)
{
    int value = 0;
    EnterCriticalSection(&lock_);
    Refresh();
    bool found = testbed_get_bool(data_, size_, section, key, &value) != 0;
    LeaveCriticalSection(&lock_);
    if (found && out)
        *out = value != 0;
    return found && out;
}

bool TestbedProfile::GetPath(const char* section, const char* key, char* out, unsigned outSize)
{
    EnterCriticalSection(&lock_);
    Refresh();
    unsigned start = 0, length = 0;
    bool found = testbed_find_value(data_, size_, section, key, &start, &length) &&
                 testbed_resolve_path(path_, data_ + start, length, out, outSize);
    if (!found && out && outSize > 0)
        out[0] = '\0';
    LeaveCriticalSection(&lock_);
    return found;
}

bool TestbedProfile::GetListItem(const char* section, const char* key, unsigned index, char* out,
                                 unsigned outSize)
{
    EnterCriticalSection(&lock_);
    Refresh();
    unsigned start = 0, length = 0, itemStart = 0, itemLength = 0;
    bool found = testbed_find_value(data_, size_, section, key, &start, &length) &&
                 testbed_list_item(data_ + start, length, index, &itemStart, &itemLength);
    if (found)
        testbed_copy_text(data_ + start + itemStart, itemLength, out, outSize);
    else
        testbed_copy_text(nullptr, 0, out, outSize);
    LeaveCriticalSection(&lock_);
    return found;
}

bool TestbedProfile::GetFilePath(char* out, unsigned outSize)
{
    EnterCriticalSection(&lock_);
    Refresh();
    bool fits = out && CopyWhole(out, outSize, path_);
    LeaveCriticalSection(&lock_);
    return fits;
}

unsigned long TestbedProfile::Generation()
{
    EnterCriticalSection(&lock_);
    Refresh();
    unsigned long generation = generation_;
    LeaveCriticalSection(&lock_);
    return generation;
}
