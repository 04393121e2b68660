#include "harness/process.h"

#include <utility>
#include <vector>

namespace harness {

namespace {

std::string folderOf(const std::string& path) {
    const std::string::size_type slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return std::string();
    if (slash == 2 && path[1] == ':') return path.substr(0, 3);  // "C:\"
    return path.substr(0, slash);
}

}  // namespace

Process::~Process() { release(); }

Process::Process(Process&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      id_(std::exchange(other.id_, 0)),
      error_(std::exchange(other.error_, 0)),
      owned_(std::exchange(other.owned_, false)) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        release();
        handle_ = std::exchange(other.handle_, nullptr);
        id_ = std::exchange(other.id_, 0);
        error_ = std::exchange(other.error_, 0);
        owned_ = std::exchange(other.owned_, false);
    }
    return *this;
}

void Process::release() {
    if (handle_ == nullptr) return;
    if (owned_ && running()) {
        TerminateProcess(handle_, kStoppedExitCode);
        WaitForSingleObject(handle_, kDefaultTimeoutMs);
    }
    CloseHandle(handle_);
    handle_ = nullptr;
    id_ = 0;
    owned_ = false;
}

Process Process::start(const std::string& path, const std::string& arguments,
                       const std::string& workingDirectory) {
    Process process;
    std::string line = "\"" + path + "\"";
    if (!arguments.empty()) line += " " + arguments;
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');

    std::string folder = workingDirectory.empty() ? folderOf(path) : workingDirectory;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        process.error_ = GetLastError();
        return process;
    }
    CloseHandle(info.hThread);
    process.handle_ = info.hProcess;
    process.id_ = info.dwProcessId;
    process.owned_ = true;
    return process;
}

Process Process::watch(DWORD processId) {
    Process process;
    process.handle_ = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (process.handle_ == nullptr) {
        process.error_ = GetLastError();
        return process;
    }
    process.id_ = processId;
    return process;
}

bool Process::running() const {
    return handle_ != nullptr && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::wait(DWORD timeoutMs) const {
    if (handle_ == nullptr || WaitForSingleObject(handle_, timeoutMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(handle_, &code)) return std::nullopt;
    return code;
}

bool Process::stop(DWORD timeoutMs) {
    if (handle_ == nullptr || !owned_) return false;
    if (running()) TerminateProcess(handle_, kStoppedExitCode);
    return WaitForSingleObject(handle_, timeoutMs) == WAIT_OBJECT_0;
}

}  // namespace harness
