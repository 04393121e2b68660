// The FRU table behind group 30: sets through the entry point, the file
// written and read back, and files that must not be trusted.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bramble/serving/ci_entry_points.h"
#include "bramble/serving/fru_table.h"

using namespace bramble;

namespace {

// Code page 932 texts: "日本電気" and "保守窓口".
const std::string kJapaneseMaker = "\x93\xfa\x96\x7b\x93\x64\x8b\x43";
const std::string kJapaneseDesk = "\x95\xdb\x8e\xe7\x91\x8b\x8c\xfb";

FruRecord Sample(int index)
{
    FruRecord r;
    r.fruIndex = index;
    r.deviceGroup = 6;
    r.warrantyDuration = 36;
    r.description = "Main board";
    r.manufacturer = "Maker";
    r.model = "MB-100";
    r.partNumber = "P-1";
    r.serialNumber = "S-1";
    r.revision = "A";
    r.telephone = "03-0000-0000";
    r.warrantyStart = "19990401000000.000000+540";
    return r;
}

std::vector<char> TextValue(const std::string& text)
{
    std::vector<char> value(kAreaSize, 0);
    const uint32_t length = static_cast<uint32_t>(text.size());
    std::memcpy(value.data(), &length, 4);
    std::memcpy(value.data() + 4, text.data(), text.size());
    return value;
}

std::vector<char> IntegerValue(int32_t number)
{
    std::vector<char> value(kAreaSize, 0);
    std::memcpy(value.data(), &number, 4);
    return value;
}

struct Key {
    int32_t value;
    KeyEntry entry;
    explicit Key(int32_t v) : value(v), entry{kFruIndex, 5, &value} {}
};

std::string AnswerText(const AttributeResult* result)
{
    if (!result || result->dataType != 8) return "<none>";
    uint32_t length = 0;
    std::memcpy(&length, result->value, 4);
    return std::string(static_cast<const char*>(result->value) + 4, length);
}

bool SameRecord(const FruRecord& a, const FruRecord& b)
{
    return a.fruIndex == b.fruIndex && a.deviceGroup == b.deviceGroup && a.warrantyDuration == b.warrantyDuration &&
           a.description == b.description && a.manufacturer == b.manufacturer && a.model == b.model &&
           a.partNumber == b.partNumber && a.serialNumber == b.serialNumber && a.revision == b.revision &&
           a.telephone == b.telephone && a.warrantyStart == b.warrantyStart;
}

class FruTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TheFruTable().Clear();
        InvalidateCaches();
        char temp[MAX_PATH] = "";
        ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
        dir_ = std::string(temp) + "fru_test_" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        path_ = FruTablePath(dir_.c_str());
    }
    void TearDown() override
    {
        TheFruTable().Clear();
        InvalidateCaches();
        DeleteFileA(path_.c_str());
        DeleteFileA((dir_ + "\\raw.dat").c_str());
        RemoveDirectoryA((dir_ + "\\DATA").c_str());
        RemoveDirectoryA(dir_.c_str());
    }
    void WriteRaw(const std::vector<BYTE>& bytes, size_t size)
    {
        FILE* f = std::fopen(path_.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        if (size) std::fwrite(bytes.data(), 1, size, f);
        std::fclose(f);
    }
    std::vector<BYTE> ReadRaw()
    {
        std::vector<BYTE> bytes;
        FILE* f = std::fopen(path_.c_str(), "rb");
        if (!f) return bytes;
        int c;
        while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<BYTE>(c));
        std::fclose(f);
        return bytes;
    }

    std::string dir_;
    std::string path_;
};

