// A second process for the library's tests: maps the section as the watcher
// does and calls one WatchAcs member through tidemark.dll, found beside it.
//
//   tidemark_probe [--fresh] get-mem-par | get-fan-ntf | get-watch
//   tidemark_probe [--fresh] set-mem-err CODE | set-dsk-err DRIVE CODE
//
// A getter's value is the exit code (0..249); a setter exits 0 when the
// member stored the value. --fresh: exit 253 unless this process created the
// section. 251 bad command line, 252 no section, 254 a setter refused.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "platform/tidemark/watch_acs.h"

namespace {

const int kBadUsage = 251;
const int kNoSection = 252;
const int kNotFresh = 253;
const int kRefused = 254;

int Run(WatchAcs& acs, int argc, char** argv)
{
    const char* command = argv[0];
    if (std::strcmp(command, "get-mem-par") == 0 && argc == 1)
        return static_cast<int>(acs.GetMemNtfPar());
    if (std::strcmp(command, "get-fan-ntf") == 0 && argc == 1)
        return static_cast<int>(acs.GetFanNtf());
    if (std::strcmp(command, "get-watch") == 0 && argc == 1)
        return static_cast<int>(acs.GetWatch());
    if (std::strcmp(command, "set-mem-err") == 0 && argc == 2)
        return acs.SetMemErrCode(std::strtoul(argv[1], nullptr, 0)) ? 0 : kRefused;
    if (std::strcmp(command, "set-dsk-err") == 0 && argc == 3)
        return acs.SetDskErrCode(argv[1], std::strtoul(argv[2], nullptr, 0)) ? 0 : kRefused;
    return kBadUsage;
}

}  // namespace

int main(int argc, char** argv)
{
    bool fresh = false;
    int first = 1;
    if (argc > first && std::strcmp(argv[first], "--fresh") == 0) {
        fresh = true;
        ++first;
    }
    if (argc <= first)
        return kBadUsage;

    bool created = false;
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, tidemark::kSectionName);
    if (!mapping) {
        mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, tidemark::kSectionSize,
                                     tidemark::kSectionName);
        created = mapping && GetLastError() != ERROR_ALREADY_EXISTS;
    }
    if (!mapping)
        return kNoSection;
    void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    if (!view) {
        CloseHandle(mapping);
        return kNoSection;
    }
    int result = fresh && !created ? kNotFresh : Run(*static_cast<WatchAcs*>(view), argc - first, argv + first);
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    return result;
}
