#include "app/errors.h"
#include "app/exactdecimal.h"
#include "app/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
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
        {"2,23", ',', 2.23L}, {"2.23", '.', 2.23L},    {" -5 ", ',', -5}, {"+7", ',', 7},
        {"1E3", ',', 1000},   {"2,5e-2", ',', 0.025L}, {",5", ',', 0.5L}, {"5,", ',', 5},
        {"0", '.', 0},        {"1e-5000", '.', 0},
    };
    for (const auto& c : cases) {
        auto v = tryParseFloat(c.text, c.sep);
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_NEAR(static_cast<double>(*v), static_cast<double>(c.value), 1e-12) << c.text;
    }
}

TEST(ParseFloat, RejectsWithExactMessage) {
    for (const char* bad :
         {"", " ", "2.23", "1,2,3", "abc", "1e", "--1", "1 2", "0x10", "1e99999"}) {
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
    // Written as the C library writes the rounded value, up to the largest whole number below
    // 10^15 and on either side of zero.
    std::mt19937_64 rng(20261211);
    for (int i = 0; i < 20000; ++i) {
        const long double v = std::ldexp(static_cast<long double>(rng() % 2000000) - 1e6L,
                                         static_cast<int>(rng() % 40)) /
                              8;
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.0Lf", std::round(v));
        if (std::round(v) != 0 && std::fabs(std::round(v)) < 1e15L) {
            ASSERT_EQ(formatWhole(v, '.'), expected) << static_cast<double>(v);
        }
    }
    EXPECT_EQ(formatWhole(999999999999999.4L, '.'), "999999999999999");
    EXPECT_EQ(formatWhole(-999999999999999.0L, '.'), "-999999999999999");
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
        const std::string text = sign + digits.substr(0, static_cast<size_t>(count - fraction)) +
                                 "." + digits.substr(static_cast<size_t>(count - fraction));
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

TEST(FormatGeneral, ValuesThatAreNotFiniteAreNeverWritten) {
    const long double inf = std::numeric_limits<long double>::infinity();
    const struct {
        long double v;
        const char* message;
    } cases[] = {{inf, "The computed value INF is too large to be written"},
                 {-inf, "The computed value -INF is too large to be written"},
                 {std::numeric_limits<long double>::quiet_NaN(),
                  "The computed value NAN is not a number and cannot be written"}};
    for (const auto& c : cases) {
        for (const auto& write : {+[](long double v) { return formatGeneral(v, 10, '.'); },
                                  +[](long double v) { return formatWhole(v, '.'); }}) {
            try {
                write(c.v);
                ADD_FAILURE() << "written: " << c.message;
            } catch (const OperationError& e) {
                EXPECT_STREQ(e.what(), c.message);
            }
        }
    }
    // The largest finite value is still a number.
    EXPECT_EQ(formatGeneral(std::numeric_limits<long double>::max(), 10, '.'), "1.189731495E4932");
}

namespace {

DecimalDigits exact(std::string_view text) {
    return ExactDecimal::read(text, ',').digits();
}

} // namespace

TEST(ExactDecimal, ReadsTheTextsValueExactly) {
    const struct {
        const char* text;
        const char* digits;
        int exponent;
        bool negative;
    } cases[] = {{"3,5", "35", 0, false},
                 {"0.001", "1", -3, false},
                 {" -12.50 ", "125", 1, true},
                 {"1200", "12", 3, false},
                 {"2.5e-3", "25", -3, false},
                 {"+0,0005E+2", "5", -2, false},
                 {"0", "", 0, false},
                 {"-0.0", "", 0, false},
                 {"1e-99999", "", 0, false},
                 {".5", "5", -1, false},
                 {"7.", "7", 0, false},
                 {"123456789012345678901", "123456789012345678901", 20, false}};
    for (const auto& c : cases) {
        const DecimalDigits d = exact(c.text);
        EXPECT_EQ(d.digits, c.digits) << c.text;
        if (!d.digits.empty()) {
            EXPECT_EQ(d.exponent, c.exponent) << c.text;
            EXPECT_EQ(d.negative, c.negative) << c.text;
        }
    }
    // The reader's refusals and their texts.
    EXPECT_THROW(ExactDecimal::read("x", ','), OperationError);
    EXPECT_THROW(ExactDecimal::read("1e5000", ','), OperationError);
}

TEST(ExactDecimal, SumsAndProductsAcrossLimbsAndSigns) {
    const auto value = [](std::string_view a, char op, std::string_view b) {
        const ExactDecimal x = ExactDecimal::read(a, ',');
        const ExactDecimal y = ExactDecimal::read(b, ',');
        return formatGeneral((op == '+' ? x + y : x * y).digits(), 40, '.');
    };
    EXPECT_EQ(value("0.1", '+', "0.2"), "0.3");
    EXPECT_EQ(value("1", '+', "-1"), "0");
    EXPECT_EQ(value("-5", '+', "3.25"), "-1.75");
    EXPECT_EQ(value("999999999", '+', "1"), "1000000000");
    EXPECT_EQ(value("1e30", '+', "1e-5"), "1000000000000000000000000000000.00001");
    EXPECT_EQ(value("123456789123456789", '*', "987654321987654321"),
              "121932631356500531347203169112635269");
    EXPECT_EQ(value("-0.001", '*', "2500"), "-2.5");
    EXPECT_EQ(value("0", '*', "-7"), "0");
}

TEST(ExactDecimal, RoundsHalvesAwayFromZeroOnTheExactValue) {
    const struct {
        const char* text;
        const char* whole;
        const char* general3;
    } cases[] = {{"3.5", "4", "3.5"},
                 {"-3.5", "-4", "-3.5"},
                 {"3.4999", "3", "3.5"},
                 {"0.5", "1", "0.5"},
                 {"0.49", "0", "0.49"},
                 {"0.05", "0", "0.05"},
                 {"-0.4", "0", "-0.4"},
                 {"9.995", "10", "10"},
                 {"99.95", "100", "100"},
                 {"0.00012345", "0", "0.000123"},
                 {"0.000012345", "0", "1.23E-5"},
                 {"1234.5", "1235", "1.23E3"},
                 {"999999999999999.5", "1E15", "1E15"},
                 {"123456789012345.5", "123456789012346", "1.23E14"},
                 {"1234567890123456", "1.23456789012346E15", "1.23E15"}};
    for (const auto& c : cases) {
        EXPECT_EQ(formatWhole(exact(c.text), '.'), c.whole) << c.text;
        EXPECT_EQ(formatGeneral(exact(c.text), 3, '.'), c.general3) << c.text;
    }
    EXPECT_EQ(formatGeneral(exact("0.125"), 2, ','), "0,13");
    // An exact result past what the readers accept is refused as an infinite one would be.
    const ExactDecimal big = ExactDecimal::read("1e4000", ',');
    try {
        formatGeneral((big * big).digits(), 10, '.');
        ADD_FAILURE() << "written";
    } catch (const OperationError& e) {
        EXPECT_STREQ(e.what(), "The computed value 1E8000 is too large to be written");
    }
    EXPECT_THROW(formatWhole((big * big).digits(), '.'), OperationError);
    EXPECT_EQ(formatGeneral(big.digits(), 10, '.'), "1E4000");
}
