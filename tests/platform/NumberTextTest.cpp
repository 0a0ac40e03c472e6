#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iomanip>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "platform/NumberText.h"

using namespace num;

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

struct TextCase {
    double value;
    const char *text;
};

} // namespace

TEST(NumberText, NumberTextIsShortestWithDecimalCommaAndSignPlace)
{
    const TextCase cases[] = {
        {12, " 12"},
        {-3.5, "-3,5"},
        {0.5, " 0,5"},
        {-0.5, "-0,5"},
        {0, " 0"},
        {65.32, " 65,32"},
        {1e-5, " 0,00001"},
        {123456789, " 123456789"},
        {0.1 + 0.2, " 0,3"},             // 17 digits needed; 15 are shown
        {1.0 / 3.0, " 0,333333333333333"},
        {2.0 / 3.0, " 0,666666666666667"},
        {999999999999999, " 999999999999999"},
        {1e-15, " 0,000000000000001"},
        {1e15, " 1E+15"},
        {1e20, " 1E+20"},
        {-1.5e20, "-1,5E+20"},
        {2.5e-16, " 2,5E-16"},
        {1e300, " 1E+300"},
        {DBL_MAX, " 1,79769313486232E+308"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(numberText(c.value), QString::fromUtf8(c.text)) << c.value;
}

TEST(NumberText, NegativeZeroAndNonFiniteValuesGiveReadableText)
{
    EXPECT_EQ(numberText(-0.0), " 0");
    EXPECT_EQ(plainNumberText(-0.0), "0");
    EXPECT_EQ(numberText(NaN), " 0");
    EXPECT_EQ(numberText(Inf), numberText(DBL_MAX));
    EXPECT_EQ(numberText(-Inf), numberText(-DBL_MAX));
    EXPECT_EQ(numberTextSingle(-0.0f), " 0");
    EXPECT_EQ(numberTextSingle(std::numeric_limits<float>::infinity()), numberTextSingle(FLT_MAX));
}

TEST(NumberText, SingleTextShowsTheDigitsOfTheFloatAtMostSeven)
{
    const struct {
        float value;
        const char *text;
    } cases[] = {
        {0.1f, " 0,1"},                 // not 0,100000001490116
        {65.32f, " 65,32"},
        {-2.5f, "-2,5"},
        {1.0f / 3.0f, " 0,3333333"},
        {1234567.0f, " 1234567"},
        {16777215.0f, " 16777220"},     // eight digits are more than a single shows
    };
    for (const auto &c : cases)
        EXPECT_EQ(numberTextSingle(c.value), QString::fromUtf8(c.text)) << c.value;
    EXPECT_EQ(plainNumberTextSingle(12.5f), "12,5");
}

TEST(NumberText, PlainTextAndNumberLine)
{
    EXPECT_EQ(plainNumberText(12), "12");
    EXPECT_EQ(plainNumberText(12.5), "12,5");
    EXPECT_EQ(plainNumberText(-3), "-3");
    EXPECT_EQ(numberLine(17), " 17 ");
    EXPECT_EQ(numberLine(-2.5), "-2,5 ");
}

// The file writers' byte conversions must give exactly the texts of the
// string conversions, on the cases where their paths divide: whole numbers
// against fractions, the 15-digit cap and its carries, the switch to an
// exponent at both ends, signs of zero and the values that have no text.
TEST(NumberText, ByteConversionsGiveTheSameTextsAsTheStringOnes)
{
    const auto bytes = [](auto write, auto value) {
        char buf[NumberTextBytes + 16];
        std::memset(buf, '#', sizeof buf);
        const char *end = write(value, buf);
        EXPECT_LE(end - buf, NumberTextBytes) << value;
        EXPECT_EQ(buf[NumberTextBytes], '#') << value;   // nothing written past the room
        return QString::fromLatin1(buf, end - buf);
    };
    const auto same = [&](double v) {
        EXPECT_EQ(bytes(plainNumberBytes, v), plainNumberText(v)) << v;
        EXPECT_EQ(bytes(numberLineBytes, v), numberLine(v)) << v;
    };
    const double doubles[] = {
        0, -0.0, 1, -1, 17, -3, 12.5, -2.5, 0.5, -0.5, 65.32, -65.32, 0.1 + 0.2, 1.0 / 3.0,
        -2.0 / 3.0, 0.999999999999999, 0.9999999999999999, 9.9999999999999995, 99.99999999999999,
        999999999999999, -999999999999999, 999999999999999.9, 999999999999999.4, 1e15, -1e15,
        1e15 + 2, 9007199254740993.0, 1e16, 1e20, -1.5e20, 123456789012345680000.0, 1e300,
        DBL_MAX, -DBL_MAX, 1e-5, 1e-14, 1e-15, -1e-15, 9.99999999999999e-16, 1e-16, 2.5e-16,
        -2.5e-16, 1.5e-15, 1.23456789012345e-15, DBL_MIN, 5e-324, -5e-324, 4503599627370495.5,
        2147483647.0, -2147483648.0, 1e9 + 0.5, 0.05, 0.005, 1.005, 2.675, 0.01, -0.01, 0.015,
        0.1 + 0.7, 40.1, 59.99, 9999999999999.99, 10000000000000.01, 12345678901.23, NaN, Inf,
        -Inf};
    for (double v : doubles)
        same(v);

    const float singles[] = {0.0f, -0.0f, 0.1f, 65.32f, -2.5f, 12.5f, 1.0f / 3.0f, 1234567.0f,
                             9999999.0f, 16777215.0f, 16777216.0f, 1e15f, 1e16f, -1e20f, FLT_MAX,
                             -FLT_MAX, 1e-15f, 1e-16f, 9.999999e-16f, FLT_MIN, 1e-45f,
                             std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity()};
    for (float v : singles)
        EXPECT_EQ(bytes(plainNumberBytesSingle, v), plainNumberTextSingle(v)) << v;

    // Any double, and the values with few decimals that times and points are.
    std::uint64_t x = 0x9E3779B97F4A7C15ULL;
    for (int i = 0; i < 30000; ++i) {
        x = x * 6364136223846793005ULL + 1442695040888963407ULL;
        double v;
        if (i % 3 == 0) {
            std::memcpy(&v, &x, sizeof v);
        } else if (i % 3 == 1) {
            v = double(std::int64_t(x >> 20) % 100000000 - 50000000) / 100.0;
        } else {
            v = double(std::int64_t(x >> 1)) / double(1ULL << (x % 64));
        }
        same(v);
        float f;
        const std::uint32_t bits = std::uint32_t(x >> 32);
        std::memcpy(&f, &bits, sizeof f);
        ASSERT_EQ(bytes(plainNumberBytesSingle, f), plainNumberTextSingle(f)) << f;
    }
}

// Every text the program writes must read back as the value it came from
// (exactly, when 15 digits are enough to hold it).
TEST(NumberText, NumberTextReadsBackAsTheSameValue)
{
    std::uint64_t x = 0x243F6A8885A308D3ULL;
    int exact = 0;
    for (int i = 0; i < 20000; ++i) {
        x = x * 6364136223846793005ULL + 1442695040888963407ULL;
        double v;
        if (i % 2 == 0) {
            std::uint64_t bits = x;
            std::memcpy(&v, &bits, sizeof v);
            if (!std::isfinite(v))
                continue;
        } else {
            // Values with few decimals, as times and points are.
            v = double(std::int64_t(x >> 24) % 100000000 - 50000000) / 100.0;
        }
        bool ok = false;
        const double back = decimalCommaValue(numberText(v), &ok);
        ASSERT_TRUE(ok) << numberText(v).toStdString();
        if (i % 2 == 1) {
            ASSERT_EQ(back, v) << numberText(v).toStdString();
            ++exact;
        } else if (v != 0 && std::fabs(v) >= 1e-300) {
            ASSERT_LE(std::fabs(back - v), std::fabs(v) * 5e-15) << numberText(v).toStdString();
        }
    }
    EXPECT_GT(exact, 0);
}

TEST(NumberText, FormatNumberPatterns)
{
    const struct {
        double value;
        const char *pattern;
        const char *text;
    } cases[] = {
        {0.5, "#.#0", ",50"},
        {65.32, "#.#0", "65,32"},
        {-1.5, "#.#0", "-1,50"},
        {-0.5, "#.#0", "-,50"},
        {0, "#.#0", ",00"},
        {2.675, "#.#0", "2,68"},
        {0.125, "#.#0", ",13"},
        {1.005, "#.#0", "1,01"},
        {9.995, "#.#0", "10,00"},
        {-0.004, "#.#0", ",00"},          // rounds to zero: no sign
        {5, "0#", "05"},
        {0.999, "0#", "01"},
        {99.5, "0#", "100"},
        {123, "0#", "123"},
        {5.32, "0#.00", "05,32"},
        {7, "0##", "007"},
        {7, "0###", "0007"},
        {12, "0#####", "000012"},
        {65.32, "00000.00", "00065,32"},
        {-65.32, "00000.00", "-00065,32"},
        {5.5, "0####.#0", "00005,50"},
        {7, "####  ", "7  "},
        {0, "####  ", "  "},
        {12.6, "####  ", "13  "},
        {1234567890123456.0, "0#", "1234567890123456"},   // no digit lost to the 15-digit text
    };
    for (const auto &c : cases) {
        EXPECT_EQ(formatNumber(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.text))
            << c.value << " " << c.pattern;
        // Appended to a line: the same characters after what it held.
        QString line = QStringLiteral("Zeit ");
        EXPECT_EQ(appendFormatNumber(line, c.value, QString::fromUtf8(c.pattern)),
                  QString::fromUtf8(c.text).size())
            << c.value << " " << c.pattern;
        EXPECT_EQ(line, QStringLiteral("Zeit ") + QString::fromUtf8(c.text))
            << c.value << " " << c.pattern;
    }
}

TEST(NumberText, FormatNumberOfNonFiniteValuesStaysNumeric)
{
    EXPECT_EQ(formatNumber(NaN, u"0#.00"), "00,00");
    EXPECT_EQ(formatNumber(Inf, u"0#").size(), 309);
    QString line = QStringLiteral("x");
    EXPECT_EQ(appendFormatNumber(line, -Inf, u"0#"), 310);
    EXPECT_EQ(line, QStringLiteral("x") + formatNumber(-Inf, u"0#"));
}

TEST(NumberText, RoundHalfAwayWorksOnTheDecimalText)
{
    const struct {
        double value;
        int decimals;
        double expected;
    } cases[] = {
        {2.675, 2, 2.68},      // binary value is 2.67499999...
        {1.005, 2, 1.01},
        {0.125, 2, 0.13},
        {-0.125, 2, -0.13},
        {1.0049999999999999, 2, 1.01},   // arithmetic noise of 1,005
        {2.5, 0, 3},
        {-2.5, 0, -3},
        {0.49999999999999994, 0, 1},     // its text is 0,5
        {0.4999999999999, 0, 0},
        {2.4, 0, 2},
        {9.995, 2, 10},
        {1234.5, -1, 1230},
        {1250, -2, 1300},
        {12345678901234.46, 0, 12345678901235},   // its text is 12345678901234,5
        {1e300, 2, 1e300},
        {1234567890123456.0, 2, 1234567890123456.0},
        {65.32, 5, 65.32},
    };
    for (const auto &c : cases)
        EXPECT_EQ(roundHalfAway(c.value, c.decimals), c.expected) << c.value << " " << c.decimals;
    EXPECT_FALSE(std::signbit(roundHalfAway(-0.004, 2)));
    EXPECT_FALSE(std::signbit(roundHalfAway(-0.4)));
    EXPECT_EQ(roundHalfAway(NaN, 2), 0);
}

namespace {

// formatNumber worked out by hand on the decimal text numberText shows (for
// values from 1E-6 to 1E9 that text has no exponent): rounded half away from
// zero in its digits, padded to minIntDigits.
QString formatOnTheText(double value, int minIntDigits, int decimals)
{
    std::string t = plainNumberText(value).toStdString();
    const bool negative = !t.empty() && t[0] == '-';
    if (negative)
        t.erase(0, 1);
    const auto comma = t.find(',');
    std::string whole = t.substr(0, comma);
    std::string fraction = comma == std::string::npos ? std::string() : t.substr(comma + 1);
    bool up = false;
    if (int(fraction.size()) > decimals) {
        up = fraction[std::size_t(decimals)] >= '5';
        fraction.resize(std::size_t(decimals));
    }
    fraction.append(std::size_t(decimals) - fraction.size(), '0');
    std::string digits = whole + fraction;
    for (std::size_t i = digits.size(); up && i > 0; --i) {
        up = digits[i - 1] == '9';
        digits[i - 1] = up ? '0' : char(digits[i - 1] + 1);
    }
    if (up)
        digits.insert(digits.begin(), '1');
    whole = digits.substr(0, digits.size() - std::size_t(decimals));
    fraction = digits.substr(digits.size() - std::size_t(decimals));
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    if (int(whole.size()) < minIntDigits)
        whole.insert(0, std::size_t(minIntDigits) - whole.size(), '0');
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    std::string out = (negative && !zero ? "-" : "") + whole;
    if (decimals > 0)
        out += "," + fraction;
    return QString::fromStdString(out);
}

} // namespace

// Values on, next to and between the halves of the last place shown, and
// arbitrary ones, in every pattern shape: the text and the rounded value are
// those of rounding the decimal text.
TEST(NumberText, RoundingFollowsTheDecimalTextNextToHalves)
{
    const struct {
        const char16_t *pattern;
        int minIntDigits;
        int decimals;
    } patterns[] = {
        {u"#.#0", 0, 2}, {u"0####.#0", 5, 2}, {u"0#.00", 2, 2}, {u"0###", 4, 0},
        {u"0.0", 1, 1},  {u"00000.000", 5, 3}, {u"#.0000", 0, 4}, {u"0.00000000", 1, 8},
    };
    std::vector<double> values = {0, -0.0, 0.5, 2.675, 1.005, 0.125, 9.995, 99999.995,
                                  0.005, 0.0049999999, 1e7 + 0.5, 123456.785, 65.325,
                                  1.0049999999999999, 0.49999999999999994, 5e-6, 999999.9995};
    std::uint32_t x = 2024;
    auto next = [&x] { return x = x * 1664525u + 1013904223u; };
    for (int i = 0; i < 3000; ++i) {
        // A half of the last place at 1..8 decimals, exactly or a few ulps
        // or a little away; or anything from 1E-6 to 1E9.
        const int d = 1 + int(next() % 8u);
        const double half = (double(next() % 2000000u) + 0.5) / std::pow(10.0, d);
        const int shape = int(next() % 5u);
        double v = half;
        if (shape == 1)
            v = std::nextafter(half, 0.0);
        else if (shape == 2)
            v = std::nextafter(std::nextafter(half, 1e300), 1e300);
        else if (shape == 3)
            v = half + (double(next() % 2001u) - 1000.0) * 1e-9 * half;
        else if (shape == 4)
            v = std::pow(10.0, double(next() % 15000u) / 1000.0 - 6.0);
        values.push_back(next() % 2u ? -v : v);
    }
    for (double v : values) {
        for (const auto &p : patterns) {
            const QString expected = formatOnTheText(v, p.minIntDigits, p.decimals);
            ASSERT_EQ(formatNumber(v, p.pattern), expected)
                << std::setprecision(17) << v << " " << QString::fromUtf16(p.pattern).toStdString();
            ASSERT_EQ(roundHalfAway(v, p.decimals), decimalCommaValue(expected))
                << std::setprecision(17) << v << " " << p.decimals;
        }
    }
}

TEST(NumberText, IntegerConversionsRoundHalfAwayAndSaturate)
{
    EXPECT_EQ(toInt32(2.5), 3);
    EXPECT_EQ(toInt32(-2.5), -3);
    EXPECT_EQ(toInt32(2.4999), 2);
    EXPECT_EQ(toInt32(-0.4), 0);
    EXPECT_EQ(toInt32(NaN), 0);
    EXPECT_EQ(toInt32(1e10), INT32_MAX);
    EXPECT_EQ(toInt32(-1e10), INT32_MIN);
    EXPECT_EQ(toInt32(2147483647.4), INT32_MAX);
    EXPECT_EQ(toInt32(2147483647.5), INT32_MAX);
    EXPECT_EQ(toInt32(-2147483648.5), INT32_MIN);
    EXPECT_EQ(toInt32(2147483646.5), INT32_MAX);
    EXPECT_EQ(toInt32(Inf), INT32_MAX);
    EXPECT_EQ(toInt32(-Inf), INT32_MIN);

    EXPECT_EQ(toInt16(1.5), 2);
    EXPECT_EQ(toInt16(-1.5), -2);
    EXPECT_EQ(toInt16(32767.5), INT16_MAX);
    EXPECT_EQ(toInt16(-32768.5), INT16_MIN);
    EXPECT_EQ(toInt16(40000), INT16_MAX);
    EXPECT_EQ(toInt16(-1e300), INT16_MIN);
    EXPECT_EQ(toInt16(NaN), 0);

    EXPECT_EQ(floorToInt32(2.9), 2);
    EXPECT_EQ(floorToInt32(-0.5), -1);
    EXPECT_EQ(floorToInt32(-3), -3);
    EXPECT_EQ(floorToInt32(NaN), 0);
    EXPECT_EQ(floorToInt32(3e9), INT32_MAX);
    EXPECT_EQ(floorToInt32(-3e9), INT32_MIN);
    EXPECT_EQ(floorToInt32(-Inf), INT32_MIN);
}

TEST(NumberText, NumericValueReadsTheLeadingNumberOnly)
{
    const struct {
        const char *text;
        double value;
    } cases[] = {
        {"", 0},
        {"12", 12},
        {" 12.5xyz", 12.5},
        {"\t 7", 7},
        {"1,5", 1},
        {"abc", 0},
        {"-3.25", -3.25},
        {"+4", 4},
        {".5", 0.5},
        {"-.5", -0.5},
        {"007", 7},
        {"12.5.3", 12.5},
        {"1 2", 1},
        {"- 5", 0},
        {"-", 0},
        {".", 0},
        {"1e3", 1000},
        {"1E+3", 1000},
        {"2.5e-3", 0.0025},
        {"1e", 1},
        {"1e+", 1},
        {"1ex", 1},
        {"E5", 0},
        {"0.000125E4", 1.25},
        {"1e999", DBL_MAX},
        {"-1e999", -DBL_MAX},
        {"1e-999", 0},
        {"1e99999999999999999999", DBL_MAX},
        {"0e999999", 0},
        {"\xef\xbc\x91", 0},     // a full-width digit is no digit
    };
    for (const auto &c : cases)
        EXPECT_EQ(numericValue(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(NumberText, TypedNumberHoldsANumberOnlyOnceADigitIsTyped)
{
    const struct {
        const char *text;
        bool number;
        double value;
    } cases[] = {
        {"", false, 0},   {"-", false, 0},  {"  ", false, 0},  {"abc", false, 0},
        {".", false, 0},  {"-.", false, 0}, {"E5", false, 0},  {"0", true, 0},
        {"-0", true, 0},  {"-7", true, -7}, {" 12", true, 12}, {"1bc", true, 1},
        {".5", true, 0.5}, {"99", true, 99},
    };
    for (const auto &c : cases) {
        double value = -1;
        EXPECT_EQ(typedNumber(QString::fromUtf8(c.text), &value), c.number) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(value, numericValue(QString::fromUtf8(c.text))) << c.text;
    }
}

TEST(NumberText, NumericValueIsNeverNaNOrInfinite)
{
    const QString manyNines(400, u'9');
    EXPECT_EQ(numericValue(manyNines), DBL_MAX);
    EXPECT_EQ(numericValue(QLatin1String("-") + manyNines + QLatin1String("e400")), -DBL_MAX);
    EXPECT_EQ(numericValue(QLatin1String("0.") + QString(400, u'0') + QLatin1String("1")), 0);
    EXPECT_FALSE(std::signbit(numericValue(u"-0")));
    EXPECT_FALSE(std::signbit(numericValue(u"-1e-999")));
    EXPECT_EQ(numericValue(u"nan"), 0);
    EXPECT_EQ(numericValue(u"inf"), 0);
    // A long mantissa is read correctly rounded, not cut.
    EXPECT_EQ(numericValue(u"0.1000000000000000055511151231257827021181583404541015625"), 0.1);
}

TEST(NumberText, DecimalCommaValueReadsCommaOrPointAndReportsGarbage)
{
    const struct {
        const char *text;
        double value;
        bool ok;
    } cases[] = {
        {"65,32", 65.32, true},
        {"1.5", 1.5, true},
        {" -2 ", -2, true},
        {"\t3,5\t", 3.5, true},
        {",5", 0.5, true},
        {"5,", 5, true},
        {" 17 ", 17, true},
        {" 1E+20", 1e20, true},
        {"-2,5E-16", -2.5e-16, true},
        {"abc", 0, false},
        {"", 0, false},
        {"   ", 0, false},
        {",", 0, false},
        {"-", 0, false},
        {"12abc", 12, false},
        {"1 2", 1, false},
        {"1.234,5", 1.234, false},
    };
    for (const auto &c : cases) {
        bool ok = !c.ok;
        EXPECT_EQ(decimalCommaValue(QString::fromUtf8(c.text), &ok), c.value) << c.text;
        EXPECT_EQ(ok, c.ok) << c.text;
    }
    EXPECT_EQ(decimalCommaValue(u"7,25"), 7.25);   // ok is optional
}

// Short numbers take a quicker road than long ones or those with an
// exponent; the value must not depend on it: every text reads as the
// correctly rounded value of its decimal digits, whatever follows them.
TEST(NumberText, ValuesOfShortAndLongNumbersAreCorrectlyRounded)
{
    std::uint64_t x = 0xD1B54A32D192ED03ULL;
    const char *tails[] = {"", " ", "x", ",5", ".5", "e", "E2", "e-3", "  7"};
    for (int i = 0; i < 40000; ++i) {
        x = x * 6364136223846793005ULL + 1442695040888963407ULL;
        const int intDigits = int(x % 17);
        const int fracDigits = int((x >> 5) % 19) - 1;   // -1: no separator
        std::string digits;
        std::uint64_t y = x;
        for (int d = 0; d < intDigits + std::max(fracDigits, 0); ++d) {
            y = y * 2862933555777941757ULL + 3037000493ULL;
            digits += char('0' + (y >> 60) % 10);
        }
        std::string plain = (x >> 40) % 3 == 0 ? "-" : (x >> 40) % 7 == 0 ? "+" : "";
        plain += digits.substr(0, std::size_t(intDigits));
        std::string point = plain;
        std::string comma = plain;
        if (fracDigits >= 0) {
            point += '.' + digits.substr(std::size_t(intDigits));
            comma += ',' + digits.substr(std::size_t(intDigits));
        }
        const std::string tail = tails[(x >> 48) % std::size(tails)];

        // The expected value: the digits as read by the standard library.
        const std::string number = point.substr(point[0] == '+' ? 1 : 0);
        double expected = 0;
        const bool anyDigits = !digits.empty();
        if (anyDigits) {
            const std::string forLibrary = number[0] == '-' ? number.substr(1) : number;
            const std::string padded = (forLibrary[0] == '.' ? "0" : "") + forLibrary;
            std::from_chars(padded.data(), padded.data() + padded.size(), expected);
            if (number[0] == '-' && expected != 0)
                expected = -expected;
        }
        const bool exponent = anyDigits && !tail.empty() && (tail[0] == 'E' || tail[0] == 'e')
                              && tail.size() > 1;
        // Exponents, and numbers made by the tail, have cases of their own above.
        if (exponent || (fracDigits < 0 && (tail[0] == ',' || tail[0] == '.'))
            || (!anyDigits && tail.find_first_of("0123456789") != std::string::npos))
            continue;
        const QString pointText = QString::fromLatin1(point + tail);
        const QString commaText = QString::fromLatin1(comma + tail);
        ASSERT_EQ(numericValue(pointText), expected) << point + tail;
        bool ok = false;
        ASSERT_EQ(decimalCommaValue(commaText, &ok), expected) << comma + tail;
        const bool blankTail = tail.find_first_not_of(' ') == std::string::npos;
        ASSERT_EQ(ok, anyDigits && blankTail) << comma + tail;
    }
}
