#include <gtest/gtest.h>

#include "shell/Form2.h"

namespace kelto {
namespace {

TEST(SplashDots, OneStepOfTheCycleAndNothingElse) {
    const struct {
        const char* caption;
        const char* next;
    } cases[] = {
        {"Подождите", "Подождите."},        {"Подождите.", "Подождите.."},
        {"Подождите..", "Подождите..."},    {"Подождите...", "Подождите"},
        {"Подождите....", "Подождите...."}, {"", ""},
        {"подождите", "подождите"},         {"Подождите. ", "Подождите. "},
    };
    for (const auto& c : cases) EXPECT_EQ(NextDotsCaption(c.caption), c.next) << c.caption;
}

}  // namespace
}  // namespace kelto
