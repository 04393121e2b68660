// The hardware-monitor driver as a desk runs it: started with the desk, opened
// by both names with the suite's own flags, answering from the testbed
// profile and SMBIOS table of the desk.
#include <gtest/gtest.h>

#include "harness/harness.h"
#include "platform/devices/tests/device_calls.h"
#include "platform/testbed/smbios_table.h"

using namespace devices_test;

namespace {

const char* const kNtName = "\\\\.\\CORVANEDMI";
const char* const kVxdName = "\\\\.\\VCORVANEDMID.VXD";
const char* const kProfile = "C:\\TESTBED\\machine.ini";
const char* const kTable = "C:\\TESTBED\\smbios.bin";

// A profile of our own: the desk's table, then the monitor section given.
std::string profileWith(const std::string& monitor) {
    return "[SMBIOS]\r\nTable=smbios.bin\r\n[HardwareMonitor]\r\n" + monitor;
}

const std::string kReadings =
    "IN0=24\r\nIN1=26\r\nIN2=34\r\nIN3=49\r\nIN4=121\r\nIN5=-119\r\nIN6=-51\r\n"
    "TEMP=-5\r\nFAN_A=4411\r\nFAN_B=3068\r\nFAN_C=0\r\n";

std::vector<unsigned char> dwords(std::initializer_list<unsigned long> values) {
    std::vector<unsigned char> b;
    for (unsigned long v : values)
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
    return b;
}

class HardwareMonitorDriver : public ::testing::Test {
protected:
    void SetUp() override {
        // The desk's first process starts the driver: wait until it answers.
        ASSERT_TRUE(harness::waitUntil([&] {
            device_ = openNt(kNtName);
            return device_ != INVALID_HANDLE_VALUE;
        }));
    }
    void TearDown() override {
        if (device_ != INVALID_HANDLE_VALUE) CloseHandle(device_);
    }
    void useProfile(const std::string& monitor) {
        ASSERT_TRUE(harness::writeFile(kProfile, profileWith(monitor)));
    }
    std::vector<unsigned char> tableBytes() {
        auto bytes = harness::readFile(kTable);
        EXPECT_TRUE(bytes.has_value());
        return bytes ? std::vector<unsigned char>(bytes->begin(), bytes->end())
                     : std::vector<unsigned char>();
    }

