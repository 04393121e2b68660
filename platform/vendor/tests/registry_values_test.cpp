// Texts read from the registry: stored values are not trusted, and the
// installed programs are those with a name, read byte for byte.
#include <windows.h>

#include <cstring>
#include <string>

#include "platform/vendor/display_adapter.h"
#include "platform/vendor/registry_text.h"
#include "platform/vendor/tests/vendor_test_profile.h"

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

bool SetRaw(HKEY key, const char* name, DWORD type, const void* data, size_t size)
{
    return RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size)) ==
           ERROR_SUCCESS;
}

bool SetText(HKEY key, const char* name, const std::string& text)
{
    return SetRaw(key, name, REG_SZ, text.c_str(), text.size() + 1);
}

// A key of the test's own, removed with its values at the end.
class ScratchKey {
public:
    ScratchKey(HKEY root, const std::string& path) : root_(root), path_(path)
    {
        RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    }
    ~ScratchKey()
    {
        if (key_)
            RegCloseKey(key_);
        RegDeleteKeyA(root_, path_.c_str());
    }
    HKEY get() const { return key_; }

private:
    HKEY root_;
    std::string path_;
    HKEY key_ = nullptr;
};

}  // namespace

TEST(VendorRegistryText, StoredValuesAreNotTrusted)
{
    ScratchKey key(HKEY_CURRENT_USER, "Software\\HelmsetVendorTest" + std::to_string(GetCurrentProcessId()));
    ASSERT_NE(key.get(), nullptr);
    std::string text = "<untouched>";

    ASSERT_TRUE(SetRaw(key.get(), "Unterminated", REG_SZ, "ﾃｽﾄ表", 5));
    EXPECT_TRUE(vendor::ReadRegistryText(key.get(), "Unterminated", &text));
    EXPECT_EQ(text, "ﾃｽﾄ表");
    ASSERT_TRUE(SetRaw(key.get(), "InnerNul", REG_EXPAND_SZ, "ab\0cd", 6));
    EXPECT_TRUE(vendor::ReadRegistryText(key.get(), "InnerNul", &text));
    EXPECT_EQ(text, "ab");

    const DWORD number = 7;
    ASSERT_TRUE(SetRaw(key.get(), "Number", REG_DWORD, &number, sizeof number));
    EXPECT_FALSE(vendor::ReadRegistryText(key.get(), "Number", &text));
    EXPECT_EQ(text, "");
    const std::string large(vendor::kMaxRegistryTextBytes, 'x');  // with its NUL, one byte too many
    ASSERT_TRUE(SetText(key.get(), "Large", large));
    EXPECT_FALSE(vendor::ReadRegistryText(key.get(), "Large", &text));
    EXPECT_FALSE(vendor::ReadRegistryText(key.get(), "Missing", &text));

    // UTF-16 in a binary value, as NT video drivers store their chip; an odd
    // last byte is dropped.
    const WCHAR chip[] = {L'S', L'3', L' ', 0x30C6, 0x30B9, 0x30C8, 0};  // "S3 テスト"
    ASSERT_TRUE(SetRaw(key.get(), "Chip", REG_BINARY, chip, sizeof chip - 1));
    EXPECT_TRUE(vendor::ReadRegistryWideText(key.get(), "Chip", &text));
    EXPECT_EQ(text, "S3 テスト");
    EXPECT_TRUE(vendor::ReadRegistryWideText(key.get(), "Unterminated", &text));
    EXPECT_EQ(text, "ﾃｽﾄ表");
    EXPECT_FALSE(vendor::ReadRegistryWideText(key.get(), "Number", &text));

    EXPECT_EQ(vendor::LocalMachineKeyOfDeviceEntry("\\REGISTRY\\Machine\\System\\Video\\0000"),
              "System\\Video\\0000");
    EXPECT_EQ(vendor::LocalMachineKeyOfDeviceEntry("\\Registry\\User\\Video"), "");
    EXPECT_EQ(vendor::LocalMachineKeyOfDeviceEntry("\\Registry\\Machine\\"), "");
}

TEST_F(VendorProfileTest, InstalledProgramsAreThoseWithANameReadByteForByte)
{
    const std::string id = std::to_string(GetCurrentProcessId());
    const std::string listedName = "HelmsetVendorTest" + id;
    ScratchKey listed(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + listedName);
    ScratchKey nameless(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\HelmsetVendorTestNameless" + id);
    ScratchKey numbered(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\HelmsetVendorTestNumber" + id);
    ASSERT_NE(listed.get(), nullptr);
    ASSERT_NE(nameless.get(), nullptr);
    ASSERT_NE(numbered.get(), nullptr);
    const std::string name = "ﾃｽﾄ用ｿﾌﾄ 表計算 " + id;
    ASSERT_TRUE(SetText(listed.get(), "DisplayName", name));
    ASSERT_TRUE(SetText(listed.get(), "UninstallString", "C:\\表\\UNINST.EXE /X"));
    ASSERT_TRUE(SetRaw(listed.get(), "Publisher", REG_SZ, "Corvane", 7));  // no NUL stored
    ASSERT_TRUE(SetText(nameless.get(), "UninstallString", "C:\\NONAME.EXE"));
    const DWORD number = 1;
    ASSERT_TRUE(SetRaw(numbered.get(), "DisplayName", REG_DWORD, &number, sizeof number));

    int found = 0;
    for (uint32_t key : vendor::RowKeys(20)) {
        const std::string keyName = Get(20, 6, key).text;
        EXPECT_EQ(keyName.find("HelmsetVendorTestN"), std::string::npos) << "listed without a name";
        if (keyName != listedName)
            continue;
        found++;
        EXPECT_EQ(Get(20, 2, key).text, name);
        EXPECT_EQ(Get(20, 7, key).text, "C:\\表\\UNINST.EXE /X");
        EXPECT_EQ(Get(20, 4, key).text, "Corvane");
        EXPECT_EQ(Get(20, 3, key).text, "") << "no version given";
    }
    EXPECT_EQ(found, 1);
}
