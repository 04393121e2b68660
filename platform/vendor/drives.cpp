#include "platform/vendor/drives.h"

#include <windows.h>

#include <string>

#include "platform/vendor/attribute_catalogue.h"

namespace vendor {

namespace {

constexpr uint32_t kDriveCount = 26;

// A drive without its medium (an empty floppy or CD-ROM drive) fails at once
// instead of asking the user to insert one.
class QuietDriveErrors {
public:
    QuietDriveErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~QuietDriveErrors() { SetErrorMode(previous_); }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    UINT previous_;
};

bool DriveInUse(uint32_t key)
{
    return key >= 1 && key <= kDriveCount && (GetLogicalDrives() & (1UL << (key - 1))) != 0;
}

using DiskFreeSpaceExA = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

// The byte counts of a volume. The cluster counts of GetDiskFreeSpaceA stop at
// 2 GB on Windows 95/98, so the byte counts come first; the first Windows 95
// lacks them and gets the clusters.
DiskFreeSpaceExA ByteCountQuery()
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel ? reinterpret_cast<DiskFreeSpaceExA>(
                        reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")))
                  : nullptr;
}

// Free (or total) KB of the drive; false when the drive cannot tell.
bool DriveSpace(const char* root, bool total, uint64_t* kilobytes)
{
    QuietDriveErrors quiet;
    if (DiskFreeSpaceExA query = ByteCountQuery()) {
        ULARGE_INTEGER available = {}, totalBytes = {}, freeBytes = {};
        if (!query(root, &available, &totalBytes, &freeBytes))
            return false;
        *kilobytes = (total ? totalBytes.QuadPart : freeBytes.QuadPart) / 1024;
        return true;
    }
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return false;
    *kilobytes = KilobytesOfClusters(total ? totalClusters : freeClusters, sectorsPerCluster, bytesPerSector);
    return true;
}

// The volume name (label) or file system name of the drive.
bool VolumeText(const char* root, bool fileSystem, std::string* text)
{
    char label[MAX_PATH + 1] = "";
    char system[MAX_PATH + 1] = "";
    QuietDriveErrors quiet;
    if (!GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, system, sizeof system))
        return false;
    label[MAX_PATH] = system[MAX_PATH] = '\0';
    *text = fileSystem ? system : label;
    return true;
}

}  // namespace

uint64_t KilobytesOfClusters(uint32_t clusters, uint32_t sectorsPerCluster, uint32_t bytesPerSector)
{
    const uint64_t bytesPerCluster = static_cast<uint64_t>(sectorsPerCluster) * bytesPerSector;
    if (bytesPerCluster != 0 && clusters > UINT64_MAX / bytesPerCluster)
        return UINT64_MAX / 1024;  // no file system answers this; saturate rather than wrap
    return clusters * bytesPerCluster / 1024;
}

int MediaTypeOfDrive(unsigned driveType)
{
    switch (driveType) {
    case DRIVE_FIXED: return 1;
    case DRIVE_REMOVABLE: return 2;
    case DRIVE_CDROM: return 3;
    case DRIVE_REMOTE: return 4;
    default: return 0;
    }
}

std::vector<uint32_t> ReadDriveRows()
{
    std::vector<uint32_t> keys;
    for (uint32_t key = 1; key <= kDriveCount; key++) {
        if (DriveInUse(key))
            keys.push_back(key);
    }
    return keys;
}

bool ReadDriveValue(uint32_t key, uint32_t attribute, Value* out)
{
    if (!DriveInUse(key))
        return false;
    const char root[] = {static_cast<char>('A' + key - 1), ':', '\\', '\0'};
    uint64_t kilobytes = 0;
    std::string text;
    switch (attribute) {
    case 2:
        *out = TextValue(std::string(root, 1));
        return true;
    case 3:
    case 4:
        if (!DriveSpace(root, attribute == 3, &kilobytes))
            return false;
        *out = IntegerValue(static_cast<int64_t>(kilobytes));
        return true;
    case 5:
    case 6:
        if (!VolumeText(root, attribute == 5, &text))
            return false;
        *out = TextValue(text);
        return true;
    case 7:
        *out = TextValue(std::to_string(MediaTypeOfDrive(GetDriveTypeA(root))));
        return true;
    default:
        return false;
    }
}

}  // namespace vendor
