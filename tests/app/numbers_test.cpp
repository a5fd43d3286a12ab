#include "app/errors.h"
#include "app/numbers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>

using namespace aethrian;

TEST(DotConversions, DividerComma) {
    EXPECT_EQ(dotRem("2.23", ','), "2,23");
    EXPECT_EQ(dotRem("2,23", ','), "2,23");
    EXPECT_EQ(dotAdd("2,23", ','), "2.23");
    EXPECT_EQ(dotRem("1.2.3", ','), "1,2,3");
    EXPECT_EQ(dotRem("blue.wolf", ','), "blue,wolf");
}

TEST(DotConversions, DividerPoint) {
    EXPECT_EQ(dotRem("2,23", '.'), "2.23");
    EXPECT_EQ(dotRem("2.23", '.'), "2.23");
    EXPECT_EQ(dotAdd("a,b.c", '.'), "a.b.c");
}

TEST(ParseFloat, AcceptsPlatformSyntaxWithDivider) {
    struct Case {
        const char* text;
        char sep;
        long double value;
    };
    const Case cases[] = {
        {"2,23", ',', 2.23L}, {"2.23", '.', 2.23L},   {" -5 ", ',', -5},   {"+7", ',', 7},
        {"1E3", ',', 1000},   {"2,5e-2", ',', 0.025L}, {",5", ',', 0.5L},  {"5,", ',', 5},
        {"0", '.', 0},        {"1e-5000", '.', 0},
    };
    for (const auto& c : cases) {
        auto v = tryParseFloat(c.text, c.sep);
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_NEAR(static_cast<double>(*v), static_cast<double>(c.value), 1e-12) << c.text;
    }
}

TEST(ParseFloat, RejectsWithExactMessage) {
    for (const char* bad : {"", " ", "2.23", "1,2,3", "abc", "1e", "--1", "1 2", "0x10", "1e99999"}) {
        EXPECT_FALSE(tryParseFloat(bad, ',').has_value()) << bad;
    }
    try {
        readNumber("1.2.3", ',');
        FAIL();
    } catch (const OperationError& e) {
        EXPECT_STREQ(e.what(), "'1,2,3' is not a valid floating point value");
    }
}

TEST(ParseInt64, WholeNumbersOnly) {
    EXPECT_EQ(tryParseInt64("10"), 10);
    EXPECT_EQ(tryParseInt64(" -3"), -3);
    EXPECT_EQ(tryParseInt64("+4"), 4);
    EXPECT_FALSE(tryParseInt64("1.5"));
    EXPECT_FALSE(tryParseInt64("99999999999999999999"));
    EXPECT_FALSE(tryParseInt64(""));
    EXPECT_FALSE(tryParseInt64("3 "));
}

TEST(FormatGeneral, Notation) {
    struct Case {
        long double v;
        int digits;
        const char* text;
    };
    const Case cases[] = {
        {5, 15, "5"},
        {2.5L, 15, "2.5"},
        {0.0001L, 15, "0.0001"},
        {0.00001L, 15, "1E-5"},
        {1e15L, 15, "1E15"},
        {999999999999999.0L, 15, "999999999999999"},
        {2.5e10L, 10, "2.5E10"},
        {1.5e-7L, 15, "1.5E-7"},
        {-2.5L, 15, "-2.5"},
        {0, 10, "0"},
        {1.0L / 3, 10, "0.3333333333"},
        {10.0L / 3, 10, "3.333333333"},
        {0.06625L, 10, "0.06625"},
        {58.8121L, 15, "58.8121"},
        {2.5e-5L, 10, "2.5E-5"},
        {123456789012.0L, 10, "1.23456789E11"},
        {9999999999.5L, 10, "1E10"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatGeneral(c.v, c.digits, '.'), c.text) << static_cast<double>(c.v);
    EXPECT_EQ(formatGeneral(2.5L, 15, ','), "2,5");
}

TEST(FormatGeneral, RoundsOnExactBinaryValue) {
    // 0.125 is an exact half at two digits: away from zero. 0.15 is stored below 0.15.
    EXPECT_EQ(formatGeneral(0.125, 2, '.'), "0.13");
    EXPECT_EQ(formatGeneral(-0.125, 2, '.'), "-0.13");
    EXPECT_EQ(formatGeneral(0.15, 1, '.'), "0.1");
    EXPECT_EQ(formatGeneral(2.5, 1, '.'), "3");
    EXPECT_EQ(formatGeneral(3.5, 1, '.'), "4");
    EXPECT_EQ(formatGeneral(1.0 / 3 * 3, 15, '.'), "1");
    EXPECT_EQ(formatGeneral(0.1 + 0.2, 15, '.'), "0.3");
    EXPECT_EQ(formatGeneral(static_cast<double>(7.5) / 1, 15, '.'), "7.5");
}

TEST(FormatWhole, HalvesAwayFromZero) {
    EXPECT_EQ(formatWhole(2.5, '.'), "3");
    EXPECT_EQ(formatWhole(-2.5, '.'), "-3");
    EXPECT_EQ(formatWhole(1.225, '.'), "1");
    EXPECT_EQ(formatWhole(3.5, '.'), "4");
    EXPECT_EQ(formatWhole(-0.2, '.'), "0");
    EXPECT_EQ(formatWhole(123456789012345.0, '.'), "123456789012345");
    EXPECT_EQ(formatWhole(1234567890123456.0, '.'), "1.23456789012346E15");
}

// The short-decimal shortcuts of reading and writing against the C library on random plain
// decimals: the same value read under either divider, the same ten significant digits written.
TEST(Numbers, PlainDecimalsMatchTheCLibrary) {
    std::mt19937_64 rng(20261209);
    for (int i = 0; i < 20000; ++i) {
        const int count = 1 + static_cast<int>(rng() % 18);
        const int fraction = static_cast<int>(rng() % static_cast<unsigned>(count + 1));
        std::string digits;
        for (int k = 0; k < count; ++k)
            digits += static_cast<char>('0' + rng() % 10);
        const std::string sign = rng() % 4 == 0 ? "-" : "";
        const std::string text = sign + digits.substr(0, static_cast<size_t>(count - fraction)) + "." +
                                 digits.substr(static_cast<size_t>(count - fraction));
        if (text == "." || text == "-.")
            continue;
        const long double expected = std::strtold(text.c_str(), nullptr);
        ASSERT_EQ(readNumber(text, ','), expected) << text;
        ASSERT_EQ(readNumber(dotRem(text, ','), '.'), expected) << text;
        ASSERT_EQ(tryParseFloat(dotRem(text, ','), ','), expected) << text;

        // Compare the written form where printf's notation is the same and no exact tie arises.
        const auto first = digits.find_first_not_of('0');
        const auto last = digits.find_last_not_of('0');
        if (first == std::string::npos || expected == 0)
            continue;
        const size_t significant = last - first + 1;
        if (significant == 11)
            continue;
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.10Lg", expected);
        if (std::string(buf).find('e') != std::string::npos)
            continue;
        ASSERT_EQ(formatGeneral(expected, 10, '.'), buf) << text;
    }
}
