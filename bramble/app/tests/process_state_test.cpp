// Bounded copies into bramble's fixed buffers and the check of the health
// limits file.
#include <gtest/gtest.h>

#include <string>

#include "bramble/app/instrumentation_app.h"
#include "bramble/app/process_state.h"

TEST(CopyBounded, CutsAtTheBufferWithoutSplittingADoubleByteCharacter)
{
    char buffer[6];
    bramble::CopyBounded(buffer, sizeof buffer, "ABCDEFGH");
    EXPECT_STREQ(buffer, "ABCDE");
    // "A" then three double-byte characters: the third would need bytes 5-6.
    bramble::CopyBounded(buffer, sizeof buffer, "A\x83\x41\x83\x43\x83\x45");
    EXPECT_STREQ(buffer, "A\x83\x41\x83\x43");
    bramble::CopyBounded(buffer, sizeof buffer, "");
    EXPECT_STREQ(buffer, "");
    bramble::CopyBounded(buffer, sizeof buffer, "abc");
    EXPECT_STREQ(buffer, "abc");
}

class HealthLimitsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
        dir_ = std::string(temp) + "bramble_health_test";
        CreateDirectoryA(dir_.c_str(), nullptr);
        CreateDirectoryA((dir_ + "\\DATA").c_str(), nullptr);
        DeleteFileA(File().c_str());
    }
    void TearDown() override { DeleteFileA(File().c_str()); }
    std::string File() const { return dir_ + "\\DATA\\SHEALTH.DAT"; }
    void Write(size_t bytes)
    {
        HANDLE file = CreateFileA(File().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        std::string data(bytes, 'x');
        DWORD written = 0;
        WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
        CloseHandle(file);
    }
    std::string dir_;
};

TEST_F(HealthLimitsFile, MissingFileOrTheOneLayoutSizeIsReadable)
{
    EXPECT_TRUE(bramble::HealthLimitsReadable(dir_.c_str()));
    EXPECT_TRUE(bramble::HealthLimitsReadable((dir_ + "\\").c_str()));
    Write(130);
    EXPECT_TRUE(bramble::HealthLimitsReadable(dir_.c_str()));
}

TEST_F(HealthLimitsFile, OtherSizesCannotBeRead)
{
    for (size_t size : {0u, 129u, 131u, 4096u}) {
        SCOPED_TRACE(size);
        Write(size);
        EXPECT_FALSE(bramble::HealthLimitsReadable(dir_.c_str()));
    }
}
