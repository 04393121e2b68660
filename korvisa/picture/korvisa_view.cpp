#include "korvisa/picture/korvisa_view.h"

#include <commctrl.h>

#include <vector>

#include "korvisa/app/registry_settings.h"
#include "korvisa/app/single_instance.h"
#include "korvisa/dmi/dmi_access.h"
#include "korvisa/picture/picture_file.h"
#include "korvisa/res/page_ids.h"
#include "platform/framework/frame.h"
#include "platform/framework/resources.h"

namespace korvisa {

namespace {

constexpr size_t kPictureValueSize = 260;   // ImageFile and Region values

struct KindNames {
    const char* subkey;
    UINT tabText;
    UINT imageSuffix;
};
const KindNames kKinds[kKindCount] = {
    {"Front", IDS_TAB_FRONT, IDS_IMAGE_FRONT},
    {"Back", IDS_TAB_BACK, IDS_IMAGE_BACK},
    {"Software", IDS_TAB_SOFTWARE, IDS_IMAGE_SOFTWARE},
};

struct RegionEntry {
    int kind;
    UINT subkey;   // string resource of the region's key below the model key
    UINT command;
};
const RegionEntry kRegions[] = {
    {kFront, IDS_REGION_FRONT_BODY, ID_PAGE_BODY},
    {kFront, IDS_REGION_FRONT_MEMORY, ID_PAGE_MEMORY},
    {kFront, IDS_REGION_FRONT_DISPLAY, ID_PAGE_DISPLAY},
    {kFront, IDS_REGION_FRONT_KEYBOARD, ID_PAGE_KEYBOARD},
    {kFront, IDS_REGION_FRONT_MOUSE, ID_PAGE_MOUSE},
    {kFront, IDS_REGION_FRONT_PRINTER, ID_PAGE_PRINTER},
    {kFront, IDS_REGION_FRONT_MODEM, ID_PAGE_MODEM},
    {kFront, IDS_REGION_FRONT_MEDIA, ID_PAGE_MEDIA},
    {kBack, IDS_REGION_BACK_PORT, ID_PAGE_PORTS},
    {kBack, IDS_REGION_BACK_SLOT, ID_PAGE_SLOTS},
    {kBack, IDS_REGION_BACK_BOARD, ID_PAGE_SCSI_LAN},
    {kBack, IDS_REGION_BACK_USB, ID_PAGE_USB},
    {kSoftware, IDS_REGION_SOFTWARE_DMI, ID_PAGE_DMI_SOFTWARE},
    {kSoftware, IDS_REGION_SOFTWARE_WIN95, ID_PAGE_INSTALLED_SOFTWARE},
};

const char kOpenFailedText[] = "ビットマップファイルのオープンで失敗しました。\n再インストールしてください。";

// The subkeys of a key of HKEY_LOCAL_MACHINE, in the registry's order; empty
// when it cannot be opened.
std::vector<std::string> Subkeys(const std::string& path)
{
    std::vector<std::string> names;
    HKEY key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &key) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD length = sizeof name;
        if (::RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length < sizeof name ? length : sizeof name - 1);
    }
    ::RegCloseKey(key);
    return names;
}

int KindOfSubkey(const std::string& name)
{
    for (int kind = 0; kind < kKindCount; ++kind)
        if (::lstrcmpiA(name.c_str(), kKinds[kind].subkey) == 0)
            return kind;
    return -1;
}

POINT MapPoint(HWND from, HWND to, LPARAM lParam)
{
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::MapWindowPoints(from, to, &point, 1);
    return point;
}

}  // namespace

bool CKORVISAView::OnInitDialog()
{
    bool focus = fw::CFormView::OnInitDialog();
    HWND picture = ::GetDlgItem(m_hWnd, IDC_PICTURE);
    m_picture.Attach(picture);
    // The layout keeps the offsets the form was designed with.
    RECT tabs, pictureRect;
    ::GetWindowRect(Tabs(), &tabs);
    ::GetWindowRect(picture, &pictureRect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&tabs), 2);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&pictureRect), 2);
    m_tabX = tabs.left;
    m_tabY = tabs.top;
    m_pictureX = pictureRect.left;
    // The picture lies on the tab control and must be drawn over it.
    ::SetWindowPos(picture, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PostMessage(kViewSetUpMessage);
    return focus;
}

void CKORVISAView::ShowError(const std::string& text, UINT icon)
{
    HWND owner = m_frame ? m_frame->m_hWnd : ::GetParent(m_hWnd);
    fw::MessageBoxText(owner, text.c_str(), MB_OK | icon, kViewerCaption);
}

bool CKORVISAView::ChooseModelKey(const std::string& computerType)
{
    const std::string base = fw::LoadStr(IDS_KEY_HELPDESK);
    // The type comes from the PC's DMI component: it names one key, never a
    // path, and an empty one names none.
    if (!computerType.empty() && computerType.find('\\') == std::string::npos) {
        std::string key = base + "\\" + computerType;
        if (!Subkeys(key).empty()) {
            m_modelKey = key;
            return true;
        }
    }
    std::string fallback = base + "\\DeskTop";
    if (Subkeys(fallback).empty())
        return false;
    m_modelKey = fallback;
    return true;
}

