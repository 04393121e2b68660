#include "bramble/serving/ci_groups.h"

#include <cstdio>
#include <cstring>

#include "bramble/probes/bios_probe.h"
#include "bramble/probes/cache_probe.h"
#include "bramble/probes/enclosure_probe.h"
#include "bramble/probes/memory_probe.h"
#include "bramble/probes/model_class.h"
#include "bramble/probes/port_probe.h"
#include "bramble/probes/processor_probe.h"
#include "bramble/probes/slot_probe.h"
#include "bramble/probes/system_probe.h"
#include "bramble/serving/driver_client.h"
#include "bramble/serving/fru_table.h"

namespace bramble {
namespace ci {

void Row::Integer(uint32_t id, int64_t v)
{
    Value value;
    value.type = kTypeInteger;
    value.number = static_cast<int32_t>(v);
    attributes.emplace_back(id, value);
}

void Row::Wide(uint32_t id, int64_t v)
{
    Value value;
    value.type = kTypeWide;
    value.number = v;
    attributes.emplace_back(id, value);
}

void Row::Text(uint32_t id, const std::string& v)
{
    Value value;
    value.type = kTypeString;
    value.text = v;
    attributes.emplace_back(id, value);
}

void Row::Date(uint32_t id, const std::string& v)
{
    Value value;
    value.type = kTypeDate;
    value.text = v;
    attributes.emplace_back(id, value);
}

const Value* Row::Find(uint32_t id) const
{
    for (const auto& a : attributes)
        if (a.first == id) return &a.second;
    return nullptr;
}

namespace {

// Values that a structure leaves open: DMI's "Unknown" for enumerations.
constexpr unsigned kUnknown = 2;

bool DriverReader(std::vector<unsigned char>* table)
{
    DriverClient client;
    if (!client.Open()) return false;
    SmbiosCopy copy;
    if (!client.ReadTable(&copy)) return false;
    table->swap(copy.bytes);
    return true;
}

bool (*g_reader)(std::vector<unsigned char>*) = DriverReader;
std::vector<unsigned char> g_table;
bool g_haveTable = false;

bool Table(SmbiosBytes* out)
{
    if (!g_haveTable && !ReloadSmbiosTable()) return false;
    out->data = g_table.data();
    out->length = static_cast<unsigned>(g_table.size());
    return true;
}

}  // namespace

void SetTableReader(bool (*reader)(std::vector<unsigned char>*))
{
    g_reader = reader ? reader : DriverReader;
    g_table.clear();
    g_haveTable = false;
}

bool ReloadSmbiosTable()
{
    std::vector<unsigned char> fresh;
    if (!g_reader(&fresh) || fresh.empty() || fresh.size() > kMaxSmbiosTableSize) return g_haveTable;
    g_table.swap(fresh);
    g_haveTable = true;
    return true;
}

std::string DmiDate(const SYSTEMTIME& t, unsigned fractionMicros)
{
    char text[40];
    std::snprintf(text, sizeof text, "%04u%02u%02u%02u%02u%02u.%06u+***", t.wYear % 10000u, t.wMonth % 100u,
                  t.wDay % 100u, t.wHour % 100u, t.wMinute % 100u, t.wSecond % 100u, fractionMicros % 1000000u);
    return text;
}

bool ModelHasCdromOnIrq15()
{
    SmbiosBytes table;
    if (!Table(&table)) return false;
    return DeriveModelClass(ReadSystem(table).product).cdromOnIrq15;
}

bool ProbeSystem(Rows* rows)
{
    SmbiosBytes table;
    if (!ReloadSmbiosTable() || !Table(&table)) return false;
    const SystemInfo info = ReadSystem(table);
    if (!info.present) return false;
    Row row;
    row.key = 1;
    row.Text(1, info.manufacturer);
    row.Text(2, info.product);
    row.Text(3, info.version);
    row.Text(4, info.serialNumber);
    rows->assign(1, row);
    return true;
}

namespace {

// A registry text (bounded), or "N/A" when the key or value is missing.
std::string RegistryText(const char* path, const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return kNotAvailable;
    char buffer[512] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    const LONG status =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) return kNotAvailable;
    buffer[size < sizeof buffer ? size : sizeof buffer - 1] = '\0';
    return buffer;
}

}  // namespace

bool IsNt()
{
    return (GetVersion() & 0x80000000UL) == 0;
}

bool ProbeGeneral(Rows* rows)
{
    const char* current = IsNt() ? "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
                                 : "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    Row row;
    row.key = 1;
    row.Text(1, RegistryText("System\\CurrentControlSet\\Control\\ComputerName\\ComputerName", "ComputerName"));
    row.Text(2, RegistryText(current, "RegisteredOrganization"));
    row.Text(3, RegistryText(current, "RegisteredOwner"));

    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME nowFile;
    SYSTEMTIME boot = now;
    if (SystemTimeToFileTime(&now, &nowFile)) {
        ULARGE_INTEGER t;
        t.LowPart = nowFile.dwLowDateTime;
        t.HighPart = nowFile.dwHighDateTime;
        t.QuadPart -= static_cast<ULONGLONG>(GetTickCount()) * 10000ULL;  // 100 ns units
        FILETIME bootFile;
        bootFile.dwLowDateTime = t.LowPart;
        bootFile.dwHighDateTime = t.HighPart;
        if (!FileTimeToSystemTime(&bootFile, &boot)) boot = now;
    }
    row.Date(5, DmiDate(boot, 0));
    row.Date(6, DmiDate(now, now.wMilliseconds * 1000u));
    rows->assign(1, row);
    return true;
}

bool ProbeOperatingSystem(Rows* rows)
{
    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return false;
    std::string name = kNotAvailable, description = kNotAvailable;
    if (version.dwPlatformId == VER_PLATFORM_WIN32s) {
        name = "MS-Windows 3.1";
        description = "Microsoft Windows 3.1 Operating System";
    } else if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && version.dwMajorVersion == 4) {
        const bool is98 = version.dwMinorVersion >= 10;
        name = is98 ? "MS-Windows 98" : "MS-Windows 95";
        description = is98 ? "Microsoft Windows 98 Operating System" : "Microsoft Windows 95 Operating System";
    } else if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        name = "MS-Windows NT";
        description = "Microsoft Windows NT Operating System";
    }
    char number[32];
    std::snprintf(number, sizeof number, "%lu.%lu", static_cast<unsigned long>(version.dwMajorVersion),
                  static_cast<unsigned long>(version.dwMinorVersion));
    Row row;
    row.key = 1;
    row.Integer(1, 1);
    row.Text(2, name);
    row.Text(3, number);
    row.Integer(4, 1);
    row.Integer(5, 3);
    row.Integer(6, 1);
    row.Integer(7, 1);
    row.Text(8, description);
    rows->assign(1, row);
    return true;
}

