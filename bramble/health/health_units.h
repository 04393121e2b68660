// The units of the health values: limits are stored in degrees Fahrenheit and
// tenths of a volt; the service layer sees degrees Celsius and volt texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace bramble {

// n / d rounded to the nearest integer, halves toward zero (d > 0).
int32_t RoundedQuotient(int64_t n, int64_t d);

// (f - 32) * 5 / 9 and c * 9 / 5 + 32, each rounded as above.
int32_t FahrenheitToCelsius(int32_t fahrenheit);
int32_t CelsiusToFahrenheit(int32_t celsius);

// What a voltage of raw 255 and of raw 0 is served as: the texts of the
// string-table entries 2305 and 2306, kept here so that the serving code has
// them without bramble's resources (tests link it without them).
extern const char kAboveRangeText[];
extern const char kBelowRangeText[];

// The served text of a raw voltage in tenths of a volt: the two range texts
// for 0 and 255, otherwise the volts with one decimal ("3.3" for 33).
std::string VoltageText(int32_t raw);

// A voltage limit as the service layer sets it: a text of fewer than 8
// characters that is a decimal number (digits, at most one point, a sign only
// in front). Its tenths of a volt, truncated and held at 1000 at most, go to
// *raw. False for anything else, and for a value below 0.1 (zero and negative
// values included).
bool ParseVoltageText(const char* text, size_t length, int32_t* raw);

constexpr size_t kMaxVoltageTextLength = 7;
constexpr int32_t kMaxVoltageRaw = 1000;

}  // namespace bramble
