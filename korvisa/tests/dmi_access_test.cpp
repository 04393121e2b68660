// DmiAccess over the command layer and an in-process service layer, with
// the watcher's library replaced by a recorder.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "korvisa/dmi/command_layer.h"
#include "korvisa/dmi/dmi_access.h"
#include "korvisa/dmi/watcher_library.h"
#include "korvisa/tests/fake_service.h"

using namespace korvisa::dmi;

namespace {

std::map<std::pair<ULONG, ULONG>, uint32_t> g_watcher;
ULONG g_watcherFail = 0;

ULONG WINAPI WatcherGetFake(ULONG group, ULONG attribute, ULONG, void* buffer, ULONG* length, ULONG*)
{
    auto found = g_watcher.find({group, attribute});
    if (g_watcherFail || found == g_watcher.end() || *length < 4)
        return 1;
    std::memcpy(buffer, &found->second, 4);
    *length = 4;
    return 0;
}

ULONG g_lastSetKey = 0;

ULONG WINAPI WatcherSetFake(ULONG group, ULONG attribute, ULONG key, const void* value, ULONG length, ULONG kind)
{
    g_lastSetKey = key;
    if (g_watcherFail || length != 4 || kind != 1)
        return 1;
    std::memcpy(&g_watcher[{group, attribute}], value, 4);
    return 0;
}

class Access : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetForTests(500);
        DmiAccess::ResetConnectionForTests();
        service.Reset();
        SetServiceEntry(&FakeService::Entry);
        SetWatcherEntries({&WatcherGetFake, &WatcherSetFake});
        g_watcher.clear();
        g_watcherFail = 0;
    }
    void InstallVendor() { service.AddComponent(2, "Vendor", kVendorClass); }
    FakeService& service = FakeService::Instance();
};

}  // namespace

TEST_F(Access, NothingWorksUntilTheVendorComponentExists)
{
    {
        DmiAccess early;
        EXPECT_EQ(early.SetGroup(6), 0);
        EXPECT_EQ(early.LastStatus(), kNotConnected);
        EXPECT_EQ(early.GetGroup(), 0u);
        uint32_t id = 0;
        EXPECT_EQ(early.FindWatcher(&id), 0);
        std::string text;
        EXPECT_EQ(early.GetString(1, &text), 0);
        EXPECT_EQ(early.LastStatus(), kNotConnected);
    }
    // Registration happened once, at the first object.
    EXPECT_TRUE(IsRegistered());
    InstallVendor();
    DmiAccess later;
    EXPECT_TRUE(DmiAccess::Connected());
    EXPECT_EQ(later.CurrentComponent(), 2u);
    EXPECT_EQ(later.SetGroup(6), 1);
    EXPECT_EQ(later.GetGroup(), 6u);
}

TEST_F(Access, AFailedRegistrationIsNotRetried)
{
    InstallVendor();
    service.immediateStatus = 0x203;
    {
        DmiAccess first;
        EXPECT_FALSE(DmiAccess::Connected());
    }
    service.immediateStatus = 0;
    size_t before = service.blocks.size();
    DmiAccess second;
    // Only the vendor look-up, run with handle 0; no second registration.
    ASSERT_EQ(service.blocks.size(), before + 1);
    EXPECT_EQ(Word(service.blocks.back().data(), block::kCommand), kCmdListComponents);
    EXPECT_EQ(Word(service.blocks.back().data(), block::kHandle), 0u);
}

TEST_F(Access, WatcherComponentNeverReachesTheServiceLayer)
{
    InstallVendor();
    DmiAccess access;
    size_t before = service.blocks.size();
    uint32_t id = 0;
    ASSERT_EQ(access.FindWatcher(&id), 1);
    EXPECT_EQ(id, kWatcherComponent);
    ASSERT_EQ(access.FindFirstComponent(kWatcherClass, &id), 0);
    EXPECT_EQ(id, kWatcherComponent);
    access.SetComponent(id);
    access.SetGroup(2);
    ASSERT_EQ(access.SetInteger(3, 70), 1);
    uint32_t value = 0;
    ASSERT_EQ(access.GetInteger(3, &value), 1);
    EXPECT_EQ(value, 70u);
    EXPECT_EQ(g_lastSetKey, 0u);
    // A drive's row of the watcher's table is written with its key.
    ASSERT_EQ(access.SetInteger(4, 2, 15), 1);
    EXPECT_EQ(g_lastSetKey, 2u);
    EXPECT_EQ(service.blocks.size(), before);

    g_watcherFail = 1;
    EXPECT_EQ(access.GetInteger(3, &value), 0);
    EXPECT_EQ(access.LastStatus(), kWatcherFailed);
    EXPECT_EQ(access.SetInteger(3, 1), 0);
    EXPECT_EQ(access.LastStatus(), kWatcherFailed);
}

