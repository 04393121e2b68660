#include "platform/framework/doctemplate.h"

#include "platform/framework/app.h"
#include "platform/framework/resources.h"

namespace fw {

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, MakeDocument doc, MakeFrame frame, MakeView view)
    : m_resourceId(resourceId), m_makeDocument(std::move(doc)), m_makeFrame(std::move(frame)),
      m_makeView(std::move(view))
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    // The view is a child of the frame: destroy it first.
    m_view.reset();
    m_frame.reset();
}

std::string CSingleDocTemplate::GetDocString(int index) const
{
    return LoadStrLine(m_resourceId, index);
}

bool CSingleDocTemplate::OpenNew(CWinApp& app)
{
    if (m_frame)
        return false;   // one document only
    m_document = m_makeDocument();
    if (!m_document)
        return false;
    m_frame = m_makeFrame();
    if (!m_frame)
        return false;
    m_frame->m_document = m_document.get();
    m_document->m_frame = m_frame.get();
    app.m_pMainWnd = m_frame.get();
    if (!m_frame->LoadFrame(m_resourceId)) {
        app.m_pMainWnd = nullptr;
        m_frame.reset();
        return false;
    }
    m_view = m_makeView();
    if (!m_view || !m_view->CreateView(*m_frame, 0xE900 /* the first pane's id */)) {
        m_frame->DestroyWindow();
        app.m_pMainWnd = nullptr;
        return false;
    }
    m_view->m_document = m_document.get();
    m_frame->SetView(m_view.get());
    if (!m_document->OnNewDocument()) {
        m_frame->DestroyWindow();
        app.m_pMainWnd = nullptr;
        return false;
    }
    m_view->OnInitialUpdate();
    ::ShowWindow(m_view->m_hWnd, SW_SHOW);
    ::ShowWindow(m_frame->m_hWnd, app.m_nCmdShow);
    ::UpdateWindow(m_frame->m_hWnd);
    return true;
}

}  // namespace fw
