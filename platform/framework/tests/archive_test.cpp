#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework/archive.h"

namespace {

using fw::CArchive;
using Status = CArchive::Status;
using Bytes = std::vector<BYTE>;

// Expected encodings are put together byte by byte here, apart from the archive.
void PutWord(Bytes& b, WORD v)
{
    b.push_back(static_cast<BYTE>(v & 0xFF));
    b.push_back(static_cast<BYTE>(v >> 8));
}
void PutDword(Bytes& b, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<BYTE>(v >> (8 * i)));
}
void PutText(Bytes& b, const char* s)
{
    b.insert(b.end(), s, s + std::strlen(s));
}

class Point : public fw::CObject {
public:
    static const fw::CSerialClass cls;
    const fw::CSerialClass* SerialClass() const override { return &cls; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << x << y;
        else
            ar >> x >> y;
    }
    LONG x = 0, y = 0;
};
const fw::CSerialClass Point::cls = {"Point", 1, fw::CreateSerialObject<Point>};

// A named list of objects; items may be null, shared or other folders.
class Folder : public fw::CObject {
public:
    static const fw::CSerialClass cls;
    const fw::CSerialClass* SerialClass() const override { return &cls; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << name;
            ar.WriteCount(static_cast<DWORD>(items.size()));
            for (auto& item : items)
                ar.WriteObject(item.get());
            return;
        }
        ar >> name;
        DWORD count = 0;
        if (!ar.ReadCount(count, 2))   // every object takes at least its tag
            return;
        for (DWORD i = 0; i < count && ar.Ok(); ++i)
            items.push_back(ar.ReadObject());
    }
    std::string name;
    std::vector<std::shared_ptr<fw::CObject>> items;
};
const fw::CSerialClass Folder::cls = {"Folder", 0, fw::CreateSerialObject<Folder>};

// Shaped like the health monitor's limits file: thirteen (low, high) pairs and a flag.
class CSystemHealthMgr : public fw::CObject {
public:
    static const fw::CSerialClass cls;
    const fw::CSerialClass* SerialClass() const override { return &cls; }
    void Serialize(CArchive& ar) override
    {
        for (auto& pair : limits) {
            if (ar.IsStoring())
                ar << pair[0] << pair[1];
            else
                ar >> pair[0] >> pair[1];
        }
        if (ar.IsStoring())
            ar << defaults;
        else
            ar >> defaults;
    }
    LONG limits[13][2] = {};
    LONG defaults = 0;
};
const fw::CSerialClass CSystemHealthMgr::cls = {"CSystemHealthMgr", 0, fw::CreateSerialObject<CSystemHealthMgr>};

class Archive : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fw::RegisterSerialClass(Point::cls));
        ASSERT_TRUE(fw::RegisterSerialClass(Folder::cls));
        ASSERT_TRUE(fw::RegisterSerialClass(CSystemHealthMgr::cls));
    }
};
// Grouped: the data the archive carries, objects, and archives that must be refused.
using ArchiveData = Archive;
using ArchiveObjects = Archive;
using ArchiveFaults = Archive;

TEST_F(ArchiveData, PrimitivesAreLittleEndianAndComeBack)
{
    CArchive out;
    out << static_cast<BYTE>(0xAB) << static_cast<WORD>(0x1234) << static_cast<DWORD>(0x89ABCDEF)
        << static_cast<LONG>(-2) << -123456 << static_cast<short>(-300) << 4000000000u;
    Bytes want{0xAB};
    PutWord(want, 0x1234);
    PutDword(want, 0x89ABCDEF);
    PutDword(want, 0xFFFFFFFE);
    PutDword(want, static_cast<DWORD>(-123456));
    PutWord(want, static_cast<WORD>(-300));
    PutDword(want, 4000000000u);
    EXPECT_EQ(out.Data(), want);

    CArchive in(want.data(), want.size());
    BYTE b = 0; WORD w = 0; DWORD d = 0; LONG l = 0; int i = 0; short s = 0; UINT u = 0;
    in >> b >> w >> d >> l >> i >> s >> u;
    ASSERT_TRUE(in.Ok());
    EXPECT_EQ(b, 0xAB);
    EXPECT_EQ(w, 0x1234);
    EXPECT_EQ(d, 0x89ABCDEFu);
    EXPECT_EQ(l, -2);
    EXPECT_EQ(i, -123456);
    EXPECT_EQ(s, -300);
    EXPECT_EQ(u, 4000000000u);
    EXPECT_TRUE(in.IsAtEnd());
    // One read too many fails and leaves zero.
    in >> w;
    EXPECT_EQ(in.GetStatus(), Status::endOfData);
    EXPECT_EQ(w, 0);
}

