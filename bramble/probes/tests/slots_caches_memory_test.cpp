// Slots, caches and memory structures on the real tables against dmidecode's
// reading, and the size and speed encodings on crafted tables.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bramble/probes/cache_probe.h"
#include "bramble/probes/memory_probe.h"
#include "bramble/probes/slot_probe.h"
#include "bramble/probes/tests/probe_test_support.h"

using namespace bramble;
using namespace probetest;

namespace {

// "8 kB", "1 MB", "256 MB (Single-bank Connection)" in KB; "Not Installed" 0.
unsigned long SizeInKB(const std::string& text)
{
    unsigned long amount = 0;
    char unit[8] = {};
    if (std::sscanf(text.c_str(), "%lu %7s", &amount, unit) != 2)
        return 0;
    const std::string u = unit;
    return u == "GB" ? amount * 1024 * 1024 : u == "MB" ? amount * 1024 : amount;
}

TEST(ProbeRealTables, SlotsCachesAndMemoryMatchDmidecode)
{
    for (const char* machine : kMachines) {
        SCOPED_TRACE(machine);
        const std::string table = ReadWholeFile(RealTablePath(machine, ".raw"));
        const auto decoded = ParseDmidecode(ReadWholeFile(RealTablePath(machine, ".dmidecode.txt")));
        ASSERT_FALSE(table.empty());

        const auto slots = BlocksOfType(decoded, 9);
        const auto slotRows = ReadSlots(BytesOf(table));
        ASSERT_EQ(slotRows.size(), slots.size());
        for (size_t i = 0; i < slots.size(); i++) {
            EXPECT_PRED2(SameString, slotRows[i].designation, slots[i].Get("Designation"));
            const std::string usage = slots[i].Get("Current Usage");
            const unsigned expected = usage == "Available" ? 3 : usage == "In Use" ? 4 : usage == "Unknown" ? 2 : 0;
            ASSERT_NE(expected, 0u) << usage;
            EXPECT_EQ(slotRows[i].currentUsage, expected);
            const std::string id = slots[i].Get("ID");
            if (!id.empty() && id.find_first_not_of("0123456789") == std::string::npos) {
                EXPECT_EQ(slotRows[i].id, std::strtoul(id.c_str(), nullptr, 10));
            }
        }

        const auto caches = BlocksOfType(decoded, 7);
        const auto cacheRows = ReadCaches(BytesOf(table));
        ASSERT_EQ(cacheRows.size(), caches.size());
        for (size_t i = 0; i < caches.size(); i++) {
            EXPECT_PRED2(SameString, cacheRows[i].designation, caches[i].Get("Socket Designation"));
            const std::string config = caches[i].Get("Configuration");
            unsigned level = 0;
            ASSERT_EQ(std::sscanf(config.substr(config.find("Level")).c_str(), "Level %u", &level), 1);
            EXPECT_EQ(cacheRows[i].level, level);
            EXPECT_EQ(cacheRows[i].enabled, config.rfind("Enabled", 0) == 0);
            EXPECT_EQ(cacheRows[i].installedSizeKB, SizeInKB(caches[i].Get("Installed Size")));
            EXPECT_EQ(cacheRows[i].maxSizeKB, SizeInKB(caches[i].Get("Maximum Size")));
        }

        const auto controllers = BlocksOfType(decoded, 5);
        const MemoryController mc = ReadMemoryController(BytesOf(table));
        ASSERT_EQ(mc.present, !controllers.empty());
        if (mc.present) {
            std::string speeds;
            auto it = controllers[0].lists.find("Supported Speeds");
            for (const std::string& s : it == controllers[0].lists.end() ? std::vector<std::string>() : it->second) {
                if (s == "70 ns" || s == "60 ns" || s == "50 ns")
                    speeds += (speeds.empty() ? "" : " / ") + s.substr(0, 2) + "ns";
            }
            EXPECT_EQ(mc.supportedSpeeds, speeds.empty() ? std::string(kNotAvailable) : speeds);
            EXPECT_EQ(mc.maxModuleSizeMB, SizeInKB(controllers[0].Get("Maximum Memory Module Size")) / 1024);
            EXPECT_EQ(mc.slots, std::strtoul(controllers[0].Get("Associated Memory Slots").c_str(), nullptr, 10));
        }

        const auto modules = BlocksOfType(decoded, 6);
        const auto moduleRows = ReadMemoryModules(BytesOf(table));
        ASSERT_EQ(moduleRows.size(), modules.size());
        for (size_t i = 0; i < modules.size(); i++) {
            EXPECT_PRED2(SameString, moduleRows[i].designation, modules[i].Get("Socket Designation"));
            EXPECT_EQ(moduleRows[i].installedSizeMB, SizeInKB(modules[i].Get("Installed Size")) / 1024);
            EXPECT_EQ(moduleRows[i].enabledSizeMB, SizeInKB(modules[i].Get("Enabled Size")) / 1024);
            const std::string speed = modules[i].Get("Current Speed");
            EXPECT_EQ(moduleRows[i].currentSpeedNs,
                      speed == "Unknown" ? 0u : static_cast<unsigned>(std::strtoul(speed.c_str(), nullptr, 10)));
        }
    }
}

TEST(ProbeCacheSizes, GranularityAndTheWideSizes)
{
    // max 0x8010 (16 × 64 KB), installed 0xFFFF deferring to the 32-bit size
    // with 64 KB units; a 2.x structure (length 0x13) keeps 0xFFFF as 32767 KB.
    std::vector<unsigned char> wide(0x1B - 4, 0);
    wide[0x05 - 4] = 0x82;  // enabled, level 3
    wide[0x07 - 4] = 0x10;
    wide[0x08 - 4] = 0x80;
    wide[0x09 - 4] = 0xFF;
    wide[0x0A - 4] = 0xFF;
    wide[0x17 - 4] = 0x00;
    wide[0x18 - 4] = 0x02;  // 512 units
    wide[0x1A - 4] = 0x80;  // of 64 KB
    std::vector<unsigned char> narrow(wide.begin(), wide.begin() + (0x13 - 4));
    const auto rows = ReadCaches(BytesOf(TableBuilder().Add(7, wide).Add(7, narrow).Build()));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].level, 3u);
    EXPECT_EQ(rows[0].enabled, true);
    EXPECT_EQ(rows[0].maxSizeKB, 1024ul);
    EXPECT_EQ(rows[0].installedSizeKB, 512ul * 64);
    EXPECT_EQ(rows[1].installedSizeKB, 0x7FFFul * 64);
    EXPECT_EQ(CacheSizeKB(0xFFFF, 0xFFFFFFFFul), 0xFFFFFFFFul);
}

