// Group 32 through the real chain on a fresh desk: bramble started on the
// testbed PC, the service layer's side of the bridge asking and setting, the
// desk's driver taking limits and giving readings from the testbed profile.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "bramble/app/tests/bramble_desk.h"
#include "bramble/health/health_units.h"
#include "harness/harness.h"
#include "platform/dmi/bridge_client.h"
#include "platform/dmi/mif_database.h"
#include "platform/dmi/mif_parser.h"

using namespace bramble_desk;

namespace {

const char kProfile[] = "C:\\TESTBED\\machine.ini";
const char kMifFolder[] = "C:\\DMI\\db\\mifs";
const char kMif[] = "C:\\DMI\\db\\mifs\\pcmif.mif";
constexpr uint32_t kGroup = 32;
constexpr DWORD kTimeoutMs = 8000;

class HealthDesk : public ::testing::Test {
protected:
    void StartBramble()
    {
        bramble_ = Start();
        ASSERT_TRUE(bramble_.valid());
        ASSERT_NE(WaitUntilServing(bramble_.id()), nullptr);
    }
    // The monitor keys given go in front of the profile's own (the first
    // occurrence of a key counts); the driver reads them at its next call.
    void MonitorSays(const std::string& keys)
    {
        if (original_.empty())
            original_ = harness::readFile(kProfile).value_or("");
        ASSERT_FALSE(original_.empty());
        ASSERT_TRUE(harness::writeFile(kProfile, "[HardwareMonitor]\r\n" + keys + original_));
    }
    uint32_t Get(uint32_t attribute, MifAnswer* answer)
    {
        return service::BridgeGet(1, kGroup, attribute, nullptr, 0, kTimeoutMs, answer);
    }
    int32_t Integer(uint32_t attribute)
    {
        MifAnswer a;
        EXPECT_EQ(Get(attribute, &a), 0u) << attribute;
        EXPECT_EQ(a.type, dmi::kInteger) << attribute;
        return static_cast<int32_t>(a.value32);
    }
    std::string Text(uint32_t attribute)
    {
        MifAnswer a;
        EXPECT_EQ(Get(attribute, &a), 0u) << attribute;
        EXPECT_EQ(a.type, dmi::kDisplayString) << attribute;
        return a.bytes;
    }
    uint32_t SetInteger(uint32_t attribute, int32_t value)
    {
        uint32_t result = 99;
        EXPECT_EQ(service::BridgeSet(1, kGroup, attribute, nullptr, 0, &value, 4, kTimeoutMs, &result), 0u);
        return result;
    }
    uint32_t SetText(uint32_t attribute, const std::string& text)
    {
        std::string value(4, '\0');
        const uint32_t length = static_cast<uint32_t>(text.size());
        std::memcpy(&value[0], &length, 4);
        value += text;
        uint32_t result = 99;
        EXPECT_EQ(service::BridgeSet(1, kGroup, attribute, nullptr, 0, value.data(), value.size(), kTimeoutMs,
                                     &result),
                  0u);
        return result;
    }
    std::string HealthFile() { return harness::readFile(kHealthFile).value_or(""); }
    // Word i of the stored object: pair i / 2 (low, high), the flag at 26.
    static int32_t Stored(const std::string& file, size_t i)
    {
        int32_t v = 0;
        if (file.size() == 130)
            std::memcpy(&v, file.data() + 22 + 4 * i, 4);
        return v;
    }
    // The generated MIF, loaded by the service layer's database and parsed.
    std::string GeneratedMif(MifComponent* component)
    {
        MifDatabase database;
        EXPECT_TRUE(database.LoadFolder(kMifFolder));
        for (const MifLoadError& e : database.LoadErrors())
            ADD_FAILURE() << e.fileName << ":" << e.line << ": " << e.message;
        std::string text = harness::readFile(kMif).value_or("");
        MifParseError error;
        EXPECT_TRUE(ParseMif(text.data(), text.size(), component, &error)) << error.line << ": " << error.message;
        return text;
    }
    static const MifAttribute* HealthAttribute(const MifComponent& c, uint32_t id)
    {
        for (const MifGroup& g : c.groups)
            if (g.id == kGroup)
                for (const MifAttribute& a : g.attributes)
                    if (a.id == id)
                        return &a;
        return nullptr;
    }
    static void ExpectServed(const MifComponent& c, std::initializer_list<uint32_t> served)
    {
        for (uint32_t id = 1; id <= 32; ++id) {
            const MifAttribute* a = HealthAttribute(c, id);
            ASSERT_NE(a, nullptr) << id;
            const bool expected = std::find(served.begin(), served.end(), id) != served.end();
            EXPECT_EQ(a->value.kind, expected ? MifValueKind::kInstrumented : MifValueKind::kUnsupported) << id;
        }
    }

