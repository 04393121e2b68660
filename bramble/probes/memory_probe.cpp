#include "bramble/probes/memory_probe.h"

namespace bramble {

namespace {

std::optional<unsigned long> ModuleSizeMB(std::optional<unsigned> field)
{
    if (!field)
        return std::nullopt;
    const unsigned n = *field & 0x7F;
    if (n == 0x7D)
        return std::nullopt;  // not determinable
    if (n == 0x7E || n == 0x7F)
        return 0;  // disabled, not installed
    if (n > 31)
        return std::nullopt;  // beyond anything a 32-bit count holds
    return 1ul << n;
}

}  // namespace

std::string SupportedSpeedsText(unsigned word)
{
    static const struct {
        unsigned bit;
        const char* text;
    } kSpeeds[] = {{2, "70ns"}, {3, "60ns"}, {4, "50ns"}};
    std::string text;
    for (const auto& speed : kSpeeds) {
        if ((word >> speed.bit) & 1) {
            if (!text.empty())
                text += " / ";
            text += speed.text;
        }
    }
    return text.empty() ? std::string(kNotAvailable) : text;
}

MemoryController ReadMemoryController(const SmbiosBytes& table)
{
    MemoryController mc;
    SmbiosStructure s;
    if (!FindStructure(table, 5, 0, &s))
        return mc;
    mc.present = true;
    mc.errorDetecting = ByteField(s, 0x04);
    mc.errorCorrecting = ByteField(s, 0x05);
    mc.supportedInterleave = ByteField(s, 0x06);
    mc.currentInterleave = ByteField(s, 0x07);
    if (auto size = ByteField(s, 0x08))
        if (*size < 32)
            mc.maxModuleSizeMB = 1ul << *size;
    if (auto speeds = WordField(s, 0x09))
        mc.supportedSpeeds = SupportedSpeedsText(*speeds);
    mc.slots = ByteField(s, 0x0E);
    return mc;
}

std::vector<MemoryModule> ReadMemoryModules(const SmbiosBytes& table)
{
    std::vector<MemoryModule> modules;
    SmbiosStructure s;
    for (unsigned n = 0; FindStructure(table, 6, n, &s); n++) {
        MemoryModule m;
        m.index = n + 1;
        m.designation = StringField(s, 0x04);
        m.currentSpeedNs = ByteField(s, 0x06);
        m.installedSizeMB = ModuleSizeMB(ByteField(s, 0x09));
        m.enabledSizeMB = ModuleSizeMB(ByteField(s, 0x0A));
        modules.push_back(m);
    }
    return modules;
}

}  // namespace bramble
