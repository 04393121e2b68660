// Bounded building of file paths (code page 932, backslash separators).
//
// Each function writes into a fixed buffer and returns false, leaving an empty
// string, when the result does not fit; it never writes past the buffer and never
// splits a double-byte character. The output may be the same buffer as the first
// input path, but must not overlap the other inputs.
#pragma once

#include <cstddef>

namespace path {

// dir and tail joined by exactly one backslash: "C:\HELMSET" or "C:\HELMSET\"
// with "\BIN\HELMSET.INI" or "BIN\HELMSET.INI" gives "C:\HELMSET\BIN\HELMSET.INI".
// An empty dir gives tail, an empty tail gives dir. False as well when dir ends
// with half a double-byte character (a backslash after it would read as its
// second byte).
bool JoinPath(char* dst, size_t dstSize, const char* dir, const char* tail);

// path with the extension of its file name replaced by `extension` (given with
// its point, e.g. ".HLP"), or added when the name has none.
bool ReplaceExtension(char* dst, size_t dstSize, const char* path, const char* extension);

// The directory part of path, without the final backslash except for a root
// ("C:\KORVISA.EXE" gives "C:\", "C:\HELMSET\BIN\KORVISA.EXE" gives
// "C:\HELMSET\BIN"). False when path has no backslash.
bool DirectoryOf(char* dst, size_t dstSize, const char* path);

}  // namespace path
