// Files for the testbed tests: temporary profiles and the shared test data.
#pragma once

#include <string>

// A path in the temporary folder, unique to this process.
std::string TempFilePath(const char* name);

// The whole file; "" when it cannot be read.
std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& data);

// Writes a file beside path and renames it over path, so that a reader never
// sees it half written. A reader holding path open makes the rename fail for a
// moment: this retries for up to a second.
bool ReplaceWholeFile(const std::string& path, const std::string& data);

// The file's last-write time in FILETIME units (0 when unknown), and setting it.
unsigned long long WriteTimeOf(const std::string& path);
bool SetWriteTime(const std::string& path, unsigned long long time);
