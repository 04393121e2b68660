// The health monitor's start and what its changes leave in driver and file
// when they cannot all be done, with a device that records what the driver
// was sent. (Driver refusals, conversions and readings are tested through
// the real chain in health_desk_test.cpp.)
#include <gtest/gtest.h>

#include <cstring>

#include "bramble/health/health_monitor.h"
#include "bramble/health/tests/health_test_files.h"
#include "harness/files.h"

using namespace bramble;

namespace {

class RecordingDevice : public HealthDevice {
public:
    bool Configure(const std::vector<uint8_t>& record) override
    {
        configured = record;
        return true;
    }
    bool SendLimits(const std::vector<uint8_t>& record) override
    {
        sent.push_back(record);
        return true;
    }
    bool ReadReadings(HealthReadings*) override { return false; }
    std::vector<uint8_t> configured;
    std::vector<std::vector<uint8_t>> sent;
};

int16_t LimitWord(const std::vector<uint8_t>& record, size_t index)
{
    return static_cast<int16_t>(record[2 * index] | (record[2 * index + 1] << 8));
}

int32_t FileWord(const std::string& file, size_t index)
{
    int32_t v = 0;
    std::memcpy(&v, file.data() + 22 + 4 * index, 4);
    return v;
}

class HealthMonitorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto owned = std::make_unique<RecordingDevice>();
        device_ = owned.get();
        UseHealthDevice(std::move(owned));
        ConfigureHealth(51, install_.Dir().c_str());
    }
    void TearDown() override
    {
        StopHealthMonitoring();
        UseHealthDevice(nullptr);
    }
    LRESULT Set(uint32_t id, int32_t raw) { return HandleHealthMessage(kHealthSet, id, raw); }
    bool Get(uint32_t id, int32_t* raw)
    {
        *raw = static_cast<int32_t>(HandleHealthMessage(kHealthGet, id, 0));
        return LastHealthGetAnswered();
    }
    std::string File() const { return install_.Read("SHEALTH.DAT"); }

    health_test::TempInstall install_{"monitor"};
    RecordingDevice* device_ = nullptr;
};

}  // namespace

TEST_F(HealthMonitorTest, ChangesReachDriverAndFileOrAreUndone)
{
    EXPECT_EQ(device_->configured, ConfigureRecord(FixedHealthConfig(51)));
    HealthStart start = LoadOrCreateHealthMonitor(install_.Dir().c_str());
    ASSERT_EQ(start.outcome, HealthStart::Outcome::kCreated);
    EXPECT_EQ(start.path, install_.Data("SHEALTH.DAT"));
    ASSERT_EQ(device_->sent.size(), 1u);
    EXPECT_EQ(device_->sent.back(), LimitsRecord(FixedHealthConfig(51).defaults));
    const std::string defaults = File();
    ASSERT_EQ(defaults.size(), kHealthFileBytes);
    EXPECT_EQ(FileWord(defaults, 26), 1);  // limits are the defaults

    // Nothing is answered before start-up has switched the monitor on.
    int32_t raw = 0;
    EXPECT_FALSE(Get(kHealthTempHigh, &raw));
    EXPECT_EQ(Set(9, 60), 0);
    ActivateHealthMonitor();
    ASSERT_TRUE(Get(kHealthTempHigh, &raw));
    EXPECT_EQ(raw, 110);

    // A change goes to the driver, then to the file, with the flag already clear.
    EXPECT_EQ(Set(9, 60), 1);  // IN3 high
    EXPECT_EQ(LimitWord(device_->sent.back(), 6), 60);
    std::string changed = File();
    EXPECT_EQ(FileWord(changed, 2 * kSensorIn3 + 1), 60);
    EXPECT_EQ(FileWord(changed, 26), 0);
    ASSERT_TRUE(Get(kHealthLimitsAreDefaults, &raw));
    EXPECT_EQ(raw, 0);

    // Values no set of the group could make are refused, whoever sends them;
    // current values and a zero on the flag change nothing.
    const size_t sends = device_->sent.size();
    EXPECT_EQ(Set(9, 0), 0);
    EXPECT_EQ(Set(9, 1001), 0);
    EXPECT_EQ(Set(kHealthTempHigh, 213), 0);
    EXPECT_EQ(Set(kHealthTempLow, 13), 0);
    EXPECT_EQ(Set(17, -1), 0);
    EXPECT_EQ(Set(33, 5), 0);
    EXPECT_EQ(Set(0, 5), 0);
    EXPECT_EQ(Set(kHealthTempCurrent, 5), 1);
    EXPECT_EQ(Set(kHealthLimitsAreDefaults, 0), 1);
    EXPECT_EQ(device_->sent.size(), sends);
    EXPECT_EQ(File(), changed);

    // A change the file cannot keep is taken back, in the driver too.
    HANDLE held = CreateFileA(install_.Data("SHEALTH.DAT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Set(kHealthTempHigh, 140), 0);
    CloseHandle(held);
    ASSERT_TRUE(Get(kHealthTempHigh, &raw));
    EXPECT_EQ(raw, 110);
    EXPECT_EQ(LimitWord(device_->sent.back(), 14), 43);
    EXPECT_EQ(File(), changed);

    // Any nonzero value on 32 brings the defaults back, flag 1.
    EXPECT_EQ(Set(kHealthLimitsAreDefaults, -7), 1);
    EXPECT_EQ(File(), defaults);
    ASSERT_TRUE(Get(9, &raw));
    EXPECT_EQ(raw, 55);
    EXPECT_EQ(device_->sent.back(), LimitsRecord(FixedHealthConfig(51).defaults));
}

TEST_F(HealthMonitorTest, ANewFileThatCannotBeWrittenLeavesTheDefaultsInForce)
{
    // A file named DATA where the folder should be.
    const std::string dir = install_.Dir() + "\\BLOCKED";
    CreateDirectoryA(dir.c_str(), nullptr);
    ASSERT_TRUE(harness::writeFile(dir + "\\DATA", "not a folder"));
    HealthStart start = LoadOrCreateHealthMonitor(dir.c_str());
    EXPECT_EQ(start.outcome, HealthStart::Outcome::kNotStored);
    EXPECT_NE(start.error, 0u);
    ASSERT_NE(HealthMonitor(), nullptr);
    EXPECT_EQ(HealthMonitor()->m_limitsAreDefaults, 1);
    ASSERT_FALSE(device_->sent.empty());
    EXPECT_EQ(device_->sent.back(), LimitsRecord(FixedHealthConfig(51).defaults));
    harness::deleteFile(dir + "\\DATA");
    RemoveDirectoryA(dir.c_str());
}
