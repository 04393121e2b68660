// bramble under bad input and a bad start: a storm of random and malformed
// bridge requests must neither stop nor hang it nor change its answers, and a
// start without the hardware-monitor driver must say so and end.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "bramble/app/tests/bramble_desk.h"
#include "harness/harness.h"
#include "platform/dmi/bridge_client.h"

using namespace bramble_desk;

namespace {

constexpr size_t kArea = 4096;
constexpr uint32_t kComponent = 1;

// One of bramble's shared areas, mapped by the test as a caller would.
class Mapped {
public:
    Mapped(const char* name, size_t size) : size_(size)
    {
        mapping_ = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name);
        if (mapping_)
            view_ = static_cast<uint8_t*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, size));
    }
    ~Mapped()
    {
        if (view_)
            UnmapViewOfFile(view_);
        if (mapping_)
            CloseHandle(mapping_);
    }
    Mapped(const Mapped&) = delete;
    Mapped& operator=(const Mapped&) = delete;
    uint8_t* data() const { return view_; }
    size_t size() const { return size_; }
    void put(size_t offset, uint32_t v) { std::memcpy(view_ + offset, &v, 4); }

private:
    HANDLE mapping_ = nullptr;
    uint8_t* view_ = nullptr;
    size_t size_;
};

struct Known {
    uint32_t group;
    uint32_t attribute;
    const char* what;
};

// Answers that come from the desk's fixed SMBIOS table and so must not change.
const Known kKnown[] = {
    {4, 2, "BIOS vendor"},
    {4, 3, "BIOS version"},
    {16, 1, "enclosure type"},
};

struct Reading {
    uint32_t status = 0xFFFFFFFF;
    MifAnswer answer;
};

Reading Read(const Known& known)
{
    Reading r;
    r.status = service::BridgeGet(kComponent, known.group, known.attribute, nullptr, 0, 5000, &r.answer);
    return r;
}

void Fill(std::mt19937& rng, uint8_t* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        p[i] = static_cast<uint8_t>(rng());
}

// The text of the box bramble shows when the driver cannot be reached.
const char kIdentityFailure[] = "起動中、情報の取得に失敗しました． BRAMBLE.EXEの再起動してください．";

// Stops the driver's service; true once the service reports it stopped.
bool StopDriverService()
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager)
        return false;
    bool stopped = false;
    SC_HANDLE service = OpenServiceA(manager, "corvanedmi", SERVICE_STOP | SERVICE_QUERY_STATUS);
    if (service) {
        SERVICE_STATUS status{};
        ControlService(service, SERVICE_CONTROL_STOP, &status);
        stopped = harness::waitUntil([&] {
            return QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_STOPPED;
        });
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return stopped;
}

