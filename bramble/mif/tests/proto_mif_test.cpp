// The installed proto-MIF turns into a MIF that the service layer loads, for
// every kind of PC: its sections come and go with the flags and the health
// group's names and support values follow the sensors.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "bramble/mif/mif_generator.h"
#include "platform/dmi/mif_parser.h"

namespace bramble {
namespace {

std::string ReadProto()
{
    std::string text;
    FILE* f = std::fopen(PROTO_MIF_PATH, "rb");
    if (f == nullptr)
        return text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0 && text.size() < (1u << 22)) {
        text.append(buffer, n);
    }
    std::fclose(f);
    return text;
}

// Generates and parses; the component's group ids.
std::set<uint32_t> GenerateAndParse(const MifInputs& in, MifComponent* component)
{
    static const std::string proto = ReadProto();
    EXPECT_FALSE(proto.empty()) << PROTO_MIF_PATH;
    std::string mif;
    MifGenResult r = GenerateMif(proto.data(), proto.size(), in, &mif);
    EXPECT_EQ(MifGenStatus::kOk, r.status) << r.offset;
    EXPECT_EQ(std::string::npos, mif.find("**OPTIONAL_INSERT"));
    EXPECT_EQ(std::string::npos, mif.find("%%REPLACE_"));
    MifParseError error;
    EXPECT_TRUE(ParseMif(mif.data(), mif.size(), component, &error)) << error.line << ": " << error.message;
    std::set<uint32_t> ids;
    for (const MifGroup& g : component->groups) ids.insert(g.id);
    return ids;
}

const MifGroup* Group(const MifComponent& c, uint32_t id)
{
    for (const MifGroup& g : c.groups) {
        if (g.id == id)
            return &g;
    }
    return nullptr;
}

const MifAttribute* Attribute(const MifGroup& g, uint32_t id)
{
    for (const MifAttribute& a : g.attributes) {
        if (a.id == id)
            return &a;
    }
    return nullptr;
}

const std::set<uint32_t> kAlways = {1,  2,  3,  4,  6,  7,  8,  9,  10, 16, 19,
                                    20, 22, 23, 24, 25, 27, 28, 29, 30, 31};

TEST(ProtoMif, SectionsFollowThePc)
{
    MifComponent component;
    MifInputs nt;
    nt.windowsNt = true;
    EXPECT_EQ(kAlways, GenerateAndParse(nt, &component));
    ASSERT_NE(nullptr, Group(component, 2));
    EXPECT_EQ("DMTF|General Information|001", Group(component, 2)->classString);

    MifInputs all;
    all.parallelPort = all.serialPort = all.healthConfigured = true;
    std::set<uint32_t> expected = kAlways;
    expected.insert({11, 12, 13, 32});
    EXPECT_EQ(expected, GenerateAndParse(all, &component));

    MifInputs some;
    some.serialPort = true;
    expected = kAlways;
    expected.insert({12, 13});
    EXPECT_EQ(expected, GenerateAndParse(some, &component));
}

TEST(ProtoMif, HealthGroupFollowsTheSensors)
{
    // The fixed configuration: IN2-IN6, the temperature with its high limit only,
    // the case switch; no fans.
    MifInputs in;
    in.healthConfigured = true;
    for (int s = kSensorIn2; s <= kSensorIn6; ++s) {
        in.present[s] = true;
        in.names[s] = FixedModelVoltageNames(s);
    }
    in.present[kSensorTemp] = in.tempHighSupported = in.present[kSensorCase] = true;
    MifComponent component;
    GenerateAndParse(in, &component);
    const MifGroup* health = Group(component, 32);
    ASSERT_NE(nullptr, health);
    ASSERT_EQ(32u, health->attributes.size());
    struct Expect {
        uint32_t id;
        const char* name;  // nullptr: not checked
        bool served;
    };
    const Expect expects[] = {
        {1, nullptr, true},
        {2, nullptr, false},
        {3, "IN0 Volt High Limit", false},
        {4, "IN0 Volt Low Limit", false},
        {6, "IN1 Volt Low Limit", false},
        {7, "+3.3 Volt High Limit", true},
        {10, "+5 Volt Low Limit", true},
        {11, "+12 Volt High Limit", true},
        {14, "-12 Volt Low Limit", true},
        {16, "-5 Volt Low Limit", true},
        {17, nullptr, false},
        {19, nullptr, false},
        {20, nullptr, true},
        {21, "Current Voltage IN0V", false},
        {23, "Current Voltage +3.3V", true},
        {27, "Current Voltage -5V", true},
        {28, nullptr, false},
        {31, nullptr, true},
        {32, nullptr, true},
    };
    for (const Expect& e : expects) {
        const MifAttribute* a = Attribute(*health, e.id);
        ASSERT_NE(nullptr, a) << e.id;
        if (e.name != nullptr) {
            EXPECT_EQ(e.name, a->name) << e.id;
        }
        EXPECT_EQ(e.served ? MifValueKind::kInstrumented : MifValueKind::kUnsupported, a->value.kind) << e.id;
    }

    // Every sensor absent: only the defaults flag is served.
    GenerateAndParse(
        [] {
            MifInputs none;
            none.healthConfigured = true;
            return none;
        }(),
        &component);
    health = Group(component, 32);
    ASSERT_NE(nullptr, health);
    for (const MifAttribute& a : health->attributes) {
        EXPECT_EQ(a.id == 32 ? MifValueKind::kInstrumented : MifValueKind::kUnsupported, a.value.kind)
            << a.id;
    }
}

}  // namespace
}  // namespace bramble
