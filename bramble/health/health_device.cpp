#include "bramble/health/health_device.h"

namespace bramble {

namespace {

bool Usable(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }

}  // namespace

bool DriverHealthDevice::TakeMutex()
{
    if (!mutex_)
        return true;  // nothing to share the monitor with
    // An abandoned mutex is still ours now.
    DWORD wait = ::WaitForSingleObject(mutex_, kMonitorMutexWaitMs);
    return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

void DriverHealthDevice::ReleaseMutex()
{
    if (mutex_)
        ::ReleaseMutex(mutex_);
}

bool DriverHealthDevice::Configure(const std::vector<uint8_t>& record)
{
    if (!Usable(driver_) || record.size() != kConfigureRecordBytes)
        return false;
    DWORD returned = 0;
    std::vector<uint8_t> in(record);
    return ::DeviceIoControl(driver_, Code(15, 0x8000203C), in.data(), static_cast<DWORD>(in.size()), nullptr, 0,
                             &returned, nullptr) != FALSE;
}

bool DriverHealthDevice::SendLimits(const std::vector<uint8_t>& record)
{
    if (!Usable(driver_) || record.size() != kLimitsRecordBytes)
        return false;
    if (!TakeMutex())
        return false;
    std::vector<uint8_t> in(record), out(kLimitsRecordBytes, 0);
    DWORD returned = 0;
    BOOL ok = ::DeviceIoControl(driver_, Code(8, 0x80002020), in.data(), static_cast<DWORD>(in.size()), out.data(),
                                static_cast<DWORD>(out.size()), &returned, nullptr);
    ReleaseMutex();
    return ok != FALSE;
}

bool DriverHealthDevice::ReadReadings(HealthReadings* out)
{
    if (!Usable(driver_) || !out)
        return false;
    for (int attempt = 0; attempt < kReadingAttempts; ++attempt) {
        if (attempt > 0)
            ::Sleep(kReadingRetryPauseMs);
        if (!TakeMutex())
            continue;
        uint8_t record[kReadingsRecordBytes] = {};
        DWORD returned = 0;
        BOOL ok = ::DeviceIoControl(driver_, Code(9, 0x80002024), nullptr, 0, record, sizeof record, &returned,
                                    nullptr);
        ReleaseMutex();
        HealthReadings readings;
        // Only a whole record that is ready counts.
        if (!ok || returned < kReadingsRecordBytes || !ParseReadings(record, returned, &readings) ||
            readings.NotReady())
            continue;
        *out = readings;
        return true;
    }
    return false;
}

}  // namespace bramble