TEST_F(FruTableTest, SetThenStoreThenLoadGivesTheSameValues)
{
    ASSERT_TRUE(TheFruTable().Add(Sample(7)));
    ASSERT_TRUE(TheFruTable().Add(Sample(3)));
    Key key(3);
    auto maker = TextValue(kJapaneseMaker);
    EXPECT_EQ(CiSetAttribute(0, 30, kFruManufacturer, 1, &key.entry, maker.data()), 1u);
    auto desk = TextValue(kJapaneseDesk);
    EXPECT_EQ(CiSetAttribute(0, 30, kFruTelephone, 1, &key.entry, desk.data()), 1u);
    auto duration = IntegerValue(-5);
    EXPECT_EQ(CiSetAttribute(0, 30, kFruWarrantyDuration, 1, &key.entry, duration.data()), 1u);
    char date[28] = "20010203040506.000000+540";
    EXPECT_EQ(CiSetAttribute(0, 30, kFruWarrantyStart, 1, &key.entry, date), 1u);

    // The served row shows the change at once; the other record is untouched.
    EXPECT_EQ(AnswerText(CiGetAttribute(0, 30, kFruManufacturer, 1, &key.entry)), kJapaneseMaker);
    Key other(7);
    EXPECT_EQ(AnswerText(CiGetAttribute(0, 30, kFruManufacturer, 1, &other.entry)), "Maker");

    // The DATA folder does not exist yet: storing makes it.
    DWORD error = 1;
    ASSERT_TRUE(TheFruTable().Store(path_.c_str(), &error));
    EXPECT_EQ(error, 0u);

    FruTable fresh;
    ASSERT_TRUE(fresh.Load(path_.c_str()));
    ASSERT_EQ(fresh.records().size(), 2u);
    const FruRecord& loaded = *fresh.records()[1];
    EXPECT_EQ(loaded.fruIndex, 3);
    EXPECT_EQ(loaded.manufacturer, kJapaneseMaker);
    EXPECT_EQ(loaded.telephone, kJapaneseDesk);
    EXPECT_EQ(loaded.warrantyDuration, -5);
    EXPECT_EQ(loaded.warrantyStart, "20010203040506.000000+540");
    for (size_t i = 0; i < 2; ++i)
        EXPECT_TRUE(SameRecord(*fresh.records()[i], *TheFruTable().records()[i])) << i;

    // Storing the loaded table gives the same bytes again.
    const std::vector<BYTE> first = ReadRaw();
    ASSERT_TRUE(fresh.Store(path_.c_str(), &error));
    EXPECT_EQ(ReadRaw(), first);
}

TEST_F(FruTableTest, SetWithNoMatchingRecordChangesNothing)
{
    auto text = TextValue("new");
    // An empty table: neither a keyed set nor one without a key has a record.
    Key key(9);
    EXPECT_EQ(CiSetAttribute(0, 30, kFruDescription, 1, &key.entry, text.data()), 0u);
    EXPECT_EQ(CiSetAttribute(0, 30, kFruDescription, 0, nullptr, text.data()), 0u);

    ASSERT_TRUE(TheFruTable().Add(Sample(7)));
    EXPECT_EQ(CiSetAttribute(0, 30, kFruDescription, 1, &key.entry, text.data()), 0u);
    EXPECT_TRUE(SameRecord(*TheFruTable().records()[0], Sample(7)));
    EXPECT_EQ(GetFileAttributesA(path_.c_str()), INVALID_FILE_ATTRIBUTES);

    // Without a key the first record takes the value.
    EXPECT_EQ(CiSetAttribute(0, 30, kFruDescription, 0, nullptr, text.data()), 1u);
    EXPECT_EQ(TheFruTable().records()[0]->description, "new");

    // An index of 0 or one already taken would lose a row: refused.
    ASSERT_TRUE(TheFruTable().Add(Sample(8)));
    Key seven(7);
    auto zero = IntegerValue(0), taken = IntegerValue(8);
    EXPECT_EQ(CiSetAttribute(0, 30, kFruIndex, 1, &seven.entry, zero.data()), 0u);
    EXPECT_EQ(CiSetAttribute(0, 30, kFruIndex, 1, &seven.entry, taken.data()), 0u);
    EXPECT_EQ(TheFruTable().records()[0]->fruIndex, 7);
}

