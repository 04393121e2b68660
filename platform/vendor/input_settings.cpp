#include "platform/vendor/input_settings.h"

#include <windows.h>

#include "platform/vendor/attribute_catalogue.h"

namespace vendor {

int PointerStepFromSpeed(int speed)
{
    if (speed < 1 || speed > 20)
        return -1;
    return ((speed - 1) * 6 + 9) / 19;
}

int PointerStepFromAcceleration(int threshold1, int threshold2, int acceleration)
{
    if (acceleration <= 0)
        return 0;
    if (acceleration == 1)
        return threshold1 >= 10 ? 1 : threshold1 >= 7 ? 2 : 3;
    return threshold2 >= 12 ? 4 : threshold2 >= 9 ? 5 : 6;
}

bool ReadKeyboardValue(uint32_t key, uint32_t attribute, Value* out)
{
    if (key != 0 || (attribute != 1 && attribute != 2))
        return false;
    int setting = 0;
    if (!SystemParametersInfoA(attribute == 1 ? SPI_GETKEYBOARDDELAY : SPI_GETKEYBOARDSPEED, 0, &setting, 0))
        return false;
    *out = IntegerValue(setting);
    return true;
}

bool ReadMouseValue(uint32_t key, uint32_t attribute, Value* out)
{
    if (key != 0)
        return false;
    if (attribute == 2) {
        *out = IntegerValue(GetDoubleClickTime());
        return true;
    }
    if (attribute != 1)
        return false;
    // The speed setting exists from Windows 98 on; a value outside its range
    // (Wine stores 0 after a set) falls back to the acceleration settings.
    int speed = 0;
    int step = SystemParametersInfoA(SPI_GETMOUSESPEED, 0, &speed, 0) ? PointerStepFromSpeed(speed) : -1;
    int mouse[3] = {0, 0, 0};
    if (step < 0 && SystemParametersInfoA(SPI_GETMOUSE, 0, mouse, 0))
        step = PointerStepFromAcceleration(mouse[0], mouse[1], mouse[2]);
    if (step < 0)
        return false;
    *out = IntegerValue(step);
    return true;
}

}  // namespace vendor
