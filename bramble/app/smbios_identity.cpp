#include "bramble/app/smbios_identity.h"

#include "bramble/probes/model_class.h"
#include "bramble/probes/port_probe.h"
#include "bramble/probes/system_probe.h"

namespace bramble {
namespace {

// Control codes: a small service number for the VxD, a device control code
// for the NT driver.
DWORD Code(PlatformKind kind, DWORD service, DWORD ntCode)
{
    return kind == kPlatformWindowsNt ? ntCode : service;
}

constexpr DWORD kMaxTableBytes = 1024 * 1024;

}  // namespace

bool ReadSmbiosTable(HANDLE driver, PlatformKind kind, std::vector<unsigned char>* table)
{
    if (driver == INVALID_HANDLE_VALUE || driver == nullptr)
        return false;
    unsigned char info[16] = {};
    DWORD got = 0;
    if (!::DeviceIoControl(driver, Code(kind, 11, 0x8000202C), nullptr, 0, info, sizeof info, &got, nullptr) ||
        got < 4)
        return false;
    DWORD size = info[0] | info[1] << 8 | info[2] << 16 | static_cast<DWORD>(info[3]) << 24;
    if (size == 0 || size > kMaxTableBytes)
        return false;
    table->assign(size, 0);
    got = 0;
    if (!::DeviceIoControl(driver, Code(kind, 12, 0x80002030), nullptr, 0, table->data(), size, &got, nullptr))
        return false;
    table->resize(got < size ? got : size);
    return !table->empty();
}

Identity IdentityFromTable(const std::vector<unsigned char>& table)
{
    Identity identity;
    SmbiosBytes bytes;
    bytes.data = table.data();
    bytes.length = static_cast<unsigned>(table.size());
    SystemInfo system = ReadSystem(bytes);
    identity.product = system.product;
    identity.modelClass = DeriveModelClass(system.product).number;
    PortConnectors ports = ReadPortConnectors(bytes);
    identity.parallelPort = ports.hasParallel();
    identity.serialPort = ports.hasSerial();
    return identity;
}

bool ReadIdentity(HANDLE driver, PlatformKind kind, Identity* identity)
{
    std::vector<unsigned char> table;
    if (!ReadSmbiosTable(driver, kind, &table))
        return false;
    *identity = IdentityFromTable(table);
    DWORD got = 0;
    identity->healthConfigured =
        ::DeviceIoControl(driver, Code(kind, 14, 0x80002038), nullptr, 0, nullptr, 0, &got, nullptr) != FALSE;
    return true;
}

}  // namespace bramble
