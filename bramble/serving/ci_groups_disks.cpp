// The disk groups: physical disks (23), the disk map (24) and the disk
// controllers (27). Drives A: to Z: are walked; removable drives are floppy
// drives, the first fixed drive brings in the IDE disks the driver knows, and
// CD-ROM drives are counted on the IDE controller.
#include <cstdio>
#include <cstring>

#include "bramble/serving/ci_groups.h"
#include "bramble/serving/driver_client.h"

#include <winioctl.h>

namespace bramble {
namespace ci {

namespace {

constexpr size_t kMaxDisks = 16;
constexpr uint32_t kSectorBytes = 512;
constexpr unsigned kFloppyCylinders = 80;
constexpr unsigned kFloppyHeads = 2;

// Storage types (the keys of groups 23 and 24) and interface codes.
constexpr uint32_t kStorageFixed = 3;
constexpr uint32_t kStorageFloppy = 4;
constexpr uint32_t kInterfaceFloppy = 7;
constexpr uint32_t kInterfaceIde = 42;
const char kFloppyInterface[] = "Floppy Disk Interface";
const char kIdeInterface[] = "Enhanced ATA/IDE Interface";

// --- default sources -----------------------------------------------------------

UINT SystemDriveType(const char* root) { return GetDriveTypeA(root); }

bool SystemFloppyCapacity(const char* root, uint32_t* kb)
{
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)) return false;
    const uint64_t bytes = static_cast<uint64_t>(sectorsPerCluster) * bytesPerSector * totalClusters;
    *kb = bytes / 1024 > 0xFFFFFFFFULL ? 0xFFFFFFFFUL : static_cast<uint32_t>(bytes / 1024);
    return true;
}

bool SystemFloppyMedia(char letter, int* mediaType)
{
    char name[] = "\\\\.\\A:";
    name[4] = letter;
    HANDLE drive = CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (drive == INVALID_HANDLE_VALUE) return false;
    DISK_GEOMETRY geometry{};
    DWORD returned = 0;
    const BOOL ok = DeviceIoControl(drive, IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, &geometry, sizeof geometry,
                                    &returned, nullptr);
    CloseHandle(drive);
    if (!ok || returned < sizeof geometry) return false;
    *mediaType = static_cast<int>(geometry.MediaType);
    return true;
}

bool DriverIdentify(unsigned drive, unsigned char* block)
{
    DriverClient client;
    unsigned char answer[kIdentifyBytes];
    if (!client.Open() || !client.IdeIdentify(drive, answer)) return false;
    std::memcpy(block, answer, sizeof answer);
    return true;
}

bool DriverDiskRequest(unsigned drive, uint32_t* totalSectors)
{
    DriverClient client;
    IdeDiskRecord record;
    if (!client.Open() || !client.DiskRequest(drive, &record)) return false;
    *totalSectors = record.totalSectors;
    return true;
}

bool SystemPhysicalGeometry(unsigned disk, PhysicalGeometry* out)
{
    char name[32];
    std::snprintf(name, sizeof name, "\\\\.\\PHYSICALDRIVE%01u", disk);
    HANDLE drive = CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (drive == INVALID_HANDLE_VALUE) return false;
    DISK_GEOMETRY geometry{};
    DWORD returned = 0;
    BOOL ok = DeviceIoControl(drive, IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, &geometry, sizeof geometry,
                              &returned, nullptr);
    if (ok && returned >= sizeof geometry && geometry.Cylinders.QuadPart >= 0 &&
        geometry.Cylinders.QuadPart <= 0xFFFFFFFFLL) {
        out->cylinders = static_cast<uint32_t>(geometry.Cylinders.QuadPart);
        out->heads = geometry.TracksPerCylinder;
        out->sectorsPerTrack = geometry.SectorsPerTrack;
        // The layout: a header and up to 64 partition entries.
        unsigned char layout[sizeof(DRIVE_LAYOUT_INFORMATION) + 64 * sizeof(PARTITION_INFORMATION)] = {};
        returned = 0;
        if (DeviceIoControl(drive, IOCTL_DISK_GET_DRIVE_LAYOUT, nullptr, 0, layout, sizeof layout, &returned,
                            nullptr) &&
            returned >= sizeof(DWORD)) {
            DWORD count;
            std::memcpy(&count, layout, sizeof count);
            out->partitions = count > 64 ? 64 : count;
        }
    } else {
        ok = FALSE;
    }
    CloseHandle(drive);
    return ok != FALSE;
}

DiskSources g_sources;

DiskSources Sources()
{
    DiskSources s = g_sources;
    if (!s.driveType) s.driveType = SystemDriveType;
    if (!s.floppyCapacityKB) s.floppyCapacityKB = SystemFloppyCapacity;
    if (!s.floppyMediaType) s.floppyMediaType = SystemFloppyMedia;
    if (!s.ideIdentify) s.ideIdentify = DriverIdentify;
    if (!s.diskRequest) s.diskRequest = DriverDiskRequest;
    if (!s.physicalGeometry) s.physicalGeometry = SystemPhysicalGeometry;
    return s;
}

// --- the walk -------------------------------------------------------------------

struct Disk {
    uint32_t storageType = 0;
    uint32_t storageIndex = 0;
    uint32_t deviceId = 0;
    bool removable = false;
    bool mediaKnown = false;
    uint32_t physicalCylinders = 0, physicalHeads = 0, physicalSectors = 0;
    uint32_t cylinders = 0, heads = 0, sectors = 0;
    uint32_t capacityKB = 0;
};

struct Drives {
    std::vector<Disk> disks;  // floppies in letter order, then the IDE disks
    unsigned floppies = 0;
    unsigned ideDisks = 0;
    unsigned cdroms = 0;
};

uint32_t IdentifyWord(const unsigned char* block, unsigned word)
{
    return static_cast<uint32_t>(block[2 * word]) | (static_cast<uint32_t>(block[2 * word + 1]) << 8);
}

Disk FloppyDisk(const DiskSources& sources, char letter, bool nt, unsigned index)
{
    Disk d;
    d.storageType = kStorageFloppy;
    d.storageIndex = index;
    d.deviceId = static_cast<uint32_t>(letter - 'A');
    d.removable = true;
    d.cylinders = d.physicalCylinders = kFloppyCylinders;
    d.heads = d.physicalHeads = kFloppyHeads;
    unsigned sectors = 0;
    if (nt) {
        int media = 0;
        if (sources.floppyMediaType(letter, &media)) {
            d.mediaKnown = true;
            sectors = FloppySectorsByMedia(media);
        }
    } else {
        const char root[] = {letter, ':', '\\', '\0'};
        uint32_t kb = 0;
        d.mediaKnown = sources.floppyCapacityKB(root, &kb);
        sectors = FloppySectorsByCapacity(d.mediaKnown ? kb : 0);
    }
    if (sectors == 0) d.cylinders = d.physicalCylinders = 0;
    d.sectors = d.physicalSectors = sectors;
    d.capacityKB = d.cylinders * d.heads * d.sectors * kSectorBytes / 1024;
    return d;
}

// The IDE disks the driver identifies, each completed by its physical
// drive's geometry (the identify geometry when that cannot be read) and the
// driver's disk record.
void AddIdeDisks(const DiskSources& sources, Drives* drives)
{
    unsigned physical = 0;
    for (unsigned drive = 0; drive < kIdeDrives && drives->disks.size() < kMaxDisks; ++drive) {
        unsigned char block[kIdentifyBytes] = {};
        if (!sources.ideIdentify(drive, block)) continue;
        Disk d;
        d.storageType = kStorageFixed;
        d.storageIndex = ++drives->ideDisks;
        d.deviceId = drive;
        d.mediaKnown = true;
        d.physicalCylinders = IdentifyWord(block, 1);
        d.physicalHeads = IdentifyWord(block, 3);
        d.physicalSectors = IdentifyWord(block, 6);
        PhysicalGeometry geometry;
        if (sources.physicalGeometry(physical++, &geometry)) {
            d.cylinders = geometry.cylinders;
            d.heads = geometry.heads;
            d.sectors = geometry.sectorsPerTrack;
        } else {
            d.cylinders = d.physicalCylinders;
            d.heads = d.physicalHeads;
            d.sectors = d.physicalSectors;
        }
        uint32_t totalSectors = 0;
        uint64_t sectors = sources.diskRequest(drive, &totalSectors)
                               ? totalSectors
                               : static_cast<uint64_t>(IdentifyWord(block, 60)) | (IdentifyWord(block, 61) << 16);
        const uint64_t kb = sectors * kSectorBytes / 1024;
        d.capacityKB = kb > 0x7FFFFFFFULL ? 0x7FFFFFFFUL : static_cast<uint32_t>(kb);
        drives->disks.push_back(d);
    }
}

Drives WalkDrives()
{
    const DiskSources sources = Sources();
    const bool nt = IsNt();
    Drives drives;
    bool ideProbed = false;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char root[] = {letter, ':', '\\', '\0'};
        switch (sources.driveType(root)) {
        case DRIVE_REMOVABLE:
            if (drives.disks.size() < kMaxDisks)
                drives.disks.push_back(FloppyDisk(sources, letter, nt, ++drives.floppies));
            break;
        case DRIVE_FIXED:
            if (!ideProbed) {
                ideProbed = true;
                AddIdeDisks(sources, &drives);
            }
            break;
        case DRIVE_CDROM:
            ++drives.cdroms;
            break;
        default:
            break;
        }
    }
    return drives;
}

}  // namespace

