// "R": the viewer removes its document type's shell entries and its profile.
#include <gtest/gtest.h>

#include "harness/harness.h"
#include "korvisa/tests/viewer_desk.h"

using namespace viewer_desk;

namespace {

const char kDone[] = "System registry entries have been removed and the INI file (if any) was deleted.";
const char kFailed[] = "Not all of the system registry entries (or INI file) were removed.";

std::string ProfilePath()
{
    return harness::windowsDirectory() + "\\Helmset.ini";
}

void RegisterDocumentType()
{
    ASSERT_TRUE(harness::writeRegistryString(HKEY_CLASSES_ROOT, ".INA", "", "korvisa.Document"));
    ASSERT_TRUE(harness::writeRegistryString(HKEY_CLASSES_ROOT, "korvisa.Document", "", "korvisa Document"));
    ASSERT_TRUE(harness::writeRegistryString(HKEY_CLASSES_ROOT, "korvisa.Document\\shell\\open\\command", "",
                                             "C:\\HELMSET\\BIN\\korvisa.exe"));
}

bool KeyExists(const char* key)
{
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

}  // namespace

TEST(ViewerUnregister, RemovesEntriesAndProfileAndSaysSo)
{
    RegisterDocumentType();
    ASSERT_TRUE(harness::writeFile(ProfilePath(), "[Settings]\r\nPreviewPages=1\r\n"));

    harness::Process viewer = Start("/R");
    HWND box = harness::waitForMessageBox(kBoxCaption, viewer.id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(harness::messageBoxText(box).value_or(""), kDone);
    // No main window and no start-up picture while the report shows.
    EXPECT_EQ(FindSplash(viewer.id()), nullptr);
    for (HWND window : harness::topLevelWindows(viewer.id())) {
        if (window != box) {
            EXPECT_FALSE(harness::isVisible(window)) << harness::windowClass(window);
        }
    }
    EXPECT_TRUE(harness::answerMessageBox(box, IDOK));
    ASSERT_TRUE(viewer.wait(5000).has_value());

    EXPECT_FALSE(KeyExists(".INA"));
    EXPECT_FALSE(KeyExists("korvisa.Document"));
    EXPECT_FALSE(harness::fileExists(ProfilePath()));
}

TEST(ViewerUnregister, LeavesAnotherProgramsExtensionAndReportsWhatCouldNotGo)
{
    // ".INA" now belongs to another program: it stays. The profile cannot be
    // deleted (a folder stands in its place): the failure is reported.
    ASSERT_TRUE(harness::writeRegistryString(HKEY_CLASSES_ROOT, ".INA", "", "Other.Document"));
    ASSERT_TRUE(CreateDirectoryA(ProfilePath().c_str(), nullptr));

    harness::Process viewer = Start("-r");
    HWND box = harness::waitForMessageBox(kBoxCaption, viewer.id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(harness::messageBoxText(box).value_or(""), kFailed);
    EXPECT_TRUE(harness::answerMessageBox(box, IDOK));
    ASSERT_TRUE(viewer.wait(5000).has_value());
    EXPECT_EQ(harness::readRegistryString(HKEY_CLASSES_ROOT, ".INA", "").value_or(""), "Other.Document");
    RemoveDirectoryA(ProfilePath().c_str());
}

TEST(ViewerUnregister, EmbeddedRemovalIsSilent)
{
    RegisterDocumentType();
    ASSERT_TRUE(harness::writeFile(ProfilePath(), "[Settings]\r\n"));
    harness::Process viewer = Start("/Embedding /R");
    ASSERT_TRUE(viewer.wait(8000).has_value());
    EXPECT_FALSE(KeyExists("korvisa.Document"));
    EXPECT_FALSE(harness::fileExists(ProfilePath()));
}
