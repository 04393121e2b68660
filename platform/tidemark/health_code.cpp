#include "platform/tidemark/health_code.h"

namespace tidemark {

namespace {

// The two bits of each group in the low byte of a code.
const uint32_t kGroupMasks[] = {0x03, 0x0C, 0x30};

}  // namespace

bool MergeHealthCode(uint32_t groups, unsigned long code, uint32_t* merged)
{
    if (code == 0 || code == kHealthBase) {
        *merged = 0;
        return true;
    }
    if ((code & ~0xFFul) != kHealthBase)
        return false;
    const uint32_t low = code & 0xFF;
    const uint32_t clearSelector = low >> 6;   // 1 temperature, 2 fan, 3 voltage
    const uint32_t groupBits = low & kHealthGroupBits;
    if (clearSelector != 0) {
        if (groupBits != 0)
            return false;
        *merged = (groups & kHealthGroupBits) & ~kGroupMasks[clearSelector - 1];
        return true;
    }
    uint32_t result = groups & kHealthGroupBits;
    for (uint32_t mask : kGroupMasks) {
        if (groupBits & mask)
            result = (result & ~mask) | (groupBits & mask);
    }
    *merged = result;
    return true;
}

unsigned long HealthCodeOf(uint32_t groups)
{
    return kHealthBase | (groups & kHealthGroupBits);
}

}  // namespace tidemark
