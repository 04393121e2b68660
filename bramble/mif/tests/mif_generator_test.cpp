#include "bramble/mif/mif_generator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bramble {
namespace {

// The 52 replacement markers as written in the proto-MIF, each with the flag it
// follows or the name it becomes.
enum class Kind { kSupport, kHigh, kLow, kCurrent };
struct Marker {
    std::string text;
    Kind kind;
    int sensor;  // -1: temperature high limit flag, -2: low limit flag
};
const std::vector<Marker>& Markers()
{
    static const std::vector<Marker> markers = [] {
        std::vector<Marker> m = {{"%%REPLACE_TEMP_HIGH_SUPPORT%%", Kind::kSupport, -1},
                                 {"%%REPLACE_TEMP_LOW_SUPPORT%%", Kind::kSupport, -2}};
        auto add = [&](const std::string& t, Kind k, int s) { m.push_back({t, k, s}); };
        for (int i = 0; i < 7; ++i) {
            std::string in = "%%REPLACE_IN" + std::to_string(i);
            add(in + "_HIGH%%", Kind::kHigh, i);
            add(in + "_HIGH_SUPPORT%%", Kind::kSupport, i);
            add(in + "_LOW%%", Kind::kLow, i);
            add(in + "_LOW_SUPPORT%%", Kind::kSupport, i);
        }
        add("%%REPLACE_FANA_SUPPORT%%", Kind::kSupport, kSensorFanA);
        add("%%REPLACE_FANB_SUPPORT%%", Kind::kSupport, kSensorFanB);
        add("%%REPLACE_FANC_SUPPORT%%", Kind::kSupport, kSensorFanC);
        add("%%REPLACE_TEMP_CURENT_SUPPORT%%", Kind::kSupport, kSensorTemp);
        for (int i = 0; i < 7; ++i) {
            std::string in = "%%REPLACE_IN" + std::to_string(i);
            add(in + "_CURENT%%", Kind::kCurrent, i);
            add(in + "_CURENT_SUPPORT%%", Kind::kSupport, i);
        }
        add("%%REPLACE_FANA_CURENT_SUPPORT%%", Kind::kSupport, kSensorFanA);
        add("%%REPLACE_FANB_CURENT_SUPPORT%%", Kind::kSupport, kSensorFanB);
        add("%%REPLACE_FANC_CURENT_SUPPORT%%", Kind::kSupport, kSensorFanC);
        add("%%REPLACE_CASEOPEN_SUPPORT%%", Kind::kSupport, kSensorCase);
        return m;
    }();
    return markers;
}

const char kParallel[] = "**OPTIONAL_INSERT_PARALLEL_PORT**";
const char kSerial[] = "**OPTIONAL_INSERT_SERIAL_PORT**";
const char kIrq[] = "**OPTIONAL_INSERT_IRQ**";
const char kHealth[] = "**OPTIONAL_INSERT_SYSTEM_HEALTH**";

std::string Section(const char* marker, const std::string& body)
{
    return std::string(marker) + body + marker;
}

std::string Generate(const std::string& proto, const MifInputs& in, MifGenStatus expected = MifGenStatus::kOk)
{
    std::string out;
    MifGenResult r = GenerateMif(proto.data(), proto.size(), in, &out);
    EXPECT_EQ(expected, r.status) << proto.substr(0, 200);
    return out;
}

size_t Count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + what.size())) ++n;
    return n;
}

// Each marker on a line of its own, between brackets.
std::string AllMarkersBody()
{
    std::string body = "\n";
    for (const Marker& m : Markers()) body += std::string("[") + m.text + "]\n";
    return body;
}

// The expected line for marker m.
std::string Expected(const Marker& m, const MifInputs& in)
{
    if (m.kind == Kind::kSupport) {
        bool on = m.sensor == -1   ? in.tempHighSupported
                  : m.sensor == -2 ? in.tempLowSupported
                                   : in.present[m.sensor];
        return on ? "[*\"CORVANEDI\"]" : "[unsupported]";
    }
    std::string n = std::to_string(m.sensor);
    if (!in.present[m.sensor]) {
        if (m.kind == Kind::kHigh)
            return "[\"IN" + n + " Volt High Limit\"]";
        if (m.kind == Kind::kLow)
            return "[\"IN" + n + " Volt Low Limit\"]";
        return "[\"Current Voltage IN" + n + "V\"]";
    }
    const VoltageNames& v = in.names[m.sensor];
    return "[" + (m.kind == Kind::kHigh ? v.high : m.kind == Kind::kLow ? v.low : v.current) + "]";
}