unsigned FloppySectorsByCapacity(uint32_t capacityKB)
{
    if (capacityKB < 1000) return 9;
    if (capacityKB < 1300) return 15;
    if (capacityKB < 2000) return 18;
    return 0;
}

unsigned FloppySectorsByMedia(int mediaType)
{
    switch (mediaType) {
    case F5_360_512:
    case F5_320_512:
    case F3_720_512:
        return 9;
    case F5_1Pt2_512:
        return 15;
    case F3_1Pt44_512:
        return 18;
    case F3_2Pt88_512:
        return 36;
    default:
        return 0;
    }
}

void SetDiskSources(const DiskSources& sources) { g_sources = sources; }

bool ProbeDisks(Rows* rows)
{
    rows->clear();
    for (const Disk& d : WalkDrives().disks) {
        Row row;
        row.key = d.storageType;
        row.key2 = d.storageIndex;
        row.Integer(1, d.storageType);
        row.Integer(2, d.storageIndex);
        row.Integer(3, d.removable ? kInterfaceFloppy : kInterfaceIde);
        row.Text(4, d.removable ? kFloppyInterface : kIdeInterface);
        row.Integer(5, d.mediaKnown ? 1 : 0);
        row.Integer(6, d.removable ? 1 : 0);
        row.Integer(7, d.deviceId);
        row.Integer(8, 0);
        row.Integer(9, d.physicalCylinders);
        row.Integer(10, d.cylinders);
        row.Integer(11, d.sectors);
        row.Integer(12, d.heads);
        row.Integer(13, d.physicalSectors);
        row.Integer(14, d.physicalHeads);
        row.Integer(15, kSectorBytes);
        row.Integer(16, d.capacityKB);
        row.Integer(18, 0);
        row.Integer(19, 0);
        rows->push_back(row);
    }
    return true;
}

