// The rounding of temperatures, the voltage texts at their edges, and the
// byte layout of the configure and limits records.
#include <gtest/gtest.h>

#include <cstring>

#include "bramble/health/driver_records.h"
#include "bramble/health/health_config.h"
#include "bramble/health/health_units.h"

using namespace bramble;

TEST(HealthUnits, TemperaturesRoundToNearestWithHalvesTowardZero)
{
    EXPECT_EQ(RoundedQuotient(5, 2), 2);
    EXPECT_EQ(RoundedQuotient(-5, 2), -2);
    EXPECT_EQ(RoundedQuotient(-8, 3), -3);
    EXPECT_EQ(FahrenheitToCelsius(31), -1);  // -0.56
    EXPECT_EQ(FahrenheitToCelsius(0), -18);  // -17.8
    EXPECT_EQ(CelsiusToFahrenheit(-3), 27);  // 26.6
    EXPECT_EQ(CelsiusToFahrenheit(-1), 30);  // 30.2
    // Values from a damaged file do not overflow.
    EXPECT_EQ(CelsiusToFahrenheit(INT32_MAX), INT32_MAX);
    EXPECT_LT(FahrenheitToCelsius(INT32_MIN), 0);
}

TEST(HealthUnits, VoltageTextsBothWays)
{
    EXPECT_EQ(VoltageText(1), "0.1");
    EXPECT_EQ(VoltageText(256), "25.6");

    const struct {
        const char* text;
        int32_t raw;
    } accepted[] = {{"3.3", 33},   {"+5.75", 57}, {"12", 120},       {"0.1", 1},     {".5", 5},
                    {"1.", 10},    {"099.99", 999}, {"1234567", 1000}, {"100.0", 1000}, {"+0.19", 1}};
    for (const auto& a : accepted) {
        int32_t raw = -1;
        EXPECT_TRUE(ParseVoltageText(a.text, std::strlen(a.text), &raw)) << a.text;
        EXPECT_EQ(raw, a.raw) << a.text;
    }
    const char* const refused[] = {"",    "0",    "0.0",  "-0",  "00.00", "12345678", "5-5", "+-5", "1.2.3",
                                   "-12.5", "-3", "0.05", "0.09", "abc",  " 3.3",     "3,3", "+",   "."};
    for (const char* text : refused) {
        int32_t raw = -1;
        EXPECT_FALSE(ParseVoltageText(text, std::strlen(text), &raw)) << text;
        EXPECT_EQ(raw, -1) << text;
    }
    // Only the given length is read.
    int32_t raw = 0;
    EXPECT_TRUE(ParseVoltageText("3.3junk", 3, &raw));
    EXPECT_EQ(raw, 33);
}

namespace {

uint16_t ShortAt(const std::vector<uint8_t>& r, size_t index)
{
    return static_cast<uint16_t>(r[2 * index] | (r[2 * index + 1] << 8));
}

uint32_t WordAt(const std::vector<uint8_t>& r, size_t offset)
{
    uint32_t v;
    std::memcpy(&v, r.data() + offset, 4);
    return v;
}

}  // namespace

TEST(HealthRecords, FixedModelsConfigureAndLimitsRecords)
{
    // presence, factor 1, factor 2 per sensor, IN0 to CASE.
    const uint32_t expected[kHealthSensorCount][3] = {
        {0, 0, 0},           {0, 0, 0},          {1, 0, 0},           {1, 66500, 100000},
        {1, 232000, 90900},  {1, 232000, 66500}, {1, 100000, 66500},  {1, 0, 0},
        {0, 0, 0},           {0, 0, 0},          {0, 0, 0},           {1, 0, 0}};
    for (unsigned model : {50u, 51u, 52u}) {
        const std::vector<uint8_t> record = ConfigureRecord(FixedHealthConfig(model));
        ASSERT_EQ(record.size(), 144u);
        for (int s = 0; s < kHealthSensorCount; ++s) {
            const uint32_t presence = s == kSensorCase && model != 51 ? 0 : expected[s][0];
            EXPECT_EQ(WordAt(record, 12 * s), presence) << model << " sensor " << s;
            EXPECT_EQ(WordAt(record, 12 * s + 4), expected[s][1]) << model << " sensor " << s;
            EXPECT_EQ(WordAt(record, 12 * s + 8), expected[s][2]) << model << " sensor " << s;
        }
    }

    HealthConfig config = FixedHealthConfig(51);
    config.defaults[kSensorTemp].low = -40;  // below freezing in both scales
    config.defaults[kSensorFanB].low = 2500;
    config.defaults[kSensorFanB].high = 7777;  // not the fan's
    config.defaults[11] = {5, 6};             // the pairs no sensor uses
    config.defaults[12] = {7, 8};
    const std::vector<uint8_t> limits = LimitsRecord(config.defaults);
    ASSERT_EQ(limits.size(), 502u);
    const int16_t words[] = {0, 0, 0, 0, 38, 30, 55, 45, 132, 108, 132, 108, 55, 45, 43, -40, 0, 2500, 0, 1};
    for (size_t i = 0; i < sizeof words / sizeof words[0]; ++i)
        EXPECT_EQ(ShortAt(limits, i), static_cast<uint16_t>(words[i])) << "word " << i;
    for (size_t i = 40; i < limits.size(); ++i)
        ASSERT_EQ(limits[i], 0) << "byte " << i;
}