TEST_F(ArchiveData, StringLengthsAtTheirBoundaries)
{
    struct Case { DWORD length; Bytes prefix; };
    std::vector<Case> cases = {
        {0, {0x00}}, {0xFE, {0xFE}}, {0xFF, {0xFF, 0xFF, 0x00}}, {0xFFFE, {0xFF, 0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}}, {0x10000, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        std::string text(c.length, 'x');
        if (c.length)
            text.back() = 'z';
        CArchive out;
        out << text;
        ASSERT_EQ(out.Data().size(), c.prefix.size() + c.length);
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), out.Data().begin()));

        CArchive in(out.Data().data(), out.Data().size());
        std::string back = "old";
        in >> back;
        EXPECT_TRUE(in.Ok());
        EXPECT_EQ(back, text);
        EXPECT_TRUE(in.IsAtEnd());
    }
}

TEST_F(ArchiveData, JapaneseTextKeepsItsBytes)
{
    CArchive out;
    out << "監視ﾃｽﾄ";
    const Bytes want{0x07, 0x8A, 0xC4, 0x8E, 0x8B, 0xC3, 0xBD, 0xC4};
    EXPECT_EQ(out.Data(), want);

    CArchive in(want.data(), want.size());
    char fits[8];
    EXPECT_TRUE(in.ReadString(fits, sizeof fits));
    EXPECT_STREQ(fits, "監視ﾃｽﾄ");

    // A buffer one byte short for the NUL is refused and left as it was.
    CArchive again(want.data(), want.size());
    char small[7] = "keepme";
    EXPECT_FALSE(again.ReadString(small, sizeof small));
    EXPECT_EQ(again.GetStatus(), Status::badCount);
    EXPECT_STREQ(small, "keepme");
}

TEST_F(ArchiveData, CountsEscapeAtFFFFAndMustFitTheBytesLeft)
{
    CArchive out;
    out.WriteCount(0xFFFE);
    out.WriteCount(0xFFFF);
    Bytes want;
    PutWord(want, 0xFFFE);
    PutWord(want, 0xFFFF);
    PutDword(want, 0xFFFF);
    EXPECT_EQ(out.Data(), want);

    // Followed by exactly enough bytes for 0xFFFE one-byte items, then not enough for two-byte ones.
    Bytes data = want;
    data.resize(data.size() + 0xFFFE - 6, 0);
    CArchive in(data.data(), data.size());
    DWORD count = 0;
    EXPECT_TRUE(in.ReadCount(count, 1));
    EXPECT_EQ(count, 0xFFFEu);
    EXPECT_FALSE(in.ReadCount(count, 2));
    EXPECT_EQ(in.GetStatus(), Status::badCount);
    EXPECT_EQ(count, 0xFFFEu);
}

TEST_F(ArchiveObjects, ObjectsTakeClassTagsAndBackReferences)
{
    auto first = std::make_shared<Point>();
    first->x = 1; first->y = -1;
    auto second = std::make_shared<Point>();
    second->x = 2; second->y = 3;
    Folder folder;
    folder.name = "机";
    folder.items = {first, second, nullptr, first};

    CArchive out;
    out.WriteObject(&folder);
    ASSERT_TRUE(out.Ok());
    // Folder is class 1 and object 2, Point class 3 and object 4, the second Point object 5.
    Bytes want;
    PutWord(want, 0xFFFF); PutWord(want, 0); PutWord(want, 6); PutText(want, "Folder");
    want.push_back(2); PutText(want, "机");
    PutWord(want, 4);
    PutWord(want, 0xFFFF); PutWord(want, 1); PutWord(want, 5); PutText(want, "Point");
    PutDword(want, 1); PutDword(want, 0xFFFFFFFF);
    PutWord(want, 0x8003);
    PutDword(want, 2); PutDword(want, 3);
    PutWord(want, 0);
    PutWord(want, 4);
    EXPECT_EQ(out.Data(), want);

    CArchive in(want.data(), want.size());
    std::shared_ptr<Folder> back;
    ASSERT_TRUE(in.ReadObject(back, &Folder::cls));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, "机");
    ASSERT_EQ(back->items.size(), 4u);
    auto p0 = std::dynamic_pointer_cast<Point>(back->items[0]);
    auto p1 = std::dynamic_pointer_cast<Point>(back->items[1]);
    ASSERT_TRUE(p0 && p1);
    EXPECT_EQ(p0->y, -1);
    EXPECT_EQ(p1->x, 2);
    EXPECT_EQ(p1->y, 3);
    EXPECT_FALSE(back->items[2]);
    EXPECT_EQ(back->items[3], back->items[0]);   // the same object, not a copy
    EXPECT_TRUE(in.IsAtEnd());
}

