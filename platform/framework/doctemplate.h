// The single-document template: which document, frame and view make up the
// program's one window, and the template string that names them.
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include <string>

#include "platform/framework/document.h"
#include "platform/framework/frame.h"

namespace fw {

class CWinApp;

class CSingleDocTemplate {
public:
    using MakeDocument = std::function<std::unique_ptr<CDocument>()>;
    using MakeFrame = std::function<std::unique_ptr<CFrameWnd>()>;
    using MakeView = std::function<std::unique_ptr<CFormView>()>;

    // resourceId names the template string, the frame's menu and icon.
    CSingleDocTemplate(UINT resourceId, MakeDocument doc, MakeFrame frame, MakeView view);
    ~CSingleDocTemplate();

    // Piece `index` of the template string (pieces separated by '\n'); piece 0
    // is the window title, 1 the default document name, 2 the file type name.
    std::string GetDocString(int index) const;

    // Creates the document, the frame and the view, and shows the frame.
    bool OpenNew(CWinApp& app);
    CDocument* Document() const { return m_document.get(); }
    CFrameWnd* Frame() const { return m_frame.get(); }
    CFormView* View() const { return m_view.get(); }

private:
    UINT m_resourceId;
    MakeDocument m_makeDocument;
    MakeFrame m_makeFrame;
    MakeView m_makeView;
    std::unique_ptr<CDocument> m_document;
    std::unique_ptr<CFrameWnd> m_frame;
    std::unique_ptr<CFormView> m_view;
};

}  // namespace fw