std::string ExpectedAllMarkers(const MifInputs& in)
{
    std::string body = "\n";
    for (const Marker& m : Markers()) body += Expected(m, in) + "\n";
    return body;
}

TEST(MifGenerator, SectionsFollowTheirFlagsAndTheirMarkersDisappear)
{
    // Text outside the sections, double-byte characters whose second byte is a
    // backslash and a NUL byte included, is copied byte for byte.
    std::string outside = std::string("Start Component \x83\x5C\x94\x5C\n", 22) + '\0' + "x\n";
    std::string proto = outside + Section(kParallel, "<lpt>") + "|" + Section(kSerial, "<com>") + "|" +
                        Section(kIrq, "<irq>") + "|" + Section(kHealth, "<health>") + "End Component\n";
    MifInputs in;
    EXPECT_EQ(outside + "||<irq>|End Component\n", Generate(proto, in));

    in.parallelPort = in.serialPort = in.healthConfigured = true;
    in.windowsNt = true;  // the IRQ section goes together with both of its markers
    EXPECT_EQ(outside + "<lpt>|<com>||<health>End Component\n", Generate(proto, in));

    in.windowsNt = false;
    in.parallelPort = false;
    EXPECT_EQ(outside + "|<com>|<irq>|<health>End Component\n", Generate(proto, in));

    // Sections follow one another directly, and a proto-MIF may end with one.
    EXPECT_EQ("<com><irq>", Generate(Section(kSerial, "<com>") + Section(kIrq, "<irq>"), in));
    EXPECT_EQ("", Generate("", in));
}

TEST(MifGenerator, MarkersMatchInAnyLetterCase)
{
    MifInputs in;
    in.healthConfigured = true;
    in.present[kSensorFanB] = true;
    std::string proto =
        "a**optional_insert_system_health**"
        "V=%%replace_fanb_support%% W=%%Replace_In3_Low%% X=%%REPLACE_fanc_SUPPORT%%"
        "**Optional_Insert_SYSTEM_Health**b"
        "**optional_insert_irq**<irq>**OPTIONAL_INSERT_IRQ**c";
    EXPECT_EQ("aV=*\"CORVANEDI\" W=\"IN3 Volt Low Limit\" X=unsupportedb<irq>c", Generate(proto, in));
    in.windowsNt = true;
    in.healthConfigured = false;
    EXPECT_EQ("abc", Generate(proto, in));
}

TEST(MifGenerator, ReplacementMarkersOutsideSectionsStayVerbatim)
{
    MifInputs in;
    in.healthConfigured = true;
    std::string outside = "%%replace_in0_high%% %%REPLACE_CASEOPEN_SUPPORT%% %%REPLACE_IN9_LOW%%";
    // Inside a section an unknown marker and a lone percent stay as well.
    std::string proto =
        outside + Section(kHealth, "%%REPLACE_CASEOPEN_SUPPORT%% %%REPLACE_IN9_LOW%% 5%") + outside;
    EXPECT_EQ(outside + "unsupported %%REPLACE_IN9_LOW%% 5%" + outside, Generate(proto, in));
}

TEST(MifGenerator, AllSensorsAbsentGiveUnsupportedAndTheFixedNames)
{
    MifInputs in;
    in.healthConfigured = true;
    // Names configured for absent sensors are not used.
    in.names[kSensorIn4] = {"\"never high\"", "\"never low\"", "\"never current\""};
    std::string out = Generate(Section(kHealth, AllMarkersBody()), in);
    EXPECT_EQ(ExpectedAllMarkers(in), out);
    EXPECT_EQ(31u, Count(out, "[unsupported]"));
    EXPECT_EQ(0u, Count(out, "%%"));
    EXPECT_EQ(0u, Count(out, "never"));
    EXPECT_EQ(1u, Count(out, "\"IN0 Volt High Limit\""));
    EXPECT_EQ(1u, Count(out, "\"Current Voltage IN6V\""));
}

