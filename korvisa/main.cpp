// korvisa, the system viewer.
#include <windows.h>

#include "korvisa/app/korvisa_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCmd)
{
    static korvisa::CKORVISAApp app;
    return app.Main(instance, commandLine, showCmd);
}
