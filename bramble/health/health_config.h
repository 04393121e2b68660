// What the hardware monitor of this model has: which sensors are there, the
// two conversion factors the driver wants per sensor, the default limits and
// the names of the voltage attributes. Models of classes 50, 51 and 52 have a
// fixed configuration; every other model describes its monitor in
// DMIDIR\DATA\SLIMIT.DAT (limits_file.h).
#pragma once

#include <cstdint>
#include <string>

#include "bramble/mif/mif_generator.h"

namespace bramble {

// Limits are kept as thirteen (low, high) pairs, pair i for sensor i; pairs 11
// and 12 exist in the stored object but no sensor uses them.
constexpr int kLimitPairCount = 13;

struct LimitPair {
    int32_t low = 0;
    int32_t high = 0;
};

struct HealthConfig {
    bool present[kHealthSensorCount] = {};
    int32_t factor1[kHealthSensorCount] = {};
    int32_t factor2[kHealthSensorCount] = {};
    bool tempHighSupported = false;
    bool tempLowSupported = false;
    // Voltages in 0.1 V, the temperature in degrees Fahrenheit, fans: the low
    // value is the minimum speed.
    LimitPair defaults[kLimitPairCount];
    VoltageNames names[kVoltageSensorCount];
};

// Model classes with the built-in configuration.
bool HasFixedHealthConfig(unsigned modelClass);

// The built-in configuration: IN2-IN6 (+3.3, +5, +12, -12, -5 V), the
// temperature with a high limit only, the case switch on class 51, no fans.
HealthConfig FixedHealthConfig(unsigned modelClass);

// DMIDIR followed by "\DATA\SLIMIT.DAT".
std::string LimitsFilePath(const char* installDir);

// The configuration of a model: the fixed one, or the limits file's.
HealthConfig HealthConfigFor(unsigned modelClass, const char* installDir);

// Fills the health part of the MIF inputs (section included, presence, the
// temperature's two flags, the voltage names).
void FillHealthMifInputs(const HealthConfig& config, MifInputs* inputs);

}  // namespace bramble
