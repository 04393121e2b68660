// The model class from the product string: the fixed rules, and the shape of
// the maker's table over every product number.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "bramble/probes/model_class.h"

using namespace bramble;

namespace {

TEST(ProbeModelClass, FixedRules)
{
    for (const char* product : {"", "N/A", "DIM4400", "431924G", "Surface Laptop 3"})
        EXPECT_EQ(DeriveModelClass(product).number, kModelClassNoHyphen) << product;
    // After the first '-': no number, a number in no row, too many digits.
    for (const char* product : {"GA-MA74GMT-S2", "X9DBL-3F/X9DBL-iF", "NB-", "NB-9999",
                                "NB-47200000000000000000", "NB--4720"})
        EXPECT_EQ(DeriveModelClass(product).number, kModelClassUnlisted) << product;
    // The suffixes give their own classes, not the class of number 250 or 251.
    const unsigned a250 = DeriveModelClass("NB-250A").number;
    const unsigned a251 = DeriveModelClass("PNB-251A-X").number;
    EXPECT_NE(a250, a251);
    EXPECT_NE(a250, DeriveModelClass("NB-250").number);
    EXPECT_NE(a250, kModelClassUnlisted);
    EXPECT_NE(a251, kModelClassUnlisted);
    // Only the first '-' counts.
    EXPECT_EQ(DeriveModelClass("NB-4720-250A").number, DeriveModelClass("NB-4720").number);
}

// Every product number 0-9999 with the variants the rules know: every class
// lies in 1-54, and the rows have the shape the maker's table has.
TEST(ProbeModelClass, EveryProductNumberGivesAClassOfTheTable)
{
    std::set<unsigned> classes, withP, withEM, cdrom;
    for (unsigned n = 0; n < 10000; n++) {
        const std::string number = std::to_string(n);
        const ModelClass plain = DeriveModelClass("N-" + number + "/X");
        const ModelClass p = DeriveModelClass("P-" + number + "/X");
        const ModelClass em = DeriveModelClass("EM-" + number + "/X");
        for (const ModelClass& c : {plain, p, em}) {
            ASSERT_GE(c.number, 1u) << n;
            ASSERT_LE(c.number, 54u) << n;
            classes.insert(c.number);
        }
        if (p.number != plain.number)
            withP.insert(n);
        if (em.number != plain.number)
            withEM.insert(n);
        if (plain.cdromOnIrq15)
            cdrom.insert(n);
        EXPECT_EQ(plain.cdromOnIrq15, p.cdromOnIrq15) << n;
    }
    // The classes that decide the fixed health configuration are reachable.
    for (unsigned c : {50u, 51u, 52u})
        EXPECT_EQ(classes.count(c), 1u) << c;
    EXPECT_FALSE(withP.empty());
    EXPECT_EQ(withEM.size(), 2u);
    ASSERT_EQ(cdrom.size(), 4u);

    // For each of the four, the text at the eighth character picks one of
    // three classes (product strings "N-4500/..." put it there).
    for (unsigned n : cdrom) {
        const std::string base = "N-" + std::to_string(n);
        ASSERT_EQ(base.size(), 6u);
        const ModelClass neither = DeriveModelClass(base + "/X");
        const ModelClass first = DeriveModelClass(base + "/24853C");
        const ModelClass second = DeriveModelClass(base + "/2774S");
        EXPECT_TRUE(first.cdromOnIrq15 && second.cdromOnIrq15);
        EXPECT_EQ(std::set<unsigned>({neither.number, first.number, second.number}).size(), 3u) << n;
        // One character later it is no longer the eighth.
        EXPECT_EQ(DeriveModelClass(base + "//24853C").number, neither.number) << n;
    }
}

}  // namespace
