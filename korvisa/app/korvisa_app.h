// The viewer's application object: start-up from the command line to the
// main window.
#pragma once
#include "korvisa/app/command_line.h"
#include "korvisa/app/single_instance.h"
#include "platform/framework/app.h"

namespace korvisa {

class CKORVISAApp : public fw::CWinApp {
public:
    bool InitInstance() override;
    bool PreTranslateMessage(MSG& msg) override;
    const CommandLine& Command() const { return m_command; }

private:
    void Unregister();

    CommandLine m_command;
    RemoteViewMapping m_mapping;
};

// Whether this start shows the start-up picture.
bool SplashWanted();

}  // namespace korvisa
