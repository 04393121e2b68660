#include "platform/dmi/mif_database.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/dmi/mif_class_match.h"
#include "platform/dmi/tests/mif_samples.h"

namespace {

const std::string kSoftwareClass = "DMTF|Software Component Information|001";

TEST(MifClassMatch, FieldByField) {
    struct Case {
        const char* filter;
        const char* classString;
        bool matches;
    };
    const Case cases[] = {
        {"DMTF|ComponentID|001", "DMTF|ComponentID|001", true},
        {"DMTF|ComponentID|", "DMTF|ComponentID|001", true},
        {"DMTF|ComponentID", "DMTF|ComponentID|001", true},
        {"DMTF||001", "DMTF|ComponentID|001", true},
        {"", "DMTF|ComponentID|001", true},
        {"DMTF|ComponentID|001|", "DMTF|ComponentID|001", true},
        {"DMTF|ComponentID|1.0", "DMTF|ComponentID|001", false},
        {"dmtf|ComponentID|001", "DMTF|ComponentID|001", false},
        {"DMTF|Component|001", "DMTF|ComponentID|001", false},
        {"DMTF|ComponentID|0010", "DMTF|ComponentID|001", false},
        {"DMTF|ComponentID|001|X", "DMTF|ComponentID|001", false},
        {"DMTF|ComponentID|001", "", false},
        // ポ is 83 7C: its second byte is no field separator.
        {"X|ポート|1", "X|ポート|1", true},
        {"X|ポ", "X|ポート|1", false},
        {"X|ポ|", "X|ポ|1", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.matches, MifClassMatches(c.filter, c.classString))
            << "filter " << c.filter << ", class " << c.classString;
    }
}

// Components of three classes, loaded in a mixed order.
std::vector<MifSource> MixedSources() {
    return {
        {"sw1.mif", OneGroupMif("Software 1", kSoftwareClass)},
        {"vendor.mif", OneGroupMif("Vendor", "DMTF|Lanternfish|1.0")},
        {"sw2.mif", OneGroupMif("Software 2", kSoftwareClass)},
        {"pcmif.mif", kPcMif},
        {"sw3.mif", OneGroupMif("Software 3", kSoftwareClass)},
        {"sw4.mif", OneGroupMif("Software 4", kSoftwareClass)},
        {"sw5.mif", OneGroupMif("Software 5", kSoftwareClass)},
    };
}

// Every id the database lists for filter, in batches of batchSize, each batch
// continuing after the last id of the one before.
std::vector<uint32_t> ListAll(const MifDatabase& db, const std::string* filter, size_t batchSize,
                              size_t* batches) {
    std::vector<uint32_t> all;
    uint32_t after = 0;
    *batches = 0;
    for (;;) {
        std::vector<uint32_t> ids;
        bool more = false;
        db.ListComponents(filter, after, batchSize, &ids, &more);
        ++*batches;
        EXPECT_LE(ids.size(), batchSize);
        EXPECT_TRUE(!more || ids.size() == batchSize);
        all.insert(all.end(), ids.begin(), ids.end());
        if (!more || *batches > 20) {
            return all;
        }
        after = ids.back();
    }
}

TEST(MifDatabase, ListsByClassInBatches) {
    MifDatabase db;
    ASSERT_EQ(7u, db.Load(MixedSources()));
    EXPECT_TRUE(db.LoadErrors().empty());

    size_t batches = 0;
    const std::vector<uint32_t> software = ListAll(db, &kSoftwareClass, 2, &batches);
    ASSERT_EQ(5u, software.size());
    EXPECT_EQ(3u, batches);
    for (size_t i = 0; i < software.size(); ++i) {
        std::string name;
        ASSERT_EQ(MifStatus::kOk, db.ComponentName(software[i], &name));
        EXPECT_EQ("Software " + std::to_string(i + 1), name);
        if (i > 0) {
            EXPECT_LT(software[i - 1], software[i]);
        }
    }
    EXPECT_EQ(7u, ListAll(db, nullptr, 3, &batches).size());
    EXPECT_EQ(3u, batches);
    // A batch exactly as large as what is left says no more follow.
    EXPECT_EQ(5u, ListAll(db, &kSoftwareClass, 5, &batches).size());
    EXPECT_EQ(1u, batches);

    const std::string general = "DMTF|General Information|";
    const std::vector<uint32_t> pc = ListAll(db, &general, 10, &batches);
    ASSERT_EQ(1u, pc.size());
    std::string name;
    EXPECT_EQ(MifStatus::kOk, db.ComponentName(pc[0], &name));
    EXPECT_EQ("HELMSET PC", name);

    const std::string nothing = "DMTF|Nothing|";
    EXPECT_TRUE(ListAll(db, &nothing, 10, &batches).empty());
    std::vector<uint32_t> ids = {99};
    bool more = false;
    db.ListComponents(&kSoftwareClass, 0, 0, &ids, &more);
    EXPECT_TRUE(ids.empty());
    EXPECT_TRUE(more);
    db.ListComponents(&kSoftwareClass, software.back(), 10, &ids, &more);
    EXPECT_TRUE(ids.empty());
    EXPECT_FALSE(more);
    EXPECT_EQ(MifStatus::kNoComponent, db.ComponentName(0, &name));
}

class MifDatabaseValues : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(2u, db_.Load({{"demo.mif", kDemoMif}, {"pcmif.mif", kPcMif}}));
        bool more = false;
        std::vector<uint32_t> ids;
        const std::string demoClass = "DEMO|Numbers";
        db_.ListComponents(&demoClass, 0, 1, &ids, &more);
        ASSERT_EQ(1u, ids.size());
        demo_ = ids[0];
        const std::string pcClass = "DMTF|General Information";
        db_.ListComponents(&pcClass, 0, 1, &ids, &more);
        ASSERT_EQ(1u, ids.size());
        pc_ = ids[0];
    }

    MifStatus Get(uint32_t component, uint32_t group, uint32_t attribute,
                  std::vector<MifKey> keys = {}) {
        return db_.GetValue(component, group, attribute, keys.data(), keys.size(), &answer_);
    }

    // The value as the management interface lays it out.
    std::string Bytes() {
        std::string out(MifAnswerValueSize(answer_), '\xEE');
        EXPECT_EQ(out.size(), WriteMifAnswerValue(answer_, &out[0], out.size()));
        return out;
    }

    MifDatabase db_;
    MifAnswer answer_;
    uint32_t demo_ = 0;
    uint32_t pc_ = 0;
};

