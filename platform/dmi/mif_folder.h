// The MIF files of a folder: listing them cheaply, so a change can be noticed,
// and reading one whole (Win32).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A MIF file larger than this is not read: no real component comes near it.
constexpr size_t kMaxMifFileSize = 1024 * 1024;
// Files past this many (in name order) are left out of a listing.
constexpr size_t kMaxMifFiles = 1024;

struct MifFileStamp {
    std::string name;  // the file's name in the folder, e.g. "pcmif.mif"
    uint64_t size = 0;
    uint64_t writeTime = 0;  // last write, as a FILETIME
};

// What a folder held when it was listed: the name, size and last-write time of
// each "*.mif" file, in name order (ASCII case aside). Taking it costs one
// directory listing and no file read. A rewrite that keeps the size within the
// file system's time resolution goes unnoticed.
struct MifFolderSignature {
    bool listed = false;  // false when the folder could not be listed at all
    std::vector<MifFileStamp> files;
};

bool operator==(const MifFolderSignature& a, const MifFolderSignature& b);
bool operator!=(const MifFolderSignature& a, const MifFolderSignature& b);

// Lists the files of folder whose names end in ".mif" (any case). False, with
// *error set and out->listed false, when the folder cannot be listed; a folder
// without MIF files is listed and empty. With more than kMaxMifFiles files the
// listing keeps the first ones, and *error says so while the result is true.
bool ListMifFolder(const std::string& folder, MifFolderSignature* out, std::string* error);

// Reads folder\name whole into *text. False, with *error set, when it cannot
// be opened or read or is larger than kMaxMifFileSize.
bool ReadMifFile(const std::string& folder, const std::string& name, std::string* text,
                 std::string* error);
