// What the body page shows, read from the PC's system component: user and
// computer name, model, processor family with the number of processors,
// and the processor clock.
#pragma once
#include <string>

#include "korvisa/dmi/dmi_access.h"

namespace korvisa {

struct BodyFields {
    std::string user, computer, model, family, clock;
};

// A failed value shows notAvailable; when the component or one of its groups
// cannot be reached, every field does.
void ReadBodyInfo(dmi::DmiAccess& access, const std::string& notAvailable, BodyFields& out);

// The processor family line: the family, and for two processors or more two
// spaces, their number and " Processor".
std::string FamilyWithCount(const std::string& family, unsigned processors);

}  // namespace korvisa
