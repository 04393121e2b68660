// bramble's application object: the start-up in its fixed order, each step
// ending the program with its message when it fails.
#pragma once
#include <windows.h>

#include <memory>

#include "bramble/app/dmi_command_block.h"
#include "bramble/app/instrumentation_window.h"
#include "bramble/serving/attribute_bridge.h"
#include "platform/framework/app.h"

namespace bramble {

class InstrumentationApp : public fw::CWinApp {
public:
    // invoke is the service layer's DmiInvoke.
    explicit InstrumentationApp(DmiInvokeFunction invoke);
    bool InitInstance() override;

private:
    bool CheckSingleInstance();
    bool CreateMonitorMutex();
    bool OpenDriver();
    bool ReadPcIdentity();
    bool CheckRegistry();
    bool CreateMainWindow();
    bool StartHealthMonitor();
    bool RecordProduct();
    bool CreateBridge();

    DmiInvokeFunction invoke_;
    std::unique_ptr<InstrumentationWindow> window_;
    AttributeBridge bridge_;
    bool productValueFound_ = false;
};

// What creates the hardware-monitor mutex: CreateMutex (unnamed, not owned)
// unless a test puts a failing creator in its place.
using MutexCreator = HANDLE (*)();
void SetMutexCreator(MutexCreator creator);  // null: CreateMutex again

// The command block bramble sends its one command with.
DmiCommandBlock& CommandBlock();

}  // namespace bramble
