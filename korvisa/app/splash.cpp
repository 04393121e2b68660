#include "korvisa/app/splash.h"

#include <vector>

#include "korvisa/app/registry_settings.h"
#include "korvisa/app/splash_text.h"
#include "korvisa/res/resource.h"

namespace korvisa {

CSplashWnd* CSplashWnd::s_current = nullptr;
bool CSplashWnd::s_shown = false;
bool CSplashWnd::s_pictureLoadedOnce = false;

static const char kSplashClass[] = "korvisa.Splash";
static const char kPictureFile[] = "TAVOLA.BMP";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT_PTR kShowTimerId = 2;
constexpr UINT kShowDelayMilliseconds = 100;
constexpr DWORD kMaxPictureBytes = 16u << 20;   // far above any start-up picture

bool CSplashWnd::ShowSplashScreen(HWND owner)
{
    if (s_shown)
        return false;
    HBITMAP mark = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH));
    if (!mark)
        return false;
    s_shown = true;

    auto* splash = new CSplashWnd;
    splash->m_resourceBitmap = mark;
    std::string value;
    bool present = ReadMachineString(CommonKey().c_str(), "CoName", 4096, value);
    splash->m_companyLine = SplashNameLine(present, value);
    present = ReadMachineString(CommonKey().c_str(), "UsrName", 4096, value);
    splash->m_userLine = SplashNameLine(present, value);

    RegisterClass(kSplashClass, 0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    int x = (::GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    int y = (::GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    if (!splash->CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kSplashClass, "", WS_POPUP, x, y, kWidth, kHeight,
                          owner, nullptr)) {
        delete splash;
        return false;
    }
    s_current = splash;
    return true;
}

bool CSplashWnd::PreTranslateAppMessage(const MSG& msg)
{
    if (!s_current || !s_current->m_hWnd)
        return false;
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        s_current->Hide();
        return true;
    default:
        return false;
    }
}

CSplashWnd::~CSplashWnd()
{
    DiscardPicture();
    if (m_resourceBitmap)
        ::DeleteObject(m_resourceBitmap);
    if (s_current == this)
        s_current = nullptr;
}

void CSplashWnd::Hide()
{
    DestroyWindow();
}

void CSplashWnd::PostNcDestroy()
{
    delete this;
}

bool CSplashWnd::LoadPicture()
{
    HANDLE file = ::CreateFileA(kPictureFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = ::GetFileSize(file, nullptr);
    bool ok = false;
    if (size != INVALID_FILE_SIZE && size <= kMaxPictureBytes) {
        std::vector<uint8_t> data(size);
        DWORD got = 0;
        if (::ReadFile(file, data.data(), size, &got, nullptr) && got == size) {
            auto picture = std::make_unique<DibImage>();
            if (ParseDibFile(data.data(), data.size(), *picture) == DibStatus::Ok) {
                m_picture = std::move(picture);
                ok = true;
            }
        }
    }
    ::CloseHandle(file);
    if (ok && !m_picture->palette.empty()) {
        const auto& colours = m_picture->palette;
        std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + colours.size() * sizeof(PALETTEENTRY));
        auto* logical = reinterpret_cast<LOGPALETTE*>(buffer.data());
        logical->palVersion = 0x300;
        logical->palNumEntries = static_cast<WORD>(colours.size());
        for (size_t i = 0; i < colours.size(); ++i)
            logical->palPalEntry[i] = {colours[i].red, colours[i].green, colours[i].blue, 0};
        m_palette = ::CreatePalette(logical);
    }
    return ok;
}

void CSplashWnd::DiscardPicture()
{
    m_picture.reset();
    if (m_palette) {
        ::DeleteObject(m_palette);
        m_palette = nullptr;
    }
}

void CSplashWnd::DrawNames(HDC dc)
{
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::TextOutA(dc, 24, 210, m_companyLine.c_str(), static_cast<int>(m_companyLine.size()));
    ::TextOutA(dc, 24, 228, m_userLine.c_str(), static_cast<int>(m_userLine.size()));
    ::SelectObject(dc, oldFont);
}

void CSplashWnd::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    bool discarded = false;
    if (!s_pictureLoadedOnce) {
        // The picture is read on the first paint only, and shown that once.
        s_pictureLoadedOnce = true;
        if (LoadPicture()) {
            HPALETTE oldPalette = nullptr;
            if (m_palette) {
                oldPalette = ::SelectPalette(dc, m_palette, FALSE);
                ::RealizePalette(dc);
            }
            RECT client;
            ::GetClientRect(m_hWnd, &client);
            ::SetStretchBltMode(dc, COLORONCOLOR);
            const auto* info = reinterpret_cast<const BITMAPINFO*>(m_picture->packed.data());
            ::StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, m_picture->width, m_picture->height,
                            m_picture->packed.data() + m_picture->bitsOffset, info, DIB_RGB_COLORS, SRCCOPY);
            if (oldPalette)
                ::SelectPalette(dc, oldPalette, FALSE);
        }
    } else if (m_picture) {
        // A later paint drops the picture and repaints the window plain once.
        DiscardPicture();
        discarded = true;
    }
    if (!discarded)
        DrawNames(dc);
    ::EndPaint(m_hWnd, &ps);
    if (discarded)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

LRESULT CSplashWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        // Shown a moment later, once the main window is up and active: under
        // Wine a pop-up shown before its owner is activated ends up behind it.
        ::SetTimer(m_hWnd, kTimerId, kShowMilliseconds, nullptr);
        ::SetTimer(m_hWnd, kShowTimerId, kShowDelayMilliseconds, nullptr);
        return 0;
    case WM_TIMER:
        if (wParam == kShowTimerId) {
            ::KillTimer(m_hWnd, kShowTimerId);
            ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
            return 0;
        }
        if (wParam == kTimerId) {
            Hide();
            return 0;
        }
        break;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_DESTROY:
        ::KillTimer(m_hWnd, kTimerId);
        ::KillTimer(m_hWnd, kShowTimerId);
        if (s_current == this)
            s_current = nullptr;
        if (HWND owner = ::GetWindow(m_hWnd, GW_OWNER))
            ::UpdateWindow(owner);
        return 0;
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace korvisa
