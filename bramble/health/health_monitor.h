// Health monitoring as bramble's process holds it: the configuration of this
// model, the driver access, the one CSystemHealthMgr, and the window messages
// through which group 32 reaches it:
//   0x48C get: wParam the attribute id; result the raw value;
//   0x48B set: wParam the attribute id, lParam the raw value; result 1 when
//          the change was taken, 0 when it was refused;
//   0x48A: accepted, no effect.
// Nothing is answered until the monitor is switched on at the end of start-up.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "bramble/health/health_config.h"
#include "bramble/health/health_device.h"
#include "bramble/health/system_health_mgr.h"

namespace bramble {

enum : UINT { kHealthNoEffect = 0x48A, kHealthSet = 0x48B, kHealthGet = 0x48C };

// How the monitor reaches the hardware (set before ConfigureHealth).
void UseHealthDevice(std::unique_ptr<HealthDevice> device);

// This model's configuration (fixed, or from the limits file below
// installDir), sent to the driver as the configure record.
void ConfigureHealth(unsigned modelClass, const char* installDir);
// Null until ConfigureHealth.
const HealthConfig* HealthConfiguration();

struct HealthStart {
    enum class Outcome {
        kLoaded,      // read from the file
        kCreated,     // no file: made from the defaults and written
        kNotStored,   // no file, and the new one could not be written
        kUnreadable,  // the file cannot be opened or is not the monitor's
    };
    Outcome outcome = Outcome::kUnreadable;
    std::string path;  // the file
    DWORD error = 0;   // the system's error code for kNotStored and kUnreadable
};

// Loads the monitor from DMIDIR\DATA\SHEALTH.DAT, or creates it from the
// defaults when there is no file, and sends its limits to the driver. On
// kUnreadable there is no monitor.
HealthStart LoadOrCreateHealthMonitor(const char* installDir);

// Requests are answered from now on.
void ActivateHealthMonitor();
// No monitor and no configuration any more.
void StopHealthMonitoring();
// Null while health monitoring is off.
CSystemHealthMgr* HealthMonitor();

// The window's handling of 0x48A, 0x48B and 0x48C (0 for other messages).
LRESULT HandleHealthMessage(UINT message, WPARAM wParam, LPARAM lParam);
// Whether the last 0x48C had an answer (an active monitor, a known id, a
// reading when one was needed).
bool LastHealthGetAnswered();

}  // namespace bramble
