#include "platform/testbed/profile_reader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/testbed/profile_path.h"
#include "platform/testbed/tests/test_files.h"

namespace {

const char kMissing[] = "<missing>";

std::string Value(TestbedProfile& profile, const char* section, const char* key)
{
    char out[512];
    return profile.GetString(section, key, out, sizeof out) ? out : kMissing;
}

// Each test names its profile in a registry key of its own under HKCU, so it
// disturbs neither the desk's HKLM value nor other tests.
class TestbedProfileTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, subKey_.c_str());
        for (const std::string& f : files_)
            DeleteFileA(f.c_str());
    }

    bool SetProfileValue(DWORD type, const std::string& data, DWORD size)
    {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, subKey_.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        LONG rc = RegSetValueExA(key, "Profile", 0, type,
                                 reinterpret_cast<const BYTE*>(data.c_str()), size);
        RegCloseKey(key);
        return rc == ERROR_SUCCESS;
    }

    std::string File(const char* name)
    {
        files_.push_back(TempFilePath(name));
        files_.push_back(files_.back() + ".new");
        return files_[files_.size() - 2];
    }

    const std::string subKey_ = "Software\\HelmsetTests" + std::to_string(GetCurrentProcessId());
    TestbedProfile profile_{HKEY_CURRENT_USER, subKey_.c_str()};
    std::vector<std::string> files_;
};

}  // namespace

TEST_F(TestbedProfileTest, BadRegistryValueOrFileIsAnEmptyProfile)
{
    EXPECT_EQ(Value(profile_, "A", "Key"), kMissing);  // no key at all
    const std::string path = File("profile.ini");
    ASSERT_TRUE(WriteWholeFile(path, "[A]\r\nKey=1\r\n"));
    const std::string pattern = path.substr(0, path.size() - 4) + "*";  // matches the file
    const std::string tooLong(400, 'a');
    for (const auto& bad : {std::make_pair(DWORD(REG_DWORD), std::string("\1\0\0\0", 4)),
                            std::make_pair(DWORD(REG_SZ), std::string()),
                            std::make_pair(DWORD(REG_SZ), tooLong),
                            std::make_pair(DWORD(REG_SZ), pattern)}) {
        ASSERT_TRUE(SetProfileValue(bad.first, bad.second, DWORD(bad.second.size() + 1)));
        EXPECT_EQ(Value(profile_, "A", "Key"), kMissing) << bad.second;
    }

    // Stored without its terminating NUL, the value still names the file.
    ASSERT_TRUE(SetProfileValue(REG_SZ, path, DWORD(path.size())));
    EXPECT_EQ(Value(profile_, "A", "Key"), "1");
    char loaded[MAX_PATH];
    ASSERT_TRUE(profile_.GetFilePath(loaded, sizeof loaded));
    EXPECT_EQ(path, loaded);

    // The file goes away, comes back, grows too large: no Reload needed.
    ASSERT_TRUE(DeleteFileA(path.c_str()));
    EXPECT_EQ(Value(profile_, "A", "Key"), kMissing);
    EXPECT_FALSE(profile_.Reload());
    std::string large = "[A]\r\nKey=large\r\n;";
    large.append(TestbedProfile::kMaxFileSize - large.size(), 'x');
    ASSERT_TRUE(WriteWholeFile(path, large));
    EXPECT_EQ(Value(profile_, "A", "Key"), "large");
    ASSERT_TRUE(WriteWholeFile(path, large + "x"));
    EXPECT_EQ(Value(profile_, "A", "Key"), kMissing);
}

