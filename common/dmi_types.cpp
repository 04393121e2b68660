#include "common/dmi_types.h"

#include <cstring>

#include "common/cp932.h"

namespace dmi {

namespace {

// Positions in the date text "yyyymmddHHMMSS.uuuuuu+ooo".
constexpr size_t kPointAt = 14;
constexpr size_t kFractionAt = 15;
constexpr size_t kSignAt = 21;
constexpr size_t kOffsetAt = 22;

void PutUint32(unsigned char* p, uint32_t value) {
    p[0] = static_cast<unsigned char>(value);
    p[1] = static_cast<unsigned char>(value >> 8);
    p[2] = static_cast<unsigned char>(value >> 16);
    p[3] = static_cast<unsigned char>(value >> 24);
}

uint32_t GetUint32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// Writes value as `count` decimal digits, with leading zeros.
void PutDigits(char* p, int value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        p[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

bool AreDigits(const char* p, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (p[i] < '0' || p[i] > '9') {
            return false;
        }
    }
    return true;
}

// The number written by `count` digits (checked beforehand).
int ReadDigits(const char* p, size_t count) {
    int value = 0;
    for (size_t i = 0; i < count; ++i) {
        value = value * 10 + (p[i] - '0');
    }
    return value;
}

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

bool AreValidFields(const DateFields& f) {
    return InRange(f.year, 0, 9999) && InRange(f.month, 1, 12) &&
           InRange(f.day, 1, DaysInMonth(f.year, f.month)) && InRange(f.hour, 0, 23) &&
           InRange(f.minute, 0, 59) && InRange(f.second, 0, 59) &&
           InRange(f.microsecond, 0, 999999) &&
           (!f.offsetKnown || InRange(f.offsetMinutes, -999, 999));
}

// Reads the fields of a date text without judging their values. False when the
// text's shape is wrong (a non-digit where a digit belongs, no point, bad sign).
bool ReadDateShape(const char* text, size_t size, DateFields* f) {
    if (text == nullptr || size < kDateTextLength) {
        return false;
    }
    if (!AreDigits(text, kPointAt) || text[kPointAt] != '.' || !AreDigits(text + kFractionAt, 6)) {
        return false;
    }
    const char sign = text[kSignAt];
    if (sign != '+' && sign != '-') {
        return false;
    }
    const char* offset = text + kOffsetAt;
    if (std::memcmp(offset, "***", 3) == 0) {
        f->offsetKnown = false;
        f->offsetMinutes = 0;
    } else if (AreDigits(offset, 3)) {
        f->offsetKnown = true;
        f->offsetMinutes = (sign == '-' ? -1 : 1) * ReadDigits(offset, 3);
    } else {
        return false;
    }
    f->year = ReadDigits(text, 4);
    f->month = ReadDigits(text + 4, 2);
    f->day = ReadDigits(text + 6, 2);
    f->hour = ReadDigits(text + 8, 2);
    f->minute = ReadDigits(text + 10, 2);
    f->second = ReadDigits(text + 12, 2);
    f->microsecond = ReadDigits(text + kFractionAt, 6);
    return true;
}

}  // namespace

bool IsKnownType(uint32_t type) {
    switch (type) {
        case kCounter:
        case kCounter64:
        case kGauge:
        case kInteger:
        case kInteger64:
        case kOctetString:
        case kDisplayString:
        case kDate:
            return true;
        default:
            return false;
    }
}

size_t FixedValueSize(uint32_t type) {
    switch (type) {
        case kCounter:
        case kGauge:
        case kInteger:
            return 4;
        case kCounter64:
        case kInteger64:
            return 8;
        case kDate:
            return kDateFieldSize;
        default:
            return 0;
    }
}

size_t WriteDisplayString(void* buffer, size_t bufferSize, const char* text, bool* cut) {
    const bool hasText = text != nullptr && text[0] != '\0';
    if (buffer == nullptr || bufferSize < kStringLengthSize) {
        if (cut != nullptr) {
            *cut = hasText;
        }
        return 0;
    }
    size_t room = bufferSize - kStringLengthSize;
    if (room > UINT32_MAX) {
        room = UINT32_MAX;
    }
    const size_t length = cp932::PrefixBytesWithin(text, room);
    unsigned char* out = static_cast<unsigned char*>(buffer);
    PutUint32(out, static_cast<uint32_t>(length));
    if (length > 0) {
        std::memcpy(out + kStringLengthSize, text, length);
    }
    if (cut != nullptr) {
        *cut = hasText && text[length] != '\0';
    }
    return kStringLengthSize + length;
}

bool ReadDisplayStringLength(const void* value, size_t valueSize, uint32_t* length) {
    if (value == nullptr || valueSize < kStringLengthSize) {
        return false;
    }
    const uint32_t stored = GetUint32(static_cast<const unsigned char*>(value));
    if (stored > valueSize - kStringLengthSize) {
        return false;
    }
    if (length != nullptr) {
        *length = stored;
    }
    return true;
}

bool ReadDisplayString(const void* value, size_t valueSize, char* dst, size_t dstSize, bool* cut) {
    uint32_t length = 0;
    if (!ReadDisplayStringLength(value, valueSize, &length)) {
        if (dst != nullptr && dstSize > 0) {
            dst[0] = '\0';
        }
        if (cut != nullptr) {
            *cut = false;
        }
        return false;
    }
    const char* chars = static_cast<const char*>(value) + kStringLengthSize;
    cp932::CopyBoundedN(dst, dstSize, chars, length, cut);
    return true;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    if (month == 2 && IsLeapYear(year)) {
        return 29;
    }
    return kDays[month - 1];
}

bool BuildDate(const DateFields& fields, char* out, size_t outSize) {
    if (out == nullptr) {
        return false;
    }
    const size_t fieldBytes = outSize < kDateFieldSize ? outSize : kDateFieldSize;
    std::memset(out, 0, fieldBytes);
    if (outSize < kDateFieldSize || !AreValidFields(fields)) {
        return false;
    }
    PutDigits(out, fields.year, 4);
    PutDigits(out + 4, fields.month, 2);
    PutDigits(out + 6, fields.day, 2);
    PutDigits(out + 8, fields.hour, 2);
    PutDigits(out + 10, fields.minute, 2);
    PutDigits(out + 12, fields.second, 2);
    out[kPointAt] = '.';
    PutDigits(out + kFractionAt, fields.microsecond, 6);
    if (fields.offsetKnown) {
        out[kSignAt] = fields.offsetMinutes < 0 ? '-' : '+';
        const int magnitude = fields.offsetMinutes < 0 ? -fields.offsetMinutes : fields.offsetMinutes;
        PutDigits(out + kOffsetAt, magnitude, 3);
    } else {
        out[kSignAt] = '+';
        std::memcpy(out + kOffsetAt, "***", 3);
    }
    return true;
}

bool IsValidDate(const char* text, size_t size) {
    DateFields fields;
    return ReadDateShape(text, size, &fields) && AreValidFields(fields);
}

bool ParseDate(const char* text, size_t size, DateFields* fields) {
    DateFields parsed;
    if (fields == nullptr || !ReadDateShape(text, size, &parsed) || !AreValidFields(parsed)) {
        return false;
    }
    *fields = parsed;
    return true;
}

}  // namespace dmi