TEST_F(Access, WritingIsOnlyForTheWatcher)
{
    InstallVendor();
    DmiAccess access;
    access.SetGroup(2);
    size_t before = service.blocks.size();
    EXPECT_EQ(access.SetInteger(3, 70), 0);
    EXPECT_EQ(access.LastStatus(), kWriteNotSupported);
    EXPECT_EQ(service.blocks.size(), before);
    EXPECT_TRUE(g_watcher.empty());
}

TEST_F(Access, SoftwareWalk)
{
    InstallVendor();
    DmiAccess access;
    uint32_t id = 0;
    EXPECT_EQ(access.NextSoftwareComponent(&id), 0);
    EXPECT_EQ(access.LastStatus(), kNoSoftwareWalk);
    EXPECT_EQ(access.FirstSoftwareComponent(&id), 0);
    EXPECT_EQ(access.LastStatus(), kNoMoreComponents);

    for (uint32_t i = 20; i < 25; ++i)
        service.AddComponent(i, "product", kSoftwareClass);
    service.batchSize = 2;
    std::vector<uint32_t> seen;
    for (int ok = access.FirstSoftwareComponent(&id); ok; ok = access.NextSoftwareComponent(&id))
        seen.push_back(id);
    EXPECT_EQ(seen, (std::vector<uint32_t>{20, 21, 22, 23, 24}));
    EXPECT_EQ(access.LastStatus(), kNoMoreComponents);
    EXPECT_EQ(access.NextSoftwareComponent(&id), 0);
    EXPECT_EQ(access.LastStatus(), kNoMoreComponents);
}

TEST_F(Access, StringsEnumerationsAndTheSystemName)
{
    InstallVendor();
    service.AddComponent(1, "System", kGeneralInformationClass);
    service.SetInteger(1, 16, 1, 0, 5, 6);
    service.SetEnumeration(1, 16, 1, {{3, "Desktop"}, {6, "Mini Tower"}});
    service.SetInteger(2, 9, 4, 3, 5, 1);
    service.SetEnumeration(2, 9, 4, {{1, "ﾌﾛｯﾋﾟｰ"}});
    DmiAccess access;
    std::string text;
    ASSERT_EQ(access.GetSystemName(&text), 1);
    EXPECT_EQ(text, "Mini Tower");

    access.SetGroup(9);
    ASSERT_EQ(access.GetString(4, 3, &text), 1);
    EXPECT_EQ(text, "ﾌﾛｯﾋﾟｰ");
    uint32_t value = 0;
    ASSERT_EQ(access.GetInteger(4, 3, &value), 1);
    EXPECT_EQ(value, 1u);
    // A row that does not exist carries the service layer's status.
    EXPECT_EQ(access.GetString(4, 4, &text), 0);
    EXPECT_EQ(access.LastStatus(), 0x104u);
    // A value its enumeration does not list fails with the layer's status.
    service.SetInteger(2, 9, 4, 5, 5, 7);
    EXPECT_EQ(access.GetString(4, 5, &text), 0);
    EXPECT_EQ(access.LastStatus(), kStatusNotEnumerated);

    // A date is its 25 characters, without the zero bytes of its field.
    service.SetDate(2, 9, 6, 0, "19990304120000.000000+540");
    ASSERT_EQ(access.GetString(6, &text), 1);
    EXPECT_EQ(text, "19990304120000.000000+540");
    EXPECT_EQ(text.size(), 25u);

    // No text to receive the system name.
    EXPECT_EQ(access.GetSystemName(nullptr), 0);
    EXPECT_EQ(access.LastStatus(), kNoNameBuffer);

    // A text with more storage than the usual 1024 bytes is read whole.
    std::string longValue(1500, 'x');
    service.SetString(2, 9, 5, 0, longValue);
    std::string roomy;
    roomy.reserve(2000);
    ASSERT_EQ(access.GetString(5, &roomy), 1);
    EXPECT_EQ(roomy.size(), 1500u);
    std::string plain;
    ASSERT_EQ(access.GetString(5, &plain), 1);
    EXPECT_EQ(plain.size(), 1023u);
}
