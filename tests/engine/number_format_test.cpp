#include "engine/errors.h"
#include "engine/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct FormatCase {
    double value;
    const char *text;
};

TEST(NumberFormat, GeneralRealTable) {
    const FormatCase cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {293.0, "293"},
        {293.15, "293.15"},
        {0.001, "0.001"},
        {0.0001, "0.0001"},
        {0.00009, "9E-5"},
        {1.5e-12, "1.5E-12"},
        {1.5e-7, "1.5E-7"},
        {1e20, "1E20"},
        {3.2e12, "3200000000000"},
        {999999999999999.0, "999999999999999"},
        {1e15, "1E15"},
        {-0.5, "-0.5"},
        {0.1, "0.1"},
        {1.0 / 3.0, "0.333333333333333"},
        {0.000125892541179417, "0.000125892541179417"},
        {0.794328234724286, "0.794328234724286"},
        {3.97164117362141, "3.97164117362141"},
        {0.786384952377039, "0.786384952377039"},
        {std::pow(10.0, std::log10(0.99) - 0.1), "0.786384952377039"},
        {123456789012345678.0, "1.23456789012346E17"},
        {-2.5e-300, "-2.5E-300"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formatGeneral(c.value), c.text) << c.text;
}

TEST(NumberFormat, DataRealIsPrintfG) {
    const FormatCase cases[] = {
        {0.001, "0.001"},          {1.234567891e-12, "1.23457e-12"}, {1.23456789e-9, "1.23457e-09"},
        {2.5e6, "2.5e+06"},        {0.00102329, "0.00102329"},       {3.45678e-09, "3.45678e-09"},
        {0.00125893, "0.00125893"}, {1.23457e12, "1.23457e+12"},     {0.0, "0"},
        {3.2e12, "3.2e+12"},       {1.5e-7, "1.5e-07"},             {-0.5, "-0.5"},
        {0.000102329, "0.000102329"}, {1.23457e11, "1.23457e+11"},   {100000.0, "100000"},
        {1000000.0, "1e+06"},      {0.0001, "0.0001"},              {0.00001, "1e-05"},
        {1.0, "1"},                {0.99999999999996, "1"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formatData(c.value), c.text) << c.text;
}

TEST(NumberFormat, PatternsOfLabelsAndAxes) {
    EXPECT_EQ(formatScientific(1.234e11, 3), "1.234E+11");
    EXPECT_EQ(formatScientific(0.005, 3), "5.000E-03");
    EXPECT_EQ(formatScientific(0.0, 3), "0.000E+00");
    EXPECT_EQ(formatScientific(-123456.0, 3), "-1.235E+05");
    EXPECT_EQ(formatScientific(2.5e-12, 2), "2.50E-12");
    EXPECT_EQ(formatScientific(1e100, 3), "1.000E+100");

    EXPECT_EQ(formatGrouped(1234567.125, 6), "1,234,567.125");
    EXPECT_EQ(formatGrouped(0.0001, 6), "0.0001");
    EXPECT_EQ(formatGrouped(0.001, 4), "0.001");
    EXPECT_EQ(formatGrouped(100.0, 6), "100");
    EXPECT_EQ(formatGrouped(-1000.5, 4), "-1,000.5");
    EXPECT_EQ(formatGrouped(1e-9, 6), "0");
    EXPECT_EQ(formatInteger(-12), "-12");
}

TEST(NumberFormat, ParseRealAcceptsHeaderForms) {
    EXPECT_EQ(parseReal("293"), 293.0);
    EXPECT_EQ(parseReal("  293.15  "), 293.15);
    EXPECT_EQ(parseReal("1.5E-12"), 1.5e-12);
    EXPECT_EQ(parseReal("1.5e-12"), 1.5e-12);
    EXPECT_EQ(parseReal("1E20"), 1e20);
    EXPECT_EQ(parseReal("-0.5"), -0.5);
    EXPECT_EQ(parseReal("+.5"), 0.5);
    EXPECT_EQ(parseReal("5."), 5.0);
    EXPECT_EQ(parseReal("1e-400"), 0.0);
}

TEST(NumberFormat, ParseRealRefusesWithTheConversionMessage) {
    for (const char *text : {"", " ", "abc", "1.2.3", "1e", "nan", "inf", "1e400", "1,5", "0x10", "12abc", "- 1"}) {
        try {
            parseReal(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const ConvertError &e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid floating point value");
        }
    }
}

TEST(NumberFormat, ParseIntegerAcceptsAndRefuses) {
    EXPECT_EQ(parseInteger("101"), 101);
    EXPECT_EQ(parseInteger("  -5"), -5);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_EQ(parseInteger("2147483647"), 2147483647);
    EXPECT_EQ(parseInteger("-2147483648"), -2147483647 - 1);
    for (const char *text : {"", "1.0", "12 ", "abc", "2147483648", "-2147483649", "99999999999999999999", "1e3"}) {
        try {
            parseInteger(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const ConvertError &e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

TEST(NumberFormat, DataTokensAndLeadingNumbers) {
    double v = 0.0;
    EXPECT_TRUE(parseDataToken("1.23457e-09", v));
    EXPECT_EQ(v, 1.23457e-09);
    EXPECT_TRUE(parseDataToken("-7", v));
    EXPECT_EQ(v, -7.0);
    for (const char *bad : {"abc", "1.5x", "nan", "inf", "1e999", "", "--1"})
        EXPECT_FALSE(parseDataToken(bad, v)) << bad;

    EXPECT_EQ(parseLeadingNumber("2.5e-9"), 2.5e-9);
    EXPECT_EQ(parseLeadingNumber("20.000\r"), 20.0);
    EXPECT_EQ(parseLeadingNumber("ch0"), 0.0);
    EXPECT_EQ(parseLeadingNumber("12abc"), 12.0);
    EXPECT_EQ(parseLeadingNumber("1e"), 1.0);
    EXPECT_EQ(parseLeadingNumber("-3E+2V"), -300.0);
    EXPECT_EQ(parseLeadingNumber("inf"), 0.0);
    EXPECT_EQ(parseLeadingNumber("1e400"), 0.0);
}

}  // namespace
