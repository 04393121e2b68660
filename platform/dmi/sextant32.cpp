// The DMI service layer's management library: one command entry (ordinal 3)
// that accepts a command block at once and completes it on a worker thread,
// calling the application's completion routine, as an asynchronous service
// layer does. Components come from the MIF files in DMIDIR\db\mifs, read
// again whenever that folder changes.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <string>

#include "common/byte_fields.h"
#include "platform/dmi/instrumentation.h"
#include "platform/dmi/memory_span.h"
#include "platform/dmi/service_layer.h"

namespace {

using le::Word;

using Completion = void(WINAPI*)(ULONG);

CRITICAL_SECTION g_lock;
HANDLE g_wake = nullptr;
HANDLE g_worker = nullptr;
// Accepted blocks, each with the completion routine its handle had then.
struct Queued {
    uint8_t* block;
    Completion completion;
};
std::deque<Queued> g_queue;
MifDatabase* g_database = nullptr;
service::DispatchingInstrumentation* g_instrumentation = nullptr;
service::ServiceLayer* g_service = nullptr;
std::map<uint32_t, Completion> g_completions;   // by management handle
HANDLE g_folderWatch = INVALID_HANDLE_VALUE;    // signalled when the MIF folder changes

// DMIDIR\db\mifs, or empty when the installation names no DMIDIR.
std::string MifFolder()
{
    HKEY key;
    char dir[MAX_PATH] = "";
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Corvane Technologies, Inc.\\Corvane DMI\\CurrentVersion", 0,
                        KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        DWORD type = 0, size = sizeof dir - 1;
        if (::RegQueryValueExA(key, "DMIDIR", nullptr, &type, reinterpret_cast<BYTE*>(dir), &size) != ERROR_SUCCESS ||
            type != REG_SZ)
            dir[0] = '\0';
        dir[size < sizeof dir ? size : sizeof dir - 1] = '\0';
        ::RegCloseKey(key);
    }
    std::string folder = dir;
    if (folder.empty())
        return folder;
    if (folder.back() == '\\')
        folder.pop_back();
    return folder + "\\db\\mifs";
}

// Loads the MIF folder again when it is due: before anything was loaded, when
// the folder watch fired, and (the watch cannot be set on a folder that is not
// there yet) at registration and listing. Ids stay with their components.
void RefreshDatabase(uint32_t command)
{
    bool look = g_database->ComponentCount() == 0 || command == 0x100 || command == 0x201;
    if (g_folderWatch != INVALID_HANDLE_VALUE && ::WaitForSingleObject(g_folderWatch, 0) == WAIT_OBJECT_0) {
        ::FindNextChangeNotification(g_folderWatch);
        look = true;
    }
    if (!look || (g_database->ComponentCount() != 0 && !g_database->FolderChanged()))
        return;
    std::string folder = MifFolder();
    if (folder.empty())
        return;
    g_database->LoadFolder(folder);
    if (g_folderWatch == INVALID_HANDLE_VALUE)
        g_folderWatch = ::FindFirstChangeNotificationA(
            folder.c_str(), FALSE,
            FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
}

// The length a block declares; the service layer refuses one too short or
// too long for its command.
size_t BlockLength(const uint8_t* block)
{
    if (Word(block, 4) == 0x100)
        return 72;   // registration declares only its header
    return Word(block, 8);
}

void Complete(uint8_t* block, Completion completion)
{
    size_t length = BlockLength(block);
    auto* confirm = reinterpret_cast<uint8_t*>(static_cast<uintptr_t>(Word(block, 32)));
    size_t confirmLength = Word(block, 28);
    if (confirmLength > service::kMaxBlockLength)
        confirmLength = service::kMaxBlockLength;

    service::CommandResult result;
    ::EnterCriticalSection(&g_lock);
    uint32_t command = Word(block, 4);
    // The component program writes its MIF at its first start, possibly
    // after an application registered.
    RefreshDatabase(command);
    result = g_service->Execute(block, length, confirm, confirmLength);
    if (command == 0x100)
        g_completions[Word(confirm, 8)] = completion;
    else if (command == 0x101)
        g_completions.erase(Word(block, 12));
    ::LeaveCriticalSection(&g_lock);

    std::memcpy(block + 40, &result.entryCount, 4);
    std::memcpy(block + 44, &result.status, 4);
    if (completion)
        completion(reinterpret_cast<uintptr_t>(block) & 0xFFFFFFFFu);
}

DWORD WINAPI Worker(void*)
{
    for (;;) {
        ::WaitForSingleObject(g_wake, INFINITE);
        for (;;) {
            ::EnterCriticalSection(&g_lock);
            Queued next = {nullptr, nullptr};
            if (!g_queue.empty()) {
                next = g_queue.front();
                g_queue.pop_front();
            }
            ::LeaveCriticalSection(&g_lock);
            if (!next.block)
                break;
            Complete(next.block, next.completion);
        }
    }
}

}  // namespace

extern "C" ULONG WINAPI DmiCommandEntry(void* commandBlock)
{
    auto* block = static_cast<uint8_t*>(commandBlock);
    // The header and the declared length must be memory of the caller's, and
    // so must the confirm buffer, or the block is refused before it is read.
    if (!block || service::AccessibleBytes(block, 64, true) < 64)
        return service::kIllFormedCommand;
    size_t length = BlockLength(block);
    if (length <= service::kMaxBlockLength && service::AccessibleBytes(block, length, false) < length)
        return service::kIllFormedCommand;
    uint32_t confirmLength = Word(block, 28);
    const void* confirm = reinterpret_cast<const void*>(static_cast<uintptr_t>(Word(block, 32)));
    if (Word(block, 4) != 0x101 && confirm &&
        service::AccessibleBytes(confirm, confirmLength, true) < std::min<size_t>(confirmLength, service::kMaxBlockLength))
        return service::kNullResponseBuffer;
    ::EnterCriticalSection(&g_lock);
    uint32_t refused = g_service->Check(block, length);
    // Registration names the completion routine, which must be code; later
    // blocks complete through the routine of their handle.
    Completion completion = nullptr;
    if (refused == 0 && Word(block, 4) == 0x100) {
        completion = reinterpret_cast<Completion>(static_cast<uintptr_t>(Word(block, 64)));
        if (!service::IsCode(reinterpret_cast<const void*>(completion)))
            refused = service::kNullCompletion;
    } else if (refused == 0) {
        auto found = g_completions.find(Word(block, 12));
        if (found != g_completions.end())
            completion = found->second;
    }
    if (refused == 0) {
        g_queue.push_back({block, completion});
        if (!g_worker)
            g_worker = ::CreateThread(nullptr, 0, Worker, nullptr, 0, nullptr);
    }
    ::LeaveCriticalSection(&g_lock);
    if (refused != 0)
        return refused;
    ::SetEvent(g_wake);
    return service::kNoError;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        ::InitializeCriticalSection(&g_lock);
        g_wake = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
        g_database = new MifDatabase;
        g_instrumentation = new service::DispatchingInstrumentation;
        g_service = new service::ServiceLayer(*g_database, *g_instrumentation);
    }
    // At process end the worker thread is gone already; what it held goes with the process.
    return TRUE;
}
