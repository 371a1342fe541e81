// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/Fmt.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Fmt takes an extended real; every row keeps the type of its literal, since
// a float, a double and a long double of "the same" decimal are different
// binary values and round differently where the decimal is a tie.
struct FmtRow {
    long double value;
    const char* text;
    const char* why;
};

long double JustBelow(long double value, int steps)
{
    for (int i = 0; i < steps; ++i)
        value = std::nextafter(value, 0.0L);
    return value;
}

const FmtRow kFixedRows[] = {
    {0.0L, "0.00", "zero"},
    {3.0L, "3.00", "an integer"},
    {-2.5L, "-2.50", "a negative value keeps its sign"},
    {12.345f, "12.35", "the Single is 12.34500026..., above the tie"},
    {12.345, "12.35", "the double is 12.3450000000000006..., above the tie"},
    {1234.567, "1234.60", "five significant digits, then zeros"},
    {1234.5L, "1234.50", "exactly five digits"},
    {99999.49, "99999.00", "five digits, the sixth (4) cut"},
    {12345.0L, "12345.00", "five integer digits"},
    {1000.0L, "1000.00", "integer part filled up with zeros"},
    {123.456L, "123.46", "two decimals at most"},
    {1.23456L, "1.23", "two decimals at most"},
    {0.0451, "0.05", "one significant digit below 0.1"},
    {0.044999, "0.04", "the digit after the kept one is 4"},
    {0.01L, "0.01", "one unit of the second decimal"},
    {0.1L, "0.10", "a single digit in the first decimal"},
    {-0.006, "-0.01", "n = 0 and the first digit 6: one unit, signed"},
    {-0.004, "0.00", "n = 0 and the first digit 4: zero, unsigned"},
    {0.00499, "0.00", "n = 0 and the first digit 4"},
    {0.005, "0.01", "n = 0: the double is 0.00500000000000000010..."},
    {0.005f, "0.00", "n = 0: the Single is 0.00499999988..., first digit 4"},
    {0.0051L, "0.01", "n = 0 and the first digit 5"},
    {1e-10, "0.00", "n < 0: the value becomes zero"},
    {-1e-10, "0.00", "n < 0: zero without a minus sign"},
    {1e-300L, "0.00", "far below one unit"},
    {LDBL_TRUE_MIN, "0.00", "the smallest denormal"},
    {-0.0L, "0.00", "negative zero has no minus sign"},
};

// Carries: rounding the kept digits up runs over into the next power of ten.
const FmtRow kCarryRows[] = {
    {9.996, "10.00", "999 + 1 carries into the tens"},
    {-9.996, "-10.00", "the carry keeps the sign"},
    {999.999, "1000.00", "99999 + 1 carries into the thousands"},
    {0.0951, "0.10", "9 + 1 carries from the second into the first decimal"},
    {0.996, "1.00", "99 + 1 carries into the units"},
    {0.995, "0.99", "the double is 0.99499999999999999556...: no carry"},
    {0.995L, "1.00", "the long double is 0.99500000000000000000434...: carries"},
    {0.995f, "1.00", "the Single is 0.99500000477...: carries"},
    {99999.5L, "1E5", "the carry gives six integer digits: exponent form"},
    {-99999.5L, "-1E5", "the same, negative"},
    {99999.994, "1E5", "the sixth digit 9 rounds up into six integer digits"},
};

// The 18 significant digits come first: a long double just below a tie is
// rounded to the tie by them, and then the tie rounds up.
const FmtRow kEighteenDigitRows[] = {
    {1.005, "1.00", "the double is 1.00499999999999989...: the 18 digits keep ...4999"},
    {1.005L, "1.01", "the long double is 1.004999999999999999995...: 18 digits give 1.005"},
    {2.675, "2.67", "the double is 2.67499999999999982..."},
    {2.675L, "2.68", "the long double is 2.6749999999999999999566...: 18 digits give 2.675"},
    {0.015, "0.01", "the double is 0.01499999999999999944..."},
    {0.015L, "0.02", "the long double is 0.0149999999999999999997...: 18 digits give 0.015"},
    {0.005L, "0.01", "the long double is 0.004999999999999999999898...: 18 digits give 0.005"},
    {JustBelow(0.005L, 2), "0.01", "0.00499999999999999999905...: still 0.005 at 18 digits"},
};

const FmtRow kExponentRows[] = {
    {123456.7, "1.2346E5", "six integer digits: exponent form, five digits"},
    {-123456.7, "-1.2346E5", "the exponent form keeps the sign"},
    {100000.0L, "1E5", "no separator when one digit is left"},
    {120000.0L, "1.2E5", "trailing zeros dropped"},
    {1e20, "1E20", "exponent without leading zeros or plus sign"},
    {123456789012.0L, "1.2346E11", "a two-digit exponent"},
};

const FmtRow kSpecialRows[] = {
    {std::numeric_limits<long double>::infinity(), "INF", "plus infinity"},
    {-std::numeric_limits<long double>::infinity(), "-INF", "minus infinity"},
    {std::numeric_limits<long double>::quiet_NaN(), "NAN", "not a number"},
};

void ExpectRows(const FmtRow* begin, const FmtRow* end)
{
    for (const FmtRow* row = begin; row != end; ++row)
        EXPECT_EQ(Fmt(row->value, QLatin1Char('.')).toStdString(), row->text)
            << "value " << static_cast<double>(row->value) << ": " << row->why;
}

}  // namespace

TEST(Fmt, FixedTextHasTwoDecimalsAndAtMostFiveDigits)
{
    ExpectRows(std::begin(kFixedRows), std::end(kFixedRows));
}

TEST(Fmt, RoundingUpCarriesIntoTheNextDigit)
{
    ExpectRows(std::begin(kCarryRows), std::end(kCarryRows));
}

TEST(Fmt, EighteenSignificantDigitsAreTakenBeforeRounding)
{
    ExpectRows(std::begin(kEighteenDigitRows), std::end(kEighteenDigitRows));
}

TEST(Fmt, SixIntegerDigitsGiveTheExponentForm)
{
    ExpectRows(std::begin(kExponentRows), std::end(kExponentRows));
}

TEST(Fmt, InfinitiesAndNotANumberHaveNames)
{
    ExpectRows(std::begin(kSpecialRows), std::end(kSpecialRows));
}

TEST(Fmt, DecimalSeparatorIsTheOneGiven)
{
    const struct {
        long double value;
        const char* text;
    } rows[] = {
        {0.0L, "0,00"},
        {-2.5L, "-2,50"},
        {1234.567, "1234,60"},
        {-0.006, "-0,01"},
        {123456.7, "1,2346E5"},
        {100000.0L, "1E5"},
        {-std::numeric_limits<long double>::infinity(), "-INF"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Fmt(row.value, QLatin1Char(',')).toStdString(), row.text);
}
