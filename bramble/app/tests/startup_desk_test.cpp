// The real bramble started on a fresh desk: its hidden window, the single
// instance rule and the start-up failures that end it with a message.
#include <gtest/gtest.h>

#include <cstring>

#include "bramble/app/tests/bramble_desk.h"
#include "bramble/probes/system_probe.h"
#include "harness/harness.h"

using namespace bramble_desk;

TEST(BrambleStart, ServesHiddenBehindItsWindow)
{
    harness::Process bramble = Start();
    ASSERT_TRUE(bramble.valid());
    HWND window = WaitUntilServing(bramble.id());
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(harness::isVisible(window));
    EXPECT_EQ(harness::windowTitle(window), std::string(" ") + kProduct + " Component Instrumentation");
    auto rect = harness::windowRect(window);
    ASSERT_TRUE(rect.has_value());
    EXPECT_EQ(rect->left, 50);
    EXPECT_EQ(rect->top, 120);
    EXPECT_EQ(rect->right, 650);
    EXPECT_EQ(rect->bottom, 300);
    DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    EXPECT_EQ(style & 0x80CA0000u, 0x80CA0000u);
    EXPECT_EQ(style & WS_CHILD, 0u);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    // The semaphore and every area of the bridge are there.
    HANDLE semaphore = OpenSemaphoreA(SYNCHRONIZE, FALSE, "DMIINFO");
    EXPECT_NE(semaphore, nullptr);
    if (semaphore)
        CloseHandle(semaphore);
    for (const char* name : {"HELMSETKEYLIST", "HELMSETKEYDATA", "HELMSETAttArea", "HELMSETDMIINFO"}) {
        SCOPED_TRACE(name);
        HANDLE area = OpenFileMappingA(FILE_MAP_READ, FALSE, name);
        EXPECT_NE(area, nullptr);
        if (area)
            CloseHandle(area);
    }
    // Nothing is sent to the service layer on a good start.
    EXPECT_FALSE(harness::fileExists(kCommandLog));
    EXPECT_TRUE(bramble.running());
}

TEST(BrambleStart, SecondStartSaysSoAndEnds)
{
    harness::Process first = Start();
    HWND window = WaitUntilServing(first.id());
    ASSERT_NE(window, nullptr);

    harness::Process second = Start();
    HWND box = harness::waitForMessageBox(kCaption, second.id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(harness::messageBoxText(box), std::string("本プログラムは複数起動することはできません．"));
    EXPECT_EQ(harness::messageBoxButtons(box), std::vector<int>{IDOK});
    EXPECT_TRUE(harness::answerMessageBox(box, IDOK));
    auto code = second.wait(8000);
    EXPECT_TRUE(code.has_value());
    // The first one goes on serving behind the same window.
    EXPECT_TRUE(first.running());
    harness::WindowQuery query;
    query.className = kWindowClass;
    EXPECT_EQ(harness::findWindow(query), window);
}

TEST(BrambleStart, MissingServiceLayerKeyShowsTheNoticeAndEnds)
{
    ASSERT_TRUE(harness::deleteRegistryKey(HKEY_LOCAL_MACHINE, kKey));
    harness::Process bramble = Start();
    HWND notice = harness::waitForMessageBox(kCaption, bramble.id());
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(harness::controlText(notice, 1005), RegistryNotice());
    EXPECT_TRUE(harness::answerMessageBox(notice, IDOK));
    EXPECT_TRUE(bramble.wait(8000).has_value());
    harness::WindowQuery query;
    query.className = kWindowClass;
    EXPECT_EQ(harness::findWindow(query), nullptr);
}

TEST(BrambleStart, RecordsTheProductOnlyWhenItIsMissing)
{
    // The product string comes from the testbed's SMBIOS table.
    auto table = harness::readFile("C:\\TESTBED\\smbios.bin");
    ASSERT_TRUE(table.has_value());
    bramble::SmbiosBytes bytes;
    bytes.data = reinterpret_cast<const unsigned char*>(table->data());
    bytes.length = static_cast<unsigned>(table->size());
    std::string product = bramble::ReadSystem(bytes).product;
    ASSERT_FALSE(product.empty());

    harness::deleteRegistryValue(HKEY_LOCAL_MACHINE, kKey, "Product");
    {
        harness::Process bramble = Start();
        ASSERT_NE(WaitUntilServing(bramble.id()), nullptr);
        EXPECT_EQ(harness::readRegistryString(HKEY_LOCAL_MACHINE, kKey, "Product"), product);
        bramble.stop();
    }
    // A value that is there is left as it is.
    ASSERT_TRUE(harness::writeRegistryString(HKEY_LOCAL_MACHINE, kKey, "Product", "Installed name"));
    harness::Process bramble = Start();
    ASSERT_NE(WaitForWindow(bramble.id()), nullptr);
    Sleep(300);
    EXPECT_EQ(harness::readRegistryString(HKEY_LOCAL_MACHINE, kKey, "Product"), std::string("Installed name"));
}

TEST(BrambleStart, UnreadableHealthLimitsUnregisterAndEnd)
{
    // A limits file of the wrong size cannot be the monitor's; it is left as it is.
    CreateDirectoryA("C:\\DMI\\DATA", nullptr);
    ASSERT_TRUE(harness::writeFile(kHealthFile, std::string(64, '\x01')));
    harness::deleteFile(kCommandLog);
    harness::Process bramble = Start();
    // First which file and why, then that the limits cannot be read.
    HWND box = harness::waitForMessageBox(kCaption, bramble.id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(harness::messageBoxText(box),
              std::string("ファイル： ") + kHealthFile + " にアクセスできません- エラーコード = 000D");
    EXPECT_TRUE(harness::answerMessageBox(box, IDOK));
    box = harness::waitForMessageBox(kCaption, bramble.id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(harness::messageBoxText(box), std::string("Error reading the system health limits."));
    EXPECT_TRUE(harness::answerMessageBox(box, IDOK));
    EXPECT_TRUE(bramble.wait(8000).has_value());

    // The service layer kept the one block it got: its length word, then the
    // block's first 4096 bytes.
    auto log = harness::readFile(kCommandLog);
    ASSERT_TRUE(log.has_value());
    ASSERT_EQ(log->size(), 4u + 4096u);
    auto word = [&](size_t offset) {
        uint32_t value;
        std::memcpy(&value, log->data() + 4 + offset, 4);
        return value;
    };
    uint32_t recorded;
    std::memcpy(&recorded, log->data(), 4);
    EXPECT_EQ(recorded, 4096u);
    EXPECT_EQ(log->substr(4, 4), "11MD");
    EXPECT_EQ(word(4), 0x401u);
    EXPECT_EQ(word(8), 4096u);
    EXPECT_EQ(word(16), 1u);
    EXPECT_EQ(word(20), 0u);
    EXPECT_EQ(word(24), 0u);
    EXPECT_EQ(word(28), 0u);
    EXPECT_EQ(word(32), 0u);
    EXPECT_EQ(word(36), 1u);
    EXPECT_EQ(word(64), 0u);
    for (size_t i = 40; i < 4096; ++i) {
        if (i < 64 || i >= 68) {
            ASSERT_EQ(log->at(4 + i), '\0') << "byte " << i;
        }
    }
    harness::WindowQuery query;
    query.className = kWindowClass;
    EXPECT_EQ(harness::findWindow(query), nullptr);
    EXPECT_EQ(harness::readFile(kHealthFile), std::string(64, '\x01'));
}