TEST_F(MifDatabaseValues, StaticValuesInTheirWireLayout) {
    ASSERT_EQ(MifStatus::kOk, Get(demo_, 1, 1));
    EXPECT_EQ(dmi::kDisplayString, answer_.type);
    const std::string maker = "Corvane \"Demo\"\tWorks!Aq";
    EXPECT_EQ(std::string(1, static_cast<char>(maker.size())) + std::string(3, '\0') + maker,
              Bytes());
    ASSERT_EQ(MifStatus::kOk, Get(demo_, 1, 5));
    EXPECT_EQ(dmi::kDate, answer_.type);
    EXPECT_EQ(std::string("19980401093000.000000+540\0\0\0", 28), Bytes());
    ASSERT_EQ(MifStatus::kOk, Get(demo_, 2, 1));
    EXPECT_EQ(dmi::kCounter64, answer_.type);
    EXPECT_EQ(std::string(8, '\xFF'), Bytes());
    ASSERT_EQ(MifStatus::kOk, Get(demo_, 2, 2));
    EXPECT_EQ(std::string("\0\0\0\x80", 4), Bytes());
    ASSERT_EQ(MifStatus::kOk, Get(demo_, 2, 3));
    EXPECT_EQ(0177u, answer_.value32);
    char small[3];
    EXPECT_EQ(0u, WriteMifAnswerValue(answer_, small, sizeof small));

    // An enumerated value comes as its integer; its texts with the description.
    ASSERT_EQ(MifStatus::kOk, Get(demo_, 2, 5));
    EXPECT_EQ(dmi::kInteger, answer_.type);
    EXPECT_EQ(16u, answer_.value32);
    MifAttribute described;
    ASSERT_EQ(MifStatus::kOk, db_.DescribeAttribute(demo_, 2, 5, &described));
    ASSERT_EQ(5u, described.enumEntries.size());
    EXPECT_EQ("ﾘﾑｰﾊﾞﾌﾞﾙ", described.enumEntries[3].text);
    EXPECT_EQ(MifAccess::kReadOnly, described.access);

    EXPECT_EQ(MifStatus::kUnsupported, Get(demo_, 2, 6));
    EXPECT_EQ(MifStatus::kValueUnknown, Get(demo_, 2, 7));
    EXPECT_EQ(MifStatus::kNotReadable, Get(demo_, 2, 8));
    EXPECT_EQ(dmi::kOctetString, answer_.type);
}

