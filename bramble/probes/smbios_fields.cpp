#include "bramble/probes/smbios_fields.h"

#include "common/cp932.h"

namespace bramble {

const char kNotAvailable[] = "N/A";

bool FindStructure(const SmbiosBytes& table, unsigned type, unsigned index, SmbiosStructure* out)
{
    if (table.data == nullptr || table.length == 0)
        return false;
    return smbios_find(table.data, table.length, type, index, out) != 0;
}

std::optional<std::string> RawStringField(const SmbiosStructure& s, unsigned offset)
{
    unsigned length = 0;
    const char* text = smbios_field_string(&s, offset, &length);
    if (text == nullptr)
        return std::nullopt;
    return std::string(text, length);
}

std::string StringField(const SmbiosStructure& s, unsigned offset, size_t maxBytes)
{
    unsigned length = 0;
    const char* text = smbios_field_string(&s, offset, &length);
    if (text == nullptr)
        return kNotAvailable;
    return std::string(text, cp932::PrefixBytes(text, length, maxBytes, cp932::kUnlimited));
}

std::optional<unsigned> ByteField(const SmbiosStructure& s, unsigned offset)
{
    unsigned value = 0;
    if (!smbios_byte(&s, offset, &value))
        return std::nullopt;
    return value;
}

std::optional<unsigned> WordField(const SmbiosStructure& s, unsigned offset)
{
    unsigned value = 0;
    if (!smbios_word(&s, offset, &value))
        return std::nullopt;
    return value;
}

}  // namespace bramble