    HANDLE device_ = INVALID_HANDLE_VALUE;
};

TEST_F(HardwareMonitorDriver, BothNamesOpenWithTheSuitesFlagsAndAnswerPresence) {
    ASSERT_TRUE(GetVersion() & 0x80000000UL) << "the desk runs tests in Windows 98 mode";
    for (const char* name : {kNtName, kVxdName}) {
        for (bool nt : {false, true}) {
            HANDLE h = nt ? openNt(name) : open9x(name);
            ASSERT_NE(h, INVALID_HANDLE_VALUE) << name << (nt ? " NT open " : " 9x open ")
                                               << GetLastError();
            EXPECT_TRUE(call(h, 14, {}, 0).ok) << name;
            EXPECT_TRUE(call(h, 0x80002038, {}, 0).ok) << name;
            CloseHandle(h);
        }
    }
    // Two handles at once, as bramble and vigilo hold them.
    HANDLE second = open9x(kVxdName);
    ASSERT_NE(second, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(call(second, 9, {}, 30).ok);
    EXPECT_TRUE(call(device_, 0x80002024, {}, 30).ok);
    CloseHandle(second);
}

TEST_F(HardwareMonitorDriver, PresenceFollowsTheProfileWhileHandlesStayOpen) {
    useProfile("Present=0\r\n" + kReadings);
    for (DWORD code : {14UL, 0x80002038UL, 9UL, 0x80002024UL}) {
        auto r = call(device_, code, {}, code == 14 || code == 0x80002038 ? 0 : 30);
        EXPECT_FALSE(r.ok) << std::hex << code;
    }
    std::vector<unsigned char> configure(144, 0);
    EXPECT_FALSE(call(device_, 15, configure, 0).ok);
    // The table does not depend on the monitor.
    EXPECT_TRUE(call(device_, 11, {}, 16).ok);

    useProfile("Present=1\r\n" + kReadings);
    EXPECT_TRUE(call(device_, 14, {}, 0).ok);
    EXPECT_TRUE(call(device_, 0x80002024, {}, 30).ok);
    EXPECT_TRUE(call(device_, 0x8000203C, configure, 0).ok);

    // No profile at all: no monitor, and the driver still answers.
    ASSERT_TRUE(harness::deleteFile(kProfile));
    EXPECT_FALSE(call(device_, 14, {}, 0).ok);
    useProfile("Present=yes\r\n");
    EXPECT_TRUE(call(device_, 14, {}, 0).ok);
}

TEST_F(HardwareMonitorDriver, TableSizeAndCopyAreTheTestbedTable) {
    auto table = tableBytes();
    ASSERT_FALSE(table.empty());
    for (DWORD sizeCode : {11UL, 0x8000202CUL}) {
        DWORD copyCode = sizeCode == 11 ? 12 : 0x80002030;
        auto info = call(device_, sizeCode, {}, 16);
        ASSERT_TRUE(info.ok) << info.error;
        ASSERT_EQ(info.returned, 16u);
        EXPECT_EQ(dwordAt(info.out, 0), table.size());
        EXPECT_NE(dwordAt(info.out, 4), 0u);
        unsigned count = 0, offset = 0;
        SmbiosStructure s;
        while (smbios_next(table.data(), static_cast<unsigned>(table.size()), &offset, &s)) ++count;
        EXPECT_EQ(dwordAt(info.out, 8), count);

        auto copy = call(device_, copyCode, {}, static_cast<DWORD>(table.size()));
        ASSERT_TRUE(copy.ok) << copy.error;
        EXPECT_EQ(copy.out, table);
        // A larger buffer gets the table and no more; a smaller one nothing.
        auto larger = call(device_, copyCode, {}, static_cast<DWORD>(table.size() + 64));
        EXPECT_EQ(larger.out, table);
        auto smaller = call(device_, copyCode, {}, static_cast<DWORD>(table.size() - 1));
        EXPECT_FALSE(smaller.ok);
        EXPECT_EQ(smaller.error, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    }
}

TEST_F(HardwareMonitorDriver, LocatedStructuresTranslateIntoTheCopy) {
    auto table = tableBytes();
    auto info = call(device_, 11, {}, 16);
    ASSERT_TRUE(info.ok);
    unsigned long base = dwordAt(info.out, 4);
    const unsigned len = static_cast<unsigned>(table.size());
    // Every structure of a few types, found by index, lies where the
    // caller's own walk finds it: the pointer is 4 bytes before the header.
    for (unsigned type : {0u, 1u, 4u, 9u, 17u, 127u}) {
        unsigned index = 0;
        SmbiosStructure expected;
        for (; smbios_find(table.data(), len, type, index, &expected); ++index) {
            for (DWORD code : {13UL, 0x80002034UL}) {
                auto r = call(device_, code, dwords({type, index}), 4);
                ASSERT_TRUE(r.ok) << "type " << type << " index " << index << " " << r.error;
                unsigned long at = dwordAt(r.out, 0) + 4 - base;
                EXPECT_EQ(at, static_cast<unsigned long>(expected.data - table.data()));
                ASSERT_LT(at, table.size());
                EXPECT_EQ(table[at], type);
            }
        }
        EXPECT_GT(index, 0u) << "type " << type << " missing from the testbed table";
        auto past = call(device_, 13, dwords({type, index}), 4);
        EXPECT_FALSE(past.ok);
        EXPECT_EQ(past.error, static_cast<DWORD>(ERROR_NOT_FOUND));
    }
    EXPECT_FALSE(call(device_, 13, dwords({300, 0}), 4).ok);
    EXPECT_FALSE(call(device_, 13, dwords({0xFFFFFFFF, 0xFFFFFFFF}), 4).ok);
}

TEST_F(HardwareMonitorDriver, ReadingsCarryTheProfileAndNotReadyComesFirst) {
    useProfile("Present=1\r\nCaseOpen=1\r\nAlarmWord=0x0050\r\nUnavailableWord=0x0800\r\n"
               "NotReadyReads=2\r\n" + kReadings);
    // vigilo reads with 250 bytes; the record is 30 either way.
    for (int read = 0; read < 3; ++read) {
        auto r = call(device_, read == 1 ? 0x80002024 : 9, {}, 250);
        ASSERT_TRUE(r.ok) << r.error;
        ASSERT_EQ(r.returned, 30u);
        EXPECT_EQ(wordAt(r.out, 26), read < 2 ? 0xFFFFu : 0x0050u) << read;
        EXPECT_EQ(wordAt(r.out, 28), read < 2 ? 0xFFFFu : 0x0800u) << read;
        if (read < 2) continue;
        const int expected[11] = {24, 26, 34, 49, 121, -119, -51, -5, 4411, 3068, 0};
        for (int i = 0; i < 11; ++i)
            EXPECT_EQ(static_cast<short>(wordAt(r.out, 2 * i)), expected[i]) << i;
        EXPECT_EQ(dwordAt(r.out, 22), 1UL << 28);
    }
    // A rewritten profile counts its not-ready reads anew.
    useProfile("Present=1\r\nNotReadyReads=1\r\n" + kReadings);
    EXPECT_EQ(wordAt(call(device_, 9, {}, 30).out, 26), 0xFFFFu);
    auto after = call(device_, 9, {}, 30);
    EXPECT_EQ(wordAt(after.out, 26), 0u);
    EXPECT_EQ(dwordAt(after.out, 22), 0u);
}

TEST_F(HardwareMonitorDriver, ATableNamedOrWrittenWhileAHandleIsOpenIsServed) {
    auto table = tableBytes();
    ASSERT_FALSE(table.empty());
    const std::string bytes(table.begin(), table.end());
    // The profile names a table that is not there yet: no table.
    ASSERT_TRUE(harness::writeFile(kProfile, "[SMBIOS]\r\nTable=later.bin\r\n"));
    EXPECT_FALSE(call(device_, 11, {}, 16).ok);
    // Written while the handle stays open: served from the next call on.
    ASSERT_TRUE(harness::writeFile("C:\\TESTBED\\later.bin", bytes));
    auto info = call(device_, 11, {}, 16);
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_EQ(dwordAt(info.out, 0), table.size());
    // A profile that names another table: that one is served.
    ASSERT_TRUE(harness::writeFile("C:\\TESTBED\\short.bin", bytes.substr(0, table[1])));
    ASSERT_TRUE(harness::writeFile(kProfile, "[SMBIOS]\r\nTable=short.bin\r\n"));
    info = call(device_, 11, {}, 16);
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_EQ(dwordAt(info.out, 0), table[1]);
}

TEST_F(HardwareMonitorDriver, FailCallsFailsExactlyTheListedCodes) {
    useProfile("Present=1\r\nFailCalls=9, 0x80002038\r\n" + kReadings);
    EXPECT_FALSE(call(device_, 9, {}, 30).ok);
    EXPECT_TRUE(call(device_, 0x80002024, {}, 30).ok);
    EXPECT_FALSE(call(device_, 0x80002038, {}, 0).ok);
    EXPECT_TRUE(call(device_, 14, {}, 0).ok);
    EXPECT_TRUE(call(device_, 11, {}, 16).ok);

    useProfile("Present=1\r\nFailCalls=all\r\n");
    for (DWORD code : {14UL, 11UL, 0x8000202CUL, 9UL})
        EXPECT_FALSE(call(device_, code, {}, 16).ok) << code;
    useProfile("Present=1\r\nFailCalls=\r\n");
    EXPECT_TRUE(call(device_, 9, {}, 30).ok);
}

TEST_F(HardwareMonitorDriver, IdeDrivesOfTheProfileAnswerIdentifyAndDiskRecords) {
    useProfile("Present=0\r\n[IDE]\r\nDisk0=NB-HD200A, 38760, 16, 63\r\n"
               "Disk1=Too many heads, 1000, 17, 63\r\nDisk3=Short, 1000\r\n");
    std::vector<unsigned char> drive(530, 0);
    for (DWORD code : {3UL, 0x8000200CUL}) {
        auto id = call(device_, code, drive, 530);
        ASSERT_TRUE(id.ok) << id.error;
        ASSERT_EQ(id.out.size(), 530u);
        const size_t w = 18;  // the identify block follows the status and reserved bytes
        EXPECT_EQ(wordAt(id.out, w + 2), 38760u);
        EXPECT_EQ(wordAt(id.out, w + 6), 16u);
        EXPECT_EQ(wordAt(id.out, w + 12), 63u);
        EXPECT_EQ(dwordAt(id.out, w + 120), 38760UL * 16 * 63);
        std::string model;
        for (size_t i = 0; i < 40; ++i) model += static_cast<char>(id.out[w + 54 + (i ^ 1)]);
        EXPECT_EQ(model, "NB-HD200A" + std::string(31, ' '));
    }
    std::vector<unsigned char> request(200, 0);
    auto disk = call(device_, 0x8000201C, request, 200);
    ASSERT_TRUE(disk.ok) << disk.error;
    EXPECT_EQ(dwordAt(disk.out, 4), 38760u);
    EXPECT_EQ(dwordAt(disk.out, 16), 38760UL * 16 * 63);
    EXPECT_EQ(dwordAt(disk.out, 20), 512u);
    // Drives the profile does not describe, or describes with a geometry no
    // IDE drive has, are not there; nor is a drive number past the fourth.
    for (unsigned char n : {1, 2, 3, 4, 255}) {
        drive[0] = n;
        request[0] = n;
        EXPECT_FALSE(call(device_, 3, drive, 530).ok) << int(n);
        EXPECT_FALSE(call(device_, 7, request, 200).ok) << int(n);
    }
}

TEST_F(HardwareMonitorDriver, LimitsAndConfigurationAreCheckedAndTaken) {
    std::vector<unsigned char> limits(502);
    for (size_t i = 0; i < limits.size(); ++i) limits[i] = static_cast<unsigned char>(i * 7);
    for (DWORD code : {8UL, 0x80002020UL}) {
        auto r = call(device_, code, limits, 502);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.out, limits);
    }
    std::vector<unsigned char> configure(144, 1);
    EXPECT_TRUE(call(device_, 15, configure, 0).ok);
    // A monitor that refuses new limits says so; readings go on.
    useProfile("Present=1\r\nRefuseLimits=1\r\n" + kReadings);
    for (DWORD code : {8UL, 0x80002020UL}) {
        auto r = call(device_, code, limits, 502);
        EXPECT_FALSE(r.ok) << code;
        EXPECT_EQ(r.error, static_cast<DWORD>(ERROR_IO_DEVICE)) << code;
    }
    EXPECT_TRUE(call(device_, 9, {}, 30).ok);
}

TEST_F(HardwareMonitorDriver, WrongSizesAreRefusedAndTheDriverKeepsAnswering) {
    struct Case {
        DWORD code;
        size_t in;
        DWORD out;
        DWORD error;
    };
    const Case cases[] = {
        {13, 4, 4, ERROR_INVALID_PARAMETER},          {0x80002034, 9, 4, ERROR_INVALID_PARAMETER},
        {13, 8, 3, ERROR_INSUFFICIENT_BUFFER},        {15, 143, 0, ERROR_INVALID_PARAMETER},
        {0x8000203C, 0, 0, ERROR_INVALID_PARAMETER},  {8, 501, 502, ERROR_INVALID_PARAMETER},
        {8, 502, 100, ERROR_INSUFFICIENT_BUFFER},     {9, 0, 29, ERROR_INSUFFICIENT_BUFFER},
        {0x80002024, 0, 0, ERROR_INSUFFICIENT_BUFFER}, {11, 0, 15, ERROR_INSUFFICIENT_BUFFER},
        {3, 529, 530, ERROR_INVALID_PARAMETER},       {0x8000201C, 200, 199, ERROR_INSUFFICIENT_BUFFER},
        {0x1234, 0, 16, ERROR_INVALID_FUNCTION},
    };
    for (const Case& c : cases) {
        auto r = call(device_, c.code, std::vector<unsigned char>(c.in, 0), c.out);
        EXPECT_FALSE(r.ok) << std::hex << c.code << std::dec << " in " << c.in << " out " << c.out;
        EXPECT_EQ(r.error, c.error) << std::hex << c.code << std::dec << " in " << c.in;
        EXPECT_EQ(r.returned, 0u);
    }
    // A profile that is not an INI text at all, and a table path too long.
    ASSERT_TRUE(harness::writeFile(kProfile, std::string(5000, '\xFF') + "\r\n[[[\r\n=\r\n"));
    EXPECT_FALSE(call(device_, 14, {}, 0).ok);
    ASSERT_TRUE(harness::writeFile(
        kProfile, "[SMBIOS]\r\nTable=" + std::string(2000, 'a') + "\r\n[HardwareMonitor]\r\nPresent=1\r\n"));
    EXPECT_TRUE(call(device_, 14, {}, 0).ok);
    HANDLE again = open9x(kVxdName);
    ASSERT_NE(again, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(call(again, 11, {}, 16).ok) << "no table behind a path that does not fit";
    CloseHandle(again);

    useProfile("Present=1\r\n" + kReadings);
    HANDLE fresh = open9x(kVxdName);
    ASSERT_NE(fresh, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(call(fresh, 14, {}, 0).ok);
    EXPECT_TRUE(call(fresh, 11, {}, 16).ok);
    CloseHandle(fresh);
}

// The NT and the 95/98 branches of a separate program, in the version the
// suite's programs would run in.
std::string runClient(harness::WindowsVersion version, const std::string& args) {
    EXPECT_TRUE(harness::setProgramWindowsVersion(DEVICES_CLIENT, version));
    const std::string result = "C:\\TESTBED\\client-result.bin";
    harness::deleteFile(result);
    auto client = harness::Process::start(DEVICES_CLIENT, result + " " + args);
    EXPECT_TRUE(client.valid()) << client.error();
    auto code = client.wait();
    EXPECT_TRUE(code.has_value() && *code == 0);
    return harness::readFile(result).value_or("");
}

TEST_F(HardwareMonitorDriver, ClientsInNtAnd95ModesReachBothNames) {
    struct Run {
        harness::WindowsVersion version;
        const char* args;
        const char* head;
    };
    const Run runs[] = {
        {harness::WindowsVersion::Nt40, "\\\\.\\corvanedmi nt 0x80002024 0 30",
         "open=0 ok=1 error=0 returned=30 nt=1\n"},
        {harness::WindowsVersion::Nt40, "\\\\.\\CORVANEDMI nt 0x80002038 0 0",
         "open=0 ok=1 error=0 returned=0 nt=1\n"},
        {harness::WindowsVersion::Nt40, "\\\\.\\VCORVANEDMID.VXD nt 0x8000202C 0 16",
         "open=0 ok=1 error=0 returned=16 nt=1\n"},
        {harness::WindowsVersion::Win95, "\\\\.\\vcorvanedmid.vxd 9x 9 0 250",
         "open=0 ok=1 error=0 returned=30 nt=0\n"},
        {harness::WindowsVersion::Nt40, "\\\\.\\CORVANEDMI nt 0x80002034 7 4",
         "open=0 ok=0 error=87 returned=0 nt=1\n"},
    };
    useProfile("Present=1\r\nAlarmWord=0x1000\r\nUnavailableWord=0x0004\r\n" + kReadings);
    for (const Run& run : runs) {
        std::string out = runClient(run.version, run.args);
        ASSERT_EQ(out.substr(0, out.find('\n') + 1), run.head) << run.args;
        std::vector<unsigned char> body(out.begin() + out.find('\n') + 1, out.end());
        if (body.size() == 30) {
            EXPECT_EQ(wordAt(body, 26), 0x1000u);
            EXPECT_EQ(wordAt(body, 28), 0x0004u);
            EXPECT_EQ(wordAt(body, 4), 34u);
        } else if (body.size() == 16) {
            EXPECT_EQ(dwordAt(body, 0), tableBytes().size());
        }
    }
}

}  // namespace
