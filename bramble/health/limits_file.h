// The limits file DMIDIR\DATA\SLIMIT.DAT of models without the built-in
// health configuration, an INI file:
//   [Calc_Health]  IN0..IN6, TEMP, FAN_A, FAN_B, FAN_C, CASE: a sensor is there
//                  unless its value is "Nothing" (as a missing key reads);
//                  characters 1-8 and 9-16 are the driver's two factors
//                  ("00000000" is 0, otherwise a decimal number, truncated).
//   [Calc_Limit]   IN0..IN6, TEMP: default high limit in characters 1-6, low
//                  limit in 7-12; FAN_A..FAN_C: minimum speed in 1-6. Leading
//                  '*' of a field are padding. A missing key gives 0 and 0.
//   [Name_Health]  IN0HIGH, IN0LOW, IN0CURT ... IN6CURT: the MIF attribute
//                  names, verbatim (double quotes included), at most 63 bytes.
#pragma once

#include <string>

#include "bramble/health/health_config.h"

namespace bramble {

// The configuration the file describes. A missing or unreadable file reads as
// one with every key missing: no sensor, all limits 0, no names.
HealthConfig ReadLimitsFile(const char* path);

// One factor field of [Calc_Health] (8 characters at most).
int32_t LimitsFileFactor(const std::string& field);
// One limit field of [Calc_Limit] (6 characters at most).
int32_t LimitsFileLimit(const std::string& field);

}  // namespace bramble
