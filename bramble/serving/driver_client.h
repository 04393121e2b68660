// bramble's client of the instrumentation driver for the SMBIOS table: the size
// record, a copy of the table in bramble's own buffer, and the location of a
// structure translated into that copy. Every answer of the device is checked;
// an address the device reports is never followed, only compared against the
// copy's bounds.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bramble {

// The 16-byte answer to the size request: table size, the table's address in
// the driver's copy, the number of structures, and a reserved zero.
struct SmbiosSizeRecord {
    uint32_t tableSize = 0;
    uint32_t tableAddress = 0;
    uint32_t structureCount = 0;
};

// The table as bramble holds it, with the address the driver reported for it.
struct SmbiosCopy {
    std::vector<unsigned char> bytes;
    uint32_t tableAddress = 0;
    uint32_t structureCount = 0;
};

// The largest table the size record may announce (the SMBIOS entry point
// describes the table length with a 16-bit word).
constexpr uint32_t kMaxSmbiosTableSize = 0xFFFF;

// Reads the size record from the bytes the device returned; false unless all
// 16 bytes came back and the size lies between 4 and kMaxSmbiosTableSize.
bool ParseSizeRecord(const unsigned char* bytes, DWORD returned, SmbiosSizeRecord* out);

// The structure that a locate answer names, inside the copy: the answer is the
// structure's address in the driver's copy minus 4. Null when the address
// falls outside the copy, or the structure's header or formatted area does not
// fit in it.
const unsigned char* TranslateLocated(const SmbiosCopy& copy, uint32_t answered);

// What the driver's disk request tells of an IDE drive.
struct IdeDiskRecord {
    uint32_t cylinders = 0;
    uint32_t heads = 0;
    uint32_t sectorsPerTrack = 0;
    uint32_t totalSectors = 0;
    uint32_t bytesPerSector = 0;
};
constexpr unsigned kIdeDrives = 4;  // primary and secondary, master and slave
constexpr size_t kIdentifyBytes = 512;

class DriverClient {
public:
    DriverClient() = default;
    DriverClient(const DriverClient&) = delete;
    DriverClient& operator=(const DriverClient&) = delete;
    ~DriverClient();

    // Opens the driver the way the running platform wants it: the NT device
    // for reading and writing, shared, or the 95/98 device with no access,
    // no sharing, create-new and delete-on-close.
    bool Open();
    void Close();
    bool IsOpen() const { return device_ != INVALID_HANDLE_VALUE; }

    // The size record, then the table copied into out. False when either
    // request fails or its answer is not what was asked for.
    bool ReadTable(SmbiosCopy* out);

    // The index-th structure (from 0) of a type, as a pointer into copy; null
    // when the driver finds none or answers an address outside the copy.
    const unsigned char* Locate(const SmbiosCopy& copy, unsigned type, unsigned index);

    // The identify block of IDE drive 0-3, as the drive sends it; false when
    // the driver answers no block of the full size.
    bool IdeIdentify(unsigned drive, unsigned char (&block)[kIdentifyBytes]);

    // The disk request for IDE drive 0-3; false when the driver does not
    // answer the whole record for that drive.
    bool DiskRequest(unsigned drive, IdeDiskRecord* out);

private:
    DWORD Code(unsigned service) const;

    HANDLE device_ = INVALID_HANDLE_VALUE;
    bool nt_ = false;
};

}  // namespace bramble
