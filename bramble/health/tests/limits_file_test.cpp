// SLIMIT.DAT as models without the built-in configuration describe their
// monitor: missing keys, "Nothing", padded fields, names taken verbatim.
#include <gtest/gtest.h>

#include "bramble/health/health_config.h"
#include "bramble/health/limits_file.h"
#include "bramble/health/tests/health_test_files.h"

using namespace bramble;

TEST(LimitsFile, SensorsFactorsLimitsAndNames)
{
    health_test::TempInstall install("slimit");
    // A double-byte character in bytes 63 and 64: it does not fit.
    const std::string longName = "\"" + std::string(61, 'N') + "\x83\x41\"";
    ASSERT_TRUE(install.Write("SLIMIT.DAT",
                              "; a comment\r\n"
                              "[Calc_Health]\r\n"
                              "IN0=0006650000100000\r\n"
                              "in2 = 00000000000066500\r\n"  // any case, blanks, a long value
                              "IN3=00012.7500000009.9\r\n"   // decimals truncated
                              "IN4=Nothing\r\n"
                              "IN5=\r\n"                     // there, with factors 0
                              "TEMP=12\r\n"                  // a short value
                              "FAN_B=0000000000000000\r\n"
                              "CASE=0000000000000000\r\n"
                              "IN0=9999999999999999\r\n"     // the first occurrence counts
                              "[Calc_Limit]\r\n"
                              "IN0=****28****22\r\n"
                              "IN2=38    30\r\n"
                              "IN3=***-55******\r\n"
                              "TEMP=***131****41\r\n"
                              "FAN_B=**2000**9999\r\n"
                              "FAN_C=*\r\n"
                              "[Name_Health]\r\n"
                              "IN0HIGH=\"CPU Core Volt High Limit\"\r\n"
                              "IN0LOW='single'\r\n"
                              "IN0CURT=" + longName + "\r\n"
                              "IN2HIGH=plain text\r\n"));
    const HealthConfig c = ReadLimitsFile(LimitsFilePath(install.Dir().c_str()).c_str());

    const bool present[kHealthSensorCount] = {true, false, true, true, false, true, false, true, false, true, false, true};
    for (int s = 0; s < kHealthSensorCount; ++s)
        EXPECT_EQ(c.present[s], present[s]) << s;
    EXPECT_EQ(c.factor1[kSensorIn0], 66500);
    EXPECT_EQ(c.factor2[kSensorIn0], 100000);
    EXPECT_EQ(c.factor1[kSensorIn2], 0);
    EXPECT_EQ(c.factor2[kSensorIn2], 6650);  // characters 9-16 only
    EXPECT_EQ(c.factor1[kSensorIn3], 12);
    EXPECT_EQ(c.factor2[kSensorIn3], 9);
    EXPECT_EQ(c.factor1[kSensorTemp], 12);
    EXPECT_EQ(c.factor2[kSensorTemp], 0);
    EXPECT_TRUE(c.tempHighSupported);
    EXPECT_TRUE(c.tempLowSupported);

    EXPECT_EQ(c.defaults[kSensorIn0].high, 28);
    EXPECT_EQ(c.defaults[kSensorIn0].low, 22);
    EXPECT_EQ(c.defaults[kSensorIn2].high, 38);
    EXPECT_EQ(c.defaults[kSensorIn2].low, 30);
    EXPECT_EQ(c.defaults[kSensorIn3].high, -55);
    EXPECT_EQ(c.defaults[kSensorIn3].low, 0);
    EXPECT_EQ(c.defaults[kSensorIn4].high, 0);  // missing key: 0 and 0
    EXPECT_EQ(c.defaults[kSensorIn4].low, 0);
    EXPECT_EQ(c.defaults[kSensorTemp].high, 131);
    EXPECT_EQ(c.defaults[kSensorTemp].low, 41);
    EXPECT_EQ(c.defaults[kSensorFanB].low, 2000);
    EXPECT_EQ(c.defaults[kSensorFanB].high, 0);  // a fan has only its minimum
    EXPECT_EQ(c.defaults[kSensorFanC].low, 0);

    EXPECT_EQ(c.names[0].high, "\"CPU Core Volt High Limit\"");
    EXPECT_EQ(c.names[0].low, "'single'");
    EXPECT_EQ(c.names[0].current, "\"" + std::string(61, 'N'));
    EXPECT_EQ(c.names[2].high, "plain text");
    EXPECT_EQ(c.names[2].low, "");
    EXPECT_EQ(c.names[6].current, "");
}

TEST(LimitsFile, MissingFileMeansNoSensors)
{
    health_test::TempInstall install("noslimit");
    const HealthConfig c = ReadLimitsFile(LimitsFilePath(install.Dir().c_str()).c_str());
    for (int s = 0; s < kHealthSensorCount; ++s)
        EXPECT_FALSE(c.present[s]) << s;
    EXPECT_FALSE(c.tempHighSupported);
    for (const LimitPair& pair : c.defaults)
        EXPECT_TRUE(pair.low == 0 && pair.high == 0);

    // Models 50-52 never read it.
    ASSERT_TRUE(install.Write("SLIMIT.DAT", "[Calc_Health]\r\nIN0=0000000000000000\r\n"));
    EXPECT_FALSE(HealthConfigFor(50, install.Dir().c_str()).present[kSensorIn0]);
    EXPECT_TRUE(HealthConfigFor(49, install.Dir().c_str()).present[kSensorIn0]);
}
