#include "platform/tidemark/tests/section_fixture.h"

#include <cstdio>
#include <cstring>

#include "platform/tidemark/condition_store.h"

void DeleteKeyTree(HKEY root, const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ | KEY_WRITE, &key) == ERROR_SUCCESS) {
        char child[256];
        DWORD size = sizeof child;
        while (RegEnumKeyExA(key, 0, child, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
            char childPath[512];
            std::snprintf(childPath, sizeof childPath, "%s\\%s", path, child);
            DeleteKeyTree(root, childPath);
            size = sizeof child;
        }
        RegCloseKey(key);
    }
    RegDeleteKeyA(root, path);
}

void SectionFixture::SetUp()
{
    std::snprintf(keyPath_, sizeof keyPath_, "Software\\HelmsetTests\\Tidemark%lu",
                  static_cast<unsigned long>(GetCurrentProcessId()));
    DeleteKeyTree(HKEY_CURRENT_USER, keyPath_);
    tidemark::UseConditionStore(HKEY_CURRENT_USER, keyPath_);
    StartFreshSection();
}

void SectionFixture::TearDown()
{
    DeleteKeyTree(HKEY_CURRENT_USER, keyPath_);
    tidemark::UseConditionStore(HKEY_LOCAL_MACHINE, tidemark::kConditionKey);
}

void SectionFixture::StartFreshSection()
{
    std::memset(&section_, 0, sizeof section_);
}

void SectionFixture::SubkeyPath(char drive, char* out, size_t size) const
{
    if (drive)
        std::snprintf(out, size, "%s\\Drives\\%c", keyPath_, drive);
    else
        std::snprintf(out, size, "%s", keyPath_);
}

void SectionFixture::WriteDword(char drive, const char* name, DWORD value)
{
    WriteRaw(drive, name, REG_DWORD, &value, sizeof value);
}

void SectionFixture::WriteRaw(char drive, const char* name, DWORD type, const void* data, DWORD size)
{
    char path[256];
    SubkeyPath(drive, path, sizeof path);
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                             &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
    RegCloseKey(key);
}

bool SectionFixture::ReadDword(char drive, const char* name, DWORD* value)
{
    char path[256];
    SubkeyPath(drive, path, sizeof path);
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = sizeof *value;
    LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof *value;
}

tidemark::SystemFacts SectionFixture::SampleFacts()
{
    tidemark::SystemFacts facts = {};
    facts.drives.count = 2;
    facts.drives.index[0] = 2;   // c:
    facts.drives.index[1] = 4;   // e:
    facts.swap.totalMb = 512;
    facts.swap.usedMb = 100;
    return facts;
}
