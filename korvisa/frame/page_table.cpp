#include "korvisa/frame/page_table.h"

#include "korvisa/frame/main_frame.h"
#include "korvisa/pages/body_info_dlg.h"
#include "korvisa/res/resource.h"

namespace korvisa {

namespace {

void OpenBodyPage(CMainFrame& frame)
{
    CBodyInfoDlg dlg(&frame);
    dlg.DoModal();
}

struct PageSlot {
    UINT command;
    PageOpener open;
};

// The pages built so far; each new page puts its opener in its row.
PageSlot s_pages[] = {
    {ID_PAGE_BODY, OpenBodyPage},
    {ID_PAGE_MEMORY, nullptr},
    {ID_PAGE_DISPLAY, nullptr},
    {ID_PAGE_KEYBOARD, nullptr},
    {ID_PAGE_MOUSE, nullptr},
    {ID_PAGE_MEDIA, nullptr},
    {ID_PAGE_PRINTER, nullptr},
    {ID_PAGE_MODEM, nullptr},
    {ID_PAGE_PORTS, nullptr},
    {ID_PAGE_SLOTS, nullptr},
    {ID_PAGE_SCSI_LAN, nullptr},
    {ID_PAGE_USB, nullptr},
    {ID_PAGE_DMI_SOFTWARE, nullptr},
    {ID_PAGE_INSTALLED_SOFTWARE, nullptr},
    {ID_SETTINGS_MONITORING, nullptr},
};

PageSlot* Find(UINT command)
{
    for (PageSlot& slot : s_pages)
        if (slot.command == command)
            return &slot;
    return nullptr;
}

}  // namespace

bool IsPageCommand(UINT command)
{
    return Find(command) != nullptr;
}

PageOpener PageOpenerFor(UINT command)
{
    PageSlot* slot = Find(command);
    return slot ? slot->open : nullptr;
}

PageOpener ReplacePageOpener(UINT command, PageOpener opener)
{
    PageSlot* slot = Find(command);
    if (!slot)
        return nullptr;
    PageOpener old = slot->open;
    slot->open = opener;
    return old;
}

}  // namespace korvisa
