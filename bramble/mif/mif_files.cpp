#include "bramble/mif/mif_files.h"

#include <windows.h>

#include <algorithm>

#include "common/cp932.h"
#include "common/path.h"

namespace bramble {
namespace {

const char kProtoMifTail[] = "\\db\\mifs\\pcmif.corvane";
const char kMifTail[] = "\\db\\mifs\\pcmif.mif";
const char kBackupDirTail[] = "\\db\\mifs\\backup";
const char kBackupProtoTail[] = "\\db\\mifs\\backup\\pcmif.corvane";
const char kBackupMifTail[] = "\\db\\mifs\\backup\\pcmif.mif";

const char kDmiKey[] = "SOFTWARE\\Corvane Technologies, Inc.\\Corvane DMI\\CurrentVersion";

bool BuildPath(const std::string& dir, const char* tail, char (&out)[MAX_PATH])
{
    return path::JoinPath(out, sizeof out, dir.c_str(), tail);
}

bool CanOpenForReading(const char* file)
{
    HANDLE h = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

MifRunResult FileError(MifFileCause cause)
{
    MifRunResult r;
    r.outcome = MifRunOutcome::kFileError;
    r.cause = cause;
    return r;
}

MifRunResult LastError()
{
    return FileError(CauseOfError(GetLastError()));
}

// Closes a handle when it goes out of scope.
class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle()
    {
        if (valid())
            CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const
    {
        return h_ != INVALID_HANDLE_VALUE && h_ != nullptr;
    }
    HANDLE get() const
    {
        return h_;
    }
    // Closes now; false when closing failed.
    bool Close()
    {
        bool ok = !valid() || CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

// Reads the whole file (at most kMaxProtoMifBytes) into text.
MifFileCause ReadAll(HANDLE file, std::string* text)
{
    DWORD high = 0;
    DWORD low = GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return CauseOfError(GetLastError());
    if (high != 0 || low > kMaxProtoMifBytes)
        return MifFileCause::kGeneric;
    text->assign(low, '\0');
    DWORD done = 0;
    while (done < low) {
        DWORD got = 0;
        if (!ReadFile(file, &(*text)[done], low - done, &got, nullptr)) {
            return CauseOfError(GetLastError());
        }
        if (got == 0)
            return MifFileCause::kEndOfFile;  // the file shrank while read
        done += got;
    }
    return MifFileCause::kNone;
}

MifFileCause WriteAll(HANDLE file, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 20));
        DWORD put = 0;
        if (!WriteFile(file, text.data() + done, chunk, &put, nullptr)) {
            return CauseOfError(GetLastError());
        }
        if (put == 0)
            return MifFileCause::kDiskFull;
        done += put;
    }
    return MifFileCause::kNone;
}

}  // namespace

MifFileCause CauseOfError(unsigned long error)
{
    switch (error) {
        case NO_ERROR: return MifFileCause::kNone;
        case ERROR_FILE_NOT_FOUND: return MifFileCause::kFileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_NAME:
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_DIRECTORY: return MifFileCause::kBadPath;
        case ERROR_TOO_MANY_OPEN_FILES: return MifFileCause::kTooManyOpenFiles;
        case ERROR_ACCESS_DENIED:
        case ERROR_NETWORK_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT: return MifFileCause::kAccessDenied;
        case ERROR_INVALID_HANDLE: return MifFileCause::kInvalidHandle;
        case ERROR_CURRENT_DIRECTORY: return MifFileCause::kRemoveCurrentDir;
        case ERROR_CANNOT_MAKE: return MifFileCause::kDirectoryFull;
        case ERROR_SEEK:
        case ERROR_NEGATIVE_SEEK: return MifFileCause::kBadSeek;
        case ERROR_WRITE_FAULT:
        case ERROR_READ_FAULT:
        case ERROR_CRC:
        case ERROR_SECTOR_NOT_FOUND:
        case ERROR_GEN_FAILURE: return MifFileCause::kHardwareIo;
        case ERROR_SHARING_VIOLATION: return MifFileCause::kSharingViolation;
        case ERROR_LOCK_VIOLATION:
        case ERROR_DRIVE_LOCKED: return MifFileCause::kLockViolation;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return MifFileCause::kDiskFull;
        case ERROR_HANDLE_EOF: return MifFileCause::kEndOfFile;
        default: return MifFileCause::kGeneric;
    }
}

std::string MifDmiDir()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kDmiKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::string();
    // One byte more than the value may hold, and a spare one: a stored string need
    // not end with its terminator. A longer value does not fit and counts as missing.
    char data[4096 + 1] = {};
    DWORD type = 0;
    DWORD got = sizeof data - 1;
    LONG status = RegQueryValueExA(key, "DMIDIR", nullptr, &type, reinterpret_cast<BYTE*>(data), &got);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || got >= sizeof data)
        return std::string();
    data[got] = '\0';
    char cut[MAX_PATH];
    cp932::CopyBounded(cut, sizeof cut, data);
    return cut;
}

bool MifGenerationDone(const std::string& dmiDir)
{
    char file[MAX_PATH];
    if (BuildPath(dmiDir, kBackupMifTail, file) && CanOpenForReading(file))
        return true;
    return BuildPath(dmiDir, kBackupProtoTail, file) && CanOpenForReading(file);
}

MifRunResult RunMifGeneration(const std::string& dmiDir, const MifInputs& inputs)
{
    if (MifGenerationDone(dmiDir)) {
        MifRunResult r;
        r.outcome = MifRunOutcome::kAlreadyDone;
        return r;
    }
    char protoPath[MAX_PATH], mifPath[MAX_PATH], backupDir[MAX_PATH], backupProto[MAX_PATH];
    if (!BuildPath(dmiDir, kProtoMifTail, protoPath) || !BuildPath(dmiDir, kMifTail, mifPath) ||
        !BuildPath(dmiDir, kBackupDirTail, backupDir) || !BuildPath(dmiDir, kBackupProtoTail, backupProto)) {
        return FileError(MifFileCause::kBadPath);
    }

    Handle proto(CreateFileA(protoPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!proto.valid())
        return LastError();
    Handle mif(
        CreateFileA(mifPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!mif.valid())
        return LastError();

    std::string text;
    MifFileCause cause = ReadAll(proto.get(), &text);
    if (cause != MifFileCause::kNone)
        return FileError(cause);

    std::string out;
    MifRunResult result;
    result.generation = GenerateMif(text.data(), text.size(), inputs, &out);
    if (result.generation.status != MifGenStatus::kOk) {
        // The created MIF stays as it is (empty); the proto-MIF stays in place.
        result.outcome = MifRunOutcome::kBadProtoMif;
        return result;
    }
    cause = WriteAll(mif.get(), out);
    if (cause != MifFileCause::kNone)
        return FileError(cause);
    if (!mif.Close())
        return LastError();
    proto.Close();

    // The backup folder normally comes with the installation; make it if missing.
    if (!CreateDirectoryA(backupDir, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return LastError();
    }
    if (!MoveFileA(protoPath, backupProto))
        return LastError();
    result.outcome = MifRunOutcome::kGenerated;
    return result;
}

}  // namespace bramble