TEST_F(MifDatabaseValues, InstrumentedValuesNameTheirPath) {
    ASSERT_EQ(MifStatus::kInstrumented, Get(demo_, 1, 2));
    EXPECT_EQ("CORVANEDI", answer_.instrumentation);
    EXPECT_EQ(dmi::kDisplayString, answer_.type);
    ASSERT_EQ(MifStatus::kInstrumented, Get(pc_, 2, 6));
    EXPECT_EQ(dmi::kDate, answer_.type);
    // Tables of the instrumentation take their keys and forward the request.
    EXPECT_EQ(MifStatus::kInstrumented, Get(pc_, 3, 2, {MifKey::Number(1, 1)}));
    EXPECT_EQ(MifStatus::kInstrumented,
              Get(pc_, 23, 4, {MifKey::Number(1, 1), MifKey::Number(2, 7)}));
    EXPECT_EQ(MifStatus::kInstrumented, Get(pc_, 3, 2));
    EXPECT_EQ(MifStatus::kBadKeys, Get(pc_, 23, 4, {MifKey::Number(4, 1)}));
    EXPECT_EQ(MifStatus::kBadKeys, Get(pc_, 2, 1, {MifKey::Number(1, 1)}));
    EXPECT_EQ(MifStatus::kUnsupported, Get(pc_, 32, 3));
}

TEST_F(MifDatabaseValues, StaticTableRowsByKey) {
    ASSERT_EQ(MifStatus::kOk, Get(demo_, 3, 3, {MifKey::Text(1, "D:")}));
    EXPECT_EQ("データ表", answer_.bytes);
    ASSERT_EQ(MifStatus::kOk, Get(demo_, 3, 2, {MifKey::Text(1, "A:")}));
    EXPECT_EQ(3u, answer_.value32);
    ASSERT_EQ(MifStatus::kOk, Get(demo_, 3, 3));  // no key: the first row
    EXPECT_EQ("システム", answer_.bytes);
    EXPECT_EQ(MifStatus::kNoRow, Get(demo_, 3, 3, {MifKey::Text(1, "Z:")}));
    EXPECT_EQ(MifStatus::kNoRow, Get(demo_, 3, 3, {MifKey::Text(1, "D")}));
    EXPECT_EQ(MifStatus::kBadKeys, Get(demo_, 3, 3, {MifKey::Text(2, "Fixed")}));
    EXPECT_EQ(MifStatus::kBadKeys, Get(demo_, 3, 3, {MifKey::Number(1, 0)}));
    EXPECT_EQ(MifStatus::kBadKeys, Get(demo_, 1, 1, {MifKey::Text(1, "C:")}));
    EXPECT_EQ(MifStatus::kBadKeys, db_.GetValue(demo_, 3, 3, nullptr, 1, &answer_));

    EXPECT_EQ(MifStatus::kNoComponent, Get(999, 1, 1));
    EXPECT_EQ(MifStatus::kNoGroup, Get(demo_, 99, 1));
    EXPECT_EQ(MifStatus::kNoGroup, Get(demo_, 0, 1));  // the template has no id
    EXPECT_EQ(MifStatus::kNoAttribute, Get(demo_, 1, 99));
    MifAttribute described;
    EXPECT_EQ(MifStatus::kNoAttribute, db_.DescribeAttribute(demo_, 1, 99, &described));
    EXPECT_EQ(MifStatus::kNoGroup, db_.DescribeAttribute(demo_, 99, 1, &described));
}

