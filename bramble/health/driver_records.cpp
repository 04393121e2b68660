#include "bramble/health/driver_records.h"

#include "bramble/health/health_units.h"
#include "common/byte_fields.h"

namespace bramble {

namespace {

void PutShort(std::vector<uint8_t>* record, size_t index, int32_t value)
{
    // The monitor's registers are 16 bits wide: the low 16 bits go.
    (*record)[2 * index] = static_cast<uint8_t>(value & 0xFF);
    (*record)[2 * index + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

uint16_t ShortAt(const uint8_t* bytes, size_t offset)
{
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

}  // namespace

std::vector<uint8_t> ConfigureRecord(const HealthConfig& config)
{
    std::vector<uint8_t> record(kConfigureRecordBytes, 0);
    for (int s = 0; s < kHealthSensorCount; ++s) {
        le::PutWord(record.data(), 12 * s, config.present[s] ? 1 : 0);
        le::PutWord(record.data(), 12 * s + 4, static_cast<uint32_t>(config.factor1[s]));
        le::PutWord(record.data(), 12 * s + 8, static_cast<uint32_t>(config.factor2[s]));
    }
    return record;
}

std::vector<uint8_t> LimitsRecord(const LimitPair (&limits)[kLimitPairCount])
{
    std::vector<uint8_t> record(kLimitsRecordBytes, 0);
    size_t index = 0;
    for (int s = kSensorIn0; s <= kSensorIn6; ++s) {
        PutShort(&record, index++, limits[s].high);
        PutShort(&record, index++, limits[s].low);
    }
    PutShort(&record, index++, FahrenheitToCelsius(limits[kSensorTemp].high));
    PutShort(&record, index++, FahrenheitToCelsius(limits[kSensorTemp].low));
    for (int s = kSensorFanA; s <= kSensorFanC; ++s)
        PutShort(&record, index++, limits[s].low);
    PutShort(&record, index, 1);
    return record;
}

bool ParseReadings(const uint8_t* bytes, size_t size, HealthReadings* out)
{
    if (!bytes || size < kReadingsRecordBytes)
        return false;
    HealthReadings readings;
    for (int i = 0; i < kReadingCount; ++i)
        readings.values[i] = ShortAt(bytes, 2 * i);
    readings.status = le::Word(bytes, 22);
    readings.alarm = ShortAt(bytes, 26);
    readings.unavailable = ShortAt(bytes, 28);
    *out = readings;
    return true;
}

}  // namespace bramble
