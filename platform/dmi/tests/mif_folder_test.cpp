#include "platform/dmi/mif_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dmi/mif_database.h"
#include "platform/dmi/tests/mif_samples.h"

namespace {

// A fresh folder of its own under the temporary folder, removed afterwards.
class MifFolder : public testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        const DWORD n = GetTempPathA(sizeof temp, temp);
        ASSERT_TRUE(n > 0 && n < sizeof temp);
        folder_ = std::string(temp) + "mifdb" + std::to_string(GetCurrentProcessId()) + "_" +
                  testing::UnitTest::GetInstance()->current_test_info()->name();
        RemoveAll();
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    }

    void TearDown() override { RemoveAll(); }

    std::string PathOf(const std::string& name) const { return folder_ + "\\" + name; }

    void Write(const std::string& name, const std::string& text) {
        HANDLE file = CreateFileA(PathOf(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file) << name;
        DWORD written = 0;
        ASSERT_TRUE(
            WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr));
        CloseHandle(file);
    }

    // Moves the file's last-write time by `ticks` (100 ns each).
    void Touch(const std::string& name, int64_t ticks) {
        HANDLE file = CreateFileA(PathOf(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        FILETIME created, accessed, written;
        ASSERT_TRUE(GetFileTime(file, &created, &accessed, &written));
        ULARGE_INTEGER time;
        time.LowPart = written.dwLowDateTime;
        time.HighPart = written.dwHighDateTime;
        time.QuadPart += ticks;
        written.dwLowDateTime = time.LowPart;
        written.dwHighDateTime = time.HighPart;
        ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
        CloseHandle(file);
    }

    void RemoveAll() {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(PathOf("*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                    if (name != "." && name != "..") {
                        RemoveDirectoryA(PathOf(name).c_str());
                    }
                } else {
                    DeleteFileA(PathOf(name).c_str());
                }
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder_.c_str());
    }

    std::vector<uint32_t> AllIds(const MifDatabase& db) {
        std::vector<uint32_t> ids;
        bool more = false;
        db.ListComponents(nullptr, 0, 100, &ids, &more);
        return ids;
    }

    std::string folder_;
};

TEST_F(MifFolder, LoadsEveryGoodMifAndKeepsTheErrorsOfTheOthers) {
    Write("pcmif.mif", kPcMif);
    Write("Vendor.MIF", OneGroupMif("Vendor", "DMTF|Lanternfish|1.0"));
    Write("broken.mif", "Start Component\n  Name = \"Broken\"\n  Start Group\nEnd Component\n");
    std::string big = OneGroupMif("Big", "X|Big|1");
    big += std::string(kMaxMifFileSize, ' ');
    Write("big.mif", big);
    Write("notes.txt", OneGroupMif("Notes", "X|Notes|1"));
    Write("pcmif.mifold", OneGroupMif("Old", "X|Old|1"));
    ASSERT_TRUE(CreateDirectoryA(PathOf("dir.mif").c_str(), nullptr));

    MifDatabase db;
    ASSERT_TRUE(db.LoadFolder(folder_));
    EXPECT_EQ(2u, db.ComponentCount());
    const std::string vendorClass = "DMTF|Lanternfish|1.0";
    std::vector<uint32_t> ids;
    bool more = false;
    db.ListComponents(&vendorClass, 0, 10, &ids, &more);
    EXPECT_EQ(1u, ids.size());
    // Errors in name order: big.mif before broken.mif.
    ASSERT_EQ(2u, db.LoadErrors().size());
    EXPECT_EQ("big.mif", db.LoadErrors()[0].fileName);
    EXPECT_NE(std::string::npos, db.LoadErrors()[0].message.find("larger than"));
    EXPECT_EQ("broken.mif", db.LoadErrors()[1].fileName);
    EXPECT_EQ(4, db.LoadErrors()[1].line);
    EXPECT_FALSE(db.FolderChanged());

    // A file of exactly the largest size still loads.
    big.resize(kMaxMifFileSize);
    Write("big.mif", big);
    EXPECT_TRUE(db.FolderChanged());
    ASSERT_TRUE(db.LoadFolder(folder_));
    EXPECT_EQ(3u, db.ComponentCount());
    EXPECT_EQ(1u, db.LoadErrors().size());
}

TEST_F(MifFolder, NoticesChangesAndKeepsIdsOnReload) {
    Write("b.mif", OneGroupMif("B", "X|B|1"));
    Write("c.mif", OneGroupMif("C", "X|C|1"));
    MifDatabase db;
    EXPECT_FALSE(db.FolderChanged());  // nothing loaded yet
    ASSERT_TRUE(db.LoadFolder(folder_));
    const std::vector<uint32_t> before = AllIds(db);
    ASSERT_EQ(2u, before.size());
    EXPECT_FALSE(db.FolderChanged());

    Write("a.mif", OneGroupMif("A", "X|A|1"));
    EXPECT_TRUE(db.FolderChanged());
    ASSERT_TRUE(db.LoadFolder(folder_));
    EXPECT_FALSE(db.FolderChanged());
    const std::vector<uint32_t> after = AllIds(db);
    ASSERT_EQ(3u, after.size());
    EXPECT_EQ(before[0], after[0]);
    EXPECT_EQ(before[1], after[1]);
    std::string name;
    ASSERT_EQ(MifStatus::kOk, db.ComponentName(after[2], &name));
    EXPECT_EQ("A", name);

    // Same size, other write time; then a removal.
    Touch("b.mif", 10 * 1000 * 1000);
    EXPECT_TRUE(db.FolderChanged());
    ASSERT_TRUE(db.LoadFolder(folder_));
    ASSERT_TRUE(DeleteFileA(PathOf("c.mif").c_str()));
    EXPECT_TRUE(db.FolderChanged());
    ASSERT_TRUE(db.LoadFolder(folder_));
    EXPECT_EQ(2u, db.ComponentCount());
}

TEST_F(MifFolder, AMissingFolderEmptiesTheDatabase) {
    Write("a.mif", OneGroupMif("A", "X|A|1"));
    MifDatabase db;
    ASSERT_TRUE(db.LoadFolder(folder_));
    EXPECT_EQ(1u, db.ComponentCount());
    RemoveAll();
    EXPECT_TRUE(db.FolderChanged());
    EXPECT_FALSE(db.LoadFolder(folder_));
    EXPECT_EQ(0u, db.ComponentCount());
    ASSERT_EQ(1u, db.LoadErrors().size());
    EXPECT_EQ(folder_, db.LoadErrors()[0].fileName);
    EXPECT_FALSE(db.FolderChanged());

    // Comes back empty, then with its file.
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    EXPECT_TRUE(db.FolderChanged());
    ASSERT_TRUE(db.LoadFolder(folder_));
    EXPECT_EQ(0u, db.ComponentCount());
    EXPECT_TRUE(db.LoadErrors().empty());
    Write("a.mif", OneGroupMif("A", "X|A|1"));
    ASSERT_TRUE(db.LoadFolder(folder_));
    EXPECT_EQ(1u, db.ComponentCount());

    MifFolderSignature signature;
    std::string error;
    EXPECT_FALSE(ListMifFolder(std::string(MAX_PATH, 'x'), &signature, &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
