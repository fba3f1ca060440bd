#include "numtext/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "numtext/float_check.h"
#include "support/case_name.h"
#include "support/formats.h"
#include "support/rounding.h"

namespace {

using numtext::NumberFormat;
using numtext::rtcFormatNumber;
using numtext::rtcIsNumeric;
using numtext::vbaR8Str;
using namespace testformats;

// ---------------------------------------------------------------------------------------------
// Formatting

struct FormatCase {
    const char* name;
    const NumberFormat* format;
    double value;
    const char* expected;

    friend void PrintTo(const FormatCase& row, std::ostream* out) { *out << row.name; }
};

class FormatNumber : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumber, WritesFourDecimalsInTheRegionsFormat) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(rtcFormatNumber(c.value, 4, *c.format), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Regions, FormatNumber,
    testing::Values(
        FormatCase{"GermanGroups", &kGerman, 1234567.0, "1.234.567,0000"},
        FormatCase{"GermanSmall", &kGerman, 213.74701, "213,7470"},
        FormatCase{"GermanLeadingZero", &kGerman, 0.5, "0,5000"},
        FormatCase{"GermanNegative", &kGerman, -8766.24, "-8.766,2400"},
        FormatCase{"GermanCarryAddsGroup", &kGerman, 9999.99999, "10.000,0000"},
        FormatCase{"UsGroups", &kUsEnglish, 31558464.0, "31,558,464.0000"},
        FormatCase{"IndianGroups", &kIndianEnglish, 1234567.0, "12,34,567.0000"},
        FormatCase{"IndianLarge", &kIndianEnglish, 123456789012.0, "1,23,45,67,89,012.0000"},
        FormatCase{"IndianThreeDigits", &kIndianEnglish, 999.0, "999.0000"},
        FormatCase{"FrenchNarrowNoBreakSpace", &kFrench, 1234.5, "1\u202F234,5000"},
        FormatCase{"SwissApostrophe", &kSwissGerman, -1234.5, "-1\u2019234.5000"},
        FormatCase{"SwedishMinusSign", &kSwedish, -1234.5, "\u22121\u00A0234,5000"},
        FormatCase{"Ungrouped", &kUngrouped, -1234567.25, "-1234567.2500"},
        FormatCase{"MadeUp", &kMadeUp, -1234567.5, "\u27961~~2345~~67?5000"},
        // Exact halves round to even; everything else to nearest from the exact binary value.
        FormatCase{"HalfToEvenDown", &kUsEnglish, 1.03125, "1.0312"},
        FormatCase{"HalfToEvenUp", &kUsEnglish, 1.09375, "1.0938"},
        FormatCase{"JustAboveHalf", &kUsEnglish, 0.00005, "0.0001"},
        // A value that shows as zero carries no sign.
        FormatCase{"NegativeZero", &kGerman, -0.0, "0,0000"},
        FormatCase{"TinyNegative", &kSwedish, -0.00004, "0,0000"},
        FormatCase{"SmallestNegativeShown", &kSwedish, -0.00006, "\u22120,0001"}),
    CaseName());

TEST(FormatNumberTest, WritesEveryDigitOfTheLargestDouble) {
    const std::string text = rtcFormatNumber(std::numeric_limits<double>::max(), 4, kUngrouped);
    EXPECT_EQ(text.substr(0, 20), "17976931348623157081");
    EXPECT_EQ(text.size(), 309u + 5u);
    EXPECT_TRUE(text.ends_with(".0000"));

    const std::string grouped = rtcFormatNumber(1e300, 4, kGerman);
    EXPECT_TRUE(grouped.starts_with("1.000.000.000.000.000.052.504."));
    EXPECT_EQ(grouped.size(), 301u + 100u + 5u);  // 301 digits, 100 group separators
}

TEST(FormatNumberTest, RefusesValuesThatAreNotFinite) {
    EXPECT_THROW((void)rtcFormatNumber(HUGE_VAL, 4, kGerman), numtext::FloatingPointError);
    EXPECT_THROW((void)rtcFormatNumber(std::nan(""), 4, kGerman), numtext::FloatingPointError);
}

// ---------------------------------------------------------------------------------------------
// Reading

struct ReadCase {
    const char* name;
    const NumberFormat* format;
    std::string_view text;
    std::optional<double> expected;  // nullopt: not a number

    friend void PrintTo(const ReadCase& row, std::ostream* out) { *out << row.name; }
};

class ReadNumber : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumber, AcceptsExactlyTheRegionsNumberTexts) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(rtcIsNumeric(c.text, *c.format), c.expected.has_value());
    if (c.expected) {
        const double value = vbaR8Str(c.text, *c.format);
        EXPECT_EQ(value, *c.expected);
        EXPECT_EQ(std::signbit(value), std::signbit(*c.expected));
    } else {
        EXPECT_THROW((void)vbaR8Str(c.text, *c.format), numtext::TypeMismatch);
    }
}

