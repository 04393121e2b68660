#include "bramble/probes/bios_probe.h"

#include <cstring>

namespace bramble {

const char kNoDmiDate[] = "00000000000000.000000+000";

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads a run of 1..maxDigits digits at text[*pos], moving *pos past them.
bool ReadNumber(const char* text, size_t* pos, size_t maxDigits, std::string* digits)
{
    size_t start = *pos;
    while (IsDigit(text[*pos]) && *pos - start < maxDigits)
        ++*pos;
    if (*pos == start || IsDigit(text[*pos]))
        return false;
    digits->assign(text + start, *pos - start);
    return true;
}

std::string TwoDigits(const std::string& digits)
{
    return digits.size() == 1 ? "0" + digits : digits;
}

}  // namespace

std::string DmiDateFromReleaseDate(const char* text)
{
    if (text == nullptr)
        return kNoDmiDate;
    std::string month, day, year;
    size_t pos = 0;
    if (!ReadNumber(text, &pos, 2, &month) || text[pos++] != '/')
        return kNoDmiDate;
    if (!ReadNumber(text, &pos, 2, &day) || text[pos++] != '/')
        return kNoDmiDate;
    if (!ReadNumber(text, &pos, 4, &year))
        return kNoDmiDate;
    while (text[pos] == ' ')  // some tables pad their strings with blanks
        ++pos;
    if (text[pos] != '\0')
        return kNoDmiDate;
    if (year.size() == 2)
        year = (year[0] == '9' ? "19" : "20") + year;
    else if (year.size() != 4)
        return kNoDmiDate;
    return year + TwoDigits(month) + TwoDigits(day) + "000000.000000+000";
}

BiosInfo ReadBios(const SmbiosBytes& table)
{
    BiosInfo bios;
    SmbiosStructure s;
    if (!FindStructure(table, 0, 0, &s))
        return bios;
    bios.present = true;
    bios.vendor = StringField(s, 0x04);
    bios.version = StringField(s, 0x05);
    if (auto segment = WordField(s, 0x06))
        bios.startAddress = static_cast<unsigned long>(*segment) * 16;
    std::optional<std::string> date = RawStringField(s, 0x08);
    bios.releaseDate = DmiDateFromReleaseDate(date ? date->c_str() : nullptr);
    if (auto size = ByteField(s, 0x09)) {
        auto extended = WordField(s, 0x18);
        if (*size == 0xFF && extended) {
            // Tables of 16 MB ROMs and more give the size in the extended
            // word: bits 13:0 the size, bits 15:14 its unit (0 MB, 1 GB).
            unsigned long amount = *extended & 0x3FFF;
            unsigned unit = *extended >> 14;
            if (unit == 0)
                bios.romSizeKB = static_cast<unsigned>(amount * 1024);
            else if (unit == 1 && amount < 4096)
                bios.romSizeKB = static_cast<unsigned>(amount * 1024 * 1024);
        } else {
            bios.romSizeKB = (*size + 1) * 64;
        }
    }
    return bios;
}

}  // namespace bramble
