// DMI data types as the viewer and the instrumentation exchange them.
//
// Values are little-endian. A display string is a 32-bit length followed by that
// many bytes of code page 932 text, with no terminator. A date is the 25-character
// text "yyyymmddHHMMSS.uuuuuu+ooo" (the offset in minutes from UTC) carried in a
// 28-byte field whose last 3 bytes are NUL.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dmi {

enum DataType : uint32_t {
    kCounter = 1,
    kCounter64 = 2,
    kGauge = 3,
    kInteger = 5,
    kInteger64 = 6,
    kOctetString = 7,
    kDisplayString = 8,
    kDate = 11,
};

constexpr size_t kStringLengthSize = 4;
constexpr size_t kDateTextLength = 25;
constexpr size_t kDateFieldSize = 28;

// Whether `type` is one of the data types above.
bool IsKnownType(uint32_t type);

// Bytes of a value of a fixed-size type: 4 for counter, gauge and integer, 8 for
// the 64-bit types, 28 for a date; 0 for strings and unknown types.
size_t FixedValueSize(uint32_t type);

// Writes text as a display string into buffer (bufferSize bytes). A text that
// does not fit is cut. Returns the bytes used (4 + length of the text written),
// or 0 when the buffer cannot even hold the length. *cut (when given) tells
// whether part of the text was left out.
size_t WriteDisplayString(void* buffer, size_t bufferSize, const char* text, bool* cut = nullptr);

// Reads the length field of a display string held in valueSize bytes. False when
// fewer than 4 bytes are there or the length reaches past valueSize.
bool ReadDisplayStringLength(const void* value, size_t valueSize, uint32_t* length);

// Copies the display string held in valueSize bytes into dst as a terminated
// text, cut to fit dstSize (a NUL among the characters ends the text). False,
// with dst empty, when the value is malformed as for ReadDisplayStringLength.
bool ReadDisplayString(const void* value, size_t valueSize, char* dst, size_t dstSize,
                       bool* cut = nullptr);

// A date broken into its fields. An unknown offset is written as "***".
struct DateFields {
    int year = 0;           // 0-9999
    int month = 0;          // 1-12
    int day = 0;            // 1-last day of the month
    int hour = 0;           // 0-23
    int minute = 0;         // 0-59
    int second = 0;         // 0-59 (no leap second: the Windows clock cannot take one)
    int microsecond = 0;    // 0-999999
    bool offsetKnown = true;
    int offsetMinutes = 0;  // -999 to 999, minutes from UTC
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for a month outside 1-12

// Writes the 28-byte date field for `fields` into out (outSize >= 28). False,
// with the first min(outSize, 28) bytes zeroed, when a field is out of range or
// out is too small.
bool BuildDate(const DateFields& fields, char* out, size_t outSize);

// Whether the first 25 of `size` bytes are a valid date text: digits where digits
// belong, a real calendar date and time (ranges as in DateFields), a point, six
// fraction digits, a sign '+' or '-', and three offset digits or "***".
bool IsValidDate(const char* text, size_t size);

// Parses a valid date text into fields; false (fields untouched) when invalid.
bool ParseDate(const char* text, size_t size, DateFields* fields);

}  // namespace dmi
