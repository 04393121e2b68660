// Desk tests that read DMI in their own process bind the command layer to
// the service layer installed on the desk.
#pragma once
#include <windows.h>

#include "korvisa/dmi/command_layer.h"
#include "korvisa/dmi/dmi_access.h"

// Points the command layer, as at program load, at the installed service
// layer's command entry; false when the library or the entry is missing.
inline bool BindRealServiceLayer()
{
    using namespace korvisa::dmi;
    HMODULE library = LoadLibraryA("sextant32.dll");
    auto entry = library ? reinterpret_cast<ServiceEntry>(
                               reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(3))))
                         : nullptr;
    if (!entry)
        return false;
    ResetForTests();
    DmiAccess::ResetConnectionForTests();
    SetServiceEntry(entry);
    return true;
}
