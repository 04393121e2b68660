#include "bramble/health/health_monitor.h"

namespace bramble {

namespace {

struct HealthProcess {
    std::unique_ptr<HealthDevice> device;
    std::unique_ptr<HealthConfig> config;
    std::shared_ptr<CSystemHealthMgr> monitor;
    bool lastGetAnswered = false;
};

HealthProcess& Health()
{
    static HealthProcess health;
    return health;
}

CSystemHealthMgr* ActiveMonitor()
{
    CSystemHealthMgr* monitor = Health().monitor.get();
    return monitor && monitor->m_active ? monitor : nullptr;
}

}  // namespace

void UseHealthDevice(std::unique_ptr<HealthDevice> device)
{
    Health().device = std::move(device);
}

void ConfigureHealth(unsigned modelClass, const char* installDir)
{
    HealthProcess& health = Health();
    health.config = std::make_unique<HealthConfig>(HealthConfigFor(modelClass, installDir));
    // The driver's answer is not checked: a monitor that was not configured
    // still takes limits and gives readings of its own.
    if (health.device)
        health.device->Configure(ConfigureRecord(*health.config));
}

const HealthConfig* HealthConfiguration() { return Health().config.get(); }

HealthStart LoadOrCreateHealthMonitor(const char* installDir)
{
    HealthProcess& health = Health();
    health.monitor.reset();
    if (!health.config)
        health.config = std::make_unique<HealthConfig>();
    HealthStart start;
    start.path = HealthFilePath(installDir);
    std::shared_ptr<CSystemHealthMgr> monitor;
    switch (ReadHealthFile(start.path, &monitor, &start.error)) {
    case HealthFileRead::kUnreadable:
        start.outcome = HealthStart::Outcome::kUnreadable;
        return start;
    case HealthFileRead::kLoaded:
        monitor->Attach(health.config.get(), health.device.get(), start.path);
        // Whatever the file holds is what the monitor enforces.
        monitor->SendLimits();
        start.outcome = HealthStart::Outcome::kLoaded;
        break;
    case HealthFileRead::kMissing:
        monitor = std::make_shared<CSystemHealthMgr>();
        monitor->Attach(health.config.get(), health.device.get(), start.path);
        monitor->ResetToDefaults();
        monitor->SendLimits();
        start.error = 0;
        start.outcome =
            monitor->Store(&start.error) ? HealthStart::Outcome::kCreated : HealthStart::Outcome::kNotStored;
        break;
    }
    health.monitor = std::move(monitor);
    return start;
}

void ActivateHealthMonitor()
{
    if (Health().monitor)
        Health().monitor->m_active = 1;
}

void StopHealthMonitoring()
{
    Health().monitor.reset();
    Health().config.reset();
}

CSystemHealthMgr* HealthMonitor() { return Health().monitor.get(); }

LRESULT HandleHealthMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    CSystemHealthMgr* monitor = ActiveMonitor();
    switch (message) {
    case kHealthGet: {
        int32_t raw = 0;
        Health().lastGetAnswered = monitor && monitor->RawValue(static_cast<uint32_t>(wParam), &raw);
        return Health().lastGetAnswered ? static_cast<LRESULT>(raw) : 0;
    }
    case kHealthSet:
        return monitor && monitor->Change(static_cast<uint32_t>(wParam), static_cast<int32_t>(lParam)) ? 1 : 0;
    case kHealthNoEffect:
    default:
        return 0;
    }
}

bool LastHealthGetAnswered() { return Health().lastGetAnswered; }

}  // namespace bramble
