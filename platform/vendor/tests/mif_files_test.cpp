// The installed MIFs parse, the vendor component is found by its class and
// declares each attribute the way the instrumentation serves it, and the
// software products carry what the software page shows.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/dmi_types.h"
#include "platform/dmi/mif_database.h"
#include "platform/vendor/attribute_catalogue.h"

namespace {

const char kInstrumentation[] = "LANTERNFISHVENDOR";

// The components whose groups match the class.
std::vector<uint32_t> ComponentsOfClass(const MifDatabase& database, const std::string& classString)
{
    std::vector<uint32_t> ids;
    bool more = false;
    database.ListComponents(&classString, 0, 100, &ids, &more);
    return ids;
}

class InstalledMifs : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(database_.LoadFolder(VENDOR_MIF_DIR));
        for (const MifLoadError& error : database_.LoadErrors())
            ADD_FAILURE() << FormatMifLoadError(error);
    }

    MifDatabase database_;
};

}  // namespace

TEST_F(InstalledMifs, VendorComponentDeclaresWhatTheInstrumentationServes)
{
    const std::vector<uint32_t> vendors = ComponentsOfClass(database_, "DMTF|Lanternfish|1.0");
    ASSERT_EQ(vendors.size(), 1u);
    const uint32_t component = vendors[0];

    // What the viewer's pages read: group, attribute, type.
    struct Read {
        uint32_t group, attribute, type;
    };
    const uint32_t kInt = dmi::kInteger, kText = dmi::kDisplayString;
    const Read pageReads[] = {
        {6, 1, kInt},   {6, 2, kInt},   {7, 1, kText},  {7, 2, kText},  {7, 3, kText},  {8, 1, kText},
        {9, 2, kText},  {9, 3, kText},  {10, 1, kInt},  {10, 2, kInt},  {11, 1, kInt},  {11, 2, kInt},
        {14, 1, kInt},  {15, 2, kText}, {15, 3, kText}, {16, 2, kText}, {16, 3, kText}, {16, 4, kText},
        {16, 5, kInt},  {18, 2, kText}, {18, 3, kInt},  {18, 4, kInt},  {18, 6, kText}, {18, 7, kText},
        {19, 2, kText}, {19, 3, kText}, {20, 2, kText}, {20, 7, kText},
    };
    for (const Read& read : pageReads) {
        MifAttribute attribute;
        ASSERT_EQ(database_.DescribeAttribute(component, read.group, read.attribute, &attribute), MifStatus::kOk)
            << "group " << read.group << " attribute " << read.attribute;
        EXPECT_EQ(attribute.type, read.type) << "group " << read.group << " attribute " << read.attribute;
    }

    // Every attribute served is declared alike and read through the
    // instrumentation; tables are keyed by attribute 1.
    std::set<std::pair<uint32_t, uint32_t>> served;
    size_t count = 0;
    const vendor::GroupSpec* groups = vendor::AllGroups(&count);
    for (size_t g = 0; g < count; g++) {
        const vendor::GroupSpec& group = groups[g];
        const MifComponent* mif = database_.FindComponent(component);
        for (const MifGroup& declared : mif->groups) {
            if (declared.id == group.id) {
                EXPECT_EQ(declared.keys, group.table ? std::vector<uint32_t>{1} : std::vector<uint32_t>{})
                    << "group " << group.id;
            }
        }
        const MifKey key = MifKey::Number(vendor::kKeyAttribute, 1);
        for (size_t a = 0; a < group.attributeCount; a++) {
            const vendor::AttributeSpec& attributeInfo = group.attributes[a];
            served.insert({group.id, attributeInfo.id});
            MifAttribute attribute;
            ASSERT_EQ(database_.DescribeAttribute(component, group.id, attributeInfo.id, &attribute), MifStatus::kOk)
                << "group " << group.id << " attribute " << attributeInfo.id;
            EXPECT_EQ(attribute.type, attributeInfo.type) << "group " << group.id << " attribute " << attributeInfo.id;
            if (attributeInfo.type == dmi::kDisplayString) {
                EXPECT_EQ(attribute.maxLength, attributeInfo.maxLength) << "group " << group.id << " attribute " << attributeInfo.id;
            }
            MifAnswer answer;
            EXPECT_EQ(database_.GetValue(component, group.id, attributeInfo.id, group.table ? &key : nullptr,
                                         group.table ? 1 : 0, &answer),
                      MifStatus::kInstrumented);
            EXPECT_EQ(answer.instrumentation, kInstrumentation);
        }
    }

    // And nothing else is sent to the instrumentation.
    for (const MifGroup& group : database_.FindComponent(component)->groups) {
        for (const MifAttribute& attribute : group.attributes) {
            if (attribute.value.kind == MifValueKind::kInstrumented) {
                EXPECT_EQ(served.count({group.id, attribute.id}), 1u)
                    << "group " << group.id << " attribute " << attribute.id << " is not served";
            }
        }
    }
}

TEST_F(InstalledMifs, SoftwareProductsCarryNameVersionMakerAndDate)
{
    const std::vector<uint32_t> products =
        ComponentsOfClass(database_, "DMTF|Software Component Information|001");
    ASSERT_EQ(products.size(), 4u);
    std::set<std::string> names;
    for (uint32_t component : products) {
        MifAnswer answer;
        for (uint32_t id : {1u, 2u, 3u}) {
            ASSERT_EQ(database_.GetValue(component, 1, id, nullptr, 0, &answer), MifStatus::kOk);
            EXPECT_EQ(answer.type, dmi::kDisplayString);
            EXPECT_FALSE(answer.bytes.empty()) << "component " << component << " attribute " << id;
            if (id == 2)
                names.insert(answer.bytes);
        }
        ASSERT_EQ(database_.GetValue(component, 1, 5, nullptr, 0, &answer), MifStatus::kOk);
        EXPECT_EQ(answer.type, dmi::kDate);
        EXPECT_TRUE(dmi::IsValidDate(answer.bytes.data(), answer.bytes.size())) << answer.bytes;
    }
    EXPECT_EQ(names.size(), products.size()) << "each product by its own name";
}