TEST_F(FruTableTest, OverLongTextsAreRefused)
{
    ASSERT_TRUE(TheFruTable().Add(Sample(7)));
    Key key(7);
    auto longest = TextValue(std::string(64, '1'));
    EXPECT_EQ(CiSetAttribute(0, 30, kFruTelephone, 1, &key.entry, longest.data()), 1u);
    EXPECT_EQ(TheFruTable().records()[0]->telephone, std::string(64, '1'));

    auto over = TextValue(std::string(65, '2'));
    EXPECT_EQ(CiSetAttribute(0, 30, kFruTelephone, 1, &key.entry, over.data()), 0u);
    EXPECT_EQ(TheFruTable().records()[0]->telephone, std::string(64, '1'));

    auto maker = TextValue(std::string(81, 'm'));
    EXPECT_EQ(CiSetAttribute(0, 30, kFruManufacturer, 1, &key.entry, maker.data()), 0u);
    EXPECT_EQ(TheFruTable().records()[0]->manufacturer, "Maker");

    // A length beyond the value area is refused, not read past.
    std::vector<char> lying = TextValue("x");
    const uint32_t huge = 0xFFFFFFF0u;
    std::memcpy(lying.data(), &huge, 4);
    EXPECT_EQ(CiSetAttribute(0, 30, kFruDescription, 1, &key.entry, lying.data()), 0u);
    EXPECT_EQ(TheFruTable().records()[0]->description, "Main board");
}

TEST_F(FruTableTest, TruncatedOrPaddedFilesLoadAsEmpty)
{
    FruTable table;
    ASSERT_TRUE(table.Add(Sample(1)));
    ASSERT_TRUE(table.Add(Sample(2)));
    DWORD error = 0;
    ASSERT_TRUE(table.Store(path_.c_str(), &error));
    const std::vector<BYTE> whole = ReadRaw();
    ASSERT_GT(whole.size(), 40u);

    FruTable loaded;
    ASSERT_TRUE(loaded.Load(path_.c_str()));
    ASSERT_EQ(loaded.records().size(), 2u);
    for (size_t size = 0; size < whole.size(); ++size) {
        WriteRaw(whole, size);
        EXPECT_FALSE(loaded.Load(path_.c_str())) << size;
        EXPECT_TRUE(loaded.records().empty()) << size;
    }
    std::vector<BYTE> padded = whole;
    padded.push_back(0);
    WriteRaw(padded, padded.size());
    EXPECT_FALSE(loaded.Load(path_.c_str()));
    EXPECT_TRUE(loaded.records().empty());

    // A record count far beyond what the table holds is refused.
    std::vector<BYTE> many = whole;
    many[0] = 0xFF;
    many[1] = 0xFF;
    many.insert(many.begin() + 2, {0x00, 0x10, 0x00, 0x00});
    WriteRaw(many, many.size());
    EXPECT_FALSE(loaded.Load(path_.c_str()));
    EXPECT_TRUE(loaded.records().empty());

    // A missing file is no table either.
    DeleteFileA(path_.c_str());
    EXPECT_FALSE(loaded.Load(path_.c_str()));
}

TEST_F(FruTableTest, GroupIsWalkedByFruIndex)
{
    // Empty table: nothing to answer.
    EXPECT_EQ(CiGetAttribute(0, 30, kFruDescription, 0, nullptr), nullptr);

    ASSERT_TRUE(TheFruTable().Add(Sample(7)));
    FruRecord second = Sample(3);
    second.description = kJapaneseDesk;
    ASSERT_TRUE(TheFruTable().Add(second));
    InvalidateCaches();

    EXPECT_EQ(AnswerText(CiGetAttribute(0, 30, kFruDescription, 0, nullptr)), "Main board");
    Key first(7);
    const AttributeResult* next = CiGetNextAttribute(0, 30, kFruIndex, 1, &first.entry);
    ASSERT_NE(next, nullptr);
    ASSERT_EQ(next->dataType, 5u);
    int32_t nextKey = 0;
    std::memcpy(&nextKey, next->value, 4);
    EXPECT_EQ(nextKey, 3);
    Key third(3);
    EXPECT_EQ(AnswerText(CiGetAttribute(0, 30, kFruDescription, 1, &third.entry)), kJapaneseDesk);
    const AttributeResult* date = CiGetAttribute(0, 30, kFruWarrantyStart, 1, &third.entry);
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->dataType, 11u);
    EXPECT_EQ(std::string(static_cast<const char*>(date->value), 25), "19990401000000.000000+540");
    EXPECT_EQ(CiGetNextAttribute(0, 30, kFruIndex, 1, &third.entry), nullptr);
    Key missing(5);
    EXPECT_EQ(CiGetAttribute(0, 30, kFruDescription, 1, &missing.entry), nullptr);
    EXPECT_EQ(CiGetAttribute(0, 30, 12, 1, &first.entry), nullptr);
}

}  // namespace
