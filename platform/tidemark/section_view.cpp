#include "platform/tidemark/section_view.h"

#include <windows.h>

namespace tidemark {

SectionView::~SectionView()
{
    Close();
}

bool SectionView::Open(const char* name)
{
    Close();
    HANDLE mapping = ::OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name);
    if (!mapping) {
        mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSectionSize, name);
        if (!mapping)
            return false;
        created_ = ::GetLastError() != ERROR_ALREADY_EXISTS;
    }
    void* view = ::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    MEMORY_BASIC_INFORMATION region = {};
    if (!view || ::VirtualQuery(view, &region, sizeof region) != sizeof region ||
        region.RegionSize < kSectionSize) {
        if (view)
            ::UnmapViewOfFile(view);
        ::CloseHandle(mapping);
        created_ = false;
        return false;
    }
    mapping_ = mapping;
    view_ = static_cast<WatchAcs*>(view);
    return true;
}

void SectionView::Close()
{
    if (view_)
        ::UnmapViewOfFile(view_);
    if (mapping_)
        ::CloseHandle(mapping_);
    view_ = nullptr;
    mapping_ = nullptr;
    created_ = false;
}

}  // namespace tidemark
