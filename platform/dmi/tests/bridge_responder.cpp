// A stand-in for the PC's component program on the other side of the bridge,
// for tests and the benchmark: it creates the semaphore and the five areas,
// and answers get requests (message 0x496) on a window of class
// "corvanedmici" the way that program does.
//   bridge_responder [hang | bad]
// Answers: group 16 attribute 1 -> integer 6; group 5 attribute 2 row k ->
// display string "row k"; group 7 attribute 3 -> a date; anything else ->
// no answer (0). With "hang" the window never answers. With "bad" group 16
// attribute 1 is a string one byte longer than its area can hold, attribute 2
// one that fills the area exactly, and group 7 attribute 3 has type 99.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

struct Areas {
    unsigned char* info;
    unsigned char* keyList;
    unsigned char* keyData;
    unsigned char* result;
    unsigned char* value;
} g_areas;

bool g_hang = false;
bool g_bad = false;

unsigned char* MakeArea(const char* name, DWORD size)
{
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name);
    return mapping ? static_cast<unsigned char*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, size)) : nullptr;
}

unsigned Word(const unsigned char* p, size_t offset)
{
    unsigned v;
    std::memcpy(&v, p + offset, 4);
    return v;
}

void Put(unsigned char* p, size_t offset, unsigned v)
{
    std::memcpy(p + offset, &v, 4);
}

LRESULT Answer()
{
    unsigned group = Word(g_areas.info, 4), attribute = Word(g_areas.info, 8), keys = Word(g_areas.info, 12);
    unsigned key = keys >= 1 ? Word(g_areas.keyData, 0) : 0;
    Put(g_areas.result, 0, attribute);
    if (g_bad && group == 16 && (attribute == 1 || attribute == 2)) {
        Put(g_areas.result, 4, 8);
        Put(g_areas.value, 0, attribute == 1 ? 4093 : 4092);
        std::memset(g_areas.value + 4, 'x', 4092);
        return 1;
    }
    if (g_bad && group == 7 && attribute == 3) {
        Put(g_areas.result, 4, 99);
        return 1;
    }
    if (group == 16 && attribute == 1 && keys == 0) {
        Put(g_areas.result, 4, 5);
        Put(g_areas.value, 0, 6);
        return 1;
    }
    if (group == 5 && attribute == 2 && keys == 1 && key >= 1 && key <= 3) {
        char text[16];
        int n = std::snprintf(text, sizeof text, "row %u", key);
        Put(g_areas.result, 4, 8);
        Put(g_areas.value, 0, static_cast<unsigned>(n));
        std::memcpy(g_areas.value + 4, text, static_cast<size_t>(n));
        return 1;
    }
    if (group == 7 && attribute == 3 && keys == 0) {
        Put(g_areas.result, 4, 11);
        std::memcpy(g_areas.value, "20011224093000.000000+540\0\0", 28);
        return 1;
    }
    return 0;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == 0x496) {
        if (g_hang)
            Sleep(INFINITE);
        return Answer();
    }
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    g_hang = std::strstr(commandLine, "hang") != nullptr;
    g_bad = std::strstr(commandLine, "bad") != nullptr;
    if (!CreateSemaphoreA(nullptr, 1, 1, "DMIINFO"))
        return 1;
    g_areas.keyList = MakeArea("HELMSETKEYLIST", 4096);
    g_areas.keyData = MakeArea("HELMSETKEYDATA", 12288);
    g_areas.result = MakeArea("HELMSETAttArea", 4096);
    g_areas.info = MakeArea("HELMSETDMIINFO", 4096);
    g_areas.value = MakeArea("HELMSETMIFDATA", 4096);
    if (!g_areas.keyList || !g_areas.keyData || !g_areas.result || !g_areas.info || !g_areas.value)
        return 2;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.lpszClassName = "corvanedmici";
    RegisterClassA(&wc);
    if (!CreateWindowA("corvanedmici", "", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr))
        return 3;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
