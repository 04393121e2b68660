// Starting another program for the watcher (the backup tool on Windows NT).
#pragma once

#include <cstddef>

namespace tidemark {

constexpr size_t kMaxCommandLine = 1024;

// "\"path\"" or "\"path\" args": the program path quoted, so a folder with
// spaces cannot name another program. False (out empty) for a null or empty
// path, a path holding a quote, or a line that does not fit outSize.
bool BuildModuleCommandLine(const char* path, const char* args, char* out, size_t outSize);

// Starts the program as a new process with default start-up data and lets it
// run on its own; true when it started.
bool StartModule(const char* path, const char* args);

}  // namespace tidemark
