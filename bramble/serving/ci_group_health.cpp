#include "bramble/serving/ci_group_health.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "bramble/health/health_monitor.h"
#include "bramble/health/health_units.h"
#include "common/byte_fields.h"

namespace bramble {

namespace {

enum : uint32_t { kTypeInteger = 5, kTypeString = 8 };

constexpr int32_t kMinTempC = -10, kMaxTempC = 100;
constexpr int32_t kMaxFanSpeed = 10000;

bool IsTemperatureLimit(ULONG id) { return id == kHealthTempHigh || id == kHealthTempLow; }
bool IsVoltage(ULONG id)
{
    return (id >= kHealthFirstVoltageLimit && id <= kHealthLastVoltageLimit) ||
           (id >= kHealthFirstVoltageCurrent && id <= kHealthLastVoltageCurrent);
}
bool IsFanMinimum(ULONG id) { return id >= kHealthFirstFanMinimum && id <= kHealthLastFanMinimum; }

// The group's answer record, overwritten by the next request.
struct HealthAnswer {
    AttributeResult result{};
    int32_t integer = 0;
    struct {
        uint32_t length;
        char text[64];
    } string{};
};
HealthAnswer g_answer;

LRESULT Ask(HWND window, UINT message, ULONG attribute, int32_t raw)
{
    if (window && ::IsWindow(window))
        return ::SendMessageA(window, message, attribute, raw);
    return HandleHealthMessage(message, attribute, raw);
}

}  // namespace

AttributeResult* HealthGroupGet(HWND window, ULONG attribute)
{
    if (attribute < kHealthTempHigh || attribute > kHealthLimitsAreDefaults)
        return nullptr;
    const int32_t raw = static_cast<int32_t>(Ask(window, kHealthGet, attribute, 0));
    if (!LastHealthGetAnswered())
        return nullptr;
    g_answer.result.attributeId = attribute;
    if (IsVoltage(attribute)) {
        const std::string text = VoltageText(raw);
        const size_t length = std::min(text.size(), sizeof g_answer.string.text);
        std::memcpy(g_answer.string.text, text.data(), length);
        g_answer.string.length = static_cast<uint32_t>(length);
        g_answer.result.dataType = kTypeString;
        g_answer.result.value = &g_answer.string;
        return &g_answer.result;
    }
    if (IsTemperatureLimit(attribute))
        g_answer.integer = FahrenheitToCelsius(raw);
    else if (attribute == kHealthTempCurrent)
        g_answer.integer = static_cast<int16_t>(raw & 0xFFFF);
    else
        g_answer.integer = raw;
    g_answer.result.dataType = kTypeInteger;
    g_answer.result.value = &g_answer.integer;
    return &g_answer.result;
}

ULONG HealthGroupSet(HWND window, ULONG attribute, const void* value)
{
    if (!value || attribute < kHealthTempHigh || attribute > kHealthLimitsAreDefaults)
        return 0;
    int32_t raw = 0;
    if (attribute >= kHealthFirstVoltageLimit && attribute <= kHealthLastVoltageLimit) {
        // A text: its length first, and only a short one is read further.
        const uint32_t length = le::Word(value, 0);
        if (length > kMaxVoltageTextLength ||
            !ParseVoltageText(static_cast<const char*>(value) + 4, length, &raw))
            return 0;
    } else {
        raw = static_cast<int32_t>(le::Word(value, 0));
        if (IsTemperatureLimit(attribute))
            raw = CelsiusToFahrenheit(std::clamp(raw, kMinTempC, kMaxTempC));
        else if (IsFanMinimum(attribute))
            raw = std::clamp(raw, 0, kMaxFanSpeed);
    }
    return Ask(window, kHealthSet, attribute, raw) ? 1 : 0;
}

}  // namespace bramble
