// The picture view in-process: tabs and pictures from the registry key of
// the computer type that an in-process service layer reports, and the
// messages of a configuration that cannot be loaded.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include "harness/harness.h"
#include "korvisa/dmi/command_layer.h"
#include "korvisa/dmi/dmi_access.h"
#include "korvisa/picture/korvisa_view.h"
#include "korvisa/res/page_ids.h"
#include "korvisa/tests/fake_service.h"
#include "platform/framework/resources.h"

using namespace korvisa;
using namespace korvisa::dmi;

namespace {

constexpr uint32_t kSystem = 7;
const char kHelpDesk[] = "SOFTWARE\\Corvane\\Lanternfish\\HelpDesk\\";
const char kBin[] = "C:\\HELMSET\\BIN\\";
const char kOpenFailed[] = "ビットマップファイルのオープンで失敗しました。\n再インストールしてください。";

void DeleteTree(HKEY parent, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char name[256];
    DWORD length = sizeof name;
    while (RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        DeleteTree(key, name);
        length = sizeof name;
    }
    RegCloseKey(key);
    RegDeleteKeyA(parent, path.c_str());
}

void Value(const std::string& type, const std::string& subkey, const char* name, const std::string& value)
{
    ASSERT_TRUE(harness::writeRegistryString(HKEY_LOCAL_MACHINE, kHelpDesk + type + subkey, name, value));
}

// An 8-bit bitmap file of 20 x 10 pixels with a grey palette.
std::string Bitmap(int32_t height = 10)
{
    const int32_t width = 20;
    std::string b(14 + 40 + 256 * 4 + 20 * 10, '\0');
    auto put = [&](size_t at, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b[at + i] = static_cast<char>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put(2, static_cast<uint32_t>(b.size()), 4);
    put(10, 14 + 40 + 256 * 4, 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(width), 4);
    put(22, static_cast<uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 8, 2);
    for (int i = 0; i < 256; ++i)
        put(54 + i * 4, static_cast<uint32_t>(i * 0x010101), 3);
    return b;
}

// Answers the viewer's message boxes of this process from another thread,
// keeping their texts.
class BoxAnswerer {
public:
    BoxAnswerer()
        : m_thread([this] {
              while (!m_stop) {
                  HWND box = harness::findMessageBox("ｼｽﾃﾑﾋﾞｭｰｱ", GetCurrentProcessId());
                  if (!box) {
                      Sleep(10);
                      continue;
                  }
                  auto text = harness::messageBoxText(box, 2000);
                  {
                      std::lock_guard<std::mutex> lock(m_mutex);
                      m_texts.push_back(text.value_or("?"));
                  }
                  harness::answerMessageBox(box, IDOK, 3000);
              }
          })
    {
    }
    ~BoxAnswerer()
    {
        m_stop = true;
        m_thread.join();
    }
    std::vector<std::string> Sorted()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::vector<std::string> texts = m_texts;
        std::sort(texts.begin(), texts.end());
        return texts;
    }

private:
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::vector<std::string> m_texts;
    std::thread m_thread;
};

class PictureView : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetForTests(500);
        DmiAccess::ResetConnectionForTests();
        service.Reset();
        SetServiceEntry(&FakeService::Entry);
        service.AddComponent(2, "Vendor", kVendorClass);
        service.AddComponent(kSystem, "PC", kGeneralInformationClass);
        m_host = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 640, 400, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_host, nullptr);
    }
    void TearDown() override { DestroyWindow(m_host); }
    // A configuration of its own for each test.
    void ComputerType(const std::string& type)
    {
        DeleteTree(HKEY_LOCAL_MACHINE, kHelpDesk + type);
        service.SetString(kSystem, 16, 1, 0, type);
    }
    // Creates the view and runs its set-up, answering what it tells.
    void Open(CKORVISAView& view, std::vector<std::string>* messages = nullptr)
    {
        ASSERT_TRUE(view.Create(m_host));
        BoxAnswerer answerer;
        view.SetUp();
        if (messages)
            *messages = answerer.Sorted();
    }
    static int TabCount(CKORVISAView& view)
    {
        return static_cast<int>(SendDlgItemMessageA(view.m_hWnd, IDC_PICTURE_TABS, TCM_GETITEMCOUNT, 0, 0));
    }
    static std::string TabText(CKORVISAView& view, int index)
    {
        char text[64] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendDlgItemMessageA(view.m_hWnd, IDC_PICTURE_TABS, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    FakeService& service = FakeService::Instance();
    HWND m_host = nullptr;
};

}  // namespace

