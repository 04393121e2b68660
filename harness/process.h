#pragma once
// Programs started by a test, and the only ones it may stop.
#include <windows.h>

#include <optional>
#include <string>

#include "harness/wait.h"

namespace harness {

class Process {
public:
    // Exit code of a process ended by stop() or by the destructor.
    static constexpr UINT kStoppedExitCode = 0xDE5C;

    Process() = default;
    // Stops the process if this harness started it and it still runs, so a
    // failing test leaves nothing behind.
    ~Process();
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts `path` with `arguments` (the text after the program name). An
    // empty working directory means the program's own folder, as the suite's
    // programs expect. Check valid(); error() tells why a start failed.
    static Process start(const std::string& path, const std::string& arguments = "",
                         const std::string& workingDirectory = "");
    // Watches a process started elsewhere. It is never stopped by this object.
    static Process watch(DWORD processId);

    bool valid() const { return handle_ != nullptr; }
    bool owned() const { return owned_; }
    DWORD id() const { return id_; }
    DWORD error() const { return error_; }
    bool running() const;

    // The exit code once the process has ended, or nothing on timeout.
    std::optional<DWORD> wait(DWORD timeoutMs = kDefaultTimeoutMs) const;
    // Terminates a process this harness started and waits for it to end.
    // Refuses (false) for a watched process.
    bool stop(DWORD timeoutMs = kDefaultTimeoutMs);

private:
    void release();

    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
    DWORD error_ = 0;
    bool owned_ = false;
};

}  // namespace harness
