#include "bramble/probes/system_probe.h"

namespace bramble {

SystemInfo ReadSystem(const SmbiosBytes& table)
{
    SystemInfo system;
    SmbiosStructure s;
    if (!FindStructure(table, 1, 0, &s))
        return system;
    system.present = true;
    system.manufacturer = StringField(s, 0x04);
    system.product = StringField(s, 0x05, kProductStringBytes);
    system.version = StringField(s, 0x06);
    system.serialNumber = StringField(s, 0x07);
    return system;
}

}  // namespace bramble
