#include "bramble/probes/enclosure_probe.h"

namespace bramble {

EnclosureInfo ReadEnclosure(const SmbiosBytes& table, unsigned modelClass)
{
    EnclosureInfo enclosure;
    SmbiosStructure s;
    if (FindStructure(table, 3, 0, &s)) {
        enclosure.present = true;
        if (auto type = ByteField(s, 0x05)) {
            enclosure.type = *type & 0x7F;
            enclosure.locked = (*type & 0x80) != 0;
        }
        enclosure.assetTag = StringField(s, 0x08);
    }
    if (modelClass == 50)
        enclosure.type = 3;
    else if (modelClass == 51 || modelClass == 52)
        enclosure.type = 6;
    return enclosure;
}

}  // namespace bramble