TEST(MifGenerator, EveryMarkerIsReplacedExactlyOnceWithItsOwnValue)
{
    MifInputs in;
    in.healthConfigured = true;
    for (int s = 0; s < kHealthSensorCount; ++s) in.present[s] = (s % 2 == 0);
    in.tempHighSupported = true;  // the two limit flags apart from the sensor's own
    in.tempLowSupported = false;
    in.present[kSensorTemp] = true;
    for (int s = 0; s < kVoltageSensorCount; ++s) {
        std::string n = std::to_string(s);
        // A name that is itself a marker must not be replaced again.
        in.names[s] = {"\"H" + n + "\"", "%%REPLACE_IN" + n + "_HIGH%%L", "\"C" + n + "\""};
    }
    std::string out = Generate(Section(kHealth, AllMarkersBody()), in);
    EXPECT_EQ(ExpectedAllMarkers(in), out);
    // The same markers twice give the same values twice.
    std::string twice = Generate(Section(kHealth, AllMarkersBody() + AllMarkersBody()), in);
    EXPECT_EQ(ExpectedAllMarkers(in) + ExpectedAllMarkers(in), twice);
}

TEST(MifGenerator, EmptyConfiguredNameLeavesItsMarker)
{
    MifInputs in;
    in.healthConfigured = true;
    in.present[kSensorIn1] = true;
    in.names[kSensorIn1].low = "\"low one\"";
    EXPECT_EQ("%%Replace_IN1_High%%/\"low one\"/%%REPLACE_IN1_CURENT%%",
              Generate(Section(kHealth,
                               "%%Replace_IN1_High%%/%%REPLACE_IN1_LOW%%/"
                               "%%REPLACE_IN1_CURENT%%"),
                       in));
}

TEST(MifGenerator, LongNamesGrowTheOutputWithoutLoss)
{
    MifInputs in;
    in.healthConfigured = true;
    in.present[kSensorIn0] = true;
    // 63 bytes, double-byte characters included: three times the marker's length.
    std::string name = "\"";
    while (name.size() < 61)
        name +=
            "\x83\x5C"
            "ab";
    name += "x\"";
    ASSERT_EQ(63u, name.size());
    in.names[kSensorIn0] = {name, name, name};
    std::string body;
    for (int i = 0; i < 2400; ++i) body += "%%REPLACE_IN0_HIGH%%";  // 48000 bytes
    std::string out = Generate(Section(kHealth, body), in);
    ASSERT_EQ(2400u * 63u, out.size());
    EXPECT_EQ(2400u, Count(out, name));

    // A longer name is cut at 63 bytes, before a double-byte character that
    // would not fit whole.
    std::string longName(62, 'n');
    longName +=
        "\x88\x9F"
        "tail";
    in.names[kSensorIn0].high = longName;
    EXPECT_EQ(std::string(62, 'n'), Generate(Section(kHealth, "%%REPLACE_IN0_HIGH%%"), in));
}

TEST(MifGenerator, BadSectionsFail)
{
    MifInputs in;
    std::string out;
    // A section closed by another section's marker, whether kept or dropped.
    std::string wrong = "head" + std::string(kSerial) + "x" + kIrq + "tail";
    MifGenResult r = GenerateMif(wrong.data(), wrong.size(), in, &out);
    EXPECT_EQ(MifGenStatus::kWrongClosingMarker, r.status);
    EXPECT_EQ(4u, r.offset);
    in.serialPort = true;
    Generate(wrong, in, MifGenStatus::kWrongClosingMarker);
    // A section that never ends.
    Generate("a" + std::string(kIrq) + "b" + kIrq + "c" + kHealth + "body", in,
             MifGenStatus::kUnterminatedSection);

    // 50000 bytes of section text pass; one more fails, in a dropped section too.
    std::string body(kMaxSectionChars, 'x');
    EXPECT_EQ(body, Generate(Section(kSerial, body), in));
    Generate(Section(kSerial, body + "x"), in, MifGenStatus::kSectionTooLong);
    in.serialPort = false;
    EXPECT_EQ("", Generate(Section(kSerial, body), in));
    Generate(Section(kSerial, body + "x"), in, MifGenStatus::kSectionTooLong);
    Generate(std::string(kSerial) + body + "x", in, MifGenStatus::kSectionTooLong);
    // A marker cut short by the end of the text is plain text.
    EXPECT_EQ("**OPTIONAL_INSERT_IR", Generate("**OPTIONAL_INSERT_IR", in));
}

}  // namespace
}  // namespace bramble
