// Turning the proto-MIF into the PC component's MIF.
//
// The proto-MIF is a MIF with four optional sections, each enclosed between two
// copies of its marker ("**OPTIONAL_INSERT_PARALLEL_PORT**" and so on). A section
// is kept or dropped as a whole depending on the PC; inside a kept section the
// health markers ("%%REPLACE_IN0_HIGH%%" and so on) become attribute names or
// support values. Markers match in any letter case. Text outside the sections is
// copied byte for byte, markers included.
//
// Pure logic: plain inputs, no Windows calls, so it runs anywhere.
#pragma once

#include <cstddef>
#include <string>

namespace bramble {

// The health sensors in their fixed order.
enum HealthSensor {
    kSensorIn0,
    kSensorIn1,
    kSensorIn2,
    kSensorIn3,
    kSensorIn4,
    kSensorIn5,
    kSensorIn6,
    kSensorTemp,
    kSensorFanA,
    kSensorFanB,
    kSensorFanC,
    kSensorCase,
    kHealthSensorCount
};
constexpr int kVoltageSensorCount = 7;  // IN0 to IN6

// A configured attribute name is cut to this many bytes (never inside a
// double-byte character), as the health configuration keeps it.
constexpr size_t kMaxAttributeNameBytes = 63;

// The three display names of a voltage sensor. An empty name leaves its marker
// in the output unchanged.
struct VoltageNames {
    std::string high;     // high-limit name
    std::string low;      // low-limit name
    std::string current;  // current-value name
};

// What decides the generated MIF; the caller fills it from the probes and the
// health configuration.
struct MifInputs {
    bool parallelPort = false;      // a parallel port connector is listed
    bool serialPort = false;        // a serial port connector is listed
    bool windowsNt = false;         // drops the IRQ section
    bool healthConfigured = false;  // the hardware monitor answered
    bool present[kHealthSensorCount] = {};
    bool tempHighSupported = false;
    bool tempLowSupported = false;
    VoltageNames names[kVoltageSensorCount];  // used for present sensors only
};

// The names of the fixed configuration (models with the built-in table): IN2 to
// IN6 are the +3.3, +5, +12, -12 and -5 volt supplies. Other sensors get empty
// names.
VoltageNames FixedModelVoltageNames(int sensor);

// Why a generation failed.
enum class MifGenStatus {
    kOk,
    kWrongClosingMarker,   // a section closed by another section's marker
    kSectionTooLong,       // a section of more than kMaxSectionChars bytes of text
    kUnterminatedSection,  // a section with no closing marker
};

constexpr size_t kMaxSectionChars = 50000;

struct MifGenResult {
    MifGenStatus status = MifGenStatus::kOk;
    size_t offset = 0;  // on failure, where the failing section's opening marker starts
};

// Generates the MIF from length bytes of proto-MIF text. On success *out holds the
// whole MIF; on failure *out holds what was produced before the failing section.
MifGenResult GenerateMif(const char* proto, size_t length, const MifInputs& inputs, std::string* out);

constexpr int kReplacementMarkerCount = 52;
constexpr int kOptionalSectionCount = 4;

}  // namespace bramble
