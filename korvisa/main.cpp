// korvisa, the system viewer.
#include <windows.h>

#include "korvisa/app/korvisa_app.h"
#include "korvisa/dmi/command_layer.h"

// The DMI service layer's command entry, bound by its ordinal when the
// program loads.
extern "C" __declspec(dllimport) ULONG WINAPI DmiCommandEntry(void* block);

// Registration with the service layer comes before everything else of the
// start-up and is undone when the process ends.
static korvisa::dmi::ManagementRegistration g_registration(&DmiCommandEntry);

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCmd)
{
    static korvisa::CKORVISAApp app;
    return app.Main(instance, commandLine, showCmd);
}
