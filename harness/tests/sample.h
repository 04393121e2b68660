#pragma once
// Where the tests find the sample program: the build passes its Unix path,
// which this Windows process reaches through Wine's Z: drive.
#include <string>

#include "harness/files.h"

inline std::string samplePath() { return harness::fromUnixPath(HARNESS_SAMPLE_PATH); }

inline std::string sampleFolder() {
    const std::string path = samplePath();
    return path.substr(0, path.find_last_of('\\'));
}