bool ProbeBios(Rows* rows)
{
    SmbiosBytes table;
    if (!ReloadSmbiosTable() || !Table(&table)) return false;
    const BiosInfo info = ReadBios(table);
    if (!info.present) return false;
    Row row;
    row.key = 1;
    row.Text(2, info.vendor);
    row.Text(3, info.version);
    if (info.romSizeKB) row.Integer(4, *info.romSizeKB);
    if (info.startAddress) row.Wide(5, static_cast<int64_t>(*info.startAddress));
    row.Date(8, info.releaseDate);
    rows->assign(1, row);
    return true;
}

bool ProbeProcessors(Rows* rows)
{
    SmbiosBytes table;
    if (!ReloadSmbiosTable() || !Table(&table)) return false;
    const BiosInfo bios = ReadBios(table);
    rows->clear();
    for (const ProcessorRow& p : ReadProcessors(table, bios.vendor)) {
        Row row;
        row.key = p.index;
        row.Integer(1, p.index);
        row.Integer(2, p.type.value_or(kUnknown));
        row.Integer(3, p.family.value_or(kUnknown));
        row.Text(4, p.version);
        row.Integer(5, p.maxSpeedMHz.value_or(0));
        row.Integer(6, p.currentSpeedMHz.value_or(0));
        row.Integer(7, p.upgrade.value_or(kUnknown));
        rows->push_back(row);
    }
    return true;
}

bool ProbeMemoryController(Rows* rows)
{
    SmbiosBytes table;
    if (!ReloadSmbiosTable() || !Table(&table)) return false;
    const MemoryController mc = ReadMemoryController(table);
    rows->clear();
    if (!mc.present) return true;
    Row row;
    row.key = 1;
    row.Wide(4, static_cast<int64_t>(mc.maxModuleSizeMB.value_or(0)));
    row.Integer(6, mc.supportedInterleave.value_or(kUnknown));
    row.Integer(7, mc.currentInterleave.value_or(kUnknown));
    row.Text(9, mc.supportedSpeeds);
    row.Integer(10, mc.slots.value_or(0));
    rows->push_back(row);
    return true;
}

bool ProbeMemory(Rows* rows)
{
    MEMORYSTATUS status;
    std::memset(&status, 0, sizeof status);
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    const unsigned long totalKB = static_cast<unsigned long>(status.dwTotalPhys / 1024);
    Row row;
    row.key = 1;
    row.Integer(1, 640);
    row.Integer(2, 0);
    row.Integer(3, totalKB > 640 ? totalKB - 640 : 0);
    row.Integer(4, 0);
    row.Text(5, "EMM386.SYS");
    row.Text(6, kNotAvailable);
    row.Integer(7, 0);
    row.Integer(8, 0);
    row.Text(9, kNotAvailable);
    row.Text(10, kNotAvailable);
    row.Wide(11, 0);
    row.Integer(12, 0);
    row.Integer(13, 0);
    rows->assign(1, row);
    return true;
}

