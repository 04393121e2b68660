// The maker's product numbers and the model classes they give. Product strings
// look like "NB-4720": the number after the first '-' picks the row.
#include "bramble/probes/model_class.h"

namespace bramble {

const ModelClassRow kModelClassRows[] = {
    // low   high  class  'P'  "EM"  24853C 2774S
    {1000, 1099, 1, 2, 0, 0, 0},     // early desktops
    {1100, 1199, 3, 4, 0, 0, 0},
    {2000, 2049, 5, 0, 0, 0, 0},     // slim desktops
    {2050, 2099, 7, 8, 0, 0, 0},
    {3000, 3000, 9, 0, 0, 0, 0},     // towers
    {3010, 3019, 10, 11, 0, 0, 0},
    {3100, 3199, 12, 13, 0, 0, 0},
    {3200, 3200, 14, 0, 0, 0, 0},
    {3300, 3399, 15, 16, 0, 0, 0},
    {4100, 4199, 17, 18, 0, 0, 0},   // notebooks
    {4200, 4200, 19, 0, 0, 0, 0},
    {4300, 4349, 20, 21, 0, 0, 0},
    {4350, 4399, 22, 0, 0, 0, 0},
    // the four models whose board text picks the class; their CD-ROM uses IRQ 15
    {4500, 4500, 23, 0, 0, 24, 25},
    {4510, 4510, 26, 0, 0, 27, 28},
    {4520, 4520, 29, 0, 0, 30, 31},
    {4530, 4530, 32, 0, 0, 33, 34},
    // the two models sold as "EM" variants
    {4600, 4600, 35, 0, 36, 0, 0},
    {4610, 4610, 37, 0, 38, 0, 0},
    {4700, 4719, 39, 40, 0, 0, 0},
    {4720, 4729, 51, 52, 0, 0, 0},   // mini towers with the hardware monitor
    {4730, 4799, 41, 42, 0, 0, 0},
    {4800, 4819, 50, 0, 0, 0, 0},    // desktops with the hardware monitor
    {4820, 4899, 43, 44, 0, 0, 0},
    {5000, 5999, 45, 46, 0, 0, 0},   // servers
    {6000, 6099, 47, 48, 0, 0, 0},
    {7000, 7999, 49, 0, 0, 0, 0},
};
const size_t kModelClassRowCount = sizeof kModelClassRows / sizeof kModelClassRows[0];

const ModelClassSuffix kModelClassSuffixes[] = {
    {"250A", 53},
    {"251A", 54},
};
const size_t kModelClassSuffixCount = sizeof kModelClassSuffixes / sizeof kModelClassSuffixes[0];

}  // namespace bramble
