#include "korvisa/pages/body_info.h"

#include <cstdio>
#include <cstring>

namespace korvisa {

namespace {

// DMI groups and attributes of the system component that the page reads.
constexpr uint32_t kIdentificationGroup = 1, kProductName = 2;
constexpr uint32_t kGeneralGroup = 2, kComputerName = 1, kUserName = 3;
constexpr uint32_t kProcessorGroup = 6, kProcessorFamily = 3, kCurrentSpeed = 6;
// The processor table has a row per processor; a service that answers every
// key must not keep the page reading for ever.
constexpr uint32_t kMaxProcessorRows = 1024;

// A text value as far as it is text: a value with a NUL inside (a number
// read as text) ends there.
bool ReadText(dmi::DmiAccess& access, uint32_t attribute, uint32_t key, std::string& out)
{
    std::string value;
    if (!access.GetString(attribute, key, &value))
        return false;
    out.assign(value.c_str(), std::strlen(value.c_str()));
    return true;
}

void TextOrNa(dmi::DmiAccess& access, uint32_t attribute, const std::string& na, std::string& out)
{
    if (!ReadText(access, attribute, 0, out))
        out = na;
}

bool ReadFields(dmi::DmiAccess& access, const std::string& na, BodyFields& out)
{
    uint32_t component = 0;
    if (!access.FindGeneralInformation(&component) || !access.SetComponent(component) ||
        !access.SetGroup(kGeneralGroup))
        return false;
    TextOrNa(access, kUserName, na, out.user);
    if (!access.SetGroup(kGeneralGroup))
        return false;
    TextOrNa(access, kComputerName, na, out.computer);
    if (!access.SetGroup(kIdentificationGroup))
        return false;
    TextOrNa(access, kProductName, na, out.model);

    if (!access.SetGroup(kProcessorGroup))
        return false;
    // Rows by key from 1 until the first that cannot be read; the last
    // non-empty family wins.
    out.family = na;
    uint32_t key = 1;
    for (std::string family; key <= kMaxProcessorRows && ReadText(access, kProcessorFamily, key, family); ++key)
        if (!family.empty())
            out.family = family;
    out.family = FamilyWithCount(out.family, key - 1);

    if (!access.SetGroup(kProcessorGroup))
        return false;
    uint32_t speed = 0;
    if (access.GetInteger(kCurrentSpeed, &speed)) {
        char text[32];
        std::snprintf(text, sizeof text, "%ld MHz", static_cast<long>(static_cast<int32_t>(speed)));
        out.clock = text;
    } else {
        out.clock = na;
    }
    return true;
}

}  // namespace

std::string FamilyWithCount(const std::string& family, unsigned processors)
{
    if (processors < 2)
        return family;
    return family + "  " + std::to_string(processors) + " Processor";
}

void ReadBodyInfo(dmi::DmiAccess& access, const std::string& notAvailable, BodyFields& out)
{
    if (!ReadFields(access, notAvailable, out))
        out = BodyFields{notAvailable, notAvailable, notAvailable, notAvailable, notAvailable};
}

}  // namespace korvisa
