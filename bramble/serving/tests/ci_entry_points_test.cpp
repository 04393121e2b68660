// The entry points over the testbed's SMBIOS table, handed in through the
// table reader instead of the driver, and the driver answers checked without
// a driver.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bramble/probes/bios_probe.h"
#include "bramble/probes/processor_probe.h"
#include "bramble/probes/system_probe.h"
#include "bramble/serving/ci_entry_points.h"
#include "bramble/serving/tests/answer_values.h"
#include "bramble/serving/driver_client.h"

using namespace bramble;
using namespace answer;

namespace {

std::vector<unsigned char> g_table;
int g_reads = 0;

bool ReadHandedTable(std::vector<unsigned char>* table)
{
    ++g_reads;
    *table = g_table;
    return !g_table.empty();
}

std::vector<unsigned char> LoadTestbedTable(const char* path = TESTBED_SMBIOS)
{
    std::vector<unsigned char> bytes;
    FILE* f = std::fopen(path, "rb");
    if (!f) return bytes;
    unsigned char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    return bytes;
}

SmbiosBytes Bytes() { return {g_table.data(), static_cast<unsigned>(g_table.size())}; }

class CiEntryPointsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_table = LoadTestbedTable();
        ASSERT_FALSE(g_table.empty()) << TESTBED_SMBIOS;
        SetMainWindow(nullptr);
        SetSmbiosTableReader(ReadHandedTable);
        ASSERT_TRUE(RunFullProbe());
    }
    void TearDown() override { SetSmbiosTableReader(nullptr); }
};

TEST_F(CiEntryPointsTest, SingleRowGroupsAnswerFromTheTable)
{
    const SystemInfo system = ReadSystem(Bytes());
    const AttributeResult* r = Get(1, 2);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->attributeId, 2u);
    EXPECT_EQ(r->dataType, 8u);
    EXPECT_EQ(Text(r), system.product);
    r = Get(1, 4);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Text(r), system.serialNumber);

    const BiosInfo bios = ReadBios(Bytes());
    r = Get(4, 2);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Text(r), bios.vendor);
    r = Get(4, 8);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->dataType, 11u);
    EXPECT_EQ(std::string(static_cast<const char*>(r->value), 25), bios.releaseDate);
    if (bios.startAddress) {
        r = Get(4, 5);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->dataType, 6u);
        int64_t address;
        std::memcpy(&address, r->value, 8);
        EXPECT_EQ(static_cast<unsigned long>(address), *bios.startAddress);
    }
    // The length counts the text alone, and the record names the attribute asked.
    r = Get(9, 5);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Text(r), "EMM386.SYS");
    EXPECT_EQ(r->attributeId, 5u);
}

TEST_F(CiEntryPointsTest, UnknownGroupsAttributesAndRowsAnswerNull)
{
    EXPECT_EQ(Get(5, 1), nullptr);    // no such group
    EXPECT_EQ(Get(14, 1), nullptr);   // a group not served here
    EXPECT_EQ(Get(1, 99), nullptr);   // no such attribute
    Key missing(99);
    EXPECT_EQ(Get(6, 1, 1, &missing.entry), nullptr);
    Key empty(0);
    EXPECT_EQ(Get(6, 1, 1, &empty.entry), nullptr);
}

TEST_F(CiEntryPointsTest, BadRequestsAnswerNull)
{
    Key k[4] = {Key(1), Key(1), Key(1), Key(1)};
    KeyEntry list[4] = {k[0].entry, k[1].entry, k[2].entry, k[3].entry};
    EXPECT_NE(Get(6, 1, 3, list), nullptr);
    EXPECT_EQ(Get(6, 1, 4, list), nullptr);
    EXPECT_EQ(CiGetNextAttribute(0, 6, 1, 4, list), nullptr);
    list[1].value = nullptr;
    EXPECT_EQ(Get(6, 1, 2, list), nullptr);
    EXPECT_EQ(CiGetNextAttribute(0, 6, 1, 2, list), nullptr);
    EXPECT_EQ(CiSetAttribute(0, 6, 1, 2, list, nullptr), 0u);
    // Get-next needs a key.
    EXPECT_EQ(CiGetNextAttribute(0, 6, 1, 0, nullptr), nullptr);
}

