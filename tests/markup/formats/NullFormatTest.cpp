// The null format runs the parser and writes nothing.
#include <gtest/gtest.h>

#include "FormatTestSupport.h"

namespace {

TEST(NullFormat, WritesNothingForAnyInput)
{
    EXPECT_EQ(NullOutputFormat()->WrapColumn, -1);
    EXPECT_EQ(format_test::Convert(NullOutputFormat(), format_test::kFixturePage), "");
    format_test::PageShape shape;
    shape.controlBytes = true;
    for (uint64_t seed = 1; seed <= 300; ++seed) {
        const std::string page = format_test::RandomPage(seed, 10 + int(seed % 120), shape);
        ASSERT_EQ(format_test::Convert(NullOutputFormat(), page, OptNumberLevel1), "")
            << "seed " << seed;
    }
}

}  // namespace
