#include <gtest/gtest.h>
#include <windows.h>

#include "harness/files.h"
#include "harness/process.h"
#include "harness/registry.h"
#include "harness/tests/sample.h"
#include "harness/windows_version.h"

using namespace harness;

namespace {

const char kKey[] = "Software\\HelmsetHarnessTest";

bool isWindows9x(DWORD version) { return (version & 0x80000000u) != 0; }
DWORD majorMinor(DWORD version) { return version & 0xFFFFu; }

// GetVersion() as the sample sees it at its start.
std::optional<DWORD> sampleVersion() {
    Process sample = Process::start(samplePath(), "version");
    return sample.valid() ? sample.wait() : std::nullopt;
}

}  // namespace

TEST(DeskHelpers, RegistryValuesKeepTheirBytesTypesAndBounds) {
    ASSERT_TRUE(deleteRegistryKey(HKEY_CURRENT_USER, kKey));
    const std::string text = "\x95\x5c\x8e\xa6\x83\x5c\x83\x74\x83\x67";

    ASSERT_TRUE(writeRegistryString(HKEY_CURRENT_USER, kKey, "Text", text));
    ASSERT_TRUE(writeRegistryDword(HKEY_CURRENT_USER, kKey, "Number", 0xFFFFFFFEu));
    EXPECT_EQ(text, readRegistryString(HKEY_CURRENT_USER, kKey, "Text"));
    EXPECT_EQ(0xFFFFFFFEu, readRegistryDword(HKEY_CURRENT_USER, kKey, "Number"));
    EXPECT_FALSE(readRegistryDword(HKEY_CURRENT_USER, kKey, "Text").has_value());
    EXPECT_FALSE(readRegistryString(HKEY_CURRENT_USER, kKey, "Number").has_value());
    EXPECT_FALSE(readRegistryString(HKEY_CURRENT_USER, kKey, "Missing").has_value());
    EXPECT_FALSE(readRegistryString(HKEY_CURRENT_USER, "Software\\NoSuchKey", "Text").has_value());

    // Another program may store a string without its ending NUL.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &key));
    RegSetValueExA(key, "Unended", 0, REG_SZ, reinterpret_cast<const BYTE*>("ABC"), 3);
    RegCloseKey(key);
    EXPECT_EQ("ABC", readRegistryString(HKEY_CURRENT_USER, kKey, "Unended"));

    ASSERT_TRUE(writeRegistryString(HKEY_CURRENT_USER, kKey, "Huge",
                                    std::string(kMaxRegistryValue + 10, 'x')));
    EXPECT_FALSE(readRegistryString(HKEY_CURRENT_USER, kKey, "Huge").has_value());

    EXPECT_TRUE(deleteRegistryValue(HKEY_CURRENT_USER, kKey, "Text"));
    EXPECT_FALSE(readRegistryString(HKEY_CURRENT_USER, kKey, "Text").has_value());
    EXPECT_TRUE(deleteRegistryValue(HKEY_CURRENT_USER, kKey, "Text"));
    EXPECT_TRUE(deleteRegistryKey(HKEY_CURRENT_USER, kKey));
    EXPECT_FALSE(readRegistryDword(HKEY_CURRENT_USER, kKey, "Number").has_value());
}

TEST(DeskHelpers, ProgramWindowsVersionReachesTheProgramAtItsNextStart) {
    ASSERT_TRUE(setProgramWindowsVersion(samplePath(), WindowsVersion::Nt40));
    std::optional<DWORD> version = sampleVersion();
    ASSERT_TRUE(version.has_value());
    EXPECT_FALSE(isWindows9x(*version));
    EXPECT_EQ(0x0004u, majorMinor(*version));

    ASSERT_TRUE(setProgramWindowsVersion(samplePath(), WindowsVersion::Win95));
    version = sampleVersion();
    ASSERT_TRUE(version.has_value());
    EXPECT_TRUE(isWindows9x(*version));
    EXPECT_EQ(0x0004u, majorMinor(*version));

    ASSERT_TRUE(setProgramWindowsVersion(samplePath(), WindowsVersion::Win98));
    version = sampleVersion();
    ASSERT_TRUE(version.has_value());
    EXPECT_TRUE(isWindows9x(*version));
    EXPECT_EQ(0x0A04u, majorMinor(*version));

    // Cleared, the program gets the desk's own version, as this test program does.
    ASSERT_TRUE(clearProgramWindowsVersion(samplePath()));
    version = sampleVersion();
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(GetVersion(), *version);
}

TEST(DeskHelpers, FilesAreReadWholeAndBounded) {
    const std::string folder = windowsDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_FALSE(fileExists(folder)) << "a folder is not a file";

    const std::string path = folder + "\\harness_test.bin";
    const std::string bytes("A\0\x81\x5c\r\nZ", 7);
    ASSERT_TRUE(writeFile(path, bytes));
    EXPECT_TRUE(fileExists(path));
    EXPECT_EQ(bytes, readFile(path));
    EXPECT_EQ(bytes, readFile(path, bytes.size()));
    EXPECT_FALSE(readFile(path, bytes.size() - 1).has_value());

    EXPECT_TRUE(deleteFile(path));
    EXPECT_FALSE(fileExists(path));
    EXPECT_FALSE(readFile(path).has_value());
    EXPECT_TRUE(deleteFile(path));
}
