#include <gtest/gtest.h>
#include <windows.h>

#include "harness/process.h"
#include "harness/files.h"
#include "harness/tests/sample.h"

using harness::Process;

namespace {

// A process started without the harness, stopped by the test itself.
struct ForeignProcess {
    PROCESS_INFORMATION info = {};
    bool started = false;

    explicit ForeignProcess(const std::string& arguments) {
        std::string line = "\"" + samplePath() + "\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &info) != FALSE;
    }
    ~ForeignProcess() {
        if (!started) return;
        TerminateProcess(info.hProcess, 0);
        WaitForSingleObject(info.hProcess, 5000);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
};

}  // namespace

TEST(Process, StopsOnlyTheProcessesItStarted) {
    ForeignProcess foreign("sleep");
    ASSERT_TRUE(foreign.started);

    HANDLE ours = nullptr;
    {
        Process started = Process::start(samplePath(), "sleep");
        ASSERT_TRUE(started.valid()) << started.error();
        EXPECT_TRUE(started.owned());
        EXPECT_FALSE(started.wait(200).has_value()) << "a running process cannot have an exit code";
        ours = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, started.id());
        ASSERT_NE(nullptr, ours);

        Process watched = Process::watch(foreign.info.dwProcessId);
        ASSERT_TRUE(watched.valid());
        EXPECT_FALSE(watched.owned());
        EXPECT_FALSE(watched.stop());
        EXPECT_TRUE(watched.running());
    }  // leaving the scope stops the started process, not the watched one

    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(ours, 0));
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(ours, &code));
    EXPECT_EQ(Process::kStoppedExitCode, code);
    CloseHandle(ours);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(foreign.info.hProcess, 0));
}

TEST(Process, StartsInTheRightFolderAndReportsTheExitCode) {
    const std::string windows = harness::windowsDirectory();

    // By default a program runs in its own folder.
    Process own = Process::start(samplePath(), "cwd " + sampleFolder());
    ASSERT_TRUE(own.valid()) << own.error();
    EXPECT_EQ(0u, own.wait());

    Process given = Process::start(samplePath(), "cwd " + windows, windows);
    ASSERT_TRUE(given.valid()) << given.error();
    EXPECT_EQ(0u, given.wait());

    Process other = Process::start(samplePath(), "cwd " + windows);
    ASSERT_TRUE(other.valid()) << other.error();
    EXPECT_EQ(1u, other.wait());

    Process missing = Process::start(windows + "\\no_such_program.exe");
    EXPECT_FALSE(missing.valid());
    EXPECT_NE(0u, missing.error());
    EXPECT_FALSE(missing.wait(0).has_value());
}
