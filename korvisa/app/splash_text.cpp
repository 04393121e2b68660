#include "korvisa/app/splash_text.h"

#include "common/cp932.h"

namespace korvisa {

const char kSplashNoName[] = "--------------";

std::string SplashNameLine(bool present, const std::string& value)
{
    if (!present || value.empty())
        return kSplashNoName;
    return value.substr(0, cp932::PrefixBytesWithin(value.c_str(), kSplashNameBytes));
}

}  // namespace korvisa