bool ProbeDiskMap(Rows* rows)
{
    rows->clear();
    uint32_t number = 0;
    for (const Disk& d : WalkDrives().disks) {
        Row row;
        row.key = d.storageType;
        row.key2 = d.storageIndex;
        row.Integer(1, ++number);
        row.Integer(2, d.storageType);
        row.Integer(3, d.storageIndex);
        rows->push_back(row);
    }
    return true;
}

bool ProbeDiskControllers(Rows* rows)
{
    rows->clear();
    const Drives drives = WalkDrives();
    auto add = [rows](const char* name, uint32_t interfaceType, uint32_t channels, uint32_t count,
                      const char* description) {
        Row row;
        row.key = static_cast<uint32_t>(rows->size() + 1);
        row.Integer(1, row.key);
        row.Text(2, name);
        row.Integer(3, interfaceType);
        row.Integer(4, channels);
        row.Integer(5, count);
        row.Text(6, description);
        rows->push_back(row);
    };
    if (drives.floppies > 0) add("Floppy Disk Controller", kInterfaceFloppy, 1, drives.floppies, kFloppyInterface);
    if (drives.ideDisks + drives.cdroms > 0)
        add("IDE Controller", kInterfaceIde, 2, drives.ideDisks + drives.cdroms, kIdeInterface);
    return true;
}

}  // namespace ci
}  // namespace bramble
