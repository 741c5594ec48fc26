// The portable number texts (used where the C++ library lacks floating-point to_chars and
// from_chars) give exactly what the library gives.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "platform/number_text.h"

namespace kelto {
namespace {

std::vector<double> SampleDoubles() {
    std::vector<double> v = {0.0,
                             -0.0,
                             1.0,
                             -340.0,
                             1.5,
                             15.625,
                             0.1,
                             0.2,
                             1e15,
                             1e16,
                             1e21,
                             1e22,
                             1e-5,
                             1e-4,
                             123456789012345678.0,
                             5e-324,
                             1.7976931348623157e308,
                             0.3,
                             2.0 / 3,
                             100.25,
                             1234.5,
                             -0.000123,
                             9007199254740993.0,
                             HUGE_VAL,
                             -HUGE_VAL};
    std::mt19937_64 gen(7);
    std::uniform_real_distribution<double> ms(0, 1e7);
    std::uniform_int_distribution<uint64_t> bits;
    for (int i = 0; i < 20000; ++i) {
        v.push_back(std::round(ms(gen) * 4) / 4);  // clock readings in quarter milliseconds
        v.push_back(ms(gen) / 7);
        double any;
        const uint64_t b = bits(gen);
        std::memcpy(&any, &b, sizeof any);
        if (std::isfinite(any)) v.push_back(any);
    }
    return v;
}

TEST(NumberText, ShortestTextMatchesTheLibrary) {
    for (double d : SampleDoubles()) ASSERT_EQ(portable::ShortestText(d), ShortestText(d)) << d;
}

TEST(NumberText, ShortestFixedTextMatchesTheLibrary) {
    std::vector<float> v = {0.0f,  -0.0f,   1.0f,   480.0f,  -340.5f, 0.1f,
                            1e-7f, 3.4e38f, 1e-45f, 2400.0f, 15.625f, 1234.567f};
    std::mt19937 gen(11);
    std::uniform_real_distribution<float> twips(-20000, 20000);
    std::uniform_int_distribution<uint32_t> bits;
    for (int i = 0; i < 20000; ++i) {
        v.push_back(twips(gen));
        float any;
        const uint32_t b = bits(gen);
        std::memcpy(&any, &b, sizeof any);
        if (std::isfinite(any)) v.push_back(any);
    }
    for (float f : v) ASSERT_EQ(portable::ShortestFixedText(f), ShortestFixedText(f)) << f;
}

TEST(NumberText, ParsingMatchesTheLibrary) {
    const char* texts[] = {"0",
                           "-0",
                           "12",
                           "-340",
                           "1.5",
                           "15.625",
                           ".5",
                           "5.",
                           "1e5",
                           "1E-3",
                           "1e",
                           "1e+",
                           "2.5e+3",
                           "-",
                           "",
                           "+1",
                           " 1",
                           "1 ",
                           "0x10",
                           "inf",
                           "-INF",
                           "nan",
                           "abc",
                           "1.2.3",
                           "1e400",
                           "-1e400",
                           "3.4028235e38",
                           "3.5e38",
                           "0.1",
                           "1,5",
                           "..",
                           "123456789012345678901234567890",
                           "0.000000000000000000000000000001"};
    for (const char* t : texts) {
        const auto general = ParseGeneral(t), portableGeneral = portable::ParseGeneral(t);
        ASSERT_EQ(general.has_value(), portableGeneral.has_value()) << t;
        if (general && !std::isnan(*general)) {
            EXPECT_EQ(*general, *portableGeneral) << t;
        }
        const auto fixed = ParseFixed(t), portableFixed = portable::ParseFixed(t);
        ASSERT_EQ(fixed.has_value(), portableFixed.has_value()) << t;
        if (fixed && !std::isnan(*fixed)) {
            EXPECT_EQ(*fixed, *portableFixed) << t;
        }
    }
}

}  // namespace
}  // namespace kelto
