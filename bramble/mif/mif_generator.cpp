#include "bramble/mif/mif_generator.h"

#include <cstring>

#include "common/cp932.h"

namespace bramble {
namespace {

// The optional-section markers, in table order: parallel port, serial port, IRQ,
// system health.
const char* const kSectionMarkers[kOptionalSectionCount] = {
    "**OPTIONAL_INSERT_PARALLEL_PORT**",
    "**OPTIONAL_INSERT_SERIAL_PORT**",
    "**OPTIONAL_INSERT_IRQ**",
    "**OPTIONAL_INSERT_SYSTEM_HEALTH**",
};

// What a replacement marker becomes.
enum class ValueKind {
    kSupport,      // *"CORVANEDI" when the flag is set, unsupported otherwise
    kHighName,     // a voltage sensor's high-limit name
    kLowName,      // its low-limit name
    kCurrentName,  // its current-value name
};

// The flag that a support marker follows: a sensor index, or one of these two.
constexpr int kFlagTempHigh = 100;
constexpr int kFlagTempLow = 101;

struct ReplacementMarker {
    const char* text;
    ValueKind kind;
    int source;  // the flag for kSupport, the voltage sensor for the names
};

const ReplacementMarker kReplacementMarkers[kReplacementMarkerCount] = {
    {"%%REPLACE_TEMP_HIGH_SUPPORT%%", ValueKind::kSupport, kFlagTempHigh},
    {"%%REPLACE_TEMP_LOW_SUPPORT%%", ValueKind::kSupport, kFlagTempLow},
    {"%%REPLACE_IN0_HIGH%%", ValueKind::kHighName, kSensorIn0},
    {"%%REPLACE_IN0_HIGH_SUPPORT%%", ValueKind::kSupport, kSensorIn0},
    {"%%REPLACE_IN0_LOW%%", ValueKind::kLowName, kSensorIn0},
    {"%%REPLACE_IN0_LOW_SUPPORT%%", ValueKind::kSupport, kSensorIn0},
    {"%%REPLACE_IN1_HIGH%%", ValueKind::kHighName, kSensorIn1},
    {"%%REPLACE_IN1_HIGH_SUPPORT%%", ValueKind::kSupport, kSensorIn1},
    {"%%REPLACE_IN1_LOW%%", ValueKind::kLowName, kSensorIn1},
    {"%%REPLACE_IN1_LOW_SUPPORT%%", ValueKind::kSupport, kSensorIn1},
    {"%%REPLACE_IN2_HIGH%%", ValueKind::kHighName, kSensorIn2},
    {"%%REPLACE_IN2_HIGH_SUPPORT%%", ValueKind::kSupport, kSensorIn2},
    {"%%REPLACE_IN2_LOW%%", ValueKind::kLowName, kSensorIn2},
    {"%%REPLACE_IN2_LOW_SUPPORT%%", ValueKind::kSupport, kSensorIn2},
    {"%%REPLACE_IN3_HIGH%%", ValueKind::kHighName, kSensorIn3},
    {"%%REPLACE_IN3_HIGH_SUPPORT%%", ValueKind::kSupport, kSensorIn3},
    {"%%REPLACE_IN3_LOW%%", ValueKind::kLowName, kSensorIn3},
    {"%%REPLACE_IN3_LOW_SUPPORT%%", ValueKind::kSupport, kSensorIn3},
    {"%%REPLACE_IN4_HIGH%%", ValueKind::kHighName, kSensorIn4},
    {"%%REPLACE_IN4_HIGH_SUPPORT%%", ValueKind::kSupport, kSensorIn4},
    {"%%REPLACE_IN4_LOW%%", ValueKind::kLowName, kSensorIn4},
    {"%%REPLACE_IN4_LOW_SUPPORT%%", ValueKind::kSupport, kSensorIn4},
    {"%%REPLACE_IN5_HIGH%%", ValueKind::kHighName, kSensorIn5},
    {"%%REPLACE_IN5_HIGH_SUPPORT%%", ValueKind::kSupport, kSensorIn5},
    {"%%REPLACE_IN5_LOW%%", ValueKind::kLowName, kSensorIn5},
    {"%%REPLACE_IN5_LOW_SUPPORT%%", ValueKind::kSupport, kSensorIn5},
    {"%%REPLACE_IN6_HIGH%%", ValueKind::kHighName, kSensorIn6},
    {"%%REPLACE_IN6_HIGH_SUPPORT%%", ValueKind::kSupport, kSensorIn6},
    {"%%REPLACE_IN6_LOW%%", ValueKind::kLowName, kSensorIn6},
    {"%%REPLACE_IN6_LOW_SUPPORT%%", ValueKind::kSupport, kSensorIn6},
    {"%%REPLACE_FANA_SUPPORT%%", ValueKind::kSupport, kSensorFanA},
    {"%%REPLACE_FANB_SUPPORT%%", ValueKind::kSupport, kSensorFanB},
    {"%%REPLACE_FANC_SUPPORT%%", ValueKind::kSupport, kSensorFanC},
    {"%%REPLACE_TEMP_CURENT_SUPPORT%%", ValueKind::kSupport, kSensorTemp},
    {"%%REPLACE_IN0_CURENT%%", ValueKind::kCurrentName, kSensorIn0},
    {"%%REPLACE_IN0_CURENT_SUPPORT%%", ValueKind::kSupport, kSensorIn0},
    {"%%REPLACE_IN1_CURENT%%", ValueKind::kCurrentName, kSensorIn1},
    {"%%REPLACE_IN1_CURENT_SUPPORT%%", ValueKind::kSupport, kSensorIn1},
    {"%%REPLACE_IN2_CURENT%%", ValueKind::kCurrentName, kSensorIn2},
    {"%%REPLACE_IN2_CURENT_SUPPORT%%", ValueKind::kSupport, kSensorIn2},
    {"%%REPLACE_IN3_CURENT%%", ValueKind::kCurrentName, kSensorIn3},
    {"%%REPLACE_IN3_CURENT_SUPPORT%%", ValueKind::kSupport, kSensorIn3},
    {"%%REPLACE_IN4_CURENT%%", ValueKind::kCurrentName, kSensorIn4},
    {"%%REPLACE_IN4_CURENT_SUPPORT%%", ValueKind::kSupport, kSensorIn4},
    {"%%REPLACE_IN5_CURENT%%", ValueKind::kCurrentName, kSensorIn5},
    {"%%REPLACE_IN5_CURENT_SUPPORT%%", ValueKind::kSupport, kSensorIn5},
    {"%%REPLACE_IN6_CURENT%%", ValueKind::kCurrentName, kSensorIn6},
    {"%%REPLACE_IN6_CURENT_SUPPORT%%", ValueKind::kSupport, kSensorIn6},
    {"%%REPLACE_FANA_CURENT_SUPPORT%%", ValueKind::kSupport, kSensorFanA},
    {"%%REPLACE_FANB_CURENT_SUPPORT%%", ValueKind::kSupport, kSensorFanB},
    {"%%REPLACE_FANC_CURENT_SUPPORT%%", ValueKind::kSupport, kSensorFanC},
    {"%%REPLACE_CASEOPEN_SUPPORT%%", ValueKind::kSupport, kSensorCase},
};

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when marker (all ASCII) stands at text[pos], in any letter case, within
// the first `end` bytes.
bool MatchesAt(const char* text, size_t end, size_t pos, const char* marker)
{
    size_t n = std::strlen(marker);
    if (pos > end || end - pos < n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        if (LowerAscii(text[pos + i]) != LowerAscii(marker[i]))
            return false;
    }
    return true;
}

// The index of the optional-section marker at text[pos], or -1.
int SectionMarkerAt(const char* text, size_t end, size_t pos)
{
    if (text[pos] != '*')
        return -1;
    for (int i = 0; i < kOptionalSectionCount; ++i) {
        if (MatchesAt(text, end, pos, kSectionMarkers[i]))
            return i;
    }
    return -1;
}

int ReplacementMarkerAt(const char* text, size_t end, size_t pos)
{
    if (text[pos] != '%')
        return -1;
    for (int i = 0; i < kReplacementMarkerCount; ++i) {
        if (MatchesAt(text, end, pos, kReplacementMarkers[i].text))
            return i;
    }
    return -1;
}

// The next optional-section marker at or after pos (its index in *which), or end.
// '*' and '%' are below every trail byte of code page 932, so a byte-wise scan
// never mistakes half of a double-byte character for a marker.
size_t FindSectionMarker(const char* text, size_t end, size_t pos, int* which)
{
    for (; pos < end; ++pos) {
        int i = SectionMarkerAt(text, end, pos);
        if (i >= 0) {
            *which = i;
            return pos;
        }
    }
    *which = -1;
    return end;
}

bool SectionIncluded(int section, const MifInputs& in)
{
    switch (section) {
        case 0: return in.parallelPort;
        case 1: return in.serialPort;
        case 2: return !in.windowsNt;
        case 3: return in.healthConfigured;
        default: return false;
    }
}

bool SupportFlag(int source, const MifInputs& in)
{
    if (source == kFlagTempHigh)
        return in.tempHighSupported;
    if (source == kFlagTempLow)
        return in.tempLowSupported;
    return source >= 0 && source < kHealthSensorCount && in.present[source];
}

std::string BoundedName(const std::string& name)
{
    size_t n = cp932::PrefixBytes(name.c_str(), name.size(), kMaxAttributeNameBytes, cp932::kUnlimited);
    return name.substr(0, n);
}

// The name an absent voltage sensor gets: fixed by its number.
std::string AbsentName(ValueKind kind, int sensor)
{
    std::string digit(1, static_cast<char>('0' + sensor));
    switch (kind) {
        case ValueKind::kHighName: return "\"IN" + digit + " Volt High Limit\"";
        case ValueKind::kLowName: return "\"IN" + digit + " Volt Low Limit\"";
        default: return "\"Current Voltage IN" + digit + "V\"";
    }
}

std::string ReplacementValue(int index, const MifInputs& in)
{
    if (index < 0 || index >= kReplacementMarkerCount)
        return std::string();
    const ReplacementMarker& m = kReplacementMarkers[index];
    if (m.kind == ValueKind::kSupport) {
        return SupportFlag(m.source, in) ? "*\"CORVANEDI\"" : "unsupported";
    }
    int sensor = m.source;
    if (!in.present[sensor])
        return AbsentName(m.kind, sensor);
    const VoltageNames& names = in.names[sensor];
    switch (m.kind) {
        case ValueKind::kHighName: return BoundedName(names.high);
        case ValueKind::kLowName: return BoundedName(names.low);
        default: return BoundedName(names.current);
    }
}

// Copies text[begin, end) into out, replacing each replacement marker by its
// value (a marker whose value is empty stays as it is). Replaced text is not
// scanned again.
void CopyWithReplacements(const char* text, size_t begin, size_t end, const MifInputs& in, std::string* out)
{
    size_t flushed = begin;
    size_t pos = begin;
    while (pos < end) {
        int i = ReplacementMarkerAt(text, end, pos);
        if (i < 0) {
            ++pos;
            continue;
        }
        size_t markerLength = std::strlen(kReplacementMarkers[i].text);
        std::string value = ReplacementValue(i, in);
        out->append(text + flushed, pos - flushed);
        if (value.empty()) {
            out->append(text + pos, markerLength);
        } else {
            out->append(value);
        }
        pos += markerLength;
        flushed = pos;
    }
    out->append(text + flushed, end - flushed);
}

}  // namespace

VoltageNames FixedModelVoltageNames(int sensor)
{
    static const char* const kSupplies[kVoltageSensorCount] = {nullptr, nullptr, "+3.3", "+5",
                                                               "+12",   "-12",   "-5"};
    VoltageNames names;
    if (sensor < 0 || sensor >= kVoltageSensorCount || kSupplies[sensor] == nullptr)
        return names;
    std::string v = kSupplies[sensor];
    names.high = "\"" + v + " Volt High Limit\"";
    names.low = "\"" + v + " Volt Low Limit\"";
    names.current = "\"Current Voltage " + v + "V\"";
    return names;
}

MifGenResult GenerateMif(const char* proto, size_t length, const MifInputs& inputs, std::string* out)
{
    out->clear();
    MifGenResult result;
    if (proto == nullptr)
        length = 0;
    out->reserve(length + length / 8);
    size_t pos = 0;
    while (pos < length) {
        int opening = -1;
        size_t open = FindSectionMarker(proto, length, pos, &opening);
        out->append(proto + pos, open - pos);
        if (opening < 0)
            break;

        size_t bodyBegin = open + std::strlen(kSectionMarkers[opening]);
        int closing = -1;
        size_t close = FindSectionMarker(proto, length, bodyBegin, &closing);
        size_t bodyLength = close - bodyBegin;
        if (bodyLength > kMaxSectionChars) {
            result.status = MifGenStatus::kSectionTooLong;
        } else if (closing < 0) {
            result.status = MifGenStatus::kUnterminatedSection;
        } else if (closing != opening) {
            result.status = MifGenStatus::kWrongClosingMarker;
        }
        if (result.status != MifGenStatus::kOk) {
            result.offset = open;
            return result;
        }
        if (SectionIncluded(opening, inputs)) {
            CopyWithReplacements(proto, bodyBegin, close, inputs, out);
        }
        pos = close + std::strlen(kSectionMarkers[closing]);
    }
    return result;
}

}  // namespace bramble
