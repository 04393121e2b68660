#include "bramble/probes/cache_probe.h"

namespace bramble {

namespace {

std::optional<unsigned long> DwordField(const SmbiosStructure& s, unsigned offset)
{
    unsigned long value = 0;
    if (!smbios_dword(&s, offset, &value))
        return std::nullopt;
    return value;
}

unsigned long Times64(unsigned long units)
{
    const unsigned long largest = 0xFFFFFFFFul;
    return units > largest / 64 ? largest : units * 64;
}

}  // namespace

unsigned long CacheSizeKB(unsigned word, std::optional<unsigned long> size2)
{
    if (word == 0xFFFF && size2) {
        unsigned long units = *size2 & 0x7FFFFFFFul;
        return (*size2 & 0x80000000ul) ? Times64(units) : units;
    }
    unsigned long units = word & 0x7FFF;
    return (word & 0x8000) ? Times64(units) : units;
}

std::vector<CacheRow> ReadCaches(const SmbiosBytes& table)
{
    std::vector<CacheRow> rows;
    SmbiosStructure s;
    for (unsigned n = 0; FindStructure(table, 7, n, &s); n++) {
        CacheRow row;
        row.index = n + 1;
        row.designation = StringField(s, 0x04);
        if (auto config = WordField(s, 0x05)) {
            row.level = (*config & 0x7) + 1;
            row.enabled = (*config & 0x80) != 0;
        }
        if (auto word = WordField(s, 0x07))
            row.maxSizeKB = CacheSizeKB(*word, DwordField(s, 0x13));
        if (auto word = WordField(s, 0x09))
            row.installedSizeKB = CacheSizeKB(*word, DwordField(s, 0x17));
        row.errorCorrection = ByteField(s, 0x10);
        row.systemCacheType = ByteField(s, 0x11);
        row.associativity = ByteField(s, 0x12);
        rows.push_back(row);
    }
    return rows;
}

}  // namespace bramble