    harness::Process bramble_;
    std::string original_;
};

}  // namespace

TEST_F(HealthDesk, DefaultPcStartsFromTheFixedConfiguration)
{
    StartBramble();
    // The limits file is made with the defaults, flag 1.
    const std::string file = HealthFile();
    ASSERT_EQ(file.size(), 130u);
    EXPECT_EQ(file.substr(6, 16), "CSystemHealthMgr");
    EXPECT_EQ(Stored(file, 2 * 7 + 1), 110);
    EXPECT_EQ(Stored(file, 2 * 2 + 1), 38);
    EXPECT_EQ(Stored(file, 26), 1);

    EXPECT_EQ(Integer(1), 43);  // 110 °F
    EXPECT_EQ(Integer(2), 0);   // 32 °F
    EXPECT_EQ(Text(7), "3.8");
    EXPECT_EQ(Text(8), "3.0");
    EXPECT_EQ(Text(13), "13.2");
    EXPECT_EQ(Text(3), bramble::kBelowRangeText);  // IN0 is not there: limit 0
    EXPECT_EQ(Integer(20), 41);
    EXPECT_EQ(Text(21), bramble::kBelowRangeText);  // a reading of 0
    EXPECT_EQ(Text(23), "3.3");
    EXPECT_EQ(Text(27), "5.1");
    EXPECT_EQ(Integer(31), 0);
    EXPECT_EQ(Integer(32), 1);
    MifAnswer none;
    EXPECT_EQ(Get(33, &none), 0x100u);
    EXPECT_EQ(Get(0, &none), 0x100u);

    // The MIF declares what model class 51 has: IN2-IN6 with the names of
    // their supplies, the temperature's high limit, the case switch; no fans.
    MifComponent mif;
    const std::string text = GeneratedMif(&mif);
    for (const char* name : {"Name = \"+3.3 Volt High Limit\"", "Name = \"-12 Volt Low Limit\"",
                             "Name = \"Current Voltage -5V\"", "Name = \"IN0 Volt High Limit\"",
                             "Name = \"Current Voltage IN1V\""})
        EXPECT_NE(text.find(name), std::string::npos) << name;
    ExpectServed(mif, {1, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 20, 23, 24, 25, 26, 27, 31, 32});
}

TEST_F(HealthDesk, StoredLimitsAreLoadedAndACaseOpeningRead)
{
    std::string image("\xFF\xFF\x00\x00\x10\x00" "CSystemHealthMgr", 22);
    for (int i = 0; i < 27; ++i) {
        int32_t v = i == 2 * 2 + 1 ? 40 : i == 2 * 7 + 1 ? 122 : i == 2 * 7 ? 41 : 0;
        image.append(reinterpret_cast<const char*>(&v), 4);
    }
    CreateDirectoryA("C:\\DMI\\DATA", nullptr);
    ASSERT_TRUE(harness::writeFile(kHealthFile, image));
    MonitorSays("CaseOpen=1\r\nIN1=255\r\n");
    StartBramble();
    EXPECT_EQ(Text(7), "4.0");
    EXPECT_EQ(Integer(1), 50);
    EXPECT_EQ(Integer(2), 5);
    EXPECT_EQ(Integer(32), 0);
    EXPECT_EQ(Integer(31), 1);
    EXPECT_EQ(Text(22), bramble::kAboveRangeText);  // a reading of 255
    EXPECT_EQ(HealthFile(), image);
}

