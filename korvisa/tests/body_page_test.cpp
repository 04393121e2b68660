// The body page and the page framework over an in-process service layer.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "harness/window.h"
#include "korvisa/dmi/command_layer.h"
#include "korvisa/pages/body_info_dlg.h"
#include "korvisa/pages/fetch_progress_dlg.h"
#include "korvisa/pages/help_ids.h"
#include "korvisa/res/page_ids.h"
#include "korvisa/tests/fake_service.h"

using namespace korvisa;
using namespace korvisa::dmi;

namespace {

constexpr uint32_t kSystem = 7;
const std::string kNa = "NA";

class BodyPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetForTests(500);
        DmiAccess::ResetConnectionForTests();
        SetServiceEntry(&FakeService::Entry);
        Install(true, true);
    }
    // The PC's component, with or without its user name and clock; no
    // processor rows yet.
    void Install(bool withUser, bool withClock)
    {
        service.Reset();
        service.AddComponent(2, "Vendor", kVendorClass);
        service.AddComponent(kSystem, "PC", kGeneralInformationClass);
        if (withUser)
            service.SetString(kSystem, 2, 3, 0, "山田 太郎");
        service.SetString(kSystem, 2, 1, 0, "PC-0042");
        service.SetString(kSystem, 1, 2, 0, "NB-4720");
        if (withClock)
            service.SetInteger(kSystem, 6, 6, 0, 5, 1000);
        service.SetEnumeration(kSystem, 6, 3, {{1, "Other"}, {11, "Pentium Processor"}});
    }
    // One processor row of the table by key, its family given by number.
    void Processor(uint32_t key, uint32_t family) { service.SetInteger(kSystem, 6, 3, key, 5, family); }
    BodyFields Read()
    {
        DmiAccess access;
        BodyFields fields;
        ReadBodyInfo(access, kNa, fields);
        return fields;
    }
    FakeService& service = FakeService::Instance();
};

}  // namespace

TEST_F(BodyPage, ShowsEveryValueAndCountsTheProcessors)
{
    Processor(1, 11);
    Processor(2, 11);
    BodyFields f = Read();
    EXPECT_EQ(f.user, "山田 太郎");
    EXPECT_EQ(f.computer, "PC-0042");
    EXPECT_EQ(f.model, "NB-4720");
    EXPECT_EQ(f.family, "Pentium Processor  2 Processor");
    EXPECT_EQ(f.clock, "1000 MHz");

    // An empty second row still counts; the first row's family stays.
    service.SetString(kSystem, 6, 3, 2, "");
    EXPECT_EQ(Read().family, "Pentium Processor  2 Processor");

    // The last non-empty row wins.
    Processor(2, 1);
    Processor(3, 11);
    Processor(4, 1);
    EXPECT_EQ(Read().family, "Other  4 Processor");
}

TEST_F(BodyPage, OneProcessorShowsItsFamilyAloneAndNoneShowsNa)
{
    Processor(1, 1);
    EXPECT_EQ(Read().family, "Other");
    Install(true, true);
    EXPECT_EQ(Read().family, kNa);
    // A single row without a family text leaves "NA" and adds no count.
    service.SetString(kSystem, 6, 3, 1, "");
    EXPECT_EQ(Read().family, kNa);
}

TEST_F(BodyPage, OneFailedValueShowsNaInItsFieldOnly)
{
    Install(false, false);
    Processor(1, 11);
    BodyFields f = Read();
    EXPECT_EQ(f.user, kNa);
    EXPECT_EQ(f.computer, "PC-0042");
    EXPECT_EQ(f.model, "NB-4720");
    EXPECT_EQ(f.family, "Pentium Processor");
    EXPECT_EQ(f.clock, kNa);
}

TEST_F(BodyPage, NoSystemComponentShowsNaEverywhere)
{
    service.Reset();
    service.AddComponent(2, "Vendor", kVendorClass);
    BodyFields f = Read();
    for (const std::string* field : {&f.user, &f.computer, &f.model, &f.family, &f.clock})
        EXPECT_EQ(*field, kNa);
}

TEST_F(BodyPage, DialogShowsTheFieldsAndClosesWithItsButton)
{
    Processor(1, 11);
    CBodyInfoDlg page(nullptr);
    ASSERT_TRUE(page.Create(nullptr));
    HWND dialog = page.m_hWnd;
    EXPECT_EQ(harness::windowText(dialog), std::string("情報表示－本体"));
    EXPECT_EQ(harness::controlText(dialog, IDC_BODY_USER), std::string("山田 太郎"));
    EXPECT_EQ(harness::controlText(dialog, IDC_BODY_COMPUTER), std::string("PC-0042"));
    EXPECT_EQ(harness::controlText(dialog, IDC_BODY_MODEL), std::string("NB-4720"));
    EXPECT_EQ(harness::controlText(dialog, IDC_BODY_FAMILY), std::string("Pentium Processor"));
    EXPECT_EQ(harness::controlText(dialog, IDC_BODY_CLOCK), std::string("1000 MHz"));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BODY_CLOSE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_BODY_CLOSE)));
    EXPECT_FALSE(IsWindow(dialog));
}

TEST(PageHelp, ContextIdsFollowTemplateAndControl)
{
    EXPECT_EQ(HelpContextId(2511, 1012), 0x89CF03F4u);
    EXPECT_EQ(HelpContextId(2506, 1026), 0x89CA0402u);
    auto lookUp = [](const DWORD* table, DWORD control) {
        for (; table[0] != 0; table += 2)
            if (table[0] == control)
                return table[1];
        return DWORD(0);
    };
    EXPECT_EQ(lookUp(kBodyHelpIds, 1012), 0x89CF03F4u);
    // The printer table: the page's own controls and the status page's lines.
    EXPECT_EQ(lookUp(kPrinterHelpIds, 1150), HelpContextId(2503, 1150));
    EXPECT_EQ(lookUp(kPrinterHelpIds, 1062), HelpContextId(2517, 1062));
}

TEST(FetchProgress, BarRunsToFiftyAndStartsAgain)
{
    CFetchProgressDlg wait;
    wait.m_title = "情報表示－ﾌﾟﾘﾝﾀ";
    ASSERT_TRUE(wait.Create(nullptr));
    HWND dialog = wait.m_hWnd;
    EXPECT_EQ(harness::windowText(dialog), std::string("ｼｽﾃﾑﾋﾞｭｰｱ"));
    EXPECT_EQ(harness::controlText(dialog, IDC_FETCH_TITLE), std::string("情報表示－ﾌﾟﾘﾝﾀ"));
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_FETCH_BAR, PBM_GETRANGE, FALSE, 0), 50);
    EXPECT_EQ(wait.Position(), 1);
    for (int tick = 2; tick <= 50; ++tick)
        SendMessageA(dialog, WM_TIMER, CFetchProgressDlg::kTimerId, 0);
    EXPECT_EQ(wait.Position(), 50);
    SendMessageA(dialog, WM_TIMER, CFetchProgressDlg::kTimerId, 0);
    EXPECT_EQ(wait.Position(), 1);
    // Escape does not end it; the page's IDOK does.
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindow(dialog));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(dialog));
}
