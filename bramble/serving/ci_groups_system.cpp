// The groups that come from the operating system rather than the SMBIOS
// table: the IRQ table (13), the display (20), the partitions (25), the
// pointing device (28), the keyboard (29) and the standard ports (31).
#include <cstdio>
#include <cstring>

#include "bramble/probes/system_probe.h"
#include "bramble/serving/ci_groups.h"

namespace bramble {
namespace ci {

namespace {

// A text value of an open key, bounded; empty when missing or not a string.
std::string KeyText(HKEY key, const char* name)
{
    char buffer[512] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::string();
    if (size > sizeof buffer - 1) size = sizeof buffer - 1;
    buffer[size] = '\0';
    return std::string(buffer, std::strlen(buffer));
}

std::string RegistryText(HKEY root, const char* path, const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::string();
    std::string text = KeyText(key, name);
    RegCloseKey(key);
    return text;
}

// --- IRQ table ---------------------------------------------------------------

// Windows 95/98: each entry of the configuration manager's list names its
// hardware key, whose class and description tell the device.
bool ConfigManagerIrqs(std::vector<IrqDevice>* devices)
{
    if (IsNt()) return false;
    HKEY list;
    if (RegOpenKeyExA(HKEY_DYN_DATA, "Config Manager\\Enum", 0, KEY_READ, &list) != ERROR_SUCCESS) return false;
    constexpr DWORD kMaxEntries = 1024;
    for (DWORD i = 0; i < kMaxEntries; ++i) {
        char name[256];
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(list, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        HKEY entry;
        if (RegOpenKeyExA(list, name, 0, KEY_READ, &entry) != ERROR_SUCCESS) continue;
        const std::string hardware = KeyText(entry, "HardWareKey");
        unsigned char allocation[1024];
        DWORD size = sizeof allocation;
        DWORD type = 0;
        std::vector<unsigned> irqs;
        if (RegQueryValueExA(entry, "Allocation", nullptr, &type, allocation, &size) == ERROR_SUCCESS &&
            type == REG_BINARY)
            AllocationIrqs(allocation, size < sizeof allocation ? size : sizeof allocation, &irqs);
        RegCloseKey(entry);
        if (hardware.empty() || irqs.empty()) continue;
        const std::string path = "Enum\\" + hardware;
        IrqDevice device;
        device.deviceClass = RegistryText(HKEY_LOCAL_MACHINE, path.c_str(), "Class");
        device.description = RegistryText(HKEY_LOCAL_MACHINE, path.c_str(), "DeviceDesc");
        for (unsigned irq : irqs) {
            device.irq = irq;
            devices->push_back(device);
        }
    }
    RegCloseKey(list);
    return !devices->empty();
}

IrqSource g_irqSource = ConfigManagerIrqs;

enum : unsigned { kIrqAssigned = 1, kIrqReserved = 3, kIrqCdrom = 4 };

const char* const kIrqTexts[kIrqCount] = {
    "Timer Click", "Keyboard", "Reserved for EGA or VGA adapter", "COM2, COM4",
    "COM1, COM3", "LPT2", "Floppy Disk", "LPT1",
    "Real Time Clock", "Reserved for EGA or VGA adapter", "Reserved", "Reserved",
    "Mouse", "Math Coprocessor", "Fixed Disk", "Reserved",
};

bool SameText(const std::string& a, const char* b) { return lstrcmpiA(a.c_str(), b) == 0; }

// --- partitions --------------------------------------------------------------

// The extended free-space call (7303h) of the DOS services through VWIN32.
bool Vwin32Fat32Space(const char* root, uint64_t* totalBytes, uint64_t* freeBytes)
{
#pragma pack(push, 1)
    struct Registers {
        DWORD ebx, edx, ecx, eax, edi, esi, flags;
    };
    struct FreeSpace {
        WORD size, level;
        DWORD sectorsPerCluster, bytesPerSector, availableClusters, totalClusters;
        DWORD availablePhysical, totalPhysical, availableUnits, totalUnits;
        DWORD reserved[2];
    };
#pragma pack(pop)
    constexpr DWORD kDosDriveInfo = 6;
    constexpr DWORD kCarry = 1;
    HANDLE device = CreateFileA("\\\\.\\VWIN32", 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (device == INVALID_HANDLE_VALUE) return false;
    FreeSpace space;
    std::memset(&space, 0, sizeof space);
    Registers r{};
    r.eax = 0x7303;
    r.edx = static_cast<DWORD>(reinterpret_cast<uintptr_t>(root));
    r.edi = static_cast<DWORD>(reinterpret_cast<uintptr_t>(&space));
    r.ecx = sizeof space;
    r.flags = kCarry;
    DWORD returned = 0;
    const BOOL ok = DeviceIoControl(device, kDosDriveInfo, &r, sizeof r, &r, sizeof r, &returned, nullptr);
    CloseHandle(device);
    if (!ok || (r.flags & kCarry)) return false;
    const uint64_t cluster = static_cast<uint64_t>(space.sectorsPerCluster) * space.bytesPerSector;
    if (space.availableClusters > space.totalClusters) return false;
    *totalBytes = cluster * space.totalClusters;
    *freeBytes = cluster * space.availableClusters;
    return true;
}

Fat32SpaceReader g_fat32Reader = Vwin32Fat32Space;

constexpr size_t kMaxPartitions = 16;

unsigned FileSystemCode(const std::string& name)
{
    if (name == "FAT") return 3;
    if (name == "NTFS") return 5;
    if (name == "HPFS") return 4;
    return 2;
}

// --- pointing device ---------------------------------------------------------

// The FileVersion text of a file's version resource; "N/A" without one.
std::string FileVersionText(const std::string& path)
{
    if (path.empty()) return kNotAvailable;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    constexpr DWORD kMaxVersionInfo = 64 * 1024;
    if (size == 0 || size > kMaxVersionInfo) return kNotAvailable;
    std::vector<unsigned char> info(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, info.data())) return kNotAvailable;
    void* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &translation, &length) || !translation ||
        length < 4)
        return kNotAvailable;
    WORD language, codePage;
    std::memcpy(&language, translation, 2);
    std::memcpy(&codePage, static_cast<const char*>(translation) + 2, 2);
    char query[64];
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\FileVersion", language, codePage);
    void* text = nullptr;
    if (!VerQueryValueA(info.data(), query, &text, &length) || !text || length == 0) return kNotAvailable;
    const char* begin = static_cast<const char*>(text);
    const char* end = static_cast<const char*>(std::memchr(begin, '\0', length));
    return std::string(begin, end ? end : begin + length);
}

// --- standard ports ----------------------------------------------------------

unsigned DosDeviceState(const char* name)
{
    char target[1024];
    return QueryDosDeviceA(name, target, sizeof target) ? kPortPresent : 0;
}

PortStateReader g_portState = DosDeviceState;

}  // namespace

void SetPortStateReader(PortStateReader reader) { g_portState = reader ? reader : DosDeviceState; }

// Eight rows, COM1-COM4 then LPT1-LPT4: the group that describes the port
// (12 serial, 11 parallel), 4 for a present port and 3 otherwise, and 2 for
// a present port and 3 otherwise.
bool ProbeStandardPorts(Rows* rows)
{
    constexpr unsigned kSerialGroup = 12, kParallelGroup = 11;
    rows->clear();
    for (unsigned i = 0; i < kStandardPortCount; ++i) {
        const bool serial = i < 4;
        char name[8];
        std::snprintf(name, sizeof name, serial ? "COM%u" : "LPT%u", i % 4 + 1);
        const unsigned usage = g_portState(name) == kPortPresent ? 4 : 3;
        Row row;
        row.key = i + 1;
        row.Integer(1, i + 1);
        row.Integer(2, serial ? kSerialGroup : kParallelGroup);
        row.Integer(3, usage);
        row.Integer(4, usage == 4 ? 2 : 3);
        rows->push_back(row);
    }
    return true;
}

// The record is the configuration manager's resource layout: memory windows
// (9 bases, 9 lengths, 9 attributes), I/O ranges (20 bases, lengths and
// attributes), then the interrupt count and up to 7 interrupt numbers.
void AllocationIrqs(const unsigned char* data, size_t size, std::vector<unsigned>* irqs)
{
    constexpr size_t kMaxIrqs = 7;
    constexpr size_t kAt = kAllocationIrqCountOffset;
    if (!data || size < kAt + 2) return;
    const unsigned count = data[kAt] | (data[kAt + 1] << 8);
    for (size_t i = 0; i < count && i < kMaxIrqs && kAt + 2 + i < size; ++i) irqs->push_back(data[kAt + 2 + i]);
}

void SetIrqSource(IrqSource source) { g_irqSource = source ? source : ConfigManagerIrqs; }

void SetFat32SpaceReader(Fat32SpaceReader reader) { g_fat32Reader = reader ? reader : Vwin32Fat32Space; }

// Sixteen rows, IRQ 0-15, when the source lists any device; none otherwise
// (always none on Windows NT, whose source is empty). A port row becomes
// "Reserved" when no port device holds that interrupt; row 15 becomes
// "CD-ROM" for the marked models or when a CD-ROM holds it. Attributes: 1 the
// IRQ, 2 its status (1 assigned, 3 reserved, 4 CD-ROM), 3 how many listed
// devices hold it, 5 the description.
bool ProbeIrqs(Rows* rows)
{
    rows->clear();
    std::vector<IrqDevice> devices;
    if (!g_irqSource(&devices) || devices.empty()) return true;
    unsigned holders[kIrqCount] = {};
    bool port[kIrqCount] = {};
    bool cdrom = ModelHasCdromOnIrq15();
    for (const IrqDevice& d : devices) {
        if (d.irq >= kIrqCount) continue;
        ++holders[d.irq];
        if (SameText(d.deviceClass, "Ports")) port[d.irq] = true;
        if (d.irq == 15 && SameText(d.deviceClass, "CDROM")) cdrom = true;
    }
    static const unsigned kPortIrqs[] = {3, 4, 5, 7};
    for (unsigned irq = 0; irq < kIrqCount; ++irq) {
        std::string text = kIrqTexts[irq];
        unsigned status = text == "Reserved" ? kIrqReserved : kIrqAssigned;
        for (unsigned p : kPortIrqs)
            if (p == irq && !port[irq]) {
                text = "Reserved";
                status = kIrqReserved;
            }
        if (irq == 15 && cdrom) {
            text = "CD-ROM";
            status = kIrqCdrom;
        }
        Row row;
        row.key = irq + 1;
        row.Integer(1, irq);
        row.Integer(2, status);
        row.Integer(3, holders[irq]);
        row.Text(5, text);
        rows->push_back(row);
    }
    return true;
}

unsigned VesaMode(int width, int height, int bpp)
{
    switch (width + height) {
    case 320 + 200:
        return bpp == 2 ? 0x04 : bpp == 4 ? 0x0D : bpp == 8 ? 0x13 : bpp == 15 ? 0x10D : bpp == 16 ? 0x10E : 0x10F;
    case 640 + 200:
        return bpp == 1 ? 0x06 : bpp == 4 ? 0x0E : 0;
    case 640 + 350:
        return bpp == 4 ? 0x10 : 0x0F;
    case 640 + 400:
        return 0x100;
    case 640 + 480:
        return bpp == 1 ? 0x11 : bpp == 4 ? 0x12 : bpp == 8 ? 0x101 : bpp == 15 ? 0x110 : bpp == 16 ? 0x111 : 0x112;
    case 800 + 600:
        return bpp == 4 ? 0x102 : bpp == 8 ? 0x103 : bpp == 15 ? 0x113 : bpp == 16 ? 0x114 : 0x115;
    case 1024 + 768:
        return bpp == 4 ? 0x104 : bpp == 8 ? 0x105 : bpp == 15 ? 0x116 : bpp == 16 ? 0x117 : 0x118;
    case 1280 + 1024:
        return bpp == 4 ? 0x106 : bpp == 8 ? 0x107 : bpp == 15 ? 0x119 : bpp == 16 ? 0x11A : 0x11B;
    default:
        return 0;
    }
}

// The screen's mode from its device context. Attribute 9 is the vertical
// refresh rate in Hz (0 when the driver does not tell it).
bool ProbeDisplay(Rows* rows)
{
    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    const int width = GetDeviceCaps(screen, HORZRES);
    const int height = GetDeviceCaps(screen, VERTRES);
    const int bpp = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    const int refresh = GetDeviceCaps(screen, VREFRESH);
    ReleaseDC(nullptr, screen);
    if (width <= 0 || height <= 0 || bpp <= 0) return false;
    Row row;
    row.key = 1;
    row.Integer(2, 6);
    row.Integer(3, VesaMode(width, height, bpp));
    row.Integer(9, refresh > 1 ? refresh : 0);  // 0 and 1 mean the hardware default
    row.Integer(10, height);
    row.Integer(11, width);
    row.Integer(12, bpp);
    row.Integer(13, 0);
    row.Integer(14, 0);
    rows->assign(1, row);
    return true;
}

void VolumeSizesKB(const char* root, const std::string& fileSystem, bool nt, int64_t* totalKB, int64_t* freeKB)
{
    *totalKB = 0;
    *freeKB = 0;
    if (!nt && fileSystem == "FAT32") {
        uint64_t total = 0, free = 0;
        if (g_fat32Reader(root, &total, &free) && free <= total) {
            *totalKB = static_cast<int64_t>(total / 1024);
            *freeKB = static_cast<int64_t>(free / 1024);
        }
        return;
    }
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)) return;
    if (freeClusters > totalClusters) return;
    const uint64_t cluster = static_cast<uint64_t>(sectorsPerCluster) * bytesPerSector;
    *totalKB = static_cast<int64_t>(cluster * totalClusters / 1024);
    *freeKB = static_cast<int64_t>(cluster * freeClusters / 1024);
}