TEST(MifDatabase, NumberKeysCompareInTheAttributesWidth) {
    const std::string text =
        "Start Component Name = \"K\"\n"
        "  Start Group Name = \"T\" Class = \"X|T|1\" Key = 1, 2\n"
        "    Start Attribute Name = \"Slot\" ID = 1 Type = Integer End Attribute\n"
        "    Start Attribute Name = \"Wide\" ID = 2 Type = Integer64 End Attribute\n"
        "    Start Attribute Name = \"Day\" ID = 3 Type = Date End Attribute\n"
        "  End Group\n"
        "  Start Table Name = \"T\" ID = 4 Class = \"X|T|1\"\n"
        "    {-1, -1, \"19990101000000.000000+540\"}\n"
        "    {-1, 0xFFFFFFFF, \"20000101000000.000000+540\"}\n"
        "  End Table\n"
        "End Component\n";
    MifDatabase db;
    ASSERT_EQ(1u, db.Load({{"k.mif", text}}));
    std::vector<uint32_t> ids;
    bool more = false;
    db.ListComponents(nullptr, 0, 1, &ids, &more);
    ASSERT_EQ(1u, ids.size());
    MifAnswer answer;
    // The 32-bit key matches whether the caller sign-extends it or not; the
    // 64-bit key tells -1 from 0xFFFFFFFF.
    const MifKey second[] = {MifKey::Number(1, UINT64_MAX), MifKey::Number(2, 0xFFFFFFFFu)};
    ASSERT_EQ(MifStatus::kOk, db.GetValue(ids[0], 4, 3, second, 2, &answer));
    EXPECT_EQ(0, answer.bytes.compare(0, 4, "2000"));
    const MifKey first[] = {MifKey::Number(1, 0xFFFFFFFFu), MifKey::Number(2, UINT64_MAX)};
    ASSERT_EQ(MifStatus::kOk, db.GetValue(ids[0], 4, 3, first, 2, &answer));
    EXPECT_EQ(0, answer.bytes.compare(0, 4, "1999"));
    ASSERT_EQ(MifStatus::kOk, db.GetValue(ids[0], 4, 2, first, 1, &answer));
    EXPECT_EQ(std::string(8, '\xFF'),
              std::string(reinterpret_cast<const char*>(&answer.value64), 8));
}

TEST(MifDatabase, IdsStayWithTheirComponentAcrossReloads) {
    MifDatabase db;
    ASSERT_EQ(
        2u, db.Load({{"a.mif", OneGroupMif("A", "X|A|1")}, {"b.mif", OneGroupMif("B", "X|B|1")}}));
    std::vector<uint32_t> ids;
    bool more = false;
    db.ListComponents(nullptr, 0, 10, &ids, &more);
    ASSERT_EQ(2u, ids.size());
    const uint32_t a = ids[0];
    const uint32_t b = ids[1];

    // A file sorted before the others is added, a.mif is rewritten (same
    // component, other content) under another letter case, and one file is bad.
    const std::vector<MifSource> grown = {
        {"0.mif", OneGroupMif("Zero", "X|Z|1")},
        {"A.MIF", OneGroupMif("A", "X|A|2")},
        {"b.mif", OneGroupMif("B", "X|B|1")},
        {"bad.mif", "Start Component\n  Name = \"Bad\n"},
    };
    ASSERT_EQ(3u, db.Load(grown));
    ASSERT_EQ(1u, db.LoadErrors().size());
    EXPECT_EQ("bad.mif(2): unterminated string (a string must end on its line)",
              FormatMifLoadError(db.LoadErrors()[0]));
    std::string name;
    ASSERT_EQ(MifStatus::kOk, db.ComponentName(a, &name));
    EXPECT_EQ("A", name);
    EXPECT_EQ("X|A|2", db.FindComponent(a)->groups[0].classString);
    ASSERT_EQ(MifStatus::kOk, db.ComponentName(b, &name));
    EXPECT_EQ("B", name);
    db.ListComponents(nullptr, 0, 10, &ids, &more);
    ASSERT_EQ(3u, ids.size());
    const uint32_t zero = ids[2];
    EXPECT_GT(zero, b);
    ASSERT_EQ(MifStatus::kOk, db.ComponentName(zero, &name));
    EXPECT_EQ("Zero", name);

    // b.mif goes and comes back: it gets its old id. A renamed component is
    // another component and gets a new id; no id is handed out twice.
    ASSERT_EQ(1u, db.Load({{"a.mif", OneGroupMif("A", "X|A|1")}}));
    EXPECT_EQ(nullptr, db.FindComponent(b));
    EXPECT_EQ(MifStatus::kNoComponent, db.ComponentName(b, &name));
    ASSERT_EQ(
        2u, db.Load({{"b.mif", OneGroupMif("B", "X|B|1")}, {"a.mif", OneGroupMif("A2", "X|A|1")}}));
    db.ListComponents(nullptr, 0, 10, &ids, &more);
    ASSERT_EQ(2u, ids.size());
    EXPECT_EQ(b, ids[0]);
    EXPECT_GT(ids[1], zero);

    // The same file twice in one load: the second is left out.
    ASSERT_EQ(
        1u, db.Load({{"b.mif", OneGroupMif("B", "X|B|1")}, {"B.mif", OneGroupMif("B", "X|B|1")}}));
    ASSERT_EQ(1u, db.LoadErrors().size());
    EXPECT_EQ("B.mif", db.LoadErrors()[0].fileName);
}

}  // namespace
