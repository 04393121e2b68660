// The rows that each served group holds, and the probes that fill them (used by
// the entry points' dispatch only).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace bramble {
namespace ci {

enum : uint32_t { kTypeInteger = 5, kTypeWide = 6, kTypeString = 8, kTypeDate = 11 };

struct Value {
    uint32_t type = kTypeInteger;
    int64_t number = 0;
    std::string text;  // strings and dates
};

struct Row {
    uint32_t key = 0;   // 0 is an empty slot
    uint32_t key2 = 0;  // the second key of the two-key groups
    std::vector<std::pair<uint32_t, Value>> attributes;

    void Integer(uint32_t id, int64_t v);
    void Wide(uint32_t id, int64_t v);
    void Text(uint32_t id, const std::string& v);
    void Date(uint32_t id, const std::string& v);
    const Value* Find(uint32_t id) const;
};

using Rows = std::vector<Row>;
using Probe = bool (*)(Rows* rows);

// Probes, one per served group. Each replaces the rows; false when the data
// cannot be read.
bool ProbeSystem(Rows* rows);        // 1
bool ProbeGeneral(Rows* rows);       // 2
bool ProbeOperatingSystem(Rows* rows);  // 3
bool ProbeBios(Rows* rows);          // 4
bool ProbeProcessors(Rows* rows);    // 6
bool ProbeMemoryController(Rows* rows);  // 8
bool ProbeMemory(Rows* rows);        // 9
bool ProbeCaches(Rows* rows);        // 10
bool ProbeParallelPorts(Rows* rows); // 11
bool ProbeSerialPorts(Rows* rows);   // 12
bool ProbeEnclosure(Rows* rows);     // 16
bool ProbeSlots(Rows* rows);         // 19
bool ProbeVideoBios(Rows* rows);     // 22
bool ProbeIrqs(Rows* rows);          // 13
bool ProbeDisplay(Rows* rows);       // 20
bool ProbePartitions(Rows* rows);    // 25
bool ProbePointingDevice(Rows* rows);  // 28
bool ProbeKeyboard(Rows* rows);      // 29
bool ProbeStandardPorts(Rows* rows); // 31
bool ProbeFru(Rows* rows);           // 30, from the FRU table
bool ProbePortCount(Rows* rows);     // 7
bool ProbeDisks(Rows* rows);         // 23
bool ProbeDiskMap(Rows* rows);       // 24
bool ProbeDiskControllers(Rows* rows);  // 27

// Where the disk groups read the drives. Every member may be replaced by a
// test; a null member keeps the default.
struct PhysicalGeometry {
    uint32_t cylinders = 0;
    uint32_t heads = 0;
    uint32_t sectorsPerTrack = 0;
    uint32_t partitions = 0;  // partition entries of the layout
};
struct DiskSources {
    // GetDriveType of a root such as "A:\".
    UINT (*driveType)(const char* root) = nullptr;
    // Windows 95/98: the capacity of a floppy drive in KB (false: unknown).
    bool (*floppyCapacityKB)(const char* root, uint32_t* kb) = nullptr;
    // Windows NT: the media type the drive "\\.\A:" reports (false: none).
    bool (*floppyMediaType)(char letter, int* mediaType) = nullptr;
    // IDE identify block (512 bytes) and disk record of drive 0-3, through the driver.
    bool (*ideIdentify)(unsigned drive, unsigned char* block) = nullptr;
    bool (*diskRequest)(unsigned drive, uint32_t* totalSectors) = nullptr;
    // Geometry and partition layout of "\\.\PHYSICALDRIVEn".
    bool (*physicalGeometry)(unsigned disk, PhysicalGeometry* out) = nullptr;
};
void SetDiskSources(const DiskSources& sources);  // all null: the defaults again

// The sectors per track of a floppy drive: by capacity on Windows 95/98,
// by media type on NT; 0 when neither tells.
unsigned FloppySectorsByCapacity(uint32_t capacityKB);
unsigned FloppySectorsByMedia(int mediaType);

// The state of a standard port by its name ("COM1" ... "LPT4"): by default
// kPortPresent when the system knows a device of that name, else 0.
constexpr unsigned kPortPresent = 3;
constexpr unsigned kStandardPortCount = 8;
using PortStateReader = unsigned (*)(const char* name);
void SetPortStateReader(PortStateReader reader);  // null: the default again

// The VESA BIOS mode number of a screen mode (0 when the resolution is not
// one of the standard ones). The resolution is told by width + height.
unsigned VesaMode(int width, int height, int bitsPerPixel);

// A device that holds an interrupt, as the configuration manager lists it.
struct IrqDevice {
    unsigned irq = 0;
    std::string deviceClass;  // the registry class, e.g. "Ports" or "CDROM"
    std::string description;
};
// Where the interrupt holders come from: by default the configuration
// manager's list on Windows 95/98 and nothing on Windows NT. A source fills
// the list and answers false when it has none.
using IrqSource = bool (*)(std::vector<IrqDevice>* devices);
void SetIrqSource(IrqSource source);  // null: the default again
constexpr unsigned kIrqCount = 16;
// The interrupts of a device's binary allocation record (memory windows, I/O
// ranges, then the interrupt count and up to 7 interrupts); none when short.
void AllocationIrqs(const unsigned char* data, size_t size, std::vector<unsigned>* irqs);
constexpr size_t kAllocationIrqCountOffset = 2 + 9 * 4 + 9 * 4 + 9 * 2 + 2 + 20 * 2 * 3;

// The extended free-space call for FAT32 volumes on Windows 95/98: total and
// free bytes of the volume at a root such as "C:\\"; false when it fails.
using Fat32SpaceReader = bool (*)(const char* root, uint64_t* totalBytes, uint64_t* freeBytes);
void SetFat32SpaceReader(Fat32SpaceReader reader);  // null: the default again
// Total and free KB of the volume at root: through the FAT32 reader for a
// FAT32 volume on Windows 95/98, otherwise from the cluster counts. Zero
// sizes when the volume cannot be read.
void VolumeSizesKB(const char* root, const std::string& fileSystem, bool nt, int64_t* totalKB, int64_t* freeKB);

// True on Windows NT, false on Windows 95/98.
bool IsNt();

// True when the model (from the SMBIOS product string) has its CD-ROM on IRQ 15.
bool ModelHasCdromOnIrq15();

// Reads the SMBIOS table again through the current reader; false (keeping
// the last good copy) when it cannot.
bool ReloadSmbiosTable();
void SetTableReader(bool (*reader)(std::vector<unsigned char>*));

// The DMI date text for a local time, with the fraction given and an unknown
// offset.
std::string DmiDate(const SYSTEMTIME& t, unsigned fractionMicros);

}  // namespace ci
}  // namespace bramble