constexpr std::nullopt_t kNo = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Regions, ReadNumber,
    testing::Values(
        ReadCase{"GermanDecimalComma", &kGerman, "4,2", 4.2},
        ReadCase{"GermanGroupsAndDecimals", &kGerman, "1.234,5", 1234.5},
        ReadCase{"GermanSeveralGroups", &kGerman, "1.234.567", 1234567.0},
        ReadCase{"GermanGroupsMayBeLeftOut", &kGerman, "1234567,5", 1234567.5},
        ReadCase{"GermanSomeGroupsLeftOut", &kGerman, "1234.567", 1234567.0},
        // A group separator at a wrong place is not a number: "4.2" is not 42.
        ReadCase{"GermanMisplacedGroup", &kGerman, "4.2", kNo},
        ReadCase{"GermanMisplacedGroupBeforeDecimals", &kGerman, "12.34,5", kNo},
        ReadCase{"GermanGroupAtStart", &kGerman, ".123", kNo},
        ReadCase{"GermanGroupAtEnd", &kGerman, "123.", kNo},
        ReadCase{"GermanDoubledGroup", &kGerman, "1..234", kNo},
        ReadCase{"GermanGroupInFraction", &kGerman, "1,234.5", kNo},
        ReadCase{"GermanSecondDecimal", &kGerman, "1,2,3", kNo},
        ReadCase{"UsDecimalPoint", &kUsEnglish, "4.2", 4.2},
        ReadCase{"UsGroups", &kUsEnglish, "31,558,464.25", 31558464.25},
        ReadCase{"UsCommaIsNoDecimal", &kUsEnglish, "4,2", kNo},
        ReadCase{"IndianGroups", &kIndianEnglish, "12,34,567.5", 1234567.5},
        ReadCase{"IndianRefusesThousands", &kIndianEnglish, "1,234,567", kNo},
        ReadCase{"FrenchNarrowNoBreakSpace", &kFrench, "1\u202F234,5", 1234.5},
        ReadCase{"FrenchNoBreakSpace", &kFrench, "1\u00A0234,5", 1234.5},
        ReadCase{"FrenchPlainSpace", &kFrench, "1 234,5", 1234.5},
        ReadCase{"FrenchMisplacedSpace", &kFrench, "12 34,5", kNo},
        ReadCase{"SwissTypographicApostrophe", &kSwissGerman, "1\u2019234.5", 1234.5},
        ReadCase{"SwissAsciiApostrophe", &kSwissGerman, "1'234.5", 1234.5},
        ReadCase{"SwedishMinusSign", &kSwedish, "\u22121\u00A0234,5", -1234.5},
        ReadCase{"SwedishHyphenMinus", &kSwedish, "-1 234,5", -1234.5},
        ReadCase{"UngroupedRefusesGroups", &kUngrouped, "1,234", kNo},
        ReadCase{"UngroupedPlain", &kUngrouped, "1234.5", 1234.5},
        ReadCase{"MadeUp", &kMadeUp, "\u27961~~2345~~67?5", -1234567.5},
        ReadCase{"MadeUpRefusesPoint", &kMadeUp, "1.5", kNo},
        // Signs, white space, exponents.
        ReadCase{"PlusSign", &kGerman, "+5", 5.0}, ReadCase{"MinusSign", &kGerman, "-5", -5.0},
        ReadCase{"NegativeZero", &kGerman, "-0", -0.0},
        ReadCase{"SurroundingSpace", &kGerman, " \t5,5  ", 5.5},
        ReadCase{"SurroundingNoBreakSpace", &kGerman, "\u00A05\u202F", 5.0},
        ReadCase{"NoIntegerDigits", &kGerman, ",5", 0.5},
        ReadCase{"NoFractionDigits", &kGerman, "5,", kNo},
        ReadCase{"Exponent", &kGerman, "1,5e3", 1500.0},
        ReadCase{"ExponentUpperCaseSigned", &kGerman, "25E-2", 0.25},
        ReadCase{"ExponentRegionalMinus", &kSwedish, "25e\u22122", 0.25},
        ReadCase{"ExponentWithoutDigits", &kGerman, "1e", kNo},
        ReadCase{"ExponentSignOnly", &kGerman, "1e+", kNo},
        ReadCase{"TooLarge", &kGerman, "1e309", kNo},
        ReadCase{"HugeExponent", &kGerman, "1e99999999999999999999", kNo},
        ReadCase{"ZeroWithHugeExponent", &kGerman, "0e99999999999999999999", 0.0},
        ReadCase{"TooSmallBecomesZero", &kGerman, "-1e-400", -0.0},
        ReadCase{"LargestDouble", &kUsEnglish, "1.7976931348623157e308", 1.7976931348623157e308},
        // Not numbers at all.
        ReadCase{"Empty", &kGerman, "", kNo}, ReadCase{"Blank", &kGerman, "   ", kNo},
        ReadCase{"Letters", &kGerman, "abc", kNo}, ReadCase{"TrailingLetter", &kGerman, "5x", kNo},
        ReadCase{"SignOnly", &kGerman, "-", kNo}, ReadCase{"DoubleSign", &kGerman, "--5", kNo},
        ReadCase{"SpaceAfterSign", &kGerman, "- 5", kNo},
        ReadCase{"SpaceInside", &kGerman, "1 5", kNo}, ReadCase{"Infinity", &kGerman, "inf", kNo},
        ReadCase{"NotANumber", &kGerman, "nan", kNo},
        ReadCase{"Hexadecimal", &kUsEnglish, "0x1A", kNo},
        ReadCase{"Currency", &kGerman, "5 €", kNo},
        ReadCase{"FullWidthDigit", &kGerman, "\uFF15", kNo},
        ReadCase{"EmbeddedNul", &kGerman,
                 std::string_view("5\0"
                                  "1",
                                  3),
                 kNo}),
    CaseName());