TEST(ProbeMemoryStructures, SpeedsAndModuleSizeCodes)
{
    EXPECT_EQ(SupportedSpeedsText(0x1C), "70ns / 60ns / 50ns");
    EXPECT_EQ(SupportedSpeedsText(0x11), "50ns");
    EXPECT_EQ(SupportedSpeedsText(0x03), kNotAvailable);

    // Sizes 2^8 MB double-bank, not determinable, disabled, not installed; a
    // module too short for its enabled size.
    TableBuilder builder;
    for (unsigned char size : {0x88, 0x7D, 0x7E, 0x7F})
        builder.Add(6, {1, 0xFF, 60, 0, 0, size, size, 0}, {"DIMM"});
    builder.Add(6, {0, 0xFF, 0, 0, 0, 0x05});
    const auto modules = ReadMemoryModules(BytesOf(builder.Build()));
    ASSERT_EQ(modules.size(), 5u);
    EXPECT_EQ(modules[0].installedSizeMB, 256ul);
    EXPECT_EQ(modules[0].currentSpeedNs, 60u);
    EXPECT_FALSE(modules[1].installedSizeMB.has_value());
    EXPECT_EQ(modules[2].enabledSizeMB, 0ul);
    EXPECT_EQ(modules[3].installedSizeMB, 0ul);
    EXPECT_EQ(modules[4].installedSizeMB, 32ul);
    EXPECT_FALSE(modules[4].enabledSizeMB.has_value());
    EXPECT_EQ(modules[4].designation, kNotAvailable);
}

}  // namespace
