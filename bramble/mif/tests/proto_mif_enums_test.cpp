// The proto-MIF's enumerations against what bramble serves: every processor
// type, family and upgrade code and every enclosure type that the real tables
// and the testbed PCs give has a text, so the viewer's read of it does not
// fail; attributes that pages read as numbers carry no enumeration.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "bramble/mif/mif_generator.h"
#include "bramble/probes/bios_probe.h"
#include "bramble/probes/enclosure_probe.h"
#include "bramble/probes/model_class.h"
#include "bramble/probes/processor_probe.h"
#include "bramble/probes/system_probe.h"
#include "bramble/probes/tests/probe_test_support.h"
#include "platform/dmi/mif_parser.h"

namespace bramble {
namespace {

MifComponent GeneratedComponent()
{
    const std::string proto = probetest::ReadWholeFile(PROTO_MIF_PATH);
    EXPECT_FALSE(proto.empty()) << PROTO_MIF_PATH;
    MifInputs everything;
    everything.parallelPort = everything.serialPort = everything.healthConfigured = true;
    std::string mif;
    EXPECT_EQ(MifGenStatus::kOk, GenerateMif(proto.data(), proto.size(), everything, &mif).status);
    MifComponent component;
    MifParseError error;
    EXPECT_TRUE(ParseMif(mif.data(), mif.size(), &component, &error)) << error.line << ": " << error.message;
    return component;
}

const MifAttribute* Attribute(const MifComponent& c, uint32_t group, uint32_t id)
{
    for (const MifGroup& g : c.groups)
        if (g.id == group)
            for (const MifAttribute& a : g.attributes)
                if (a.id == id) return &a;
    return nullptr;
}

// The text of a code, or "" when the enumeration has none.
std::string EnumText(const MifAttribute& a, unsigned code)
{
    for (const MifEnumEntry& e : a.enumEntries)
        if (e.value == static_cast<int32_t>(code)) return e.text;
    return "";
}

TEST(ProtoMifEnumerations, CoverEveryCodeTheTablesGive)
{
    const MifComponent component = GeneratedComponent();
    const MifAttribute* type = Attribute(component, 6, 2);
    const MifAttribute* family = Attribute(component, 6, 3);
    const MifAttribute* upgrade = Attribute(component, 6, 7);
    const MifAttribute* enclosure = Attribute(component, 16, 1);
    ASSERT_TRUE(type && family && upgrade && enclosure);

    std::vector<std::pair<std::string, std::string>> tables;
    for (const char* machine : probetest::kMachines)
        tables.emplace_back(machine, probetest::ReadWholeFile(probetest::RealTablePath(machine, ".raw")));
    tables.emplace_back("testbed", probetest::ReadWholeFile(TESTBED_INSTALL_DIR "/smbios.bin"));
    tables.emplace_back("testbed tower", probetest::ReadWholeFile(TESTBED_INSTALL_DIR "/tower.bin"));
    tables.emplace_back("testbed intel-bios",
                        probetest::ReadWholeFile(TESTBED_INSTALL_DIR "/intel-bios.bin"));
    for (const auto& [name, bytes] : tables) {
        SCOPED_TRACE(name);
        ASSERT_FALSE(bytes.empty());
        const SmbiosBytes table = probetest::BytesOf(bytes);
        const std::vector<ProcessorRow> rows = ReadProcessors(table, ReadBios(table).vendor);
        for (const ProcessorRow& row : rows) {
            // A field the structure leaves open is served as 2, "Unknown".
            EXPECT_NE(EnumText(*type, row.type.value_or(2)), "") << *row.type;
            EXPECT_NE(EnumText(*family, row.family.value_or(2)), "") << *row.family;
            EXPECT_NE(EnumText(*upgrade, row.upgrade.value_or(2)), "") << *row.upgrade;
        }
        const unsigned modelClass = DeriveModelClass(ReadSystem(table).product).number;
        EXPECT_NE(EnumText(*enclosure, ReadEnclosure(table, modelClass).type), "");
    }
    EXPECT_EQ(EnumText(*family, 0xB2), "Pentium 4");
    EXPECT_EQ(EnumText(*enclosure, 6), "Mini Tower");
}

TEST(ProtoMifEnumerations, NumbersThePagesReadHaveNone)
{
    const MifComponent component = GeneratedComponent();
    const std::pair<uint32_t, uint32_t> numbers[] = {{6, 5}, {6, 6}, {8, 6}, {9, 3}, {20, 10}, {20, 11}, {20, 12}};
    for (const auto& [group, id] : numbers) {
        const MifAttribute* a = Attribute(component, group, id);
        ASSERT_NE(a, nullptr) << group << "/" << id;
        EXPECT_TRUE(a->enumEntries.empty()) << group << "/" << id;
    }
}

}  // namespace
}  // namespace bramble
