// The probes on crafted tables: the date and speed mends, missing strings and
// fields, the enclosure overrides and broken tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bramble/probes/bios_probe.h"
#include "bramble/probes/enclosure_probe.h"
#include "bramble/probes/port_probe.h"
#include "bramble/probes/processor_probe.h"
#include "bramble/probes/system_probe.h"
#include "bramble/probes/tests/probe_test_support.h"

using namespace bramble;
using namespace probetest;

namespace {

using Bytes = std::vector<unsigned char>;

// A BIOS structure of SMBIOS 2.0 (length 0x12): vendor 1, version 2, segment
// 0xE000, date string `dateString`, ROM size byte `rom`.
Bytes BiosFormatted(unsigned char dateString, unsigned char rom = 7)
{
    return {1, 2, 0x00, 0xE0, dateString, rom, 0, 0, 0, 0, 0, 0, 0, 0};
}

std::string ReleaseDateOf(const std::string& date)
{
    auto table = TableBuilder().Add(0, BiosFormatted(3), {"Maker", "1.0", date}).Build();
    return ReadBios(BytesOf(table)).releaseDate;
}

// A processor structure of length 0x1A with the given speeds and status.
Bytes Processor(unsigned maxSpeed, unsigned currentSpeed, unsigned char status = 0x41,
                unsigned char family = 0xB2)
{
    Bytes p(0x1A - 4, 0);
    p[0x05 - 4] = 3;
    p[0x06 - 4] = family;
    p[0x10 - 4] = 1;  // version: string 1
    p[0x14 - 4] = static_cast<unsigned char>(maxSpeed);
    p[0x15 - 4] = static_cast<unsigned char>(maxSpeed >> 8);
    p[0x16 - 4] = static_cast<unsigned char>(currentSpeed);
    p[0x17 - 4] = static_cast<unsigned char>(currentSpeed >> 8);
    p[0x18 - 4] = status;
    p[0x19 - 4] = 4;
    return p;
}

TEST(ProbeBiosReleaseDate, TwoDigitYearsGetTheirCenturyAndFourDigitYearsStand)
{
    EXPECT_EQ(ReleaseDateOf("01/15/98"), "19980115000000.000000+000");
    EXPECT_EQ(ReleaseDateOf("01/15/02"), "20020115000000.000000+000");
    EXPECT_EQ(ReleaseDateOf("12/31/89"), "20891231000000.000000+000");
    EXPECT_EQ(ReleaseDateOf("03/05/2001"), "20010305000000.000000+000");
    EXPECT_EQ(ReleaseDateOf("03/05/1999"), "19990305000000.000000+000");
    EXPECT_EQ(ReleaseDateOf("3/5/99"), "19990305000000.000000+000");
    EXPECT_EQ(ReleaseDateOf("03/14/2002   "), "20020314000000.000000+000");
}

TEST(ProbeBiosReleaseDate, MissingOrMalformedDateIsTheEmptyDmiDate)
{
    EXPECT_EQ(ReleaseDateOf("2001-03-05"), kNoDmiDate);
    EXPECT_EQ(ReleaseDateOf("03/05/201"), kNoDmiDate);
    EXPECT_EQ(ReleaseDateOf("03/05/20011"), kNoDmiDate);
    EXPECT_EQ(ReleaseDateOf("03/05"), kNoDmiDate);
    EXPECT_EQ(ReleaseDateOf(""), kNoDmiDate);
    // String number 0, and a number past the structure's two strings.
    for (unsigned char number : {0, 3}) {
        auto table = TableBuilder().Add(0, BiosFormatted(number), {"Maker", "1.0"}).Build();
        BiosInfo bios = ReadBios(BytesOf(table));
        EXPECT_TRUE(bios.present);
        EXPECT_EQ(bios.releaseDate, kNoDmiDate);
    }
}

TEST(ProbeBiosStructure, RomSizeAddressAndShortStructures)
{
    auto table = TableBuilder().Add(0, BiosFormatted(0, 7), {"Maker", "1.0"}).Build();
    BiosInfo bios = ReadBios(BytesOf(table));
    EXPECT_EQ(bios.vendor, "Maker");
    EXPECT_EQ(bios.version, "1.0");
    EXPECT_EQ(bios.romSizeKB, 512u);
    EXPECT_EQ(bios.startAddress, 0xE0000ul);

    // Size byte 0xFF: the extended word (at 0x18) gives 16 MB, or 2 GB.
    Bytes extended(0x1A - 4, 0);
    extended[0x09 - 4] = 0xFF;
    extended[0x18 - 4] = 16;
    EXPECT_EQ(ReadBios(BytesOf(TableBuilder().Add(0, extended).Build())).romSizeKB, 16u * 1024);
    extended[0x18 - 4] = 2;
    extended[0x19 - 4] = 0x40;
    EXPECT_EQ(ReadBios(BytesOf(TableBuilder().Add(0, extended).Build())).romSizeKB,
              2u * 1024 * 1024);

    // A structure that ends after the version: the rest is absent.
    auto shortTable = TableBuilder().Add(0, {1, 2}, {"Maker", "1.0", "01/01/99"}).Build();
    bios = ReadBios(BytesOf(shortTable));
    EXPECT_TRUE(bios.present);
    EXPECT_EQ(bios.version, "1.0");
    EXPECT_EQ(bios.releaseDate, kNoDmiDate);
    EXPECT_FALSE(bios.startAddress.has_value());
    EXPECT_FALSE(bios.romSizeKB.has_value());
}

TEST(ProbeSystemStructure, MissingStringsAndFieldsPastTheLengthAreNotAvailable)
{
    // Length 7: manufacturer, product and version; the serial number lies past
    // the length byte although its string exists. The version's number is past
    // the strings.
    auto table = TableBuilder().Add(1, {1, 2, 5}, {"Maker", "NB-4720", "serial"}).Build();
    SystemInfo system = ReadSystem(BytesOf(table));
    EXPECT_TRUE(system.present);
    EXPECT_EQ(system.manufacturer, "Maker");
    EXPECT_EQ(system.product, "NB-4720");
    EXPECT_EQ(system.version, kNotAvailable);
    EXPECT_EQ(system.serialNumber, kNotAvailable);

    // A product name longer than the 64-byte buffer is cut to 63 bytes without
    // splitting a double-byte character.
    std::string longName = std::string(62, 'A') + "\x83\x41" + "BC";
    table = TableBuilder().Add(1, {0, 1, 0, 0}, {longName}).Build();
    system = ReadSystem(BytesOf(table));
    EXPECT_EQ(system.manufacturer, kNotAvailable);
    EXPECT_EQ(system.product, std::string(62, 'A'));
}

TEST(ProbeProcessorSpeed, BcdOnlyUnderTheExactVendorAndOnlyWithDecimalNibbles)
{
    // 0x0233 is BCD for 233; 0x06A4 (1700) has a nibble above 9 and is binary.
    auto table = TableBuilder().Add(4, Processor(0x06A4, 0x0233), {"CPU"}).Build();
    auto rows = ReadProcessors(BytesOf(table), "Intel Corporation");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].maxSpeedMHz, 1700u);
    EXPECT_EQ(rows[0].currentSpeedMHz, 233u);

    for (const char* vendor : {"Intel Corp.", "Intel Corporation ", "intel corporation", "", "N/A"}) {
        rows = ReadProcessors(BytesOf(table), vendor);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].maxSpeedMHz, 1700u) << vendor;
        EXPECT_EQ(rows[0].currentSpeedMHz, 563u) << vendor;
    }
    EXPECT_EQ(SpeedFromWord(0x9999, true), 9999u);
    EXPECT_EQ(SpeedFromWord(0xA000, true), 0xA000u);
    EXPECT_EQ(SpeedFromWord(0x0000, true), 0u);
}