// The driver as bramble opens it under Windows 98.
bool DriverOpens()
{
    HANDLE h = CreateFileA("\\\\.\\VCORVANEDMID.VXD", 0, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

}  // namespace

TEST(BrambleRobustness, StormOfBadRequestsLeavesItServingTheSameAnswers)
{
    harness::Process bramble = Start();
    HWND window = WaitUntilServing(bramble.id());
    ASSERT_NE(window, nullptr);

    Reading before[3];
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(kKnown[i].what);
        before[i] = Read(kKnown[i]);
        ASSERT_EQ(before[i].status, 0u);
    }
    EXPECT_EQ(before[0].answer.type, dmi::kDisplayString);
    EXPECT_FALSE(before[0].answer.bytes.empty());
    EXPECT_EQ(before[2].answer.type, dmi::kInteger);

    {
        Mapped header("HELMSETDMIINFO", kArea), keyList("HELMSETKEYLIST", kArea),
            keyData("HELMSETKEYDATA", 3 * kArea), result("HELMSETAttArea", kArea), value("HELMSETMIFDATA", kArea);
        ASSERT_TRUE(header.data() && keyList.data() && keyData.data() && result.data() && value.data());
        HANDLE semaphore = OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, "DMIINFO");
        ASSERT_NE(semaphore, nullptr);
        ASSERT_EQ(WaitForSingleObject(semaphore, 5000), WAIT_OBJECT_0);

        const uint32_t seed = 0x5EED1996;
        std::mt19937 rng(seed);
        const int kRequests = 3000;
        int answered = 0;
        for (int i = 0; i < kRequests; ++i) {
            // Group and attribute: mostly near the served ids, sometimes anything.
            uint32_t group = (rng() % 4) ? rng() % 40 : rng();
            uint32_t attribute = (rng() % 4) ? rng() % 24 : rng();
            uint32_t keyCount;
            switch (rng() % 8) {
            case 0: keyCount = 4; break;
            case 1: keyCount = 0xFFFFFFFF; break;
            case 2: keyCount = rng(); break;
            default: keyCount = rng() % 4; break;
            }
            header.put(0, (rng() % 8) ? kComponent : rng());
            header.put(4, group);
            header.put(8, attribute);
            header.put(12, keyCount);
            for (size_t k = 0; k < 3; ++k) {
                keyList.put(k * 12, (rng() % 2) ? rng() % 8 : rng());
                keyList.put(k * 12 + 4, (rng() % 2) ? rng() % 12 : rng());
                keyList.put(k * 12 + 8, rng());
                keyData.put(k * kArea, (rng() % 2) ? rng() % 32 : rng());
            }
            // Now and then raw garbage over whole areas: the header, the key
            // list and values, and the value a set reads.
            switch (rng() % 16) {
            case 0: Fill(rng, header.data(), 64); break;
            case 1: Fill(rng, keyList.data(), kArea); break;
            case 2: Fill(rng, keyData.data(), 3 * kArea); break;
            case 3: Fill(rng, value.data(), kArea); break;
            case 4: Fill(rng, result.data(), kArea); break;
            default: value.put(0, rng()); break;
            }
            UINT message = 0x496 + rng() % 5;
            DWORD_PTR answer = 0;
            LRESULT sent = SendMessageTimeoutA(window, message, rng() % 2 ? rng() : 0, rng() % 2 ? rng() : 0,
                                               SMTO_ABORTIFHUNG, 5000, &answer);
            if (!sent) {
                ReleaseSemaphore(semaphore, 1, nullptr);
                CloseHandle(semaphore);
                FAIL() << "request " << i << " (seed " << seed << ") message 0x" << std::hex << message
                       << " group 0x" << group << " attribute 0x" << attribute << " keys 0x" << keyCount
                       << ": no answer; bramble " << (bramble.running() ? "hangs" : "ended");
            }
            if (answer)
                ++answered;
        }
        ReleaseSemaphore(semaphore, 1, nullptr);
        CloseHandle(semaphore);
        // The storm reached real handlers, not only refusals.
        EXPECT_GT(answered, 0);
    }

    EXPECT_TRUE(bramble.running());
    harness::WindowQuery query;
    query.className = kWindowClass;
    EXPECT_EQ(harness::findWindow(query), window);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(kKnown[i].what);
        Reading after = Read(kKnown[i]);
        ASSERT_EQ(after.status, 0u);
        EXPECT_EQ(after.answer.type, before[i].answer.type);
        EXPECT_EQ(after.answer.value32, before[i].answer.value32);
        EXPECT_EQ(after.answer.bytes, before[i].answer.bytes);
    }
    EXPECT_TRUE(bramble.running());
}

TEST(BrambleRobustness, MissingDriverShowsTheIdentityFailureAndEnds)
{
    // The desk's driver answers until its service is stopped.
    ASSERT_TRUE(harness::waitUntil(DriverOpens));
    ASSERT_TRUE(StopDriverService());
    ASSERT_TRUE(harness::waitUntil([] { return !DriverOpens(); }));

    harness::Process bramble = Start();
    ASSERT_TRUE(bramble.valid());
    HWND box = harness::waitForMessageBox(kProduct, bramble.id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(harness::messageBoxText(box), std::string(kIdentityFailure));
    EXPECT_EQ(harness::messageBoxButtons(box), std::vector<int>{IDOK});
    // Nothing of the serving state came up.
    harness::WindowQuery query;
    query.className = kWindowClass;
    EXPECT_EQ(harness::findWindow(query), nullptr);
    HANDLE semaphore = OpenSemaphoreA(SYNCHRONIZE, FALSE, "DMIINFO");
    EXPECT_EQ(semaphore, nullptr);
    if (semaphore)
        CloseHandle(semaphore);
    EXPECT_TRUE(harness::answerMessageBox(box, IDOK));
    EXPECT_TRUE(bramble.wait(8000).has_value());
    EXPECT_EQ(harness::findWindow(query), nullptr);
}
