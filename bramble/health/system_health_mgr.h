// The health monitor: the user's limits with the limits-are-defaults flag,
// whether requests are answered yet, and the per-sensor event state. It is
// stored in DMIDIR\DATA\SHEALTH.DAT as an object archive of exactly 130 bytes:
// the new-class tag 0xFFFF, schema 0, the class name "CSystemHealthMgr" with
// its length, then the thirteen (low, high) limit pairs and the flag.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "bramble/health/health_config.h"
#include "bramble/health/health_device.h"
#include "platform/framework/archive.h"

namespace bramble {

// Group 32's attribute ids.
enum : uint32_t {
    kHealthTempHigh = 1,
    kHealthTempLow = 2,
    kHealthFirstVoltageLimit = 3,   // 3, 5 .. 15 high, 4, 6 .. 16 low of IN0-IN6
    kHealthLastVoltageLimit = 16,
    kHealthFirstFanMinimum = 17,    // 17-19: FAN_A-FAN_C
    kHealthLastFanMinimum = 19,
    kHealthTempCurrent = 20,
    kHealthFirstVoltageCurrent = 21,  // 21-27: IN0-IN6
    kHealthLastVoltageCurrent = 27,
    kHealthFirstFanCurrent = 28,    // 28-30
    kHealthLastFanCurrent = 30,
    kHealthCaseOpened = 31,
    kHealthLimitsAreDefaults = 32,
};

constexpr size_t kHealthFileBytes = 130;

class CSystemHealthMgr : public fw::CObject {
public:
    static const fw::CSerialClass kClass;
    const fw::CSerialClass* SerialClass() const override { return &kClass; }
    // Limit pairs low first, then the flag; a load that fails changes nothing.
    void Serialize(fw::CArchive& ar) override;

    LimitPair m_limits[kLimitPairCount];
    int32_t m_limitsAreDefaults = 0;
    int32_t m_active = 0;
    int32_t m_events[kLimitPairCount] = {};

    // What the monitor works with; not stored.
    void Attach(const HealthConfig* config, HealthDevice* device, const std::string& filePath);

    // The configured defaults, flag 1.
    void ResetToDefaults();
    // Sends the limits record to the driver.
    bool SendLimits();
    // Writes the file (creating DMIDIR\DATA when missing); false with the
    // system's error code.
    bool Store(DWORD* error) const;

    // The raw value of an attribute: a stored limit, the flag, or a current
    // reading from the driver. False for an unknown id or no reading.
    bool RawValue(uint32_t attribute, int32_t* raw);
    // A set with its raw value. A limit takes effect only when the driver
    // takes it and the file keeps it; otherwise the old limits stay in force
    // and the answer is false. A nonzero value on id 32 resets every limit
    // the same way. Sets of current values change nothing.
    bool Change(uint32_t attribute, int32_t raw);

private:
    // The limit an id names; null for the other ids.
    int32_t* LimitOf(uint32_t attribute);
    // Sends and stores the limits as they are now; on failure puts back
    // `before` (and the flag) and sends those again.
    bool Commit(const LimitPair (&before)[kLimitPairCount], int32_t flagBefore);

    const HealthConfig* config_ = nullptr;
    HealthDevice* device_ = nullptr;
    std::string filePath_;
};

bool RegisterSystemHealthMgr();

// DMIDIR followed by "\DATA\SHEALTH.DAT".
std::string HealthFilePath(const char* installDir);

enum class HealthFileRead { kLoaded, kMissing, kUnreadable };
// Reads the file: kMissing when it does not exist, kUnreadable (with the
// system's error code, ERROR_INVALID_DATA for a wrong layout) when it cannot
// be opened or is not exactly the 130-byte layout.
HealthFileRead ReadHealthFile(const std::string& path, std::shared_ptr<CSystemHealthMgr>* out, DWORD* error);

}  // namespace bramble