TEST(ProbeProcessorRows, OnlyPopulatedSocketsUpToTenWithTheirFields)
{
    TableBuilder builder;
    builder.Add(4, Processor(100, 100, 0x00), {"empty socket"});
    builder.Add(4, {1, 3}, {"too short for a status"});
    for (unsigned i = 0; i < 12; i++)
        builder.Add(4, Processor(1000 + i, 900 + i), {"CPU " + std::to_string(i)});
    auto rows = ReadProcessors(BytesOf(builder.Build()), "Maker");
    ASSERT_EQ(rows.size(), kMaxProcessorRows);
    for (size_t i = 0; i < rows.size(); i++) {
        EXPECT_EQ(rows[i].index, i + 1);
        EXPECT_EQ(rows[i].version, "CPU " + std::to_string(i));
        EXPECT_EQ(rows[i].maxSpeedMHz, 1000 + i);
        EXPECT_EQ(rows[i].currentSpeedMHz, 900 + i);
        EXPECT_EQ(rows[i].type, 3u);
        EXPECT_EQ(rows[i].family, 0xB2u);
        EXPECT_EQ(rows[i].upgrade, 4u);
    }

    // Family 0xFE points at the word at 0x28; without that word it stays 0xFE.
    Bytes wide = Processor(0, 0, 0x41, 0xFE);
    wide.resize(0x2A - 4, 0);
    wide[0x28 - 4] = 0x01;
    wide[0x29 - 4] = 0x01;
    rows = ReadProcessors(BytesOf(TableBuilder()
                                      .Add(4, wide, {"A"})
                                      .Add(4, Processor(0, 0, 0x41, 0xFE), {"B"})
                                      .Build()),
                          "Maker");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].family, 0x101u);
    EXPECT_EQ(rows[1].family, 0xFEu);

    // The version is served with at most 64 bytes; a missing one as "N/A".
    Bytes noVersion = Processor(1, 1);
    noVersion[0x10 - 4] = 2;
    rows = ReadProcessors(BytesOf(TableBuilder()
                                      .Add(4, Processor(1, 1), {std::string(80, 'x')})
                                      .Add(4, noVersion, {"only one"})
                                      .Build()),
                          "Maker");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].version, std::string(64, 'x'));
    EXPECT_EQ(rows[1].version, kNotAvailable);
}

