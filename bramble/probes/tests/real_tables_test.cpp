// The probes on the real tables of the test data, against dmidecode's reading
// of the same bytes, and on the testbed PC's table against its profile.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bramble/probes/bios_probe.h"
#include "bramble/probes/cache_probe.h"
#include "bramble/probes/memory_probe.h"
#include "bramble/probes/slot_probe.h"
#include "bramble/probes/enclosure_probe.h"
#include "bramble/probes/model_class.h"
#include "bramble/probes/port_probe.h"
#include "bramble/probes/processor_probe.h"
#include "bramble/probes/system_probe.h"
#include "bramble/probes/tests/probe_test_support.h"
#include "platform/testbed/profile_parse.h"

using namespace bramble;
using namespace probetest;

namespace {

struct Machine {
    std::string name;
    std::string table;
    std::vector<DecodedBlock> decoded;
};

std::vector<Machine> LoadMachines()
{
    std::vector<Machine> machines;
    for (const char* name : kMachines) {
        Machine m{name, ReadWholeFile(RealTablePath(name, ".raw")),
                  ParseDmidecode(ReadWholeFile(RealTablePath(name, ".dmidecode.txt")))};
        EXPECT_FALSE(m.table.empty()) << name;
        EXPECT_FALSE(m.decoded.empty()) << name;
        machines.push_back(m);
    }
    return machines;
}

// "512 kB", "1 MB", "16 MB" in KB.
unsigned SizeInKB(const std::string& text)
{
    char unit[8] = {};
    unsigned amount = 0;
    if (std::sscanf(text.c_str(), "%u %7s", &amount, unit) != 2)
        return 0;
    return std::string(unit) == "MB" ? amount * 1024 : std::string(unit) == "GB" ? amount * 1024 * 1024 : amount;
}

// "2000 MHz" in MHz; dmidecode prints a speed of 0 as "Unknown".
unsigned SpeedInMHz(const std::string& text)
{
    return text == "Unknown" ? 0 : static_cast<unsigned>(std::strtoul(text.c_str(), nullptr, 10));
}

// "03/14/2002" as a DMI date, written out by hand from the printed date.
std::string DmiDateOf(const std::string& printed)
{
    unsigned month = 0, day = 0, year = 0;
    if (std::sscanf(printed.c_str(), "%u/%u/%u", &month, &day, &year) != 3)
        return kNoDmiDate;
    char text[32];
    std::snprintf(text, sizeof text, "%04u%02u%02u000000.000000+000", year, month, day);
    return text;
}

TEST(ProbeRealTables, BiosAndSystemMatchDmidecode)
{
    for (const Machine& m : LoadMachines()) {
        SCOPED_TRACE(m.name);
        const std::vector<DecodedBlock> bios = BlocksOfType(m.decoded, 0);
        const std::vector<DecodedBlock> system = BlocksOfType(m.decoded, 1);
        ASSERT_EQ(bios.size(), 1u);
        ASSERT_EQ(system.size(), 1u);

        BiosInfo b = ReadBios(BytesOf(m.table));
        EXPECT_TRUE(b.present);
        EXPECT_PRED2(SameString, b.vendor, bios[0].Get("Vendor"));
        EXPECT_PRED2(SameString, b.version, bios[0].Get("Version"));
        // Every real table writes a four-digit year: it stands as it is.
        EXPECT_EQ(b.releaseDate, DmiDateOf(bios[0].Get("Release Date")));
        ASSERT_TRUE(b.romSizeKB.has_value());
        EXPECT_EQ(*b.romSizeKB, SizeInKB(bios[0].Get("ROM Size")));
        ASSERT_TRUE(b.startAddress.has_value());
        // dmidecode leaves the address out when the segment is 0 (UEFI).
        unsigned long address = bios[0].Has("Address")
                                    ? std::strtoul(bios[0].Get("Address").c_str(), nullptr, 16)
                                    : 0;
        EXPECT_EQ(*b.startAddress, address);

        SystemInfo s = ReadSystem(BytesOf(m.table));
        EXPECT_TRUE(s.present);
        EXPECT_PRED2(SameString, s.manufacturer, system[0].Get("Manufacturer"));
        EXPECT_PRED2(SameString, s.product, system[0].Get("Product Name"));
        EXPECT_PRED2(SameString, s.version, system[0].Get("Version"));
        EXPECT_PRED2(SameString, s.serialNumber, system[0].Get("Serial Number"));
    }
}

TEST(ProbeRealTables, ProcessorRowsAreThePopulatedSocketsAsDmidecodeReadsThem)
{
    const auto families = ProcessorFamilies();
    const auto types = EnumList("**Processor Type**");
    const auto upgrades = EnumList("1 Other, 2 Unknown, 3 Daughter Board");
    ASSERT_GT(families.size(), 100u);
    ASSERT_EQ(types.count("central processor"), 1u);
    ASSERT_EQ(upgrades.count("zif socket"), 1u);
    for (const Machine& m : LoadMachines()) {
        SCOPED_TRACE(m.name);
        std::vector<DecodedBlock> populated;
        for (const DecodedBlock& p : BlocksOfType(m.decoded, 4))
            if (p.Get("Status").rfind("Populated", 0) == 0)
                populated.push_back(p);
        ASSERT_FALSE(populated.empty());

        const std::string vendor = ReadBios(BytesOf(m.table)).vendor;
        // No real BIOS here is exactly the BCD vendor: speeds are binary.
        ASSERT_NE(vendor, kBcdSpeedVendor);
        std::vector<ProcessorRow> rows = ReadProcessors(BytesOf(m.table), vendor);
        ASSERT_EQ(rows.size(), populated.size());
        for (size_t i = 0; i < rows.size(); i++) {
            const DecodedBlock& p = populated[i];
            const ProcessorRow& r = rows[i];
            EXPECT_EQ(r.index, i + 1);
            const std::string type = Lower(p.Get("Type"));
            ASSERT_EQ(types.count(type), 1u) << type;
            EXPECT_EQ(r.type, types.at(type));
            ASSERT_EQ(families.count(p.Get("Family")), 1u) << p.Get("Family");
            EXPECT_EQ(r.family, families.at(p.Get("Family")));
            EXPECT_PRED2(SameString, r.version, p.Get("Version"));
            EXPECT_EQ(r.maxSpeedMHz, SpeedInMHz(p.Get("Max Speed")));
            EXPECT_EQ(r.currentSpeedMHz, SpeedInMHz(p.Get("Current Speed")));
            // The reference lists the upgrade names up to 14; later sockets are
            // checked to be past that list.
            const std::string upgrade = Lower(p.Get("Upgrade"));
            ASSERT_TRUE(r.upgrade.has_value());
            if (upgrades.count(upgrade))
                EXPECT_EQ(*r.upgrade, upgrades.at(upgrade));
            else
                EXPECT_GT(*r.upgrade, 14u) << upgrade;
        }
    }
}

TEST(ProbeRealTables, EnclosureAndPortsMatchDmidecode)
{
    auto chassis = EnumList("container/chassis type");
    // dmidecode calls type 17 what the reference calls "Main System Chassis".
    chassis.emplace("main server chassis", 17);
    for (const Machine& m : LoadMachines()) {
        SCOPED_TRACE(m.name);
        const std::vector<DecodedBlock> enclosures = BlocksOfType(m.decoded, 3);
        ASSERT_EQ(enclosures.size(), 1u);
        const ModelClass model = DeriveModelClass(ReadSystem(BytesOf(m.table)).product);
        // None of these products is one of the maker's models with a forced type.
        ASSERT_TRUE(model.number == kModelClassNoHyphen || model.number == kModelClassUnlisted)
            << model.number;

        EnclosureInfo e = ReadEnclosure(BytesOf(m.table), model.number);
        const std::string type = Lower(enclosures[0].Get("Type"));
        ASSERT_EQ(chassis.count(type), 1u) << type;
        EXPECT_EQ(e.type, chassis.at(type));
        EXPECT_EQ(e.locked, enclosures[0].Get("Lock") == "Present");
        EXPECT_PRED2(SameString, e.assetTag, enclosures[0].Get("Asset Tag"));

        size_t parallel = 0, serial = 0, serialOnDb9 = 0;
        for (const DecodedBlock& p : BlocksOfType(m.decoded, 8)) {
            const std::string portType = p.Get("Port Type");
            if (portType.rfind("Parallel Port", 0) == 0)
                parallel++;
            if (portType.rfind("Serial Port", 0) == 0 || portType.rfind("8251", 0) == 0) {
                serial++;
                if (p.Get("External Connector Type").rfind("DB-9", 0) == 0)
                    serialOnDb9++;
            }
        }
        PortConnectors ports = ReadPortConnectors(BytesOf(m.table));
        EXPECT_EQ(ports.parallel.size(), parallel);
        EXPECT_EQ(ports.serial.size(), serial);
        EXPECT_EQ(ports.hasParallel(), parallel > 0);
        EXPECT_EQ(ports.hasSerial(), serial > 0);
        size_t fast = 0;
        for (const SerialPortRow& row : ports.serial)
            fast += row.maxSpeed == 115200;
        EXPECT_EQ(fast, serialOnDb9);
    }
}

// Every cut of a real table: the walk stops at the first structure that does
// not fit, so whatever a probe still finds is what it finds in the whole table.
TEST(ProbeRealTables, EveryCutOfATableReadsOnlyWhatFits)
{
    for (const Machine& m : LoadMachines()) {
        SCOPED_TRACE(m.name);
        const BiosInfo fullBios = ReadBios(BytesOf(m.table));
        const SystemInfo fullSystem = ReadSystem(BytesOf(m.table));
        const auto fullRows = ReadProcessors(BytesOf(m.table), fullBios.vendor);
        const PortConnectors fullPorts = ReadPortConnectors(BytesOf(m.table));
        const size_t fullSlots = ReadSlots(BytesOf(m.table)).size();
        const size_t fullCaches = ReadCaches(BytesOf(m.table)).size();
        const size_t fullModules = ReadMemoryModules(BytesOf(m.table)).size();
        const std::string fullSpeeds = ReadMemoryController(BytesOf(m.table)).supportedSpeeds;
        for (size_t cut = 0; cut < m.table.size(); cut++) {
            // A buffer of exactly the cut's size, so a read past it leaves the block.
            std::vector<unsigned char> part(m.table.begin(), m.table.begin() + cut);
            const SmbiosBytes bytes = cut == 0 ? SmbiosBytes{} : BytesOf(part);
            BiosInfo bios = ReadBios(bytes);
            if (bios.present) {
                EXPECT_EQ(bios.vendor, fullBios.vendor);
                EXPECT_EQ(bios.releaseDate, fullBios.releaseDate);
            }
            SystemInfo system = ReadSystem(bytes);
            if (system.present) {
                EXPECT_EQ(system.product, fullSystem.product);
            }
            ReadEnclosure(bytes, DeriveModelClass(system.product).number);
            auto rows = ReadProcessors(bytes, fullBios.vendor);
            ASSERT_LE(rows.size(), fullRows.size());
            for (size_t i = 0; i < rows.size(); i++)
                EXPECT_EQ(rows[i].version, fullRows[i].version);
            PortConnectors ports = ReadPortConnectors(bytes);
            EXPECT_LE(ports.serial.size(), fullPorts.serial.size());
            EXPECT_LE(ports.parallel.size(), fullPorts.parallel.size());
            EXPECT_LE(ReadSlots(bytes).size(), fullSlots);
            EXPECT_LE(ReadCaches(bytes).size(), fullCaches);
            EXPECT_LE(ReadMemoryModules(bytes).size(), fullModules);
            if (ReadMemoryController(bytes).present) {
                EXPECT_EQ(ReadMemoryController(bytes).supportedSpeeds, fullSpeeds);
            }
        }
    }
}

TEST(ProbeTestbedTable, DecodesToTheMachineProfile)
{
    const std::string ini = ReadWholeFile(std::string(TESTBED_INSTALL_DIR) + "/machine.ini");
    const std::string table = ReadWholeFile(std::string(TESTBED_INSTALL_DIR) + "/smbios.bin");
    ASSERT_FALSE(ini.empty());
    ASSERT_FALSE(table.empty());
    const unsigned len = static_cast<unsigned>(ini.size());
    auto text = [&](const char* key) {
        char value[256] = {};
        EXPECT_TRUE(testbed_get_string(ini.data(), len, "Machine", key, value, sizeof value)) << key;
        return std::string(value);
    };
    auto number = [&](const char* key) {
        long value = -1;
        EXPECT_TRUE(testbed_get_int(ini.data(), len, "Machine", key, &value)) << key;
        return value;
    };

    BiosInfo bios = ReadBios(BytesOf(table));
    EXPECT_EQ(bios.vendor, text("BiosVendor"));
    EXPECT_EQ(bios.version, text("BiosVersion"));
    EXPECT_EQ(bios.releaseDate, DmiDateOf(text("BiosDate")));
    EXPECT_EQ(bios.romSizeKB, static_cast<unsigned>(number("BiosRomKB")));

    SystemInfo system = ReadSystem(BytesOf(table));
    EXPECT_EQ(system.manufacturer, text("Maker"));
    EXPECT_EQ(system.product, text("Model"));
    EXPECT_EQ(system.version, text("Version"));
    EXPECT_EQ(system.serialNumber, text("SerialNumber"));

    // The testbed PC is a model with the hardware monitor: a class with the
    // fixed health configuration, whose forced enclosure type is its own.
    ModelClass model = DeriveModelClass(system.product);
    EXPECT_TRUE(model.number >= 50 && model.number <= 52) << model.number;
    EnclosureInfo enclosure = ReadEnclosure(BytesOf(table), model.number);
    EXPECT_EQ(enclosure.type, static_cast<unsigned>(number("ChassisType")));
    EXPECT_EQ(enclosure.locked, number("ChassisLock") != 0);
    EXPECT_EQ(enclosure.assetTag, text("AssetTag"));

    auto rows = ReadProcessors(BytesOf(table), bios.vendor);
    ASSERT_EQ(rows.size(), static_cast<size_t>(number("Processors")));
    EXPECT_LT(rows.size(), static_cast<size_t>(number("ProcessorSockets")));
    EXPECT_EQ(rows[0].family, static_cast<unsigned>(number("ProcessorFamily")));
    EXPECT_EQ(rows[0].version, text("Processor"));
    EXPECT_EQ(rows[0].currentSpeedMHz, static_cast<unsigned>(number("ProcessorSpeed")));
    EXPECT_EQ(rows[0].maxSpeedMHz, static_cast<unsigned>(number("ProcessorMaxSpeed")));

    PortConnectors ports = ReadPortConnectors(BytesOf(table));
    EXPECT_EQ(ports.serial.size(), static_cast<size_t>(number("SerialPorts")));
    EXPECT_EQ(ports.parallel.size(), static_cast<size_t>(number("ParallelPorts")));
}

}  // namespace
