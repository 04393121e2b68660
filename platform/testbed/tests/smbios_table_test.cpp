#include "platform/testbed/smbios_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "platform/testbed/tests/test_files.h"

namespace {

const char* const kMachines[] = {
    "dell-dimension-4400",  "gigabyte-ga-ma74gmt-s2", "lenovo-thinkpad-w510",
    "supermicro-x9dbl",     "microsoft-surface-laptop-3",
};

std::string Testdata(const std::string& machine, const char* extension)
{
    return std::string(TESTDATA_DIR) + "/smbios/" + machine + extension;
}

const unsigned char* Bytes(const std::string& s)
{
    return reinterpret_cast<const unsigned char*>(s.data());
}

unsigned Size(const std::string& s)
{
    return static_cast<unsigned>(s.size());
}

// dmidecode's view of a table: per structure its "Handle 0x..., DMI type T,
// N bytes" line and the lines after it.
struct DecodedStructure {
    unsigned handle, type, length;
    std::string lines;
};

std::vector<DecodedStructure> ReadDmidecode(const std::string& text)
{
    std::vector<DecodedStructure> blocks;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        DecodedStructure b = {};
        if (std::sscanf(line.c_str(), "Handle 0x%x, DMI type %u, %u bytes", &b.handle, &b.type,
                        &b.length) == 3)
            blocks.push_back(b);
        else if (!blocks.empty())
            blocks.back().lines += line + "\n";
    }
    return blocks;
}

// A string field as dmidecode shows it, in its "\tLabel: value" form.
std::string Shown(const SmbiosStructure& s, unsigned offset, const char* label)
{
    unsigned number = 0;
    const char* text = smbios_field_string(&s, offset, nullptr);
    smbios_byte(&s, offset, &number);
    return std::string("\t") + label + ": " +
           (text ? text : number == 0 ? "Not Specified" : "<BAD INDEX>") + "\n";
}

std::vector<SmbiosStructure> Walk(const std::string& table)
{
    std::vector<SmbiosStructure> all;
    unsigned offset = 0;
    SmbiosStructure s;
    while (smbios_next(Bytes(table), Size(table), &offset, &s))
        all.push_back(s);
    return all;
}

}  // namespace

TEST(SmbiosTable, WalksRealTablesAsDmidecodeDoes)
{
    const struct {
        unsigned type;
        unsigned offset;
        const char* label;
    } strings[] = {{0, 0x04, "Vendor"},       {0, 0x08, "Release Date"},  {1, 0x04, "Manufacturer"},
                   {1, 0x05, "Product Name"}, {1, 0x06, "Version"},       {3, 0x08, "Asset Tag"},
                   {4, 0x10, "Version"}};
    for (const char* machine : kMachines) {
        SCOPED_TRACE(machine);
        const std::string table = ReadWholeFile(Testdata(machine, ".raw"));
        const std::vector<DecodedStructure> decoded =
            ReadDmidecode(ReadWholeFile(Testdata(machine, ".dmidecode.txt")));
        ASSERT_FALSE(table.empty());
        ASSERT_FALSE(decoded.empty());

        const std::vector<SmbiosStructure> walked = Walk(table);
        ASSERT_EQ(walked.size(), decoded.size());
        unsigned consumed = 0;
        for (size_t i = 0; i < walked.size(); i++) {
            const SmbiosStructure& s = walked[i];
            const DecodedStructure& d = decoded[i];
            EXPECT_EQ(s.handle, d.handle) << i;
            EXPECT_EQ(s.type, d.type) << i;
            EXPECT_EQ(s.length, d.length) << i;
            EXPECT_EQ(s.data, Bytes(table) + consumed) << i;
            consumed += s.size;

            for (const auto& f : strings) {
                // dmidecode may show a field that the structure is too short for.
                if (f.type != s.type || f.offset >= s.length ||
                    d.lines.find("\t" + std::string(f.label) + ": ") == std::string::npos)
                    continue;
                EXPECT_NE(d.lines.find(Shown(s, f.offset, f.label)), std::string::npos)
                    << Shown(s, f.offset, f.label) << "in\n" << d.lines;
            }
            unsigned mhz = 0;
            if (s.type == 4 && smbios_word(&s, 0x16, &mhz)) {
                const std::string speed = mhz ? std::to_string(mhz) + " MHz" : "Unknown";
                EXPECT_NE(d.lines.find("\tCurrent Speed: " + speed + "\n"), std::string::npos);
            }
        }
        EXPECT_EQ(walked.back().type, 127u);
        EXPECT_EQ(consumed, Size(table));
    }
}

