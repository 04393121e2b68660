// The driver calls of the monitor wait for the hardware-monitor mutex at most
// 250 ms; a mutex left by a thread that ended counts as taken. Against the
// desk's driver, as bramble opens it in Windows 98 mode.
#include <gtest/gtest.h>

#include "bramble/health/health_config.h"
#include "bramble/health/health_device.h"

using namespace bramble;

namespace {

struct Holder {
    HANDLE mutex;
    HANDLE release;
    HANDLE held;
};

DWORD WINAPI HoldMutex(void* arg)
{
    Holder* h = static_cast<Holder*>(arg);
    WaitForSingleObject(h->mutex, INFINITE);
    SetEvent(h->held);
    WaitForSingleObject(h->release, INFINITE);
    return 0;  // ends still owning the mutex: it is abandoned
}

}  // namespace

TEST(HealthDevice, MutexHeldElsewhereFailsCallsWithinTheirBound)
{
    HANDLE driver = CreateFileA("\\\\.\\VCORVANEDMID.VXD", 0, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE,
                                nullptr);
    ASSERT_NE(driver, INVALID_HANDLE_VALUE) << GetLastError();
    Holder h{CreateMutexA(nullptr, FALSE, nullptr), CreateEventA(nullptr, TRUE, FALSE, nullptr),
             CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    DriverHealthDevice device(driver, false, h.mutex);
    const std::vector<uint8_t> limits = LimitsRecord(FixedHealthConfig(51).defaults);
    HealthReadings readings;
    ASSERT_TRUE(device.SendLimits(limits));
    ASSERT_TRUE(device.ReadReadings(&readings));

    HANDLE thread = CreateThread(nullptr, 0, HoldMutex, &h, 0, nullptr);
    ASSERT_EQ(WaitForSingleObject(h.held, 5000), WAIT_OBJECT_0);
    EXPECT_FALSE(device.SendLimits(limits));
    EXPECT_FALSE(device.ReadReadings(&readings));  // tried again, then given up

    SetEvent(h.release);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    EXPECT_TRUE(device.SendLimits(limits));
    EXPECT_TRUE(device.ReadReadings(&readings));

    CloseHandle(h.mutex);
    CloseHandle(h.release);
    CloseHandle(h.held);
    CloseHandle(driver);
}
