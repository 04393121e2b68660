#include <gtest/gtest.h>

#include <windows.h>

#include "korvisa/app/registry_settings.h"

namespace {

const char kKey[] = "SOFTWARE\\HelmsetTests\\RegistrySettings";

void SetRaw(const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    ::RegCloseKey(key);
}

}  // namespace

TEST(RegistrySettings, StringsAreCutWholeAndOnlyStringsCount)
{
    std::string value;
    // 300 bytes of double-byte text: cut to 255 bytes would split one, so 254.
    std::string longText;
    while (longText.size() < 300)
        longText += "表";
    SetRaw("Long", REG_SZ, longText.c_str(), static_cast<DWORD>(longText.size() + 1));
    ASSERT_TRUE(korvisa::ReadMachineString(kKey, "Long", korvisa::kPathValueSize, value));
    EXPECT_EQ(value.size(), 254u);
    EXPECT_EQ(value, longText.substr(0, 254));

    // Cut to a small size: the whole ASCII prefix stays.
    SetRaw("Path", REG_SZ, "C:\\HELMSET", 11);
    ASSERT_TRUE(korvisa::ReadMachineString(kKey, "Path", 4, value));
    EXPECT_EQ(value, "C:\\");

    DWORD number = 7;
    SetRaw("Number", REG_DWORD, &number, sizeof number);
    EXPECT_FALSE(korvisa::ReadMachineString(kKey, "Number", 256, value));
    EXPECT_EQ(value, "");
    EXPECT_FALSE(korvisa::ReadMachineString(kKey, "Missing", 256, value));
    EXPECT_FALSE(korvisa::ReadMachineString("SOFTWARE\\HelmsetTests\\NoSuchKey", "Long", 256, value));

    DWORD read = 0;
    ASSERT_TRUE(korvisa::ReadMachineDword(kKey, "Number", read));
    EXPECT_EQ(read, 7u);
    // A number of the wrong size or type is not a number.
    SetRaw("Short", REG_BINARY, "\x01\x02", 2);
    EXPECT_FALSE(korvisa::ReadMachineDword(kKey, "Short", read));
    EXPECT_FALSE(korvisa::ReadMachineDword(kKey, "Long", read));
}

TEST(RegistrySettings, KeyPathsComeFromTheProgramsStrings)
{
    EXPECT_EQ(korvisa::CommonKey(), "SOFTWARE\\Corvane\\Lanternfish\\Common");
    EXPECT_EQ(korvisa::ScreenKey(), "SOFTWARE\\Corvane\\Lanternfish\\HelpDesk\\Screen\\SystemViewer");
}
