#include "bramble/health/limits_file.h"

#include <windows.h>

#include <cstdio>
#include <map>
#include <vector>

#include "common/cp932.h"

namespace bramble {

namespace {

const char kNothing[] = "Nothing";
const char* const kSensorKeys[kHealthSensorCount] = {"IN0", "IN1", "IN2",   "IN3",   "IN4",   "IN5",
                                                     "IN6", "TEMP", "FAN_A", "FAN_B", "FAN_C", "CASE"};
constexpr size_t kFactorChars = 8;
constexpr size_t kLimitChars = 6;
// Longest section the profile call gives (the Windows 95 limit).
constexpr DWORD kSectionBytes = 32767;

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string Trimmed(const std::string& text)
{
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return std::string();
    size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

// The keys of a section with their values as the file has them. The section
// call keeps a value's quotes, which a single-key read would strip, so names
// come through verbatim. A key given twice reads as its first occurrence.
std::map<std::string, std::string> ReadSection(const char* path, const char* section)
{
    std::map<std::string, std::string> values;
    std::vector<char> buffer(kSectionBytes + 1, '\0');
    DWORD got = ::GetPrivateProfileSectionA(section, buffer.data(), kSectionBytes, path);
    if (got >= kSectionBytes)
        got = kSectionBytes - 1;
    size_t pos = 0;
    while (pos < got && buffer[pos] != '\0') {
        std::string line(buffer.data() + pos);
        pos += line.size() + 1;
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        std::string key = Upper(Trimmed(line.substr(0, equals)));
        if (!key.empty() && values.find(key) == values.end())
            values.emplace(key, Trimmed(line.substr(equals + 1)));
    }
    return values;
}

std::string ValueOf(const std::map<std::string, std::string>& section, const std::string& key)
{
    auto it = section.find(key);
    return it == section.end() ? std::string(kNothing) : it->second;
}

// A field of at most `width` characters starting at `from`.
std::string Field(const std::string& value, size_t from, size_t width)
{
    return from < value.size() ? value.substr(from, width) : std::string();
}

// The leading decimal integer of text (blanks, a sign, digits); the rest is
// ignored. Held within 32 bits.
int32_t LeadingInteger(const std::string& text, size_t pos)
{
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    int64_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > INT32_MAX)
            value = static_cast<int64_t>(INT32_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        value = INT32_MAX;
    return static_cast<int32_t>(value);
}

std::string BoundedName(const std::string& text)
{
    return text.substr(0, cp932::PrefixBytes(text.data(), text.size(), kMaxAttributeNameBytes, cp932::kUnlimited));
}

}  // namespace

int32_t LimitsFileFactor(const std::string& field)
{
    if (field == "00000000")
        return 0;
    // A decimal number truncated to an integer: its integer digits.
    return LeadingInteger(field, 0);
}

int32_t LimitsFileLimit(const std::string& field)
{
    size_t pos = 0;
    while (pos < field.size() && field[pos] == '*')
        ++pos;
    return LeadingInteger(field, pos);
}

HealthConfig ReadLimitsFile(const char* path)
{
    HealthConfig config;
    if (!path)
        return config;
    const auto calc = ReadSection(path, "Calc_Health");
    for (int s = 0; s < kHealthSensorCount; ++s) {
        std::string value = ValueOf(calc, kSensorKeys[s]);
        if (value == kNothing)
            continue;
        config.present[s] = true;
        config.factor1[s] = LimitsFileFactor(Field(value, 0, kFactorChars));
        config.factor2[s] = LimitsFileFactor(Field(value, kFactorChars, kFactorChars));
    }
    config.tempHighSupported = config.tempLowSupported = config.present[kSensorTemp];

    const auto limits = ReadSection(path, "Calc_Limit");
    for (int s = 0; s <= kSensorTemp; ++s) {
        auto it = limits.find(kSensorKeys[s]);
        if (it == limits.end())
            continue;
        config.defaults[s].high = LimitsFileLimit(Field(it->second, 0, kLimitChars));
        config.defaults[s].low = LimitsFileLimit(Field(it->second, kLimitChars, kLimitChars));
    }
    for (int s = kSensorFanA; s <= kSensorFanC; ++s) {
        auto it = limits.find(kSensorKeys[s]);
        if (it != limits.end())
            config.defaults[s].low = LimitsFileLimit(Field(it->second, 0, kLimitChars));
    }

    const auto names = ReadSection(path, "Name_Health");
    for (int s = 0; s < kVoltageSensorCount; ++s) {
        char key[16];
        auto name = [&](const char* kind) {
            std::snprintf(key, sizeof key, "IN%d%s", s, kind);
            auto it = names.find(key);
            return it == names.end() ? std::string() : BoundedName(it->second);
        };
        config.names[s].high = name("HIGH");
        config.names[s].low = name("LOW");
        config.names[s].current = name("CURT");
    }
    return config;
}

}  // namespace bramble
