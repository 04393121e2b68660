#include "bramble/health/health_units.h"

#include <cstdio>

namespace bramble {

const char kAboveRangeText[] = "値が正常な範囲を上回っています．";
const char kBelowRangeText[] = "値が正常な範囲を下回っています．";

int32_t RoundedQuotient(int64_t n, int64_t d)
{
    int64_t q = n / d;          // toward zero
    int64_t r = n % d;          // same sign as n
    int64_t twice = (r < 0 ? -r : r) * 2;
    if (twice > d)              // more than a half away from zero
        q += n < 0 ? -1 : 1;
    if (q > INT32_MAX)
        q = INT32_MAX;
    if (q < INT32_MIN)
        q = INT32_MIN;
    return static_cast<int32_t>(q);
}

int32_t FahrenheitToCelsius(int32_t fahrenheit)
{
    return RoundedQuotient((static_cast<int64_t>(fahrenheit) - 32) * 5, 9);
}

int32_t CelsiusToFahrenheit(int32_t celsius)
{
    int64_t f = static_cast<int64_t>(RoundedQuotient(static_cast<int64_t>(celsius) * 9, 5)) + 32;
    return f > INT32_MAX ? INT32_MAX : static_cast<int32_t>(f);
}

std::string VoltageText(int32_t raw)
{
    if (raw == 0)
        return kBelowRangeText;
    if (raw == 255)
        return kAboveRangeText;
    char text[32];
    std::snprintf(text, sizeof text, "%1.1lf", raw * 0.1);
    return text;
}

bool ParseVoltageText(const char* text, size_t length, int32_t* raw)
{
    if (!text || length == 0 || length > kMaxVoltageTextLength)
        return false;
    // Read exactly in tenths: the whole volts, then the first decimal.
    bool negative = false, point = false, digits = false, nonzero = false;
    int64_t tenths = 0;
    int decimals = 0;
    for (size_t i = 0; i < length; ++i) {
        char c = text[i];
        if ((c == '+' || c == '-') && i == 0) {
            negative = c == '-';
        } else if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            nonzero = nonzero || c != '0';
            if (!point) {
                tenths = tenths * 10 + (c - '0');
            } else if (decimals++ == 0) {
                tenths = tenths * 10 + (c - '0');
            }
        } else {
            return false;
        }
    }
    if (!digits || !nonzero)
        return false;
    if (decimals == 0)
        tenths *= 10;
    // Below 0.1 V (a negative value or one like 0.05) would be stored as
    // the smallest limit, 0.1 V: refused as zero is.
    if (negative || tenths < 1)
        return false;
    *raw = static_cast<int32_t>(tenths > kMaxVoltageRaw ? kMaxVoltageRaw : tenths);
    return true;
}

}  // namespace bramble
