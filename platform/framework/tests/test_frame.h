// A program's window made the way programs make it: an application object
// with a single-document template whose frame has a toolbar and a status bar
// around a form view. View, document and frame each answer their own test
// commands and record what reached them, so the route can be told apart.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/framework/app.h"
#include "platform/framework/doctemplate.h"
#include "platform/framework/tests/test_resource.h"

namespace fwtest {

class TestDoc : public fw::CDocument {
public:
    bool OnNewDocument() override
    {
        SetTitle("無題");
        return true;
    }
    bool HandleCommand(UINT id) override
    {
        if (id != ID_CMD_DOC)
            return false;
        handled.push_back(id);
        return true;
    }
    bool UpdateCommand(fw::CCmdUI& ui) override
    {
        if (ui.id != ID_CMD_DOC)
            return false;
        ui.Enable();
        return true;
    }
    std::vector<UINT> handled;
};

class TestView : public fw::CFormView {
public:
    TestView() : fw::CFormView(IDD_TESTFORM) {}
    bool HandleCommand(UINT id) override
    {
        if (id != ID_CMD_VIEW && id != ID_CMD_SHARED)
            return false;
        handled.push_back(id);
        return true;
    }
    bool UpdateCommand(fw::CCmdUI& ui) override
    {
        if (ui.id != ID_CMD_VIEW && ui.id != ID_CMD_SHARED)
            return false;
        ui.Enable(ui.id == ID_CMD_SHARED || viewEnabled);
        ui.SetCheck(ui.id == ID_CMD_VIEW && viewChecked);
        return true;
    }
    std::vector<UINT> handled;
    bool viewEnabled = true;
    bool viewChecked = true;
};

class TestFrame : public fw::CFrameWnd {
public:
    bool HandleCommand(UINT id) override
    {
        if (id != ID_CMD_SHARED && id != ID_CMD_FRAME)
            return fw::CFrameWnd::HandleCommand(id);
        handled.push_back(id);
        return true;
    }
    bool UpdateCommand(fw::CCmdUI& ui) override
    {
        if (ui.id != ID_CMD_SHARED && ui.id != ID_CMD_FRAME)
            return fw::CFrameWnd::UpdateCommand(ui);
        ui.Enable();
        return true;
    }
    std::vector<UINT> handled;
    fw::CToolBar toolBar;
    fw::CStatusBar statusBar;

protected:
    int OnCreate(CREATESTRUCTA&) override
    {
        static const UINT buttons[] = {ID_CMD_VIEW, 0, ID_CMD_NOBODY, ID_CMD_FRAME};
        if (!toolBar.Create(m_hWnd) || !toolBar.LoadButtons(IDB_TESTBAR, 16, 16, buttons, 4))
            return -1;
        AddBar(toolBar);
        if (!statusBar.Create(m_hWnd))
            return -1;
        AddBar(statusBar);
        SetStatusBar(&statusBar);
        toolBar.EnableDocking(fw::kDockAny);
        EnableDocking(fw::kDockAny);
        DockControlBar(toolBar);
        return 0;
    }
};

class FrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        app.m_appName = "試験ﾋﾞｭｰｱ";
        app.AddDocTemplate(std::make_unique<fw::CSingleDocTemplate>(
            IDR_TESTFRAME, [] { return std::make_unique<TestDoc>(); },
            [] { return std::make_unique<TestFrame>(); }, [] { return std::make_unique<TestView>(); }));
        ASSERT_TRUE(app.OnFileNew());
        frame = static_cast<TestFrame*>(app.DocTemplate()->Frame());
        view = static_cast<TestView*>(app.DocTemplate()->View());
        doc = static_cast<TestDoc*>(app.DocTemplate()->Document());
    }
    void TearDown() override
    {
        // Not the main window any more, so its end does not post WM_QUIT to later tests.
        app.m_pMainWnd = nullptr;
        if (frame)
            frame->DestroyWindow();
    }

    LRESULT Command(UINT id) { return frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // Opens top-level popup `index` as the menu loop would, then reads an item's state.
    UINT MenuState(int index, UINT id)
    {
        HMENU popup = ::GetSubMenu(::GetMenu(frame->m_hWnd), index);
        frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(index, FALSE));
        return ::GetMenuState(popup, id, MF_BYCOMMAND);
    }
    // A child's rectangle in the frame's client coordinates.
    RECT ChildRect(HWND child)
    {
        RECT r;
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, frame->m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    fw::CWinApp app;
    TestFrame* frame = nullptr;
    TestView* view = nullptr;
    TestDoc* doc = nullptr;
};

}  // namespace fwtest