TEST_F(CiEntryPointsTest, TableWalkVisitsEveryRowThenReprobes)
{
    const std::vector<ProcessorRow> cpus = ReadProcessors(Bytes(), ReadBios(Bytes()).vendor);
    ASSERT_FALSE(cpus.empty());

    // Key count 0 answers the first row.
    const AttributeResult* r = Get(6, 1);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(static_cast<unsigned>(Integer(r)), cpus[0].index);

    // Walk with get-next from the first key to the end.
    uint32_t key = cpus[0].index;
    size_t seen = 1;
    for (;;) {
        Key k(key);
        r = CiGetNextAttribute(0, 6, 1, 1, &k.entry);
        if (!r) break;
        ASSERT_LT(seen, cpus.size());
        EXPECT_EQ(r->dataType, 5u);
        EXPECT_EQ(static_cast<unsigned>(Integer(r)), cpus[seen].index);
        key = static_cast<uint32_t>(Integer(r));
        Key again(key);
        const AttributeResult* family = Get(6, 3, 1, &again.entry);
        ASSERT_NE(family, nullptr);
        EXPECT_EQ(static_cast<unsigned>(Integer(family)), cpus[seen].family.value_or(2));
        ++seen;
    }
    EXPECT_EQ(seen, cpus.size());

    // Past the last row the cache is invalid: the next get reads the table again.
    const int reads = g_reads;
    Key first(cpus[0].index);
    EXPECT_NE(Get(6, 1, 1, &first.entry), nullptr);
    EXPECT_GT(g_reads, reads);

    // Non-key attributes and single-row groups have no get-next.
    EXPECT_EQ(CiGetNextAttribute(0, 6, 3, 1, &first.entry), nullptr);
    Key one(1);
    EXPECT_EQ(CiGetNextAttribute(0, 1, 1, 1, &one.entry), nullptr);
}

TEST_F(CiEntryPointsTest, PortCountAnswersEveryAttributeId)
{
    unsigned connectors = 0;
    SmbiosStructure s;
    while (FindStructure(Bytes(), 8, connectors, &s)) ++connectors;
    ASSERT_GT(connectors, 0u);
    for (ULONG attribute : {1UL, 2UL, 77UL}) {
        const AttributeResult* r = Get(7, attribute);
        ASSERT_NE(r, nullptr) << attribute;
        EXPECT_EQ(r->attributeId, attribute);
        EXPECT_EQ(static_cast<unsigned>(Integer(r)), connectors);
    }
}

// The variant PC whose BIOS maker stores processor speeds as packed decimal
// digits: 733 MHz is the word 0x0733 and is served as 733, not 1843.
TEST_F(CiEntryPointsTest, IntelBiosVariantServesDecimalSpeeds)
{
    g_table = LoadTestbedTable(TESTBED_INTEL_BIOS_SMBIOS);
    ASSERT_FALSE(g_table.empty()) << TESTBED_INTEL_BIOS_SMBIOS;
    ASSERT_TRUE(RunFullProbe());
    const AttributeResult* vendor = Get(4, 2);
    ASSERT_NE(vendor, nullptr);
    EXPECT_EQ(Text(vendor), "Intel Corporation");
    Key first(1);
    const AttributeResult* current = Get(6, 6, 1, &first.entry);
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(Integer(current), 733);
    const AttributeResult* maximum = Get(6, 5, 1, &first.entry);
    ASSERT_NE(maximum, nullptr);
    EXPECT_EQ(Integer(maximum), 866);
}

TEST_F(CiEntryPointsTest, FixedTableHasItsThreeRows)
{
    Key k(2);
    const AttributeResult* r = Get(22, 4, 1, &k.entry);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Text(r), "The BIOS feature allows Shadowing Video BIOS in RAM");
    r = CiGetNextAttribute(0, 22, 1, 1, &k.entry);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Integer(r), 3);
    Key last(3);
    EXPECT_EQ(CiGetNextAttribute(0, 22, 1, 1, &last.entry), nullptr);
}

TEST_F(CiEntryPointsTest, SetsReserveAndRelease)
{
    const std::string before = Text(Get(1, 1));
    char value[4 + 8] = {5, 0, 0, 0, 'c', 'h', 'a', 'n', 'g'};
    EXPECT_EQ(CiSetAttribute(0, 1, 1, 0, nullptr, value), 1u);
    EXPECT_EQ(Text(Get(1, 1)), before);

    EXPECT_EQ(CiReserveAttribute(0, 1, 1, 0, nullptr, value), 1u);
    EXPECT_EQ(CiReleaseAttribute(0, 1, 1, 0, nullptr, value), 1u);

    // A clock set needs a valid date and a window to set it.
    char date[28] = "20260230101010.000000+***";  // 30 February
    EXPECT_EQ(CiSetAttribute(0, 2, 6, 0, nullptr, date), 0u);
    std::memcpy(date, "20260228101010", 14);
    EXPECT_EQ(CiSetAttribute(0, 2, 6, 0, nullptr, date), 0u);  // no window here
    // The FRU list is empty: a set has no record to change.
    EXPECT_EQ(CiSetAttribute(0, 30, 3, 0, nullptr, value), 0u);
}

std::vector<SYSTEMTIME> g_clocks;
bool g_clockAccepted = true;

