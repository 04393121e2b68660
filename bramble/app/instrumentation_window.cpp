#include "bramble/app/instrumentation_window.h"

#include <cstdio>
#include <string>

#include "bramble/app/ci_link.h"
#include "bramble/app/messages.h"
#include "bramble/app/process_state.h"
#include "bramble/health/health_monitor.h"
#include "bramble/mif/mif_files.h"
#include "bramble/res/resource.h"
#include "platform/framework/resources.h"

namespace bramble {
namespace {

const char kVersion[] = "4.00";
const char kConfirmClass[] = "ConfirmWndClass";
const char kBrowserClass[] = "CorvaneDMIBrowser32";

// The installation folder from the service layer's key; false when the key
// or the value cannot be read.
bool ReadInstallDir(char* buffer, size_t size)
{
    HKEY key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, fw::LoadStr(IDS_KEY_DMI_DIR).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return false;
    char value[260] = "";
    DWORD length = sizeof value - 1, type = 0;
    LONG status = ::RegQueryValueExA(key, "DMIDIR", nullptr, &type, reinterpret_cast<BYTE*>(value), &length);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    value[length < sizeof value ? length : sizeof value - 1] = '\0';
    CopyBounded(buffer, size, value);
    return true;
}

// The MIF of the PC's component, written once from the proto-MIF.
bool GenerateComponentMif()
{
    const ProcessState& state = State();
    MifInputs inputs;
    inputs.parallelPort = state.parallelPort;
    inputs.serialPort = state.serialPort;
    inputs.windowsNt = state.platform == kPlatformWindowsNt;
    if (state.healthConfigured && HealthConfiguration())
        FillHealthMifInputs(*HealthConfiguration(), &inputs);
    MifRunResult result = RunMifGeneration(MifDmiDir(), inputs);
    if (int id = MifMessageId(result))
        fw::MessageBoxText(nullptr, MifMessageText(id), MB_OK | MB_ICONSTOP);
    return result.Result() == 1;
}

}  // namespace

bool InstrumentationWindow::Create()
{
    std::string className = fw::LoadStr(IDS_WINDOW_CLASS);
    HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_BRAMBLE));
    if (!RegisterClass(className.c_str(), CS_HREDRAW | CS_VREDRAW, nullptr,
                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon))
        return false;
    HWND owner = ::FindWindowA(kConfirmClass, nullptr);
    std::string title = FormatEntry(IDS_WINDOW_TITLE, ProductName());
    return CreateEx(0, className.c_str(), title.c_str(), kStyle, kLeft, kTop, kRight - kLeft, kBottom - kTop, owner,
                    nullptr);
}

LRESULT InstrumentationWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate();
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    case WM_SYSCOMMAND:
        // Minimising hides the window: it never shows as a minimised window.
        if ((wParam & 0xFFF0) == SC_MINIMIZE) {
            ::ShowWindow(m_hWnd, SW_HIDE);
            return 0;
        }
        break;
    case kRefreshDates:
    case kRefreshSystemStrings:
    case kRefreshGroup4:
    case kRefreshMemory:
    case kRefreshGroup29:
    case kRefreshDisplay:
    case kRefreshVideoBios:
    case kRefreshIrqTable:
        ServingRefresh(msg);
        return 0;
    case kNoAction469:
    case kNoAction46F:
    case kNoAction471:
    case kNoAction484:
    case kNoAction485:
    case kSetClock:
        return ServingApplyPendingClock() ? 1 : 0;
    case kHealthAccepted:
    case kHealthRequest48B:
    case kHealthRequest48C:
        return HandleHealthMessage(msg, wParam, lParam);
    case kStoreFruTable:
        if (wParam == kStoreFruTableRequest)
            StoreFruTable();
        return 0;
    case kRestoreWindow:
        if (lParam == WM_LBUTTONDOWN) {
            ::ShowWindow(m_hWnd, SW_RESTORE);
            ::SetFocus(m_hWnd);
            ::SetForegroundWindow(m_hWnd);
        }
        return 0;
    case kBridgeGet:
    case kBridgeGetNext:
    case kBridgeReserve:
    case kBridgeRelease:
    case kBridgeSet: {
        const CiEntryPoints* entries = ServingEntryPoints();
        if (!bridge_ || !entries)
            return 0;
        return bridge_->Handle(msg, *entries);
    }
    default:
        break;
    }
    return fw::CWnd::WindowProc(msg, wParam, lParam);
}

LRESULT InstrumentationWindow::OnCreate()
{
    ServingSetMainWindow(m_hWnd);
    if (!m_hWnd) {
        fw::MessageBoxId(nullptr, IDS_BAD_WINDOW_HANDLE, MB_OK | MB_ICONSTOP);
        return -1;
    }
    // The monitor's configuration decides the MIF's health section.
    if (State().healthConfigured)
        ConfigureHealth(State().modelClass, MifDmiDir().c_str());
    if (!ServingFullProbe() || !GenerateComponentMif()) {
        fw::MessageBoxId(nullptr, IDS_INIT_FAILED, MB_OK | MB_ICONEXCLAMATION);
        return -1;
    }
    ProcessState& state = State();
    if (!ReadInstallDir(state.installDir, sizeof state.installDir)) {
        fw::MessageBoxText(nullptr, FormatEntry(IDS_BAD_REGISTRY, ProductName()).c_str(),
                           MB_OK | MB_ICONEXCLAMATION);
        return -1;
    }
    // The FRU records stored by an earlier run.
    ServingLoadFruTable(state.installDir);
    ServingInvalidateCaches();
    ::ShowWindow(m_hWnd, SW_HIDE);
    return 0;
}

void InstrumentationWindow::StoreFruTable()
{
    std::string path;
    DWORD error = 0;
    if (ServingStoreFruTable(State().installDir, &path, &error))
        return;
    fw::MessageBoxText(nullptr, FileAccessText(path, error).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void InstrumentationWindow::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(dc, &metrics);
    int x = 4 * metrics.tmAveCharWidth;
    int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    std::string product = ProductName();
    const std::string lines[4] = {
        FormatEntry(IDS_TITLE_LINE, product, kVersion),
        fw::LoadStr(IDS_NOTICE_LINE),
        fw::LoadStr(IDS_CLOSE_LINE),
        FormatEntry(IDS_UNUSABLE_LINE, product),
    };
    for (int i = 0; i < 4; ++i)
        ::TextOutA(dc, x, (i + 2) * lineHeight, lines[i].c_str(), static_cast<int>(lines[i].size()));
    ::SelectObject(dc, old);
    ::EndPaint(m_hWnd, &paint);
}

void InstrumentationWindow::OnClose()
{
    // A second request while the first is being asked about is ignored.
    if (closing_)
        return;
    closing_ = true;
    ::SetForegroundWindow(m_hWnd);
    ::ShowWindow(m_hWnd, SW_RESTORE);
    std::string text = FormatEntry(IDS_CONFIRM_CLOSE, ProductName());
    if (fw::MessageBoxText(m_hWnd, text.c_str(), MB_YESNO | MB_ICONSTOP) != IDYES) {
        closing_ = false;
        return;
    }
    // The MIF browser shows this component: it goes too. A browser that does
    // not answer does not keep bramble open.
    if (HWND browser = ::FindWindowA(kBrowserClass, nullptr)) {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(browser, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    }
    DestroyWindow();
}

}  // namespace bramble