TEST_F(TestbedProfileTest, NoticesARewrittenFileOnTheNextQuery)
{
    const std::string path = File("rewrite.ini");
    const std::string other = File("other.ini");
    ASSERT_TRUE(WriteWholeFile(path, "[A]\r\nKey=1\r\n"));
    ASSERT_TRUE(WriteWholeFile(other, "[A]\r\nKey=other\r\n"));
    profile_.UseFile(path.c_str());
    EXPECT_EQ(Value(profile_, "A", "Key"), "1");
    const unsigned long first = profile_.Generation();

    // Same size, and the same time stamp as a coarse file clock (FAT: 2 s)
    // would give: a young file is compared by its contents.
    const unsigned long long written = WriteTimeOf(path);
    ASSERT_TRUE(WriteWholeFile(path, "[A]\r\nKey=2\r\n"));
    ASSERT_TRUE(SetWriteTime(path, written));
    EXPECT_EQ(Value(profile_, "A", "Key"), "2");
    const unsigned long second = profile_.Generation();
    EXPECT_NE(second, first);
    ASSERT_TRUE(WriteWholeFile(path, "[A]\r\nKey=2\r\n"));
    EXPECT_EQ(profile_.Generation(), second) << "the same bytes again are no change";

    // An old file is judged by its time stamp.
    ASSERT_TRUE(SetWriteTime(path, written - 3600ULL * 10000000));
    EXPECT_EQ(Value(profile_, "A", "Key"), "2");
    ASSERT_TRUE(WriteWholeFile(path, "[A]\r\nKey=3\r\n"));
    EXPECT_EQ(Value(profile_, "A", "Key"), "3");

    // Another file named in the registry is read at once, too.
    profile_.UseFile(nullptr);
    ASSERT_TRUE(SetProfileValue(REG_SZ, other, DWORD(other.size() + 1)));
    EXPECT_EQ(Value(profile_, "A", "Key"), "other");
}

TEST_F(TestbedProfileTest, ResolvesPathsAgainstTheProfileFolder)
{
    const std::string path = File("paths.ini");
    ASSERT_TRUE(WriteWholeFile(path, "[SMBIOS]\r\nTable = smbios.bin\r\nDrive = C:\\T\\s.bin\r\n"
                                     "Empty =\r\nLong = " + std::string(300, 'p') + "\r\n"));
    profile_.UseFile(path.c_str());
    char out[MAX_PATH];
    ASSERT_TRUE(profile_.GetPath("SMBIOS", "Table", out, sizeof out));
    EXPECT_EQ(out, path.substr(0, path.rfind('\\') + 1) + "smbios.bin");
    ASSERT_TRUE(profile_.GetPath("SMBIOS", "Drive", out, sizeof out));
    EXPECT_STREQ(out, "C:\\T\\s.bin");
    EXPECT_FALSE(profile_.GetPath("SMBIOS", "Empty", out, sizeof out));
    EXPECT_FALSE(profile_.GetPath("SMBIOS", "Long", out, sizeof out));
    EXPECT_STREQ(out, "");

    // ソ is 83 5C: its second byte is no folder separator.
    ASSERT_TRUE(testbed_resolve_path("C:\\データ\\ソフト.ini", "s.bin", 5, out, sizeof out));
    EXPECT_STREQ(out, "C:\\データ\\s.bin");
}

TEST_F(TestbedProfileTest, ReadersOnSeveralThreadsSeeWholeVersions)
{
    const std::string path = File("threads.ini");
    const std::string a(100, 'a');
    const std::string b(300, 'b');
    ASSERT_TRUE(WriteWholeFile(path, "[A]\r\nKey=" + a + "\r\n"));
    profile_.UseFile(path.c_str());

    std::atomic<bool> stop(false);
    std::atomic<int> wrong(0), reads(0);
    std::vector<std::thread> readers;
    for (int i = 0; i < 4; i++) {
        readers.emplace_back([&] {
            for (; !stop; reads++) {
                const std::string v = Value(profile_, "A", "Key");
                wrong += v != a && v != b;
                Sleep(1);   // leave the writer a moment in which no reader holds the file
            }
        });
    }
    int replaced = 0;
    for (int i = 0; i < 40; i++, Sleep(2))
        replaced += ReplaceWholeFile(path, "[A]\r\nKey=" + (i % 2 ? a : b) + "\r\n");
    stop = true;
    for (std::thread& t : readers)
        t.join();
    EXPECT_EQ(replaced, 40);
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(reads, 40);
    EXPECT_EQ(Value(profile_, "A", "Key"), a);
}
