#include "bramble/health/system_health_mgr.h"

#include "bramble/health/health_units.h"

namespace bramble {

namespace {

const char kClassName[] = "CSystemHealthMgr";

// What a raw limit may be, whoever sends it: the ranges the served values
// are clamped to.
constexpr int32_t kMinTempC = -10, kMaxTempC = 100;
constexpr int32_t kMaxFanSpeed = 10000;

bool RawInRange(uint32_t attribute, int32_t raw)
{
    if (attribute == kHealthTempHigh || attribute == kHealthTempLow)
        return raw >= CelsiusToFahrenheit(kMinTempC) && raw <= CelsiusToFahrenheit(kMaxTempC);
    if (attribute >= kHealthFirstVoltageLimit && attribute <= kHealthLastVoltageLimit)
        return raw >= 1 && raw <= kMaxVoltageRaw;
    if (attribute >= kHealthFirstFanMinimum && attribute <= kHealthLastFanMinimum)
        return raw >= 0 && raw <= kMaxFanSpeed;
    return true;
}

void CopyLimits(LimitPair (&to)[kLimitPairCount], const LimitPair (&from)[kLimitPairCount])
{
    for (int i = 0; i < kLimitPairCount; ++i)
        to[i] = from[i];
}

}  // namespace

const fw::CSerialClass CSystemHealthMgr::kClass = {kClassName, 0, fw::CreateSerialObject<CSystemHealthMgr>};

bool RegisterSystemHealthMgr() { return fw::RegisterSerialClass(CSystemHealthMgr::kClass); }

void CSystemHealthMgr::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        for (const LimitPair& pair : m_limits)
            ar << pair.low << pair.high;
        ar << m_limitsAreDefaults;
        return;
    }
    LimitPair limits[kLimitPairCount];
    int32_t flag = 0;
    for (LimitPair& pair : limits)
        ar >> pair.low >> pair.high;
    ar >> flag;
    if (!ar.Ok())
        return;
    CopyLimits(m_limits, limits);
    m_limitsAreDefaults = flag;
}

void CSystemHealthMgr::Attach(const HealthConfig* config, HealthDevice* device, const std::string& filePath)
{
    config_ = config;
    device_ = device;
    filePath_ = filePath;
}

void CSystemHealthMgr::ResetToDefaults()
{
    if (config_)
        CopyLimits(m_limits, config_->defaults);
    m_limitsAreDefaults = 1;
}

bool CSystemHealthMgr::SendLimits()
{
    return device_ && device_->SendLimits(LimitsRecord(m_limits));
}

