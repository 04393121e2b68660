// SHEALTH.DAT byte for byte, and only that layout read back.
#include <gtest/gtest.h>

#include <cstring>

#include "bramble/health/system_health_mgr.h"
#include "bramble/health/tests/health_test_files.h"

using namespace bramble;

namespace {

std::string Le32(int32_t v)
{
    std::string bytes(4, '\0');
    std::memcpy(&bytes[0], &v, 4);
    return bytes;
}

// The file as the framework's archive lays it out, written out by hand.
std::string ExpectedImage(const LimitPair (&limits)[kLimitPairCount], int32_t flag)
{
    std::string image("\xFF\xFF\x00\x00\x10\x00", 6);
    image += "CSystemHealthMgr";
    for (const LimitPair& pair : limits)
        image += Le32(pair.low) + Le32(pair.high);
    return image + Le32(flag);
}

}  // namespace

TEST(HealthFile, WrittenAsTheExpectedImageAndReadBack)
{
    health_test::TempInstall install("image");
    CSystemHealthMgr monitor;
    for (int i = 0; i < kLimitPairCount; ++i)
        monitor.m_limits[i] = {-i * 1000 - 7, i * 70000 + 3};
    monitor.m_limitsAreDefaults = 1;
    monitor.m_active = 1;  // neither kept in the file
    monitor.m_events[3] = 9;
    monitor.Attach(nullptr, nullptr, HealthFilePath(install.Dir().c_str()));
    DWORD error = 0;
    ASSERT_TRUE(monitor.Store(&error)) << error;

    const std::string image = install.Read("SHEALTH.DAT");
    EXPECT_EQ(image.size(), kHealthFileBytes);
    EXPECT_EQ(image, ExpectedImage(monitor.m_limits, 1));

    std::shared_ptr<CSystemHealthMgr> loaded;
    ASSERT_EQ(ReadHealthFile(install.Data("SHEALTH.DAT"), &loaded, &error), HealthFileRead::kLoaded);
    ASSERT_TRUE(loaded);
    for (int i = 0; i < kLimitPairCount; ++i) {
        EXPECT_EQ(loaded->m_limits[i].low, monitor.m_limits[i].low) << i;
        EXPECT_EQ(loaded->m_limits[i].high, monitor.m_limits[i].high) << i;
    }
    EXPECT_EQ(loaded->m_limitsAreDefaults, 1);
    EXPECT_EQ(loaded->m_active, 0);
}

TEST(HealthFile, OnlyTheExactLayoutIsRead)
{
    health_test::TempInstall install("layout");
    DWORD error = 0;
    std::shared_ptr<CSystemHealthMgr> loaded;
    // No file, or not even its folder: the monitor starts from its defaults.
    EXPECT_EQ(ReadHealthFile(install.Data("SHEALTH.DAT"), &loaded, &error), HealthFileRead::kMissing);
    EXPECT_EQ(ReadHealthFile(install.Dir() + "\\NODIR\\SHEALTH.DAT", &loaded, &error), HealthFileRead::kMissing);

    LimitPair limits[kLimitPairCount];
    const std::string good = ExpectedImage(limits, 0);
    std::string otherName = good, otherSchema = good, nullTag = good, indexTag = good;
    otherName.replace(6, 16, "CSystemHealthMGX");
    otherSchema[2] = 1;
    nullTag[0] = nullTag[1] = 0;
    indexTag[0] = '\x01';
    indexTag[1] = '\x80';
    const struct {
        const char* what;
        std::string bytes;
    } bad[] = {
        {"empty", ""},
        {"truncated", good.substr(0, kHealthFileBytes - 1)},
        {"one byte more", good + '\0'},
        {"another class of the same length", otherName},
        {"another schema", otherSchema},
        {"a null object", nullTag},
        {"a class index tag", indexTag},
        {"another archive", std::string("\xFF\xFF\x00\x00\x09\x00FRUobject", 15) + std::string(115, '\0')},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.what);
        ASSERT_TRUE(install.Write("SHEALTH.DAT", b.bytes));
        loaded.reset();
        error = 0;
        EXPECT_EQ(ReadHealthFile(install.Data("SHEALTH.DAT"), &loaded, &error), HealthFileRead::kUnreadable);
        EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_DATA));
        EXPECT_FALSE(loaded);
    }
    ASSERT_TRUE(install.Write("SHEALTH.DAT", good));
    EXPECT_EQ(ReadHealthFile(install.Data("SHEALTH.DAT"), &loaded, &error), HealthFileRead::kLoaded);

    // A file that is there but cannot be opened is no missing file.
    HANDLE held = CreateFileA(install.Data("SHEALTH.DAT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadHealthFile(install.Data("SHEALTH.DAT"), &loaded, &error), HealthFileRead::kUnreadable);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseHandle(held);
}
