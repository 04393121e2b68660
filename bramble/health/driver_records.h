// The records the hardware-monitor driver takes and gives, little-endian:
//   configure (144 bytes): per sensor in order, presence, factor 1, factor 2;
//   limits (502 bytes, sent and given back): 16-bit values, IN0-IN6 high then
//     low, the temperature high then low in degrees Celsius, the minimum speeds
//     of FAN_A-FAN_C, then 1; the rest zero;
//   readings (30 bytes): 16-bit current values of IN0-IN6, the temperature and
//     the three fans, a 32-bit status word (bit 28: the case was opened), then
//     the alarm and unavailable words (both 0xFFFF: not ready yet).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bramble/health/health_config.h"

namespace bramble {

constexpr size_t kConfigureRecordBytes = 144;
constexpr size_t kLimitsRecordBytes = 502;
constexpr size_t kReadingsRecordBytes = 30;

std::vector<uint8_t> ConfigureRecord(const HealthConfig& config);
std::vector<uint8_t> LimitsRecord(const LimitPair (&limits)[kLimitPairCount]);

// Current values by reading index: IN0-IN6 (0-6), TEMP (7), FAN_A-FAN_C (8-10).
constexpr int kReadingCount = 11;

struct HealthReadings {
    uint16_t values[kReadingCount] = {};
    uint32_t status = 0;
    uint16_t alarm = 0;
    uint16_t unavailable = 0;

    bool CaseOpened() const { return (status >> 28) & 1; }
    bool NotReady() const { return alarm == 0xFFFF && unavailable == 0xFFFF; }
};

// The readings in bytes[0, size); false when the record is short.
bool ParseReadings(const uint8_t* bytes, size_t size, HealthReadings* out);

}  // namespace bramble
