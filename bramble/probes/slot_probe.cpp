#include "bramble/probes/slot_probe.h"

namespace bramble {

std::vector<SlotRow> ReadSlots(const SmbiosBytes& table)
{
    std::vector<SlotRow> rows;
    SmbiosStructure s;
    for (unsigned n = 0; FindStructure(table, 9, n, &s); n++) {
        SlotRow row;
        row.index = n + 1;
        row.designation = StringField(s, 0x04);
        row.type = ByteField(s, 0x05);
        row.dataBusWidth = ByteField(s, 0x06);
        row.currentUsage = ByteField(s, 0x07);
        row.length = ByteField(s, 0x08);
        row.id = WordField(s, 0x09);
        rows.push_back(row);
    }
    return rows;
}

}  // namespace bramble
