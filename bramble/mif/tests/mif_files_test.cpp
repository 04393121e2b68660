#include "bramble/mif/mif_files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace bramble {
namespace {

// A fresh DMI installation folder with db\mifs (and, on request, its backup
// folder) under the temp folder, removed afterwards.
class MifFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(sizeof temp, temp));
        static int serial = 0;
        dir_ = std::string(temp) + "mifgen" + std::to_string(GetCurrentProcessId()) + "_" +
               std::to_string(++serial);
        ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((dir_ + "\\db").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(Mifs().c_str(), nullptr));
    }
    void TearDown() override
    {
        RemoveTree(dir_);
    }

    std::string Mifs() const
    {
        return dir_ + "\\db\\mifs";
    }
    std::string Proto() const
    {
        return Mifs() + "\\pcmif.corvane";
    }
    std::string Mif() const
    {
        return Mifs() + "\\pcmif.mif";
    }
    std::string Backup() const
    {
        return Mifs() + "\\backup";
    }

    static void RemoveTree(const std::string& d)
    {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((d + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::string name = fd.cFileName;
                if (name == "." || name == "..")
                    continue;
                std::string full = d + "\\" + name;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(full);
                } else {
                    SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(full.c_str());
                }
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(d.c_str());
    }

    static void Write(const std::string& file, const std::string& text)
    {
        HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h) << file;
        DWORD put = 0;
        ASSERT_TRUE(WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &put, nullptr));
        CloseHandle(h);
        ASSERT_EQ(text.size(), put);
    }

    static bool Exists(const std::string& file)
    {
        return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    static std::string Read(const std::string& file)
    {
        HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return "<missing>";
        std::string text(GetFileSize(h, nullptr), '\0');
        DWORD got = 0;
        if (!text.empty())
            ReadFile(h, &text[0], static_cast<DWORD>(text.size()), &got, nullptr);
        CloseHandle(h);
        text.resize(got);
        return text;
    }

    std::string dir_;
};

const char kProto[] =
    "Start Component\n**OPTIONAL_INSERT_IRQ**irq %%REPLACE_FANA_SUPPORT%%\n"
    "**OPTIONAL_INSERT_IRQ**End Component\n";

TEST_F(MifFiles, GeneratesOnceThenLeavesTheMifAlone)
{
    Write(Proto(), kProto);
    MifInputs in;
    MifRunResult r = RunMifGeneration(dir_, in);
    EXPECT_EQ(MifRunOutcome::kGenerated, r.outcome);
    EXPECT_EQ(1, r.Result());
    EXPECT_EQ(0, MifMessageId(r));
    EXPECT_EQ("Start Component\nirq unsupported\nEnd Component\n", Read(Mif()));
    EXPECT_FALSE(Exists(Proto()));
    EXPECT_EQ(kProto, Read(Backup() + "\\pcmif.corvane"));
    EXPECT_TRUE(MifGenerationDone(dir_));

    // A second start, with other inputs and a new proto-MIF in place, changes nothing.
    Write(Proto(), "other");
    in.windowsNt = true;
    r = RunMifGeneration(dir_, in);
    EXPECT_EQ(MifRunOutcome::kAlreadyDone, r.outcome);
    EXPECT_EQ(1, r.Result());
    EXPECT_EQ("Start Component\nirq unsupported\nEnd Component\n", Read(Mif()));
    EXPECT_EQ("other", Read(Proto()));
}

TEST(MifDmiDir, ReadsTheServiceLayersInstallationFolder)
{
    // The desk's registry carries the service layer's key.
    EXPECT_EQ("C:\\DMI", MifDmiDir());
}

TEST_F(MifFiles, EitherBackupFileMarksTheGenerationDone)
{
    EXPECT_FALSE(MifGenerationDone(dir_));
    ASSERT_TRUE(CreateDirectoryA(Backup().c_str(), nullptr));
    EXPECT_FALSE(MifGenerationDone(dir_));
    Write(Backup() + "\\pcmif.mif", "");
    EXPECT_TRUE(MifGenerationDone(dir_));
    Write(Proto(), kProto);
    EXPECT_EQ(MifRunOutcome::kAlreadyDone, RunMifGeneration(dir_, MifInputs()).outcome);
    EXPECT_FALSE(Exists(Mif()));
    EXPECT_TRUE(Exists(Proto()));
    // A folder of that name is not a file that opens.
    DeleteFileA((Backup() + "\\pcmif.mif").c_str());
    ASSERT_TRUE(CreateDirectoryA((Backup() + "\\pcmif.mif").c_str(), nullptr));
    EXPECT_FALSE(MifGenerationDone(dir_));
}

TEST_F(MifFiles, FileErrorsGiveTheMessageOfTheirCause)
{
    // No proto-MIF.
    MifRunResult r = RunMifGeneration(dir_, MifInputs());
    EXPECT_EQ(MifRunOutcome::kFileError, r.outcome);
    EXPECT_EQ(0, r.Result());
    EXPECT_EQ(115, MifMessageId(r));

    // A MIF that another program holds open.
    Write(Proto(), kProto);
    HANDLE held =
        CreateFileA(Mif().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    r = RunMifGeneration(dir_, MifInputs());
    CloseHandle(held);
    EXPECT_EQ(MifFileCause::kSharingViolation, r.cause);
    EXPECT_EQ(122, MifMessageId(r));
    EXPECT_TRUE(Exists(Proto()));

    // A folder where the MIF should be cannot be replaced.
    ASSERT_TRUE(DeleteFileA(Mif().c_str()));
    ASSERT_TRUE(CreateDirectoryA(Mif().c_str(), nullptr));
    r = RunMifGeneration(dir_, MifInputs());
    EXPECT_EQ(118, MifMessageId(r));
    EXPECT_TRUE(Exists(Proto()));
    ASSERT_TRUE(RemoveDirectoryA(Mif().c_str()));

    // An installation folder whose paths do not fit.
    r = RunMifGeneration(dir_ + "\\" + std::string(300, 'd'), MifInputs());
    EXPECT_EQ(MifFileCause::kBadPath, r.cause);
    EXPECT_EQ(116, MifMessageId(r));

    // A proto-MIF too big to be one is refused before it is read.
    Write(Proto(), std::string(kMaxProtoMifBytes + 1, ' '));
    r = RunMifGeneration(dir_, MifInputs());
    EXPECT_EQ(114, MifMessageId(r));
    EXPECT_TRUE(Exists(Proto()));
}

TEST_F(MifFiles, BadProtoMifFailsAndStaysInPlace)
{
    Write(Proto(), "a**OPTIONAL_INSERT_SERIAL_PORT**b**OPTIONAL_INSERT_IRQ**c");
    MifRunResult r = RunMifGeneration(dir_, MifInputs());
    EXPECT_EQ(MifRunOutcome::kBadProtoMif, r.outcome);
    EXPECT_EQ(MifGenStatus::kWrongClosingMarker, r.generation.status);
    EXPECT_EQ(0, r.Result());
    EXPECT_EQ(0, MifMessageId(r));
    EXPECT_TRUE(Exists(Proto()));
    EXPECT_FALSE(MifGenerationDone(dir_));

    Write(Proto(), "a**OPTIONAL_INSERT_SYSTEM_HEALTH**" + std::string(60000, 'x'));
    r = RunMifGeneration(dir_, MifInputs());
    EXPECT_EQ(MifGenStatus::kSectionTooLong, r.generation.status);
    EXPECT_EQ(2000, MifMessageId(r));
    EXPECT_TRUE(Exists(Proto()));
}

}  // namespace
}  // namespace bramble
