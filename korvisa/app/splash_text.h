// The name lines of the start-up picture: the company and the user the
// suite was installed for.
#pragma once
#include <string>

namespace korvisa {

// Characters of a name that the start-up picture shows.
constexpr size_t kSplashNameChars = 24;
// What the picture shows for a name that is not set.
extern const char kSplashNoName[];

// The line for one name: its first 24 characters (a double-byte character is
// one), or the dashes when the value is missing or empty.
std::string SplashNameLine(bool present, const std::string& value);

}  // namespace korvisa
