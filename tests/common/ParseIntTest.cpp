#include "common/ParseInt.h"
#include "common/Failure.h"

#include <gtest/gtest.h>

namespace {

struct Accepted {
    const char* text;
    int32_t value;
};

TEST(ParseInt, AcceptsDecimalAndEveryHexadecimalPrefix)
{
    const Accepted cases[] = {
        {"0", 0},
        {"12", 12},
        {"012", 12},
        {"+7", 7},
        {"-7", -7},
        {"   42", 42},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"0000000000000012", 12},
        {"$181", 0x181},
        {"x181", 0x181},
        {"X181", 0x181},
        {"0x181", 0x181},
        {"0X181", 0x181},
        {"0xabcDEF", 0xABCDEF},
        {"$7FF", 2047},
        {"-$10", -16},
        {"+0x10", 16},
        {" -0x1", -1},
        {"0x7FFFFFFF", INT32_MAX},
        {"0x80000000", INT32_MIN},
        {"0xFFFFFFFF", -1},
        {"$FFFFFFFE", -2},
        {"0x000000001", 1},
        {"-0xFFFFFFFF", 1},
        {"-0x80000000", INT32_MIN},
    };
    for (const Accepted& c : cases) {
        ASSERT_TRUE(TryParseInt(c.text).has_value()) << c.text;
        EXPECT_EQ(*TryParseInt(c.text), c.value) << c.text;
        EXPECT_EQ(ParseInt(c.text), c.value) << c.text;
    }
}

TEST(ParseInt, RefusesEverythingElse)
{
    const char* refused[] = {
        "",      " ",     "+",          "-",           "$",           "x",           "0x",         "-0x",
        "+$",    "12 ",   " 12 ",       "1 2",         "- 5",         "--5",         "+-5",        "12a",
        "0x12g", "abc",   "2147483648", "-2147483649", "99999999999", "0x100000000", "$1FFFFFFFF", "\t5",
        "5\t",   "0b101", "1e3",        "1.5",         "00x1F",       "0xx1",        "x-1",
    };
    for (const char* text : refused) EXPECT_FALSE(TryParseInt(text).has_value()) << "'" << text << "'";
}

TEST(ParseInt, FailureNamesTheText)
{
    try {
        ParseInt("12a");
        FAIL() << "no failure";
    } catch (const Failure& e) {
        EXPECT_STREQ(e.what(), "'12a' is not a valid integer value");
    }
    EXPECT_THROW(ParseInt(""), Failure);
}

TEST(ParseInt, OrGivesTheFallbackOnlyForBadText)
{
    EXPECT_EQ(ParseIntOr("abc", -1), -1);
    EXPECT_EQ(ParseIntOr("", 99), 99);
    EXPECT_EQ(ParseIntOr("0x3F", -1), 63);
    EXPECT_EQ(ParseIntOr("-1", 5), -1);
}

} // namespace
