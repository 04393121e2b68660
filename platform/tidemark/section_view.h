// A view of the named section, as every user of WatchAcs makes one: open the
// section read/write, or create it backed by the paging file, and map all of
// it.
#pragma once

#include "platform/tidemark/watch_acs.h"

namespace tidemark {

class SectionView {
public:
    SectionView() = default;
    ~SectionView();
    SectionView(const SectionView&) = delete;
    SectionView& operator=(const SectionView&) = delete;

    // False when the section can be neither opened nor created, cannot be
    // mapped, or is smaller than kSectionSize (a section of that name made
    // by someone else): nothing is then held.
    bool Open(const char* name);
    void Close();

    WatchAcs* Acs() const { return view_; }
    // Whether Open created the section rather than finding it.
    bool Created() const { return created_; }

private:
    void* mapping_ = nullptr;
    WatchAcs* view_ = nullptr;
    bool created_ = false;
};

}  // namespace tidemark
