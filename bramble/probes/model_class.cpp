#include "bramble/probes/model_class.h"

namespace bramble {

namespace {

bool StartsWith(const std::string& text, size_t pos, const char* prefix)
{
    return pos <= text.size() && text.compare(pos, std::string(prefix).size(), prefix) == 0;
}

}  // namespace

ModelClass DeriveModelClass(const std::string& product)
{
    ModelClass result;
    const size_t hyphen = product.find('-');
    if (hyphen == std::string::npos)
        return result;  // kModelClassNoHyphen
    const size_t after = hyphen + 1;
    for (size_t i = 0; i < kModelClassSuffixCount; i++) {
        if (StartsWith(product, after, kModelClassSuffixes[i].text)) {
            result.number = kModelClassSuffixes[i].number;
            return result;
        }
    }
    result.number = kModelClassUnlisted;
    // The decimal product number; more than nine digits is in no row.
    unsigned long number = 0;
    size_t digits = 0;
    for (size_t i = after; i < product.size() && product[i] >= '0' && product[i] <= '9'; i++) {
        if (++digits > 9)
            return result;
        number = number * 10 + static_cast<unsigned>(product[i] - '0');
    }
    if (digits == 0)
        return result;
    for (size_t i = 0; i < kModelClassRowCount; i++) {
        const ModelClassRow& row = kModelClassRows[i];
        if (number < row.low || number > row.high)
            continue;
        result.number = row.number;
        if (row.with24853C != 0 || row.with2774S != 0) {
            result.cdromOnIrq15 = true;
            if (StartsWith(product, 7, "24853C"))
                result.number = row.with24853C;
            else if (StartsWith(product, 7, "2774S"))
                result.number = row.with2774S;
        } else if (row.withEM != 0 && StartsWith(product, 0, "EM")) {
            result.number = row.withEM;
        } else if (row.withP != 0 && StartsWith(product, 0, "P")) {
            result.number = row.withP;
        }
        return result;
    }
    return result;
}

}  // namespace bramble
