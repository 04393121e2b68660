#include "bramble/serving/driver_client.h"

#include <cstring>

namespace bramble {

namespace {

const char kNtDevice[] = "\\\\.\\CORVANEDMI";
const char k9xDevice[] = "\\\\.\\VCORVANEDMID.VXD";

constexpr unsigned kSizeService = 11;
constexpr unsigned kCopyService = 12;
constexpr unsigned kLocateService = 13;
constexpr unsigned kIdentifyService = 3;
constexpr unsigned kDiskService = 7;
constexpr DWORD kIdentifyRequestBytes = 530;
constexpr DWORD kIdentifyBlockOffset = 18;  // after the status word and reserved bytes
constexpr DWORD kDiskRequestBytes = 200;
constexpr DWORD kSizeRecordBytes = 16;

uint32_t DwordAt(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool RunningOnNt()
{
    // The high bit of the version is set on Windows 95/98.
    return (GetVersion() & 0x80000000UL) == 0;
}

}  // namespace

bool ParseSizeRecord(const unsigned char* bytes, DWORD returned, SmbiosSizeRecord* out)
{
    if (!bytes || !out || returned != kSizeRecordBytes) return false;
    SmbiosSizeRecord record;
    record.tableSize = DwordAt(bytes);
    record.tableAddress = DwordAt(bytes + 4);
    record.structureCount = DwordAt(bytes + 8);
    if (record.tableSize < 4 || record.tableSize > kMaxSmbiosTableSize) return false;
    *out = record;
    return true;
}

const unsigned char* TranslateLocated(const SmbiosCopy& copy, uint32_t answered)
{
    // The structure itself lies 4 bytes after the answered address; an answer
    // that wraps around is no address in the table.
    if (answered > 0xFFFFFFFFUL - 4) return nullptr;
    const uint32_t address = answered + 4;
    if (address < copy.tableAddress) return nullptr;
    const uint32_t offset = address - copy.tableAddress;
    const size_t size = copy.bytes.size();
    if (offset >= size || size - offset < 4) return nullptr;
    const unsigned length = copy.bytes[offset + 1];
    if (length < 4 || length > size - offset) return nullptr;
    return copy.bytes.data() + offset;
}

DriverClient::~DriverClient() { Close(); }

bool DriverClient::Open()
{
    Close();
    nt_ = RunningOnNt();
    if (nt_) {
        device_ = CreateFileA(kNtDevice, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    } else {
        device_ = CreateFileA(k9xDevice, 0, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    }
    return IsOpen();
}

void DriverClient::Close()
{
    if (device_ != INVALID_HANDLE_VALUE) CloseHandle(device_);
    device_ = INVALID_HANDLE_VALUE;
}

DWORD DriverClient::Code(unsigned service) const
{
    // NT: device type 0x8000, function 0x800 + service, buffered, any access.
    return nt_ ? (0x80002000UL | (service << 2)) : service;
}

bool DriverClient::ReadTable(SmbiosCopy* out)
{
    if (!out || !IsOpen()) return false;
    unsigned char record[kSizeRecordBytes + 4] = {};
    DWORD returned = 0;
    if (!DeviceIoControl(device_, Code(kSizeService), nullptr, 0, record, kSizeRecordBytes, &returned,
                         nullptr))
        return false;
    SmbiosSizeRecord size;
    if (!ParseSizeRecord(record, returned, &size)) return false;

    std::vector<unsigned char> table(size.tableSize, 0);
    returned = 0;
    if (!DeviceIoControl(device_, Code(kCopyService), nullptr, 0, table.data(), size.tableSize, &returned,
                         nullptr))
        return false;
    // Only the bytes the device says it wrote count, and never more than asked.
    if (returned == 0 || returned > size.tableSize) return false;
    table.resize(returned);
    out->bytes.swap(table);
    out->tableAddress = size.tableAddress;
    out->structureCount = size.structureCount;
    return true;
}

const unsigned char* DriverClient::Locate(const SmbiosCopy& copy, unsigned type, unsigned index)
{
    if (!IsOpen()) return nullptr;
    unsigned char in[8];
    const uint32_t words[2] = {type, index};
    std::memcpy(in, words, sizeof in);
    unsigned char answer[8] = {};
    DWORD returned = 0;
    if (!DeviceIoControl(device_, Code(kLocateService), in, sizeof in, answer, 4, &returned, nullptr))
        return nullptr;
    if (returned != 4) return nullptr;
    return TranslateLocated(copy, DwordAt(answer));
}

bool DriverClient::IdeIdentify(unsigned drive, unsigned char (&block)[kIdentifyBytes])
{
    if (!IsOpen() || drive >= kIdeDrives) return false;
    unsigned char in[kIdentifyRequestBytes] = {};
    unsigned char out[kIdentifyRequestBytes] = {};
    in[0] = static_cast<unsigned char>(drive);
    DWORD returned = 0;
    if (!DeviceIoControl(device_, Code(kIdentifyService), in, sizeof in, out, sizeof out, &returned, nullptr) ||
        returned != sizeof out)
        return false;
    std::memcpy(block, out + kIdentifyBlockOffset, kIdentifyBytes);
    return true;
}

bool DriverClient::DiskRequest(unsigned drive, IdeDiskRecord* out)
{
    if (!out || !IsOpen() || drive >= kIdeDrives) return false;
    unsigned char in[kDiskRequestBytes] = {};
    unsigned char answer[kDiskRequestBytes] = {};
    in[0] = static_cast<unsigned char>(drive);
    DWORD returned = 0;
    if (!DeviceIoControl(device_, Code(kDiskService), in, sizeof in, answer, sizeof answer, &returned, nullptr) ||
        returned != sizeof answer || DwordAt(answer) != drive)
        return false;
    out->cylinders = DwordAt(answer + 4);
    out->heads = DwordAt(answer + 8);
    out->sectorsPerTrack = DwordAt(answer + 12);
    out->totalSectors = DwordAt(answer + 16);
    out->bytesPerSector = DwordAt(answer + 20);
    return true;
}

}  // namespace bramble
