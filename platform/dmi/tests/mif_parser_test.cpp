#include "platform/dmi/mif_parser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/dmi/tests/mif_samples.h"

namespace {

const MifGroup* GroupWithId(const MifComponent& component, uint32_t id) {
    for (const MifGroup& group : component.groups) {
        if (group.id == id) {
            return &group;
        }
    }
    return nullptr;
}

const MifAttribute* AttributeWithId(const MifGroup& group, uint32_t id) {
    for (const MifAttribute& attribute : group.attributes) {
        if (attribute.id == id) {
            return &attribute;
        }
    }
    return nullptr;
}

// The value of attribute `id` in `row` of a static table.
const MifValue& Cell(const MifGroup& table, size_t row, uint32_t id) {
    for (size_t i = 0; i < table.attributes.size(); ++i) {
        if (table.attributes[i].id == id) {
            return table.rows.at(row).at(i);
        }
    }
    static const MifValue none;
    return none;
}

TEST(MifParser, DemoComponentHasEveryConstruct) {
    MifComponent c;
    MifParseError error;
    ASSERT_TRUE(ParseMif(kDemoMif, std::strlen(kDemoMif), &c, &error))
        << error.line << ": " << error.message;
    EXPECT_EQ("ja|JP|iso8859-1", c.language);
    EXPECT_EQ("デモ パソコン", c.name);
    EXPECT_EQ("表示ソフト表", c.description);

    ASSERT_EQ(1u, c.paths.size());
    ASSERT_EQ(3u, c.paths[0].entries.size());
    EXPECT_EQ("win32", c.paths[0].entries[0].environment);
    EXPECT_TRUE(c.paths[0].entries[0].directInterface);
    EXPECT_EQ("C:\\DMI\\BIN\\CI16.EXE", c.paths[0].entries[1].target);
    EXPECT_TRUE(c.paths[0].entries[2].directInterface);

    ASSERT_EQ(3u, c.groups.size());
    ASSERT_EQ(1u, c.templates.size());
    const MifGroup& id = c.groups[0];
    EXPECT_EQ(MifGroupKind::kScalar, id.kind);
    const MifAttribute* maker = AttributeWithId(id, 1);
    ASSERT_NE(nullptr, maker);
    EXPECT_EQ(dmi::kDisplayString, maker->type);
    EXPECT_EQ(64u, maker->maxLength);
    EXPECT_EQ(MifStorage::kCommon, maker->storage);
    EXPECT_EQ("Corvane \"Demo\"\tWorks!Aq", maker->value.text);
    EXPECT_EQ(MifValueKind::kInstrumented, AttributeWithId(id, 2)->value.kind);
    EXPECT_EQ("CORVANEDI", AttributeWithId(id, 2)->value.text);
    const MifValue& installed = AttributeWithId(id, 5)->value;
    EXPECT_EQ(std::string("19980401093000.000000+540\0\0\0", 28), installed.text);
    // An inline enumeration keeps its declaration order; its name is ignored.
    const MifAttribute* verify = AttributeWithId(id, 6);
    ASSERT_EQ(2u, verify->enumEntries.size());
    EXPECT_EQ(7, verify->enumEntries[0].value);
    EXPECT_EQ("An error occurred", verify->enumEntries[1].text);
    EXPECT_EQ(7u, verify->value.number);

    const MifGroup& numbers = c.groups[1];
    EXPECT_EQ("Numbers of every kind", numbers.description);
    EXPECT_EQ(UINT64_MAX, AttributeWithId(numbers, 1)->value.number);
    EXPECT_EQ(0x80000000u, AttributeWithId(numbers, 2)->value.number);
    EXPECT_EQ(0177u, AttributeWithId(numbers, 3)->value.number);
    EXPECT_EQ(UINT64_MAX - 1, AttributeWithId(numbers, 4)->value.number);
    const MifAttribute* kind = AttributeWithId(numbers, 5);
    EXPECT_EQ(dmi::kInteger, kind->type);
    ASSERT_EQ(5u, kind->enumEntries.size());
    EXPECT_EQ(-1, kind->enumEntries[4].value);
    EXPECT_EQ(16u, kind->value.number);
    EXPECT_EQ(MifValueKind::kUnsupported, AttributeWithId(numbers, 6)->value.kind);
    EXPECT_EQ(MifValueKind::kUnknown, AttributeWithId(numbers, 7)->value.kind);
    EXPECT_EQ(MifAccess::kWriteOnly, AttributeWithId(numbers, 8)->access);

    // Row values go by ascending attribute id (Letter 1, Kind 2, Label 3),
    // not by declaration order; left-out values take the template's.
    const MifGroup& drives = c.groups[2];
    EXPECT_EQ(MifGroupKind::kStaticTable, drives.kind);
    EXPECT_EQ(3u, drives.id);
    EXPECT_EQ("Logical Drive Table", drives.name);
    ASSERT_EQ(3u, drives.rows.size());
    EXPECT_EQ("C:", Cell(drives, 0, 1).text);
    EXPECT_EQ(2u, Cell(drives, 0, 2).number);
    EXPECT_EQ("システム", Cell(drives, 0, 3).text);
    EXPECT_EQ(3u, Cell(drives, 1, 2).number);
    EXPECT_EQ("ラベルなし", Cell(drives, 1, 3).text);
    EXPECT_EQ(2u, Cell(drives, 2, 2).number);
    EXPECT_EQ("データ表", Cell(drives, 2, 3).text);
}

TEST(MifParser, PcComponentShape) {
    MifComponent c;
    MifParseError error;
    ASSERT_TRUE(ParseMif(kPcMif, std::strlen(kPcMif), &c, &error))
        << error.line << ": " << error.message;
    ASSERT_EQ(5u, c.groups.size());
    const MifGroup* os = GroupWithId(c, 3);
    ASSERT_NE(nullptr, os);
    EXPECT_EQ(MifGroupKind::kInstrumentedTable, os->kind);
    const MifGroup* disks = GroupWithId(c, 23);
    ASSERT_NE(nullptr, disks);
    EXPECT_EQ((std::vector<uint32_t>{1, 2}), disks->keys);
    const MifGroup* health = GroupWithId(c, 32);
    ASSERT_NE(nullptr, health);
    EXPECT_EQ("+3.3 Volt High Limit", AttributeWithId(*health, 11)->name);
    EXPECT_EQ(MifAccess::kReadWrite, AttributeWithId(*health, 11)->access);
    EXPECT_EQ(MifValueKind::kUnsupported, AttributeWithId(*health, 3)->value.kind);
    for (const MifGroup& group : c.groups) {
        for (const MifAttribute& attribute : group.attributes) {
            if (attribute.value.kind == MifValueKind::kInstrumented) {
                EXPECT_EQ("CORVANEDI", attribute.value.text);
            }
        }
    }
}

// A component around `body` (groups, tables, enums), with a path "CI".
std::string Around(const std::string& body) {
    return "Start Component\n"                                         // line 1
           "  Name = \"C\"\n"                                          // line 2
           "  Start Path Name = \"CI\" Win32 = \"ci.dll\" End Path\n"  // line 3
           + body + "End Component\n";                                 // body from line 4
}

// A scalar group with id 1 holding `attributes`.
std::string Group(const std::string& attributes) {
    return "  Start Group Name = \"G\" Class = \"X|G|1\" ID = 1\n" + attributes + "  End Group\n";
}

std::string Attribute(const std::string& statements) {
    return "    Start Attribute Name = \"A\" " + statements + " End Attribute\n";
}

TEST(MifParser, BadFilesGiveTheLineAndWhatIsWrong) {
    const std::string oneInteger = Attribute("ID = 1 Type = Integer Value = 1");
    const std::string driveTemplate =
        "  Start Group Name = \"T\" Class = \"X|T|1\" Key = 1\n"                    // line 4
        "    Start Attribute Name = \"Key\" ID = 1 Type = Integer End Attribute\n"  // line 5
        "    Start Attribute Name = \"Text\" ID = 2 Type = String(4) End Attribute\n"
        "  End Group\n";
    struct Case {
        std::string text;
        int line;
        const char* message;
    };
    const Case cases[] = {
        // Blocks that do not close, or close the wrong block.
        {Around(Group("    Start Attribute Name = \"A\" ID = 1 Type = Integer Value = 1\n")), 6,
         "End Group does not match Start Attribute on line 5"},
        {"Start Component Name = \"C\"\n Start Group Name = \"G\"\n", 2,
         "Start Group has no End Group"},
        {Around("  Start Group Start Group\n"), 4, "Start Group is not allowed in the Group block"},
        {Around(Group(oneInteger)) + "Start Component Name = \"D\" End Component\n", 8,
         "second one"},
        {"Language = \"en\"\nLanguage = \"ja\"\n" + Around(Group(oneInteger)), 2,
         "Language given twice"},
        {Around(Group(Attribute("ID = 1 ID = 2 Type = Integer Value = 1"))), 5, "ID given twice"},
        {Around(Group(Attribute("ID = 1 Type = Integer Value = 1 Colour = \"red\""))), 5,
         "unknown statement 'Colour'"},
        {"", 1, "no Start Component"},
        // Ids, keys and references that do not fit together.
        {Around(Group(oneInteger) + Group(oneInteger)), 7, "group ID 1 is used twice"},
        {Around(Group(oneInteger + oneInteger)), 6, "attribute ID 1 is used twice"},
        {Around("  Start Group Name = \"G\" Class = \"X|G|1\"\n" + oneInteger + "  End Group\n"), 4,
         "neither an ID nor a Key"},
        {Around("  Start Group Name = \"G\" Class = \"X|G|1\" ID = 1 Key = 2\n" + oneInteger +
                "  End Group\n"),
         4, "names attribute 2, which the group does not have"},
        {Around("  Start Group Name = \"G\" Class = \"X|G|1\" ID = 1 Key = 1\n" +
                Attribute("ID = 1 Type = Integer Access = Write-Only Value = *\"CI\"") +
                "  End Group\n"),
         4, "is write-only"},
        {Around(Group(Attribute("ID = 1 Type = Integer Value = *\"CORVANEDI\""))), 5,
         "refers to path \"CORVANEDI\", which the component does not define"},
        {Around(Group(Attribute("ID = 1 Type = Integer"))), 5, "has no Value"},
        {Around(Group(Attribute("ID = 1 Type = Integer Access = Write-Only Value = 3"))), 5,
         "write-only attribute takes no value"},
        // Values that do not fit their type.
        {Around(Group(Attribute("ID = 1 Type = String(4) Value = \"12345\""))), 5,
         "5 bytes long; its type allows 4"},
        {Around(Group(Attribute("ID = 1 Type = String(4) Value = \"表表表\""))), 5, "6 bytes long"},
        {Around(Group(Attribute("ID = 1 Type = Integer Value = \"7\""))), 5, "must be a number"},
        {Around(Group(Attribute("ID = 1 Type = Date Value = 19990101"))), 5, "must be a string"},
        {Around(Group(Attribute("ID = 1 Type = Counter Value = -1"))), 5,
         "outside 0 to 4294967295"},
        {Around(Group(Attribute("ID = 1 Type = Integer Value = -2147483649"))), 5, "outside"},
        {Around(Group(Attribute("ID = 1 Type = Date Value = \"19990101000000.000000+540 \""))), 5,
         "at most 25 characters"},
        {Around(Group(Attribute("ID = 1 Type = String(0) Value = \"\""))), 5, "must be 1 to"},
        // Enumerations.
        {Around(Group(Attribute("ID = 1 Type = Start Enum 1 = \"On\" End Enum Value = \"Off\""))),
         5, "\"Off\" is not in its enumeration"},
        {Around(Group(Attribute("ID = 1 Type = Start Enum 1 = \"On\" End Enum Value = 2"))), 5,
         "2 is not in its enumeration"},
        {Around(Group(
             Attribute("ID = 1 Type = Start Enum 1 = \"On\"\n = \"Off\" End Enum Value = 1"))),
         6, "enumeration entry without its value"},
        {Around(Group(
             Attribute("ID = 1 Type = Start Enum 1 = \"On\" 1 = \"Off\" End Enum Value = 1"))),
         5, "value 1 is given twice"},
        {Around(Group(Attribute("ID = 1 Type = \"Switch\" Value = 1"))), 5,
         "\"Switch\", which is no enumeration"},
        {Around("  Start Enum 1 = \"On\" End Enum\n" + Group(oneInteger)), 4, "needs a Name"},
        // Tables.
        {Around(driveTemplate + "  Start Table Name = \"T\" ID = 2 Class = \"X|T|1\"\n"
                                "    {1, \"a\", 3}\n  End Table\n"),
         9, "the row has 3 values, but the template of table \"T\" has only 2"},
        {Around(driveTemplate + "  Start Table Name = \"T\" ID = 2 Class = \"X|T|1\"\n"
                                "    {1, \"a\"}\n    {2}\n  End Table\n"),
         10, "gives no value for attribute \"Text\" (ID 2) and its template has no default"},
        {Around(driveTemplate + "  Start Table Name = \"T\" ID = 2 Class = \"X|T|1\"\n"
                                "    {1, \"a\"}\n    {1, \"b\"}\n  End Table\n"),
         10, "same key as the row on line 9"},
        {Around(driveTemplate + "  Start Table Name = \"T\" ID = 2 Class = \"X|T|1\"\n"
                                "    {, \"a\"}\n  End Table\n"),
         9, "no default"},
        {Around(driveTemplate +
                "  Start Table Name = \"T\" ID = 2 Class = \"X|T|2\"\n  End Table\n"),
         8, "no template group"},
        {Around(driveTemplate + "  Start Table Name = \"T\" ID = 2 Class = \"X|T|1\"\n"
                                "    {1 \"a\"}\n  End Table\n"),
         9, "expected ',' or '}'"},
    };
    for (const Case& c : cases) {
        MifComponent component;
        component.name = "left over";
        MifParseError error;
        EXPECT_FALSE(ParseMif(c.text.data(), c.text.size(), &component, &error)) << c.text;
        EXPECT_EQ(c.line, error.line) << c.text << error.message;
        EXPECT_NE(std::string::npos, error.message.find(c.message))
            << c.text << "\nmessage: " << error.message;
        EXPECT_TRUE(component.name.empty());
    }
}

TEST(MifParser, NamesAndReferencesMayComeBeforeTheirDefinition) {
    // The value refers to a path and the type to an enumeration defined
    // later; the table comes before its template.
    const std::string text =
        "start component name = \"C\"\n"
        "  start table name = \"T\" id = 5 class = \"X|T|1\" {\"a\", 2} {\"b\"} end table\n"
        "  start group name = \"G\" class = \"X|G|1\" id = 1\n"
        "    start attribute name = \"A\" id = 1 type = \"Switch\" value = *\"CI\" end attribute\n"
        "  end group\n"
        "  start group name = \"T\" class = \"X|T|1\" key = 1\n"
        "    start attribute name = \"K\" id = 1 type = string(1) end attribute\n"
        "    start attribute name = \"V\" id = 2 type = \"Switch\" value = \"Off\" end attribute\n"
        "  end group\n"
        "  start enum name = \"Switch\" 1 = \"On\" 2 = \"Off\" end enum\n"
        "  start path name = \"CI\" win32 = direct-interface end path\n"
        "end component\n";
    MifComponent c;
    MifParseError error;
    ASSERT_TRUE(ParseMif(text.data(), text.size(), &c, &error))
        << error.line << ": " << error.message;
    ASSERT_EQ(2u, c.groups.size());
    EXPECT_EQ(5u, c.groups[0].id);  // file order: the table first
    EXPECT_EQ(2u, c.groups[0].rows[1][1].number);
    EXPECT_EQ(2u, c.groups[1].attributes[0].enumEntries.size());
}

// A template whose 60000-byte default is copied into `rows` rows.
std::string CopiedDefaults(int rows) {
    std::string text =
        "Start Component Name = \"C\"\n"
        "  Start Group Name = \"T\" Class = \"X|T|1\" Key = 1\n"
        "    Start Attribute Name = \"K\" ID = 1 Type = Integer End Attribute\n"
        "    Start Attribute Name = \"V\" ID = 2 Type = String(60000) Value = \"" +
        std::string(60000, 'v') +
        "\" End Attribute\n"
        "  End Group\n"
        "  Start Table Name = \"T\" ID = 1 Class = \"X|T|1\"\n";
    for (int row = 1; row <= rows; ++row) {
        text += "{" + std::to_string(row) + "}\n";
    }
    return text + "  End Table\nEnd Component\n";
}

TEST(MifParser, AFileThatGrowsTooLargeOnceExpandedIsRefused) {
    // A few kilobytes that would expand to 36 MB: refused at the row that
    // crosses the bound, instead of exhausting the memory.
    MifComponent c;
    MifParseError error;
    const std::string huge = CopiedDefaults(600);
    EXPECT_FALSE(ParseMif(huge.data(), huge.size(), &c, &error));
    EXPECT_NE(std::string::npos, error.message.find("grows too large")) << error.message;
    EXPECT_GT(error.line, 500);
    const std::string large = CopiedDefaults(100);
    ASSERT_TRUE(ParseMif(large.data(), large.size(), &c, &error)) << error.message;
    EXPECT_EQ(100u, c.groups[0].rows.size());
}

TEST(MifParser, EveryCutOfAGoodFileFailsCleanly) {
    const std::string text = kDemoMif;
    for (size_t length = 0; length < text.size(); ++length) {
        // Only the cut of the final line end still holds the whole component.
        MifComponent c;
        MifParseError error;
        if (ParseMif(text.data(), length, &c, &error)) {
            ASSERT_EQ(text.size() - 1, length);
        } else {
            ASSERT_GE(error.line, 1) << length;
            ASSERT_FALSE(error.message.empty()) << length;
        }
    }
}

}  // namespace
