#include "bramble/probes/processor_probe.h"

namespace bramble {

const char kBcdSpeedVendor[] = "Intel Corporation";

unsigned SpeedFromWord(unsigned word, bool bcdVendor)
{
    word &= 0xFFFF;
    if (!bcdVendor)
        return word;
    unsigned value = 0;
    for (int shift = 12; shift >= 0; shift -= 4) {
        unsigned nibble = (word >> shift) & 0xF;
        if (nibble > 9)
            return word;  // not BCD: binary MHz
        value = value * 10 + nibble;
    }
    return value;
}

std::vector<ProcessorRow> ReadProcessors(const SmbiosBytes& table, const std::string& biosVendor)
{
    const bool bcd = biosVendor == kBcdSpeedVendor;
    std::vector<ProcessorRow> rows;
    SmbiosStructure s;
    for (unsigned n = 0; rows.size() < kMaxProcessorRows && FindStructure(table, 4, n, &s); n++) {
        auto status = ByteField(s, 0x18);
        if (!status || (*status & 0x40) == 0)
            continue;
        ProcessorRow row;
        row.index = static_cast<unsigned>(rows.size() + 1);
        row.type = ByteField(s, 0x05);
        row.family = ByteField(s, 0x06);
        if (row.family && *row.family == 0xFE) {
            // 0xFE sends the reader to the 16-bit family at 0x28.
            if (auto family2 = WordField(s, 0x28))
                row.family = *family2;
        }
        row.version = StringField(s, 0x10, kProcessorVersionBytes);
        if (auto speed = WordField(s, 0x14))
            row.maxSpeedMHz = SpeedFromWord(*speed, bcd);
        if (auto speed = WordField(s, 0x16))
            row.currentSpeedMHz = SpeedFromWord(*speed, bcd);
        row.upgrade = ByteField(s, 0x19);
        rows.push_back(row);
    }
    return rows;
}

}  // namespace bramble