bool ProbeCaches(Rows* rows)
{
    SmbiosBytes table;
    if (!ReloadSmbiosTable() || !Table(&table)) return false;
    rows->clear();
    for (const CacheRow& c : ReadCaches(table)) {
        Row row;
        row.key = c.index;
        row.Integer(1, c.index);
        row.Integer(2, c.level.value_or(kUnknown));
        row.Integer(4, static_cast<int64_t>(c.maxSizeKB.value_or(0)));
        row.Integer(5, static_cast<int64_t>(c.installedSizeKB.value_or(0)));
        rows->push_back(row);
    }
    return true;
}

bool ProbeParallelPorts(Rows* rows)
{
    SmbiosBytes table;
    if (!ReloadSmbiosTable() || !Table(&table)) return false;
    rows->clear();
    for (const ParallelPortRow& p : ReadPortConnectors(table).parallel) {
        Row row;
        row.key = p.index;
        row.Integer(1, p.index);
        row.Wide(2, 0);  // the structures give no base address
        row.Integer(3, 0);
        row.Integer(5, p.connector);
        row.Integer(6, p.capability);
        rows->push_back(row);
    }
    return true;
}

bool ProbeSerialPorts(Rows* rows)
{
    SmbiosBytes table;
    if (!ReloadSmbiosTable() || !Table(&table)) return false;
    rows->clear();
    for (const SerialPortRow& p : ReadPortConnectors(table).serial) {
        Row row;
        row.key = p.index;
        row.Integer(1, p.index);
        row.Wide(2, 0);
        row.Integer(3, 0);
        row.Integer(5, p.connector);
        row.Integer(6, p.maxSpeed);
        rows->push_back(row);
    }
    return true;
}

bool ProbeEnclosure(Rows* rows)
{
    SmbiosBytes table;
    if (!ReloadSmbiosTable() || !Table(&table)) return false;
    const SystemInfo system = ReadSystem(table);
    const EnclosureInfo e = ReadEnclosure(table, DeriveModelClass(system.product).number);
    Row row;
    row.key = 1;
    row.Integer(1, e.type);
    row.Text(2, e.assetTag);
    rows->assign(1, row);
    return true;
}

bool ProbeSlots(Rows* rows)
{
    SmbiosBytes table;
    if (!ReloadSmbiosTable() || !Table(&table)) return false;
    rows->clear();
    for (const SlotRow& s : ReadSlots(table)) {
        Row row;
        row.key = s.index;
        row.Integer(1, s.index);
        row.Integer(2, s.currentUsage.value_or(kUnknown));
        rows->push_back(row);
    }
    return true;
}

// Group 7: how many port connector structures the table lists.
bool ProbePortCount(Rows* rows)
{
    SmbiosBytes table;
    if (!ReloadSmbiosTable() || !Table(&table)) return false;
    unsigned count = 0;
    SmbiosStructure s;
    while (FindStructure(table, 8, count, &s)) ++count;
    Row row;
    row.key = 1;
    row.Integer(1, count);
    rows->assign(1, row);
    return true;
}

bool ProbeVideoBios(Rows* rows)
{
    static const struct {
        unsigned second, third;
        const char* text;
    } kRows[] = {
        {1, 4, "The basic BIOS features for Video"},
        {1, 8, "The BIOS feature allows Shadowing Video BIOS in RAM"},
        {1, 5, "The standardized software interface to SVGA graphics modes"},
    };
    rows->clear();
    unsigned index = 1;
    for (const auto& r : kRows) {
        Row row;
        row.key = index;
        row.Integer(1, index);
        row.Integer(2, r.second);
        row.Integer(3, r.third);
        row.Text(4, r.text);
        rows->push_back(row);
        ++index;
    }
    return true;
}

// Group 30: one row per FRU record, keyed by its FRU index.
bool ProbeFru(Rows* rows)
{
    rows->clear();
    for (const auto& record : TheFruTable().records()) {
        Row row;
        row.key = static_cast<uint32_t>(record->fruIndex);
        row.Integer(kFruIndex, record->fruIndex);
        row.Integer(kFruDeviceGroup, record->deviceGroup);
        for (uint32_t id = kFruDescription; id <= kFruRevision; ++id) row.Text(id, *record->TextOf(id));
        row.Date(kFruWarrantyStart, record->warrantyStart);
        row.Integer(kFruWarrantyDuration, record->warrantyDuration);
        row.Text(kFruTelephone, record->telephone);
        rows->push_back(std::move(row));
    }
    return true;
}

}  // namespace ci
}  // namespace bramble
