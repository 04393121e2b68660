#include "bramble/health/health_config.h"

#include "bramble/health/limits_file.h"

namespace bramble {

namespace {

// Default limits of the fixed configuration, (high, low) in 0.1 V for IN2-IN6.
struct FixedVoltage {
    int sensor;
    int32_t high, low;
    int32_t factor1, factor2;
};
const FixedVoltage kFixedVoltages[] = {
    {kSensorIn2, 38, 30, 0, 0},
    {kSensorIn3, 55, 45, 66500, 100000},
    {kSensorIn4, 132, 108, 232000, 90900},
    {kSensorIn5, 132, 108, 232000, 66500},
    {kSensorIn6, 55, 45, 100000, 66500},
};
constexpr int32_t kFixedTempHighF = 110;
constexpr int32_t kFixedTempLowF = 32;
constexpr unsigned kClassWithCaseSwitch = 51;

}  // namespace

bool HasFixedHealthConfig(unsigned modelClass)
{
    return modelClass >= 50 && modelClass <= 52;
}

HealthConfig FixedHealthConfig(unsigned modelClass)
{
    HealthConfig config;
    for (const FixedVoltage& v : kFixedVoltages) {
        config.present[v.sensor] = true;
        config.factor1[v.sensor] = v.factor1;
        config.factor2[v.sensor] = v.factor2;
        config.defaults[v.sensor].high = v.high;
        config.defaults[v.sensor].low = v.low;
        config.names[v.sensor] = FixedModelVoltageNames(v.sensor);
    }
    config.present[kSensorTemp] = true;
    config.tempHighSupported = true;
    config.tempLowSupported = false;
    config.defaults[kSensorTemp].high = kFixedTempHighF;
    config.defaults[kSensorTemp].low = kFixedTempLowF;
    config.present[kSensorCase] = modelClass == kClassWithCaseSwitch;
    return config;
}

std::string LimitsFilePath(const char* installDir)
{
    std::string path = installDir ? installDir : "";
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path + "\\DATA\\SLIMIT.DAT";
}

HealthConfig HealthConfigFor(unsigned modelClass, const char* installDir)
{
    if (HasFixedHealthConfig(modelClass))
        return FixedHealthConfig(modelClass);
    return ReadLimitsFile(LimitsFilePath(installDir).c_str());
}

void FillHealthMifInputs(const HealthConfig& config, MifInputs* inputs)
{
    inputs->healthConfigured = true;
    for (int s = 0; s < kHealthSensorCount; ++s)
        inputs->present[s] = config.present[s];
    inputs->tempHighSupported = config.tempHighSupported;
    inputs->tempLowSupported = config.tempLowSupported;
    for (int s = 0; s < kVoltageSensorCount; ++s)
        inputs->names[s] = config.names[s];
}

}  // namespace bramble
