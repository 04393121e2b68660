// Document and form view: the document holds the title the frame shows; the
// form view is a child dialog from a template that fills the frame.
#pragma once
#include <windows.h>
#include <string>

#include "platform/framework/cmdui.h"
#include "platform/framework/dialog.h"

namespace fw {

class CFrameWnd;

class CDocument : public CCmdTarget {
public:
    virtual bool OnNewDocument() { return true; }
    void SetTitle(const std::string& title);
    const std::string& GetTitle() const { return m_title; }
    CFrameWnd* m_frame = nullptr;

private:
    std::string m_title;
};

class CFormView : public CDialog, public CCmdTarget {
public:
    explicit CFormView(UINT templateId) : CDialog(templateId) {}
    // Creates the view as a child of the frame; the template must be a child dialog.
    bool CreateView(CFrameWnd& frame, UINT controlId);
    // Called once after the frame, document and view exist.
    virtual void OnInitialUpdate() {}
    CDocument* GetDocument() const { return m_document; }
    CDocument* m_document = nullptr;
    CFrameWnd* m_frame = nullptr;

protected:
    // The form takes the focus from its frame when the frame is activated,
    // not while it is being created inside a hidden frame.
    bool OnInitDialog() override;
    // A form view has no OK or Cancel: Enter and Escape must not destroy it.
    void OnOK() override {}
    void OnCancel() override {}
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
};

}  // namespace fw