// The fixed drives C: to Z:, in letter order, at most 16 rows.
bool ProbePartitions(Rows* rows)
{
    rows->clear();
    const bool nt = IsNt();
    for (char letter = 'C'; letter <= 'Z' && rows->size() < kMaxPartitions; ++letter) {
        const char root[] = {letter, ':', '\\', '\0'};
        if (GetDriveTypeA(root) != DRIVE_FIXED) continue;
        char label[MAX_PATH + 1] = {};
        char fileSystem[MAX_PATH + 1] = {};
        DWORD serial = 0;
        if (!GetVolumeInformationA(root, label, MAX_PATH, &serial, nullptr, nullptr, fileSystem, MAX_PATH)) {
            label[0] = '\0';
            fileSystem[0] = '\0';
            serial = 0;
        }
        label[MAX_PATH] = '\0';
        fileSystem[MAX_PATH] = '\0';
        int64_t totalKB = 0, freeKB = 0;
        VolumeSizesKB(root, fileSystem, nt, &totalKB, &freeKB);
        char labelText[MAX_PATH + 16];
        std::snprintf(labelText, sizeof labelText, "%s %lX", label, static_cast<unsigned long>(serial));
        Row row;
        row.key = static_cast<uint32_t>(rows->size() + 1);
        row.Integer(1, row.key);
        row.Text(2, std::string(1, letter));
        row.Wide(3, totalKB);
        row.Wide(4, freeKB);
        row.Text(5, labelText);
        row.Integer(6, FileSystemCode(fileSystem));
        rows->push_back(row);
    }
    return true;
}

