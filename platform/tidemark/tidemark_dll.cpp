// tidemark.dll: the WatchAcs members (from tidemark_core) and the viewer's two
// entry points, which work on this process's own view of the section.
#include <windows.h>

#include "platform/tidemark/section_lock.h"
#include "platform/tidemark/section_view.h"
#include "platform/tidemark/system_facts.h"
#include "platform/tidemark/watch_section.h"
#include "platform/tidemark/watcher_attributes.h"
#include "platform/tidemark/watcher_entry_points.h"

using namespace tidemark;

namespace {

// The view that the entry points use, opened on first use and held until the
// library is unloaded (a view that cannot be had is tried again next time).
SectionView g_view;
CRITICAL_SECTION g_viewGuard;

WatchAcs* EntryPointView()
{
    ::EnterCriticalSection(&g_viewGuard);
    if (!g_view.Acs())
        g_view.Open(kSectionName);
    WatchAcs* acs = g_view.Acs();
    ::LeaveCriticalSection(&g_viewGuard);
    return acs;
}

}  // namespace

extern "C" unsigned long WINAPI WatchGetAttribute(unsigned long group, unsigned long attribute, unsigned long key,
                                                  void* buffer, unsigned long* length, unsigned long* scratch)
{
    WatchAcs* acs = EntryPointView();
    if (!acs)
        return kAttributeUnavailable;
    return GetWatcherAttribute(*acs, CurrentSystemFacts(), group, attribute, key, buffer, length, scratch);
}

extern "C" unsigned long WINAPI WatchSetAttribute(unsigned long group, unsigned long attribute, unsigned long key,
                                                  const void* value, unsigned long length, unsigned long kind)
{
    WatchAcs* acs = EntryPointView();
    if (!acs)
        return kAttributeUnavailable;
    return SetWatcherAttribute(*acs, CurrentSystemFacts(), group, attribute, key, value, length, kind);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        ::InitializeCriticalSection(&g_viewGuard);
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        // Unloaded by FreeLibrary: give back the view and the mutex handle.
        // (At process end the system reclaims them.)
        g_view.Close();
        CloseSectionLock();
        ::DeleteCriticalSection(&g_viewGuard);
    }
    return TRUE;
}
