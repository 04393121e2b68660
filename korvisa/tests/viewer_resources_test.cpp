// The viewer's resources as the frame and the pages use them: a prompt and
// a tip for every command, the pictures at the sizes their users expect.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "korvisa/res/resource.h"
#include "platform/framework/resources.h"

namespace {

void CollectCommands(HMENU menu, std::vector<UINT>& ids)
{
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            CollectCommands(sub, ids);
            continue;
        }
        UINT id = GetMenuItemID(menu, i);
        if (id != 0 && id != static_cast<UINT>(-1))
            ids.push_back(id);
    }
}

SIZE BitmapSize(UINT id)
{
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        return SIZE{0, 0};
    DeleteObject(bitmap);
    return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace

TEST(ViewerResources, EveryMenuCommandHasAPromptAndATip)
{
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(menu, nullptr);
    std::vector<UINT> ids;
    CollectCommands(menu, ids);
    DestroyMenu(menu);
    EXPECT_EQ(27u, ids.size());
    for (UINT id : ids) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(fw::LoadStrLine(id, 0).empty());
        EXPECT_FALSE(fw::LoadStrLine(id, 1).empty());
    }
    EXPECT_EQ("使用しているｺﾝﾋﾟｭｰﾀの情報を表示します。", fw::LoadStrLine(ID_PAGE_BODY, 0));
    EXPECT_EQ("本体情報", fw::LoadStrLine(ID_PAGE_BODY, 1));
    // The context-help button is on the toolbar only.
    EXPECT_FALSE(fw::LoadStrLine(ID_CONTEXT_HELP, 1).empty());
}

TEST(ViewerResources, PicturesHaveTheSizesTheirUsersExpect)
{
    // Toolbar strips: 22 buttons each.
    EXPECT_EQ(22 * 32, BitmapSize(IDR_MAINFRAME).cx);
    EXPECT_EQ(32, BitmapSize(IDR_MAINFRAME).cy);
    EXPECT_EQ(22 * 16, BitmapSize(IDR_MAINFRAME_SMALL).cx);
    EXPECT_EQ(16, BitmapSize(IDR_MAINFRAME_SMALL).cy);
    // The drive tree's image list takes 32 x 16 images.
    for (UINT id = IDB_TREE_HARD_DISK; id <= IDB_TREE_NETWORK_OPEN; ++id) {
        SIZE size = BitmapSize(id);
        EXPECT_EQ(32, size.cx) << id;
        EXPECT_EQ(16, size.cy) << id;
    }
    std::vector<UINT> pages = {IDB_DEV_USB, IDB_STATUS_PRINTER, IDB_STATUS_MEMORY, IDB_STATUS_DISK,
                               IDB_LEGEND_FREE, IDB_LEGEND_USED};
    for (UINT id = IDB_DEV_INSTALLED_SOFTWARE; id <= IDB_DEV_DMI_SOFTWARE; ++id)
        pages.push_back(id);
    for (UINT id : pages)
        EXPECT_GT(BitmapSize(id).cx, 0) << id;
    EXPECT_NE(nullptr, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)));
}