TEST_F(HealthDesk, SetsConvertClampAndRefuse)
{
    StartBramble();
    EXPECT_EQ(SetInteger(1, 150), 1u);
    EXPECT_EQ(Integer(1), 100);
    std::string file = HealthFile();
    EXPECT_EQ(Stored(file, 2 * 7 + 1), 212);
    // The file written after a change already says "not the defaults".
    EXPECT_EQ(Stored(file, 26), 0);
    EXPECT_EQ(Integer(32), 0);
    EXPECT_EQ(SetInteger(2, -40), 1u);
    EXPECT_EQ(Integer(2), -10);
    EXPECT_EQ(SetInteger(1, 37), 1u);  // 98.6 °F, kept as 99
    EXPECT_EQ(Stored(HealthFile(), 2 * 7 + 1), 99);
    EXPECT_EQ(Integer(1), 37);
    EXPECT_EQ(SetInteger(17, 20000), 1u);
    EXPECT_EQ(Integer(17), 10000);
    EXPECT_EQ(SetInteger(18, -5), 1u);
    EXPECT_EQ(Integer(18), 0);
    EXPECT_EQ(SetInteger(20, 99), 1u);  // current values take no sets
    EXPECT_EQ(Integer(20), 41);

    EXPECT_EQ(SetText(9, "5.6"), 1u);
    EXPECT_EQ(Text(9), "5.6");
    EXPECT_EQ(SetText(10, "+4.45"), 1u);
    EXPECT_EQ(Text(10), "4.4");
    file = HealthFile();
    EXPECT_EQ(Stored(file, 2 * 3 + 1), 56);
    EXPECT_EQ(Stored(file, 2 * 3), 44);
    for (const char* refused : {"0", "0.0", "12345678", "5.5     ", "5-5", "-12.5", "0.05", "abc", ""})
        EXPECT_EQ(SetText(9, refused), 0u) << refused;
    EXPECT_EQ(Text(9), "5.6");
    EXPECT_EQ(HealthFile(), file);
    EXPECT_EQ(SetText(9, "1234567"), 1u);
    EXPECT_EQ(Text(9), "100.0");
}

TEST_F(HealthDesk, DriverRefusalKeepsTheOldLimitsAndTheFile)
{
    StartBramble();
    ASSERT_EQ(SetText(9, "6.0"), 1u);
    const std::string file = HealthFile();

    MonitorSays("RefuseLimits=1\r\n");
    EXPECT_EQ(SetText(9, "6.5"), 0u);
    EXPECT_EQ(SetInteger(1, 60), 0u);
    EXPECT_EQ(SetInteger(32, 1), 0u);
    EXPECT_EQ(Text(9), "6.0");
    EXPECT_EQ(Integer(1), 43);
    EXPECT_EQ(Integer(32), 0);
    EXPECT_EQ(HealthFile(), file);

    // Taken again, a reset by attribute 32 brings the defaults and the flag.
    MonitorSays("RefuseLimits=0\r\n");
    EXPECT_EQ(SetInteger(32, 1), 1u);
    EXPECT_EQ(Text(9), "5.5");
    EXPECT_EQ(Integer(32), 1);
    EXPECT_EQ(Stored(HealthFile(), 26), 1);
    EXPECT_EQ(Stored(HealthFile(), 2 * 3 + 1), 55);
}

TEST_F(HealthDesk, ReadingsThatStayNotReadyFailWithinTheBound)
{
    StartBramble();
    MonitorSays("NotReadyReads=1000000\r\n");
    MifAnswer answer;
    // A null answer, not a bramble that no longer answers.
    EXPECT_EQ(Get(20, &answer), 0x100u);
    EXPECT_EQ(Integer(1), 43);  // the stored limits need no reading
    // A monitor that gets ready after a few reads is waited for.
    MonitorSays("NotReadyReads=3\r\n");
    EXPECT_EQ(Integer(20), 41);
    EXPECT_TRUE(bramble_.running());
}

TEST_F(HealthDesk, TowerPcTakesItsMonitorFromTheLimitsFile)
{
    ASSERT_TRUE(harness::writeRegistryString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Testbed\\Machine", "Profile",
                                             "C:\\TESTBED\\tower.ini"));
    StartBramble();
    EXPECT_EQ(Integer(1), 55);  // 131 °F
    EXPECT_EQ(Integer(2), 5);   // 41 °F
    EXPECT_EQ(Text(3), "2.8");
    EXPECT_EQ(Text(4), "2.2");
    EXPECT_EQ(Text(11), "13.2");
    EXPECT_EQ(Integer(17), 2000);
    EXPECT_EQ(Integer(18), 1500);
    EXPECT_EQ(Integer(20), 38);
    EXPECT_EQ(Text(21), "2.5");
    EXPECT_EQ(Integer(28), 3215);

    MifComponent mif;
    const std::string text = GeneratedMif(&mif);
    for (const char* name : {"Name = \"CPU Core Volt High Limit\"", "Name = \"Current Voltage CPU Core\"",
                             "Name = \"+12 Volt Low Limit\"", "Name = \"IN1 Volt High Limit\"",
                             "Name = \"Current Voltage IN5V\"", "Name = \"IN6 Volt Low Limit\""})
        EXPECT_NE(text.find(name), std::string::npos) << name;
    ExpectServed(mif, {1, 2, 3, 4, 7, 8, 9, 10, 11, 12, 17, 18, 20, 21, 23, 24, 25, 28, 29, 32});
}