// The mouse driver: the [boot] entry of system.ini on Windows 95/98, the
// system directory's MOUSE.DRV on NT. Attribute 7 is the number of buttons.
bool ProbePointingDevice(Rows* rows)
{
    std::string driver;
    if (IsNt()) {
        const std::string base =
            RegistryText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "PathName");
        if (!base.empty()) driver = base + "\\SYSTEM32\\MOUSE.DRV";
    } else {
        char buffer[MAX_PATH + 1] = {};
        GetPrivateProfileStringA("boot", "mouse.drv", "", buffer, MAX_PATH, "system.ini");
        buffer[MAX_PATH] = '\0';
        driver = buffer;
    }
    const int buttons = GetSystemMetrics(SM_CMOUSEBUTTONS);
    Row row;
    row.key = 1;
    row.Text(5, driver.empty() ? std::string(kNotAvailable) : driver);
    row.Text(6, FileVersionText(driver));
    row.Integer(7, buttons > 0 ? buttons : 0);
    rows->assign(1, row);
    return true;
}

// The keyboard's description from the class key or the enumerator's key;
// attribute 4 is the keyboard type that the system reports.
bool ProbeKeyboard(Rows* rows)
{
    std::string text =
        RegistryText(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Class\\Keyboard\\0000", "DriverDesc");
    if (text.empty())
        text = RegistryText(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Enum\\Root\\*PNP0320\\1_0_22_0_32_0",
                            "DeviceDesc");
    const int type = GetKeyboardType(0);
    Row row;
    row.key = 1;
    row.Text(2, text.empty() ? std::string(kNotAvailable) : text);
    row.Integer(4, type > 0 ? type : 0);
    rows->assign(1, row);
    return true;
}

}  // namespace ci
}  // namespace bramble