bool RecordClock(const SYSTEMTIME& time)
{
    g_clocks.push_back(time);
    return g_clockAccepted;
}

// bramble's window, as far as the clock goes: its handler sets the pending clock.
LRESULT CALLBACK ClockWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kSetClockMessage) return ApplyPendingClock() ? 1 : 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(CiEntryPointsTest, ClockSetGoesThroughTheWindowAndReportsARefusal)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ClockWindow;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ClockTestWindow";
    RegisterClassA(&wc);
    HWND window = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    SetMainWindow(window);
    SetClockSetter(RecordClock);
    g_clocks.clear();
    g_clockAccepted = true;

    // Year to second from the text; the fraction and the offset are ignored.
    char date[28] = "20240229235958.123456+540";
    EXPECT_EQ(CiSetAttribute(0, 2, 6, 0, nullptr, date), 1u);
    ASSERT_EQ(g_clocks.size(), 1u);
    const SYSTEMTIME& t = g_clocks[0];
    EXPECT_EQ(t.wYear, 2024);
    EXPECT_EQ(t.wMonth, 2);
    EXPECT_EQ(t.wDay, 29);
    EXPECT_EQ(t.wHour, 23);
    EXPECT_EQ(t.wMinute, 59);
    EXPECT_EQ(t.wSecond, 58);
    EXPECT_EQ(t.wMilliseconds, 0);

    // A time the system refuses is a failed set; so is one that is no date.
    g_clockAccepted = false;
    EXPECT_EQ(CiSetAttribute(0, 2, 6, 0, nullptr, date), 0u);
    std::memcpy(date, "20230229", 8);
    EXPECT_EQ(CiSetAttribute(0, 2, 6, 0, nullptr, date), 0u);
    EXPECT_EQ(g_clocks.size(), 2u) << "an invalid date never reaches the clock";
    // Only attribute 6 sets the clock, and the message alone has nothing to set.
    EXPECT_EQ(CiSetAttribute(0, 2, 5, 0, nullptr, date), 0u);
    EXPECT_EQ(SendMessageA(window, kSetClockMessage, 0, 0), 0);

    SetClockSetter(nullptr);
    SetMainWindow(nullptr);
    DestroyWindow(window);
}

TEST_F(CiEntryPointsTest, WithoutATableTheSmbiosGroupsAreNull)
{
    SetSmbiosTableReader(nullptr);
    g_table.clear();
    SetSmbiosTableReader(ReadHandedTable);
    EXPECT_FALSE(RunFullProbe());
    EXPECT_EQ(Get(1, 1), nullptr);
    EXPECT_EQ(Get(6, 1), nullptr);
    EXPECT_NE(Get(9, 1), nullptr);  // memory does not come from the table
}

// Driver answers: only whole size records with a sane size, and located
// addresses only inside bramble's copy.
TEST(DriverAnswers, SizeRecordIsChecked)
{
    unsigned char record[16] = {0x20, 0x00, 0, 0, 0x00, 0x10, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0};
    SmbiosSizeRecord r;
    ASSERT_TRUE(ParseSizeRecord(record, 16, &r));
    EXPECT_EQ(r.tableSize, 0x20u);
    EXPECT_EQ(r.tableAddress, 0x1000u);
    EXPECT_EQ(r.structureCount, 3u);
    EXPECT_FALSE(ParseSizeRecord(record, 12, &r));
    record[2] = 1;  // 0x10020 bytes: larger than a table can be
    EXPECT_FALSE(ParseSizeRecord(record, 16, &r));
    std::memset(record, 0, 4);
    EXPECT_FALSE(ParseSizeRecord(record, 16, &r));
}

TEST(DriverAnswers, LocatedAddressStaysInTheCopy)
{
    SmbiosCopy copy;
    copy.tableAddress = 0x5000;
    copy.bytes = {0, 8, 0, 0, 1, 2, 3, 4, 0, 0, 1, 6, 0, 0, 9, 9, 0, 0};
    EXPECT_EQ(TranslateLocated(copy, 0x5000 - 4), copy.bytes.data());
    EXPECT_EQ(TranslateLocated(copy, 0x500A - 4), copy.bytes.data() + 10);
    EXPECT_EQ(TranslateLocated(copy, 0x4000), nullptr);          // before the table
    EXPECT_EQ(TranslateLocated(copy, 0x5000 + 18), nullptr);     // past its end
    EXPECT_EQ(TranslateLocated(copy, 0xFFFFFFFEu), nullptr);     // wraps around
    copy.bytes[11] = 60;  // a length byte reaching past the copy
    EXPECT_EQ(TranslateLocated(copy, 0x500A - 4), nullptr);
    copy.bytes[11] = 2;   // shorter than a header
    EXPECT_EQ(TranslateLocated(copy, 0x500A - 4), nullptr);
}

}  // namespace
