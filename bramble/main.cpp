// bramble, the PC's own DMI component: a hidden program that answers the
// service layer's attribute requests.
#include <windows.h>

#include "bramble/app/instrumentation_app.h"

// The service layer's command entry for instrumentation programs.
extern "C" __declspec(dllimport) ULONG WINAPI DmiInvoke(void* block);

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCmd)
{
    static bramble::InstrumentationApp app(&DmiInvoke);
    return app.Main(instance, commandLine, showCmd);
}
