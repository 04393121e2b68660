#include "bramble/app/instrumentation_app.h"

#include <string>

#include "bramble/app/messages.h"
#include "bramble/app/notice_dialog.h"
#include "bramble/app/process_state.h"
#include "bramble/app/smbios_identity.h"
#include "bramble/health/health_monitor.h"
#include "bramble/res/resource.h"
#include "platform/framework/resources.h"

namespace bramble {
namespace {

const char kBoxCaption[] = "BRAMBLE";

HANDLE SystemMutex() { return ::CreateMutexA(nullptr, FALSE, nullptr); }
MutexCreator g_mutexCreator = SystemMutex;

}  // namespace

void SetMutexCreator(MutexCreator creator) { g_mutexCreator = creator ? creator : SystemMutex; }

DmiCommandBlock& CommandBlock()
{
    static DmiCommandBlock block;
    return block;
}

InstrumentationApp::InstrumentationApp(DmiInvokeFunction invoke) : invoke_(invoke)
{
    m_appName = kBoxCaption;
}

bool InstrumentationApp::InitInstance()
{
    return CheckSingleInstance() && CreateMonitorMutex() && OpenDriver() && ReadPcIdentity() && CheckRegistry() &&
           CreateMainWindow() && StartHealthMonitor() && RecordProduct() && CreateBridge();
}

bool InstrumentationApp::CheckSingleInstance()
{
    HWND running = ::FindWindowA(fw::LoadStr(IDS_WINDOW_CLASS).c_str(), nullptr);
    if (!running)
        return true;
    fw::MessageBoxId(nullptr, IDS_ALREADY_RUNNING, MB_OK | MB_ICONSTOP);
    ::SetForegroundWindow(running);
    ::ShowWindow(running, SW_RESTORE);
    return false;
}

bool InstrumentationApp::CreateMonitorMutex()
{
    State().monitorMutex = g_mutexCreator();
    if (State().monitorMutex)
        return true;
    std::string text = FormatEntry(IDS_MUTEX_FAILED, static_cast<long>(::GetLastError()));
    ::MessageBeep(MB_ICONHAND);
    fw::MessageBoxText(nullptr, text.c_str(), MB_OK | MB_ICONSTOP, kBoxCaption);
    return false;
}

bool InstrumentationApp::OpenDriver()
{
    // A driver that cannot be opened shows in the next step.
    ProcessState& state = State();
    state.platform = QueryPlatformKind();
    if (state.platform == kPlatformUnknown)
        return false;
    state.driver = OpenInstrumentationDriver(state.platform);
    UseHealthDevice(std::make_unique<DriverHealthDevice>(state.driver, state.platform == kPlatformWindowsNt,
                                                         state.monitorMutex));
    return true;
}

bool InstrumentationApp::ReadPcIdentity()
{
    ProcessState& state = State();
    Identity identity;
    if (!ReadIdentity(state.driver, state.platform, &identity)) {
        std::string product = ProductName();
        fw::MessageBoxId(nullptr, IDS_IDENTITY_FAILED, MB_OK | MB_ICONSTOP, product.c_str());
        return false;
    }
    CopyBounded(state.product, sizeof state.product, identity.product.c_str());
    state.modelClass = identity.modelClass;
    state.healthConfigured = identity.healthConfigured;
    state.parallelPort = identity.parallelPort;
    state.serialPort = identity.serialPort;
    return true;
}

bool InstrumentationApp::CheckRegistry()
{
    HKEY key;
    if (::RegOpenKeyA(HKEY_LOCAL_MACHINE, fw::LoadStr(IDS_KEY_CURRENT_VERSION).c_str(), &key) != ERROR_SUCCESS) {
        ShowNotice(FormatEntry(IDS_BAD_REGISTRY, ProductName()));
        return false;
    }
    char product[200] = "";
    DWORD size = sizeof product, type = 0;
    productValueFound_ = ::RegQueryValueExA(key, fw::LoadStr(IDS_VALUE_PRODUCT).c_str(), nullptr, &type,
                                            reinterpret_cast<BYTE*>(product), &size) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return true;
}

bool InstrumentationApp::CreateMainWindow()
{
    window_ = std::make_unique<InstrumentationWindow>();
    m_pMainWnd = window_.get();
    window_->Create();
    // The window's own creation has told the user why it failed.
    return window_->m_hWnd && ::IsWindow(window_->m_hWnd);
}

bool InstrumentationApp::StartHealthMonitor()
{
    // Without a hardware monitor there is nothing to watch.
    if (!State().healthConfigured)
        return true;
    HealthStart start = LoadOrCreateHealthMonitor(State().installDir);
    if (start.outcome == HealthStart::Outcome::kLoaded || start.outcome == HealthStart::Outcome::kCreated)
        return true;
    const bool unreadable = start.outcome == HealthStart::Outcome::kUnreadable;
    fw::MessageBoxText(nullptr, FileAccessText(start.path, start.error).c_str(),
                       MB_OK | (unreadable ? MB_ICONSTOP : MB_ICONEXCLAMATION));
    // A new file that could not be written: the monitor runs on its
    // defaults, and the next change tries the file again.
    if (!unreadable)
        return true;
    fw::MessageBoxId(nullptr, IDS_HEALTH_LIMITS_FAILED, MB_OK | MB_ICONSTOP);
    SendUnregisterCommand(CommandBlock(), invoke_);
    window_->DestroyWindow();
    return false;
}

bool InstrumentationApp::RecordProduct()
{
    if (productValueFound_)
        return true;
    HKEY key;
    if (::RegOpenKeyA(HKEY_LOCAL_MACHINE, fw::LoadStr(IDS_KEY_CURRENT_VERSION).c_str(), &key) != ERROR_SUCCESS) {
        ShowNotice(FormatEntry(IDS_BAD_REGISTRY, ProductName()));
        return false;
    }
    const char* product = State().product;
    ::RegSetValueExA(key, fw::LoadStr(IDS_VALUE_PRODUCT).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(product),
                     static_cast<DWORD>(std::string(product).size() + 1));
    ::RegCloseKey(key);
    return true;
}

bool InstrumentationApp::CreateBridge()
{
    ActivateHealthMonitor();
    ::ShowWindow(window_->m_hWnd, SW_HIDE);
    ::UpdateWindow(window_->m_hWnd);
    if (!bridge_.Create())
        return false;
    window_->SetBridge(&bridge_);
    return true;
}

}  // namespace bramble
