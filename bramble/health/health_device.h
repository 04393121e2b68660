// The hardware monitor as bramble reaches it: through the instrumentation
// driver, each limits or readings call under the hardware-monitor mutex.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "bramble/health/driver_records.h"

namespace bramble {

class HealthDevice {
public:
    virtual ~HealthDevice() = default;
    // Sends the configure record (144 bytes).
    virtual bool Configure(const std::vector<uint8_t>& record) = 0;
    // Sends the limits record (502 bytes); false when the monitor refuses it.
    virtual bool SendLimits(const std::vector<uint8_t>& record) = 0;
    // Fetches the current readings; false when none could be had.
    virtual bool ReadReadings(HealthReadings* out) = 0;
};

// How long a driver call waits for the mutex, and how often a reading is
// tried before it is given up (the mutex taken elsewhere, the call failing or
// the monitor not ready yet), with a pause between tries.
constexpr DWORD kMonitorMutexWaitMs = 250;
constexpr int kReadingAttempts = 8;
constexpr DWORD kReadingRetryPauseMs = 50;

class DriverHealthDevice : public HealthDevice {
public:
    // driver: the open instrumentation driver; nt: NT control codes instead
    // of the 95/98 service numbers; mutex: the hardware-monitor mutex.
    DriverHealthDevice(HANDLE driver, bool nt, HANDLE mutex) : driver_(driver), nt_(nt), mutex_(mutex) {}

    bool Configure(const std::vector<uint8_t>& record) override;
    bool SendLimits(const std::vector<uint8_t>& record) override;
    bool ReadReadings(HealthReadings* out) override;

private:
    DWORD Code(DWORD service, DWORD ntCode) const { return nt_ ? ntCode : service; }
    bool TakeMutex();
    void ReleaseMutex();

    HANDLE driver_;
    bool nt_;
    HANDLE mutex_;
};

}  // namespace bramble
