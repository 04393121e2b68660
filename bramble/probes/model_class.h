// The model class: a small number derived from the product string that picks
// the health configuration, the enclosure type and the CD-ROM interrupt.
#pragma once

#include <string>

namespace bramble {

constexpr unsigned kModelClassNoHyphen = 99;  // the product string has no '-'
constexpr unsigned kModelClassUnlisted = 6;   // a product number in no row

struct ModelClass {
    unsigned number = kModelClassNoHyphen;
    bool cdromOnIrq15 = false;  // the model's CD-ROM drive uses IRQ 15
};

// One row of the maker's product-number table: the product numbers low..high
// (the decimal number after the first '-') and the classes they give.
struct ModelClassRow {
    unsigned low, high;
    unsigned number;       // the class
    unsigned withP;        // the class when the product string starts with 'P' (0: none)
    unsigned withEM;       // the class when it starts with "EM" (0: none)
    unsigned with24853C;   // by the text at the eighth character: "24853C",
    unsigned with2774S;    // "2774S"; nonzero marks the CD-ROM on IRQ 15
};

// Product suffixes right after the '-' that have a class of their own.
struct ModelClassSuffix {
    const char* text;
    unsigned number;
};

// The maker's table (model_class_table.cpp).
extern const ModelClassRow kModelClassRows[];
extern const size_t kModelClassRowCount;
extern const ModelClassSuffix kModelClassSuffixes[];
extern const size_t kModelClassSuffixCount;

ModelClass DeriveModelClass(const std::string& product);

}  // namespace bramble
