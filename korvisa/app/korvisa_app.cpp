#include "korvisa/app/korvisa_app.h"

#include <cstdlib>
#include <memory>

#include "korvisa/app/korvisa_doc.h"
#include "korvisa/app/splash.h"
#include "korvisa/app/unregister.h"
#include "korvisa/frame/main_frame.h"
#include "korvisa/picture/korvisa_view.h"
#include "korvisa/res/resource.h"
#include "platform/framework/doctemplate.h"
#include "platform/framework/resources.h"

namespace korvisa {

static const char kProfileName[] = "Helmset.ini";

bool SplashWanted()
{
    auto* app = dynamic_cast<CKORVISAApp*>(fw::GetApp());
    return app && app->Command().showSplash;
}

bool CKORVISAApp::InitInstance()
{
    m_appName = fw::LoadStr(IDS_APP_TITLE);

    std::vector<std::string> words;
    for (int i = 1; i < __argc; ++i)
        words.emplace_back(__argv[i] ? __argv[i] : "");
    m_command = ParseCommandLine(words);

    if (BringRunningViewerForward())
        return false;
    if (!m_mapping.Create())
        return false;

    SetProfileName(kProfileName);
    LoadStdProfileSettings(0);

    AddDocTemplate(std::make_unique<fw::CSingleDocTemplate>(
        IDR_MAINFRAME, [] { return std::make_unique<CKORVISADoc>(); },
        [] { return std::make_unique<CMainFrame>(); }, [] { return std::make_unique<CKORVISAView>(); }));

    switch (m_command.command) {
    case ShellCommand::FileNew:
    case ShellCommand::StartupAction6:
        // "L" asks for a start-up action the viewer has no use for; it starts
        // as usual rather than running on without a window.
        return OnFileNew();
    case ShellCommand::Unregister:
        Unregister();
        return false;
    case ShellCommand::FilePrint:
    case ShellCommand::FilePrintTo:
    case ShellCommand::FileDDE:
        // These name a document to print or open, and the viewer takes no
        // document from its command line: there is nothing to do.
        return false;
    }
    return false;
}

void CKORVISAApp::Unregister()
{
    RegistrationNames names;
    fw::CSingleDocTemplate* tmpl = DocTemplate();
    names.extension = tmpl->GetDocString(4);
    names.documentType = tmpl->GetDocString(5);
    names.profilePath = ProfilePath();
    bool removed = RemoveRegistration(names);
    if (!m_command.embedded)
        fw::MessageBoxId(nullptr, removed ? IDS_UNREG_DONE : IDS_UNREG_FAILURE, MB_OK | MB_ICONINFORMATION,
                         kViewerCaption);
}

bool CKORVISAApp::PreTranslateMessage(MSG& msg)
{
    if (CSplashWnd::PreTranslateAppMessage(msg))
        return true;
    return fw::CWinApp::PreTranslateMessage(msg);
}

}  // namespace korvisa