TEST(ProbeEnclosure, TypeWithoutLockBitAndModelClassOverrides)
{
    auto table = TableBuilder().Add(3, {0, 0x8A, 0, 0, 1}, {"TAG-1"}).Build();
    EnclosureInfo e = ReadEnclosure(BytesOf(table), 6);
    EXPECT_TRUE(e.present);
    EXPECT_EQ(e.type, 10u);
    EXPECT_TRUE(e.locked);
    EXPECT_EQ(e.assetTag, "TAG-1");
    EXPECT_EQ(ReadEnclosure(BytesOf(table), 50).type, 3u);
    EXPECT_EQ(ReadEnclosure(BytesOf(table), 51).type, 6u);
    EXPECT_EQ(ReadEnclosure(BytesOf(table), 52).type, 6u);
    EXPECT_EQ(ReadEnclosure(BytesOf(table), 53).type, 10u);

    // No enclosure structure, or one too short for its type: 2, no asset tag.
    for (const Bytes& t : {TableBuilder().Add(1, {0, 0, 0, 0}).Build(),
                           TableBuilder().Add(3, {0}).Build()}) {
        e = ReadEnclosure(BytesOf(t), 6);
        EXPECT_EQ(e.type, kEnclosureUnknown);
        EXPECT_FALSE(e.locked);
        EXPECT_EQ(e.assetTag, kNotAvailable);
        EXPECT_EQ(ReadEnclosure(BytesOf(t), 50).type, 3u);
    }
}

TEST(ProbePortConnectors, ParallelAndSerialPortsAndTheirFlags)
{
    // internal type, external type, port type (strings unused).
    auto port = [](unsigned char internal, unsigned char external, unsigned char portType) {
        return Bytes{0, internal, 0, external, portType};
    };
    auto table = TableBuilder()
                     .Add(8, port(0, 0x05, 0x05))   // DB-25 female, ECP/EPP
                     .Add(8, port(0x08, 0, 0x09))   // internal DB-9 male, 16550A
                     .Add(8, port(0, 0x0B, 0x07))   // RJ-45, 16450
                     .Add(8, port(0, 0x12, 0x10))   // USB: neither
                     .Add(8, {0, 0, 0})             // too short for a port type
                     .Build();
    PortConnectors ports = ReadPortConnectors(BytesOf(table));
    ASSERT_EQ(ports.parallel.size(), 1u);
    ASSERT_EQ(ports.serial.size(), 2u);
    EXPECT_TRUE(ports.hasParallel() && ports.hasSerial());
    EXPECT_EQ(ports.parallel[0].capability, 5u);
    // The DB-9 found only as the internal connector still counts as DB-9.
    EXPECT_EQ(ports.serial[0].maxSpeed, 115200u);
    EXPECT_EQ(ports.serial[1].index, 2u);
    EXPECT_EQ(ports.serial[1].maxSpeed, 9600u);

    ports = ReadPortConnectors(BytesOf(TableBuilder().Add(8, port(0, 0x12, 0x10)).Build()));
    EXPECT_FALSE(ports.hasParallel());
    EXPECT_FALSE(ports.hasSerial());
}

TEST(ProbeBrokenTables, ProbesStopAtTheBreakAndServeDefaults)
{
    // A length byte below the header, a formatted area running past the end,
    // strings without their double NUL, and no table at all.
    const Bytes badLength = {0, 2, 0, 0, 0, 0};
    const Bytes pastEnd = {0, 0x20, 0, 0, 1, 2, 3};
    const Bytes openStrings = {1, 8, 0, 0, 1, 1, 1, 1, 'A', 'B'};
    for (const Bytes& t : {badLength, pastEnd, openStrings, Bytes{}}) {
        const SmbiosBytes bytes = t.empty() ? SmbiosBytes{} : BytesOf(t);
        BiosInfo bios = ReadBios(bytes);
        EXPECT_FALSE(bios.present);
        EXPECT_EQ(bios.vendor, kNotAvailable);
        EXPECT_EQ(bios.releaseDate, kNoDmiDate);
        SystemInfo system = ReadSystem(bytes);
        EXPECT_FALSE(system.present);
        EXPECT_EQ(system.product, kNotAvailable);
        EXPECT_EQ(ReadEnclosure(bytes, 6).type, kEnclosureUnknown);
        EXPECT_TRUE(ReadProcessors(bytes, "Intel Corporation").empty());
        EXPECT_FALSE(ReadPortConnectors(bytes).hasSerial());
    }
    // A good structure before the break is still read.
    Bytes good = TableBuilder().Add(0, BiosFormatted(0), {"Maker", "1.0"}).Build();
    good.resize(good.size() - 6);  // drop the end-of-table structure
    good.insert(good.end(), pastEnd.begin(), pastEnd.end());
    EXPECT_EQ(ReadBios(BytesOf(good)).vendor, "Maker");
}

}  // namespace
