// The health monitor's start, its changes and their undoing, with a device
// that records what the driver was sent and refuses when told to.
#include <gtest/gtest.h>

#include <cstring>

#include "bramble/health/health_monitor.h"
#include "bramble/health/tests/health_test_files.h"

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
        if (refuseLimits)
            return false;
        sent.push_back(record);
        return true;
    }
    bool ReadReadings(HealthReadings* out) override
    {
        if (!readable)
            return false;
        *out = readings;
        return true;
    }
    std::vector<uint8_t> configured;
    std::vector<std::vector<uint8_t>> sent;
    bool refuseLimits = false;
    bool readable = true;
    HealthReadings readings;
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

    // Refused by the driver: old limit, old file, answer 0; a reset likewise.
    device_->refuseLimits = true;
    EXPECT_EQ(Set(9, 70), 0);
    EXPECT_EQ(Set(kHealthLimitsAreDefaults, 1), 0);
    ASSERT_TRUE(Get(9, &raw));
    EXPECT_EQ(raw, 60);
    ASSERT_TRUE(Get(kHealthLimitsAreDefaults, &raw));
    EXPECT_EQ(raw, 0);
    EXPECT_EQ(File(), changed);
    device_->refuseLimits = false;

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

TEST_F(HealthMonitorTest, StartLoadsTheFileOrRefusesAForeignOne)
{
    HealthStart start = LoadOrCreateHealthMonitor(install_.Dir().c_str());
    ASSERT_EQ(start.outcome, HealthStart::Outcome::kCreated);
    ActivateHealthMonitor();
    ASSERT_EQ(Set(kHealthFirstFanMinimum, 1800), 1);
    const std::string stored = File();

    StopHealthMonitoring();
    ConfigureHealth(51, install_.Dir().c_str());
    device_->sent.clear();
    start = LoadOrCreateHealthMonitor(install_.Dir().c_str());
    ASSERT_EQ(start.outcome, HealthStart::Outcome::kLoaded);
    ASSERT_EQ(device_->sent.size(), 1u);
    EXPECT_EQ(LimitWord(device_->sent.back(), 16), 1800);  // what the file holds is enforced
    ActivateHealthMonitor();
    int32_t raw = 0;
    ASSERT_TRUE(Get(kHealthFirstFanMinimum, &raw));
    EXPECT_EQ(raw, 1800);

    ASSERT_TRUE(install_.Write("SHEALTH.DAT", stored.substr(0, 100)));
    device_->sent.clear();
    start = LoadOrCreateHealthMonitor(install_.Dir().c_str());
    EXPECT_EQ(start.outcome, HealthStart::Outcome::kUnreadable);
    EXPECT_EQ(start.error, static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_EQ(HealthMonitor(), nullptr);
    EXPECT_TRUE(device_->sent.empty());
    EXPECT_EQ(File(), stored.substr(0, 100));  // left for the user to look at
}

TEST_F(HealthMonitorTest, CurrentValuesComeFromTheReadings)
{
    ASSERT_NE(LoadOrCreateHealthMonitor(install_.Dir().c_str()).outcome, HealthStart::Outcome::kUnreadable);
    ActivateHealthMonitor();
    for (int i = 0; i < kReadingCount; ++i)
        device_->readings.values[i] = static_cast<uint16_t>(100 + i);
    device_->readings.status = 1u << 28;
    const struct {
        uint32_t id;
        int32_t raw;
    } expected[] = {{20, 107}, {21, 100}, {27, 106}, {28, 108}, {30, 110}, {31, 1}};
    int32_t raw = 0;
    for (const auto& e : expected) {
        ASSERT_TRUE(Get(e.id, &raw)) << e.id;
        EXPECT_EQ(raw, e.raw) << e.id;
    }
    device_->readings.status = ~(1u << 28);
    ASSERT_TRUE(Get(31, &raw));
    EXPECT_EQ(raw, 0);
    device_->readable = false;
    EXPECT_FALSE(Get(20, &raw));
    EXPECT_TRUE(Get(1, &raw));  // stored limits need no reading
    EXPECT_FALSE(Get(33, &raw));
}
