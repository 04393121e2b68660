// Whether a group's class string matches a class filter, as the service layer
// compares them when it lists components by class.
//
// Both are split into fields at '|' (a '|' that is the second byte of a
// double-byte character, as in "ポ", does not split). Field by field: an empty
// filter field matches anything; any other must equal the class field byte for
// byte (letter case counts). Class fields past the filter's last field match,
// so "DMTF|ComponentID|" and "DMTF|ComponentID" both match every version of
// "DMTF|ComponentID|001"; a non-empty filter field past the class's last
// field does not.
#pragma once

#include <string>

bool MifClassMatches(const std::string& filter, const std::string& classString);
