// The name lines of the start-up picture: the company and the user the
// suite was installed for.
#pragma once
#include <string>

namespace korvisa {

// Bytes of a name that the start-up picture shows.
constexpr size_t kSplashNameBytes = 24;
// What the picture shows for a name that is not set.
extern const char kSplashNoName[];

// The line for one name: at most its first 24 bytes, cut before a double-byte
// character that would not fit whole, or the dashes when the value is missing
// or empty.
std::string SplashNameLine(bool present, const std::string& value);

}  // namespace korvisa