TEST_F(ArchiveObjects, HealthLimitsFileIsByteExact)
{
    CSystemHealthMgr mgr;
    for (int i = 0; i < 13; ++i) {
        mgr.limits[i][0] = 10 * i + 1;
        mgr.limits[i][1] = -(10 * i + 2);
    }
    mgr.defaults = 1;
    CArchive out;
    out.WriteObject(&mgr);

    // New-class tag, schema 0, name length 16, the name, then 27 words: each pair low first, then the flag.
    Bytes want;
    PutWord(want, 0xFFFF);
    PutWord(want, 0);
    PutWord(want, 16);
    PutText(want, "CSystemHealthMgr");
    for (int i = 0; i < 13; ++i) {
        PutDword(want, static_cast<DWORD>(10 * i + 1));
        PutDword(want, static_cast<DWORD>(-(10 * i + 2)));
    }
    PutDword(want, 1);
    ASSERT_EQ(want.size(), 130u);
    EXPECT_EQ(out.Data(), want);

    char dir[MAX_PATH], path[MAX_PATH];
    ASSERT_NE(::GetTempPathA(sizeof dir, dir), 0u);
    ASSERT_NE(::GetTempFileNameA(dir, "arc", 0, path), 0u);
    ASSERT_TRUE(out.WriteToFile(path));
    CArchive in;
    ASSERT_TRUE(in.ReadFromFile(path));
    ::DeleteFileA(path);
    std::shared_ptr<CSystemHealthMgr> back;
    ASSERT_TRUE(in.ReadObject(back, &CSystemHealthMgr::cls));
    ASSERT_TRUE(back);
    EXPECT_EQ(std::memcmp(back->limits, mgr.limits, sizeof mgr.limits), 0);
    EXPECT_EQ(back->defaults, 1);
    EXPECT_TRUE(in.IsAtEnd());

    CArchive missing;
    EXPECT_FALSE(missing.ReadFromFile(path));
    EXPECT_EQ(missing.GetStatus(), Status::fileError);
    EXPECT_EQ(missing.FileError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(ArchiveFaults, EveryTruncationFailsAndKeepsTheCallersObject)
{
    auto shared = std::make_shared<Point>();
    auto inner = std::make_shared<Folder>();
    inner->name = std::string(300, 'n');   // a string with the WORD length
    inner->items = {shared, std::make_shared<CSystemHealthMgr>()};
    Folder outer;
    outer.name = "外";
    outer.items = {inner, shared, nullptr, std::make_shared<Point>()};
    CArchive out;
    out.WriteObject(&outer);
    const Bytes& data = out.Data();

    for (size_t length = 0; length < data.size(); ++length) {
        SCOPED_TRACE(length);
        CArchive in(data.data(), length);
        auto kept = std::make_shared<Folder>();
        std::shared_ptr<Folder> target = kept;
        EXPECT_FALSE(in.ReadObject(target, &Folder::cls));
        EXPECT_FALSE(in.Ok());
        EXPECT_EQ(target, kept);
    }
    CArchive whole(data.data(), data.size());
    std::shared_ptr<Folder> target;
    EXPECT_TRUE(whole.ReadObject(target, &Folder::cls));
    ASSERT_TRUE(target && target->items.size() == 4);
    EXPECT_EQ(std::dynamic_pointer_cast<Folder>(target->items[0])->items[0], target->items[1]);
}

TEST_F(ArchiveFaults, MalformedArchivesFailWithTheirCause)
{
    auto load = [](const Bytes& b) {
        CArchive in(b.data(), b.size());
        in.ReadObject();
        return in.GetStatus();
    };
    auto newClass = [](WORD schema, const char* name) {
        Bytes b;
        PutWord(b, 0xFFFF); PutWord(b, schema); PutWord(b, static_cast<WORD>(std::strlen(name))); PutText(b, name);
        return b;
    };

    Bytes unknown = newClass(0, "CNoSuchThing");
    PutDword(unknown, 0);
    EXPECT_EQ(load(unknown), Status::unknownClass);
    EXPECT_EQ(load(newClass(2, "Point")), Status::badSchema);

    Bytes nameTooLong;
    PutWord(nameTooLong, 0xFFFF); PutWord(nameTooLong, 1); PutWord(nameTooLong, 200); PutText(nameTooLong, "Point");
    EXPECT_EQ(load(nameTooLong), Status::badCount);

    // Class and object indexes that are not known yet, or of the wrong kind.
    EXPECT_EQ(load({0x01, 0x80}), Status::badIndex);
    EXPECT_EQ(load({0x01, 0x00}), Status::badIndex);
    EXPECT_EQ(load({0xFF, 0x7F, 0x05, 0x00, 0x00, 0x80}), Status::badIndex);
    Bytes folderThenClassAsObject = newClass(0, "Folder");
    folderThenClassAsObject.push_back(0);
    PutWord(folderThenClassAsObject, 1);
    PutWord(folderThenClassAsObject, 1);   // index 1 is the Folder class, not an object
    EXPECT_EQ(load(folderThenClassAsObject), Status::badIndex);
    Bytes folderRefersToItself = newClass(0, "Folder");
    folderRefersToItself.push_back(0);
    PutWord(folderRefersToItself, 1);
    PutWord(folderRefersToItself, 0x8002);   // index 2 is the folder object, not a class
    EXPECT_EQ(load(folderRefersToItself), Status::badIndex);

    // A count the bytes left cannot hold, and a string length past the end.
    Bytes manyItems = newClass(0, "Folder");
    manyItems.push_back(0);
    PutWord(manyItems, 0xFFFF); PutDword(manyItems, 0x40000000); PutWord(manyItems, 0);
    EXPECT_EQ(load(manyItems), Status::badCount);
    Bytes longName = newClass(0, "Folder");
    longName.insert(longName.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F});
    EXPECT_EQ(load(longName), Status::badCount);

    // A wrong class where the caller expects another.
    Bytes point = newClass(1, "Point");
    PutDword(point, 0); PutDword(point, 0);
    CArchive in(point.data(), point.size());
    std::shared_ptr<Folder> folder;
    EXPECT_FALSE(in.ReadObject(folder));
    EXPECT_EQ(in.GetStatus(), Status::wrongClass);

    // Folders nested far deeper than allowed end without exhausting the stack.
    Bytes deep = newClass(0, "Folder");
    for (int i = 0; i < 5000; ++i) {
        deep.push_back(0);
        PutWord(deep, 1);
        PutWord(deep, 0x8001);
    }
    EXPECT_EQ(load(deep), Status::tooDeep);
}

TEST_F(ArchiveObjects, StoringNeedsAClassAndTheRightMode)
{
    fw::CObject plain;
    CArchive out;
    out.WriteObject(&plain);
    EXPECT_EQ(out.GetStatus(), Status::notSerialisable);

    const BYTE one[] = {1};
    CArchive in(one, sizeof one);
    in << static_cast<BYTE>(2);
    EXPECT_EQ(in.GetStatus(), Status::wrongMode);
    EXPECT_EQ(in.Data().size(), 1u);

    // A second class under a taken name is refused.
    static const fw::CSerialClass impostor = {"Point", 1, fw::CreateSerialObject<Folder>};
    EXPECT_FALSE(fw::RegisterSerialClass(impostor));
    EXPECT_EQ(fw::FindSerialClass("Point"), &Point::cls);
}

}  // namespace