TEST(ReadNumberTest, ReadsVeryLongTexts) {
    const std::string ones(30000, '1');
    EXPECT_FALSE(rtcIsNumeric(ones, kUngrouped));  // about 1e30000
    EXPECT_DOUBLE_EQ(vbaR8Str("0," + std::string(30000, '0') + "1e30001", kGerman), 1.0);
    EXPECT_DOUBLE_EQ(vbaR8Str(ones + "e-29990", kUngrouped), 1111111111.1111111);
    EXPECT_FALSE(rtcIsNumeric(std::string(30000, ' ') + "x", kGerman));
}

// ---------------------------------------------------------------------------------------------
// Round trip: what rtcFormatNumber writes reads back as the value rounded to four decimals.

TEST(RoundTripTest, FormattedValuesReadBackRoundedToFourDecimalsInEveryFormat) {
    std::mt19937_64 random(20261211);
    std::uniform_int_distribution<int> exponent(-20, 1023);
    std::uniform_real_distribution<double> mantissa(1.0, 2.0);
    for (int i = 0; i < 20000; ++i) {
        double x = std::ldexp(mantissa(random), exponent(random));
        if (random() & 1) {
            x = -x;
        }
        for (const auto& [name, format] : kAll) {
            const std::string text = rtcFormatNumber(x, 4, *format);
            ASSERT_TRUE(rtcIsNumeric(text, *format)) << name << ": " << text;
            const double back = vbaR8Str(text, *format);
            ASSERT_EQ(back, roundedToFourDecimals(x)) << name << ": " << text;
        }
    }
}

TEST(RoundTripTest, BoundaryValues) {
    for (double x : {0.0, -0.0, 0.00005, -0.00005, 0.99995, 4.9e-324, 1e15 + 0.3,
                     std::numeric_limits<double>::max(), -std::numeric_limits<double>::max()}) {
        for (const auto& [name, format] : kAll) {
            const std::string text = rtcFormatNumber(x, 4, *format);
            EXPECT_EQ(vbaR8Str(text, *format), roundedToFourDecimals(x)) << name << ": " << text;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Formats

TEST(NumberFormatTest, RealFormatsAreUnambiguous) {
    for (const auto& [name, format] : kAll) {
        EXPECT_TRUE(format->unambiguous()) << name;
    }
}

TEST(NumberFormatTest, SeparatorsThatCollideAreAmbiguous) {
    const NumberFormat cases[] = {
        {"", ".", 3, 3, "-"},    // no decimal separator
        {",", ",", 3, 3, "-"},   // group reads as decimal
        {",", ",.", 3, 3, "-"},  // group starts with the decimal separator
        {"1", ".", 3, 3, "-"},   // digit
        {"e", ".", 3, 3, "-"},   // exponent
        {",", ".", 3, 3, ""},    // no negative sign
        {",", ".", 3, 3, " -"},  // negative sign read as white space
        {",", ".", 3, 3, "+"},   // negative sign reads as plus
    };
    for (const NumberFormat& format : cases) {
        EXPECT_FALSE(format.unambiguous())
            << "'" << format.decimalSeparator << "' '" << format.groupSeparator << "' '"
            << format.negativeSign << "'";
    }
}

}  // namespace