TEST_F(PictureView, TabsComeFromTheSubkeysAndShowTheirOwnPicture)
{
    ComputerType("View Two");
    ASSERT_TRUE(harness::writeFile(std::string(kBin) + "VT_F.BMP", Bitmap()));
    ASSERT_TRUE(harness::writeFile(std::string(kBin) + "VT_S.BMP", Bitmap()));
    Value("View Two", "\\Front", "ImageFile", "VT_F.BMP");
    Value("View Two", "\\Front\\Body", "Region", "(A:1,E:10);");
    Value("View Two", "\\software", "ImageFile", "vt_s.bmp");
    Value("View Two", "\\Software\\DMI", "Region", "(a:1,e:10);");
    Value("View Two", "\\Software\\Win95", "Region", "(F:1,J:10);");
    Value("View Two", "\\Extra", "ImageFile", "VT_F.BMP");

    CKORVISAView view;
    std::vector<std::string> messages;
    Open(view, &messages);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(view.ModelKey(), std::string(kHelpDesk) + "View Two");
    ASSERT_EQ(TabCount(view), 2);
    EXPECT_EQ(TabText(view, 0), "正面");
    EXPECT_EQ(TabText(view, 1), "ｿﾌﾄｳｪｱ");
    EXPECT_TRUE(view.HasKind(kFront));
    EXPECT_FALSE(view.HasKind(kBack));
    EXPECT_TRUE(view.HasKind(kSoftware));
    EXPECT_TRUE(view.Picture().HasPicture(kFront));
    EXPECT_TRUE(view.Picture().HasPicture(kSoftware));

    EXPECT_EQ(view.Picture().CurrentKind(), kFront);
    EXPECT_EQ(view.Picture().HitTest(POINT{2, 2}), static_cast<UINT>(ID_PAGE_BODY));
    // The second tab is the software picture, with its regions.
    view.SelectTab(1);
    EXPECT_EQ(view.Picture().CurrentKind(), kSoftware);
    EXPECT_EQ(view.Picture().HitTest(POINT{2, 2}), static_cast<UINT>(ID_PAGE_DMI_SOFTWARE));
    RECT client;
    GetClientRect(view.Picture().m_hWnd, &client);
    EXPECT_EQ(view.Picture().HitTest(POINT{client.right - 1, 2}), static_cast<UINT>(ID_PAGE_INSTALLED_SOFTWARE));
}

TEST_F(PictureView, PicturesThatCannotBeLoadedAreToldAndTheirRegionsStillWork)
{
    ComputerType("View Broken");
    ASSERT_TRUE(harness::writeFile(std::string(kBin) + "VT_JUNK.BMP", "MZ this is no bitmap at all"));
    ASSERT_TRUE(harness::writeFile(std::string(kBin) + "VT_TALL.BMP", Bitmap(-10)));
    harness::deleteFile(std::string(kBin) + "VT_NONE.BMP");
    Value("View Broken", "\\Front", "ImageFile", "VT_NONE.BMP");
    Value("View Broken", "\\Front\\Memory", "Region", "(A:1,J:10);");
    Value("View Broken", "\\Back", "ImageFile", "VT_JUNK.BMP");
    Value("View Broken", "\\Software", "ImageFile", "VT_TALL.BMP");

    CKORVISAView view;
    std::vector<std::string> messages;
    Open(view, &messages);
    std::vector<std::string> expected = {
        "C:\\HELMSET\\Bin\\VT_NONE.BMP" + std::string(kOpenFailed),
        "使用するビットマップファイルが壊れています。\n再インストールしてください。",
        "ビットマップファイルが大きすぎます。\n再インストールをお願いします。",
    };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(messages, expected);
    EXPECT_EQ(TabCount(view), 3);
    EXPECT_FALSE(view.Picture().HasPicture(kFront));
    EXPECT_EQ(view.Picture().HitTest(POINT{2, 2}), static_cast<UINT>(ID_PAGE_MEMORY));
}

TEST_F(PictureView, MissingFileNameIsToldBeforeTheOpenFails)
{
    ComputerType("View Nameless");
    Value("View Nameless", "\\Front\\Body", "Region", "(A:1,J:10);");
    CKORVISAView view;
    std::vector<std::string> messages;
    Open(view, &messages);
    std::vector<std::string> expected = {"C:\\HELMSET\\Bin\\" + std::string(kOpenFailed),
                                         fw::LoadStr(IDS_NO_COMPUTER_TYPE)};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(messages, expected);
    EXPECT_EQ(TabCount(view), 1);
}

TEST_F(PictureView, NoComputerTypeLeavesTheViewEmpty)
{
    CKORVISAView view;
    std::vector<std::string> messages;
    Open(view, &messages);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "コンピュータのタイプが取得できませんでした。\n動作環境が変更されている可能性があります。");
    EXPECT_EQ(TabCount(view), 0);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(view.m_hWnd, IDC_PICTURE_TABS)));

    // A type without a configuration of its own, or one that would name a
    // path, gets the desktop PC's.
    for (const char* type : {"No Such Model", "Front\\..\\Back", ""}) {
        ComputerType("No Such Model");
        service.SetString(kSystem, 16, 1, 0, type);
        CKORVISAView other;
        Open(other);
        EXPECT_EQ(other.ModelKey(), std::string(kHelpDesk) + "DeskTop") << type;
    }
}
