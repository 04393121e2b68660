#pragma once
// Files of the desk: profiles, data files, logs the programs write.
#include <cstddef>
#include <optional>
#include <string>

namespace harness {

constexpr size_t kMaxFileRead = 16 * 1024 * 1024;

// True for an existing file, false for a folder or nothing.
bool fileExists(const std::string& path);
// The whole file; nothing when it cannot be read or is larger than maxBytes.
std::optional<std::string> readFile(const std::string& path, size_t maxBytes = kMaxFileRead);
// Replaces the file with these bytes.
bool writeFile(const std::string& path, const std::string& bytes);
// True when the file is absent afterwards.
bool deleteFile(const std::string& path);

// The Windows folder, e.g. "C:\WINDOWS", without a trailing backslash.
std::string windowsDirectory();
// A Unix path as Wine's Z: drive shows it ("/work/x" becomes "Z:\work\x");
// any other path is returned as it is.
std::string fromUnixPath(const std::string& path);

}  // namespace harness