bool CSystemHealthMgr::Store(DWORD* error) const
{
    DWORD ignored = 0;
    if (!error)
        error = &ignored;
    *error = 0;
    if (filePath_.empty()) {
        *error = ERROR_INVALID_NAME;
        return false;
    }
    RegisterSystemHealthMgr();
    const size_t slash = filePath_.find_last_of('\\');
    if (slash != std::string::npos && slash > 0) {
        const std::string folder = filePath_.substr(0, slash);
        if (!::CreateDirectoryA(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
            *error = ::GetLastError();
            return false;
        }
    }
    fw::CArchive ar(fw::CArchive::store);
    ar.WriteObject(this);
    if (!ar.Ok() || ar.Data().size() != kHealthFileBytes) {
        *error = ERROR_INVALID_DATA;
        return false;
    }
    if (!ar.WriteToFile(filePath_.c_str())) {
        *error = ar.FileError() ? ar.FileError() : ERROR_WRITE_FAULT;
        return false;
    }
    return true;
}

int32_t* CSystemHealthMgr::LimitOf(uint32_t attribute)
{
    if (attribute == kHealthTempHigh)
        return &m_limits[kSensorTemp].high;
    if (attribute == kHealthTempLow)
        return &m_limits[kSensorTemp].low;
    if (attribute >= kHealthFirstVoltageLimit && attribute <= kHealthLastVoltageLimit) {
        const uint32_t offset = attribute - kHealthFirstVoltageLimit;
        LimitPair& pair = m_limits[kSensorIn0 + offset / 2];
        return offset % 2 == 0 ? &pair.high : &pair.low;
    }
    if (attribute >= kHealthFirstFanMinimum && attribute <= kHealthLastFanMinimum)
        return &m_limits[kSensorFanA + (attribute - kHealthFirstFanMinimum)].low;
    return nullptr;
}

bool CSystemHealthMgr::RawValue(uint32_t attribute, int32_t* raw)
{
    if (int32_t* limit = LimitOf(attribute)) {
        *raw = *limit;
        return true;
    }
    if (attribute == kHealthLimitsAreDefaults) {
        *raw = m_limitsAreDefaults;
        return true;
    }
    if (attribute < kHealthTempCurrent || attribute > kHealthCaseOpened)
        return false;
    HealthReadings readings;
    if (!device_ || !device_->ReadReadings(&readings))
        return false;
    if (attribute == kHealthTempCurrent)
        *raw = readings.values[kSensorTemp];
    else if (attribute <= kHealthLastVoltageCurrent)
        *raw = readings.values[kSensorIn0 + (attribute - kHealthFirstVoltageCurrent)];
    else if (attribute <= kHealthLastFanCurrent)
        *raw = readings.values[kSensorFanA + (attribute - kHealthFirstFanCurrent)];
    else
        *raw = readings.CaseOpened() ? 1 : 0;
    return true;
}

bool CSystemHealthMgr::Commit(const LimitPair (&before)[kLimitPairCount], int32_t flagBefore)
{
    if (SendLimits()) {
        DWORD error = 0;
        if (Store(&error))
            return true;
        // The monitor took limits the file does not keep: a restart would
        // bring back the old ones, so they come back now.
        CopyLimits(m_limits, before);
        m_limitsAreDefaults = flagBefore;
        SendLimits();
        return false;
    }
    // The monitor refused: the old limits stay in force, the file as it is.
    CopyLimits(m_limits, before);
    m_limitsAreDefaults = flagBefore;
    return false;
}

bool CSystemHealthMgr::Change(uint32_t attribute, int32_t raw)
{
    LimitPair before[kLimitPairCount];
    CopyLimits(before, m_limits);
    const int32_t flagBefore = m_limitsAreDefaults;
    if (attribute == kHealthLimitsAreDefaults) {
        if (raw == 0)
            return true;
        ResetToDefaults();
        return Commit(before, flagBefore);
    }
    if (attribute >= kHealthTempCurrent && attribute <= kHealthCaseOpened)
        return true;  // current values are the monitor's, not ours
    int32_t* limit = LimitOf(attribute);
    if (!limit || !RawInRange(attribute, raw))
        return false;
    *limit = raw;
    // Cleared before the file is written, so file and memory agree.
    m_limitsAreDefaults = 0;
    return Commit(before, flagBefore);
}

std::string HealthFilePath(const char* installDir)
{
    std::string path = installDir ? installDir : "";
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path + "\\DATA\\SHEALTH.DAT";
}

HealthFileRead ReadHealthFile(const std::string& path, std::shared_ptr<CSystemHealthMgr>* out, DWORD* error)
{
    *error = 0;
    RegisterSystemHealthMgr();
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *error = ::GetLastError();
        // No file, or not even its folder: the monitor starts from defaults.
        if (*error == ERROR_FILE_NOT_FOUND || *error == ERROR_PATH_NOT_FOUND)
            return HealthFileRead::kMissing;
        return HealthFileRead::kUnreadable;
    }
    DWORD high = 0;
    const DWORD size = ::GetFileSize(file, &high);
    uint8_t bytes[kHealthFileBytes + 1] = {};
    DWORD got = 0;
    const bool sized = size == kHealthFileBytes && high == 0;
    const bool read = sized && ::ReadFile(file, bytes, sizeof bytes, &got, nullptr) && got == kHealthFileBytes;
    if (sized && !read)
        *error = ::GetLastError();
    ::CloseHandle(file);
    if (!read) {
        if (*error == 0)
            *error = ERROR_INVALID_DATA;
        return HealthFileRead::kUnreadable;
    }
    // Exactly one new object of the one class, and nothing after it.
    fw::CArchive ar(bytes, kHealthFileBytes);
    std::shared_ptr<CSystemHealthMgr> monitor;
    if ((bytes[0] | (bytes[1] << 8)) != 0xFFFF || !ar.ReadObject(monitor, &CSystemHealthMgr::kClass) || !monitor ||
        ar.Remaining() != 0) {
        *error = ERROR_INVALID_DATA;
        return HealthFileRead::kUnreadable;
    }
    *out = std::move(monitor);
    return HealthFileRead::kLoaded;
}

}  // namespace bramble