TEST(SmbiosTable, StopsAtACutOrBrokenTable)
{
    for (const char* machine : kMachines) {
        SCOPED_TRACE(machine);
        const std::string table = ReadWholeFile(Testdata(machine, ".raw"));
        std::vector<unsigned> ends;
        for (const SmbiosStructure& s : Walk(table))
            ends.push_back(static_cast<unsigned>(s.data + s.size - Bytes(table)));
        ASSERT_FALSE(ends.empty());
        // Bytes after the cut are not zero, so reading them would find other ends.
        for (unsigned cut = 0; cut <= Size(table); cut++) {
            const std::string guarded = table.substr(0, cut) + std::string(64, '\xFF');
            size_t whole = 0;
            while (whole < ends.size() && ends[whole] <= cut)
                whole++;
            unsigned offset = 0;
            SmbiosStructure s;
            size_t count = 0;
            while (smbios_next(Bytes(guarded), cut, &offset, &s))
                count++;
            ASSERT_EQ(count, whole) << "cut at " << cut;
        }
    }

    std::string broken = ReadWholeFile(Testdata(kMachines[0], ".raw"));
    const size_t at = Walk(broken).at(5).data - Bytes(broken);
    broken[at + 1] = 3;  // a length below the header's own four bytes
    EXPECT_EQ(Walk(broken).size(), 5u);
    broken = broken.substr(0, at + 200);
    broken[at + 1] = '\xFF';  // a formatted area running past the end
    EXPECT_EQ(Walk(broken).size(), 5u);
}

TEST(SmbiosTable, MissingStringsAndAbsentFields)
{
    // Type 0x80, length 9: fields 04-08 are string numbers 1, 3, 0, 0 and 2 (the
    // zeros form a double NUL inside the formatted area), then two strings.
    // Then a structure without strings, then the end of the table.
    const char bytes[] =
        "\x80\x09\x10\x00\x01\x03\x00\x00\x02" "first\0second\0\0"
        "\x81\x05\x11\x00\x01" "\0\0"
        "\x7F\x04\x12\x00" "\0";
    const std::string table(bytes, sizeof bytes);  // the literal's own NUL ends the table
    SmbiosStructure s;
    ASSERT_TRUE(smbios_find(Bytes(table), Size(table), 0x80, 0, &s));
    EXPECT_EQ(s.size, 9u + 14u);
    unsigned textLen = 0;
    EXPECT_STREQ(smbios_field_string(&s, 4, &textLen), "first");
    EXPECT_EQ(textLen, 5u);
    EXPECT_EQ(smbios_field_string(&s, 5, nullptr), nullptr) << "string 3 of 2";
    EXPECT_EQ(smbios_field_string(&s, 6, nullptr), nullptr) << "string 0";
    EXPECT_STREQ(smbios_field_string(&s, 8, nullptr), "second");
    EXPECT_EQ(smbios_field_string(&s, 9, nullptr), nullptr) << "past the length byte";

    unsigned long dword = 0;
    EXPECT_TRUE(smbios_dword(&s, 5, &dword));
    EXPECT_EQ(dword, 0x02000003UL);
    EXPECT_FALSE(smbios_dword(&s, 6, &dword)) << "reaches past the length byte";

    ASSERT_TRUE(smbios_find(Bytes(table), Size(table), 0x81, 0, &s));
    EXPECT_EQ(s.handle, 0x11u);
    EXPECT_EQ(smbios_field_string(&s, 4, nullptr), nullptr) << "a structure without strings";
    EXPECT_EQ(Walk(table).size(), 3u);
}
