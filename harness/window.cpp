#include "harness/window.h"

#include <algorithm>
#include <cstring>

namespace harness {

namespace {

// Class names are at most 256 characters.
constexpr int kClassBuffer = 257;

struct Search {
    const WindowQuery* query;
    HWND found;
};

// Compares the title with the wanted bytes. The buffer has room for one more
// character, double-byte included, so a longer title cannot be cut down to a
// match.
bool titleIs(HWND window, const std::string& wanted) {
    if (wanted.size() >= kMaxTitle) return false;
    std::string buffer(wanted.size() + 3, '\0');
    const int length = GetWindowTextA(window, &buffer[0], static_cast<int>(buffer.size()));
    return length >= 0 && static_cast<size_t>(length) == wanted.size() &&
           std::memcmp(buffer.data(), wanted.data(), wanted.size()) == 0;
}

bool matches(HWND window, const WindowQuery& query) {
    if (query.processId != 0 && windowProcessId(window) != query.processId) return false;
    if (query.visibleOnly && !IsWindowVisible(window)) return false;
    // Class names are not case sensitive; titles are compared byte for byte.
    if (query.className && lstrcmpiA(windowClass(window).c_str(), query.className->c_str()) != 0) {
        return false;
    }
    if (query.title && !titleIs(window, *query.title)) return false;
    return true;
}

BOOL CALLBACK findOne(HWND window, LPARAM context) {
    Search* search = reinterpret_cast<Search*>(context);
    if (!matches(window, *search->query)) return TRUE;
    search->found = window;
    return FALSE;
}

struct Listing {
    DWORD processId;
    std::vector<HWND>* windows;
};

BOOL CALLBACK collect(HWND window, LPARAM context) {
    Listing* listing = reinterpret_cast<Listing*>(context);
    if (windowProcessId(window) == listing->processId) listing->windows->push_back(window);
    return TRUE;
}

bool sendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs,
                     DWORD_PTR* result) {
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs,
                               result) != 0;
}

}  // namespace

HWND findWindow(const WindowQuery& query) {
    Search search = {&query, nullptr};
    EnumWindows(findOne, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForWindow(const WindowQuery& query, DWORD timeoutMs) {
    HWND found = nullptr;
    waitUntil([&] { return (found = findWindow(query)) != nullptr; }, timeoutMs);
    return found;
}

bool waitForWindowGone(HWND window, DWORD timeoutMs) {
    return waitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

std::vector<HWND> topLevelWindows(DWORD processId) {
    std::vector<HWND> windows;
    Listing listing = {processId, &windows};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&listing));
    return windows;
}

DWORD windowProcessId(HWND window) {
    DWORD processId = 0;
    if (!GetWindowThreadProcessId(window, &processId)) return 0;
    return processId;
}

std::string windowClass(HWND window) {
    char buffer[kClassBuffer] = {};
    const int length = GetClassNameA(window, buffer, kClassBuffer);
    if (length <= 0) return std::string();
    return std::string(buffer, std::min(length, kClassBuffer - 1));
}

std::optional<std::string> windowTitle(HWND window) {
    if (!IsWindow(window)) return std::nullopt;
    std::string buffer(kMaxTitle + 1, '\0');
    const int length = GetWindowTextA(window, &buffer[0], static_cast<int>(buffer.size()));
    buffer.resize(length > 0 ? std::min(static_cast<size_t>(length), kMaxTitle) : 0);
    return buffer;
}

std::optional<std::string> windowText(HWND window, DWORD timeoutMs) {
    // The length is asked for in UTF-16: Wine follows an ANSI WM_GETTEXTLENGTH
    // to another thread with a WM_GETTEXT that has no timeout, so a hung
    // program would block the test. A UTF-16 unit needs at most two bytes in
    // code page 932.
    DWORD_PTR units = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &units)) {
        return std::nullopt;
    }
    const size_t capacity = std::min(static_cast<size_t>(units) * 2, kMaxText) + 1;
    std::string buffer(capacity, '\0');
    DWORD_PTR copied = 0;
    if (!sendWithTimeout(window, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(&buffer[0]),
                         timeoutMs, &copied)) {
        return std::nullopt;
    }
    buffer.resize(strnlen(buffer.data(), std::min(static_cast<size_t>(copied), capacity - 1)));
    return buffer;
}

HWND controlOf(HWND parent, int controlId) { return GetDlgItem(parent, controlId); }

std::optional<std::string> controlText(HWND parent, int controlId, DWORD timeoutMs) {
    HWND control = controlOf(parent, controlId);
    if (control == nullptr) return std::nullopt;
    return windowText(control, timeoutMs);
}

bool isVisible(HWND window) { return IsWindowVisible(window) != FALSE; }

bool isForeground(HWND window) { return window != nullptr && GetForegroundWindow() == window; }

std::optional<RECT> windowRect(HWND window) {
    RECT rect = {};
    if (!GetWindowRect(window, &rect)) return std::nullopt;
    return rect;
}

}  // namespace harness