void CKORVISAView::SetUp()
{
    // Its message boxes let other messages through, the set-up's own among them.
    if (m_setUp)
        return;
    m_setUp = true;
    m_binDir = InstallDir() + "\\Bin";
    m_picture.SetCommandTarget(m_frame ? m_frame->m_hWnd : ::GetParent(m_hWnd));

    std::string computerType;
    bool named;
    {
        dmi::DmiAccess access;
        named = access.GetSystemName(&computerType) != 0;
    }
    if (!named || !ChooseModelKey(computerType)) {
        ShowError(fw::LoadStr(IDS_NO_COMPUTER_TYPE), 0);
        return;
    }

    HWND tabs = Tabs();
    for (const std::string& name : Subkeys(m_modelKey)) {
        int kind = KindOfSubkey(name);
        if (kind < 0 || m_hasKind[kind])
            continue;
        // Each tab keeps its kind: when "Back" is missing the software tab
        // ends up at index 1, and it still shows the software picture and
        // its regions, not the missing back picture.
        std::string text = fw::LoadStr(kKinds[kind].tabText);
        TCITEMA item = {};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = &text[0];
        item.lParam = kind;
        ::SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(&item));
        m_hasKind[kind] = true;
        LoadKind(kind);
    }

    ::ShowWindow(tabs, SW_SHOW);
    ::ShowWindow(m_picture.m_hWnd, SW_SHOW);
    for (int kind = 0; kind < kKindCount; ++kind)
        if (m_hasKind[kind])
            AddRegions(kind);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    SelectTab(0);
}

void CKORVISAView::LoadKind(int kind)
{
    std::string file;
    std::string key = m_modelKey + fw::LoadStr(kKinds[kind].imageSuffix);
    if (!ReadMachineString(key.c_str(), "ImageFile", kPictureValueSize, file))
        ShowError(fw::LoadStr(IDS_NO_COMPUTER_TYPE), 0);
    std::string path = m_binDir + "\\" + file;
    DibImage image;
    switch (LoadPictureFile(path, image)) {
    case PictureLoad::Ok:
        m_picture.SetPicture(kind, std::move(image));
        break;
    case PictureLoad::OpenFailed:
        ShowError(path + kOpenFailedText, 0);
        break;
    case PictureLoad::Broken:
        ShowError(fw::LoadStr(IDS_BITMAP_BROKEN), MB_ICONINFORMATION);
        break;
    case PictureLoad::TooLarge:
        ShowError(fw::LoadStr(IDS_BITMAP_TOO_LARGE), MB_ICONINFORMATION);
        break;
    }
}

void CKORVISAView::AddRegions(int kind)
{
    for (const RegionEntry& entry : kRegions) {
        if (entry.kind != kind)
            continue;
        std::string text;
        std::string key = m_modelKey + fw::LoadStr(entry.subkey);
        if (ReadMachineString(key.c_str(), "Region", kPictureValueSize, text))
            m_picture.AddRegion(kind, text, entry.command);
    }
}

void CKORVISAView::SelectTab(int index)
{
    HWND tabs = Tabs();
    if (index < 0 || index > 9)
        return;
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    if (!::SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return;
    if (::SendMessageA(tabs, TCM_GETCURSEL, 0, 0) != index)
        ::SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    m_picture.SetCurrentKind(static_cast<int>(item.lParam));
}

void CKORVISAView::Layout(int width, int height)
{
    auto atLeast0 = [](int v) { return v > 0 ? v : 0; };
    ::MoveWindow(Tabs(), m_tabX, m_tabY, atLeast0(width - 2 * m_tabX), atLeast0(height - 2 * m_tabY), TRUE);
    const int px = m_pictureX;
    if (m_picture.m_hWnd) {
        ::MoveWindow(m_picture.m_hWnd, px, m_tabY + px, atLeast0(width - 2 * px),
                     atLeast0(height - m_tabY - 2 * px), TRUE);
        m_picture.TrackMouse(POINT{-1, -1});
    }
}

LRESULT CKORVISAView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case kViewSetUpMessage:
        SetUp();
        return TRUE;
    case WM_SIZE:
        if (wParam == SIZE_RESTORED)
            Layout(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_MOUSEMOVE:
        if (m_picture.m_hWnd)
            m_picture.TrackMouse(MapPoint(m_hWnd, m_picture.m_hWnd, lParam));
        break;
    case WM_LBUTTONDOWN:
        if (m_picture.m_hWnd)
            m_picture.Activate(MapPoint(m_hWnd, m_picture.m_hWnd, lParam));
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_PICTURE_TABS && header->code == TCN_SELCHANGE)
            SelectTab(static_cast<int>(::SendMessageA(Tabs(), TCM_GETCURSEL, 0, 0)));
        break;
    }
    case WM_QUERYNEWPALETTE:
        m_picture.RealizePalette();
        return TRUE;
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wParam) != m_picture.m_hWnd)
            m_picture.RealizePalette();
        return TRUE;
    default:
        break;
    }
    return fw::CFormView::WindowProc(msg, wParam, lParam);
}

}  // namespace korvisa
