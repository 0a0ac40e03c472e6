#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/DateText.h"

using namespace dates;

TEST(DateText, OleDatesCountDaysFrom30December1899)
{
    EXPECT_EQ(oleFromDate(QDate(1983, 4, 13)), 30419.0);
    EXPECT_EQ(oleFromDate(QDate(1900, 1, 1)), 2.0);
    EXPECT_EQ(oleFromDate(QDate(2005, 7, 20)), 38553.0);
    EXPECT_EQ(oleFromDate(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(oleFromDate(QDate(1899, 12, 29)), -1.0);
    EXPECT_EQ(oleFromDate(QDate()), 0.0);

    EXPECT_EQ(dateFromOle(30419), QDate(1983, 4, 13));
    EXPECT_EQ(dateFromOle(2), QDate(1900, 1, 1));
    EXPECT_EQ(dateFromOle(0), QDate(1899, 12, 30));
}

TEST(DateText, DateFromOleDropsTheTimeOfDay)
{
    EXPECT_EQ(dateFromOle(30419.75), QDate(1983, 4, 13));
    EXPECT_EQ(dateFromOle(30418.99), QDate(1983, 4, 12));
    // Negative values: whole days towards zero, the fraction is the time.
    EXPECT_EQ(dateFromOle(-0.5), QDate(1899, 12, 30));
    EXPECT_EQ(dateFromOle(-1.25), QDate(1899, 12, 29));
    // A day computed a hair below its whole number is still that day.
    EXPECT_EQ(dateFromOle(std::nextafter(30419.0, 0.0)), QDate(1983, 4, 13));
    EXPECT_EQ(dateFromOle(std::nextafter(-1.0, -2.0)), QDate(1899, 12, 29));
}

TEST(DateText, DateFromOleIsInvalidOutsideTheYears100To9999)
{
    EXPECT_EQ(dateFromOle(-657434), QDate(100, 1, 1));
    EXPECT_EQ(dateFromOle(2958465), QDate(9999, 12, 31));
    const double invalid[] = {
        -657435, 2958466, 1e300, -1e300,
        std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
    };
    for (double v : invalid)
        EXPECT_FALSE(dateFromOle(v).isValid()) << v;
}

TEST(DateText, GermanDateTextHasTwoDigitDayAndMonthAndFourDigitYear)
{
    EXPECT_EQ(germanDateText(30419), "13.04.1983");
    EXPECT_EQ(germanDateText(2), "01.01.1900");
    EXPECT_EQ(germanDateText(38553.5), "20.07.2005");
    EXPECT_EQ(germanDateText(-657434), "01.01.0100");
    EXPECT_EQ(germanDateText(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(germanDateText(1e9), "");
}

TEST(DateText, ParseGermanDateAcceptsDayMonthYear)
{
    const struct {
        const char *text;
        QDate date;
    } cases[] = {
        {"13.04.1983", QDate(1983, 4, 13)},
        {"13.4.1983", QDate(1983, 4, 13)},
        {" 1.1.1900 ", QDate(1900, 1, 1)},
        {"\t20.7.2005\t", QDate(2005, 7, 20)},
        {"29.02.2000", QDate(2000, 2, 29)},
        {"31.12.9999", QDate(9999, 12, 31)},
        {"1.1.100", QDate(100, 1, 1)},
        // Two-digit years as a user means them.
        {"13.04.83", QDate(1983, 4, 13)},
        {"01.01.29", QDate(2029, 1, 1)},
        {"01.01.30", QDate(1930, 1, 1)},
        {"1.1.00", QDate(2000, 1, 1)},
        {"1.1.5", QDate(2005, 1, 1)},
    };
    for (const auto &c : cases) {
        double ole = -12345;
        EXPECT_TRUE(parseGermanDate(QString::fromUtf8(c.text), &ole)) << c.text;
        EXPECT_EQ(ole, oleFromDate(c.date)) << c.text;
    }
}

TEST(DateText, ParseGermanDateRejectsWhatIsNoCalendarDate)
{
    const char *const rejected[] = {
        "31.02.2001", "13.13.1983", "29.02.1900", "0.1.2000", "1.0.2000", "32.1.2000",
        "", "   ", "abc", "1.1.", "83", "1.1", "..", "1..2000", ".1.2000",
        "1.1.2000.", "1.1.2000x", "1. 1.2000", "+1.1.2000", "-1.1.2000", "001.1.2000",
        "1.001.2000", "1.1.10000", "1.1.099", "1.1.0083", "1,1,2000", "1/1/2000",
        "\xef\xbc\x91.1.2000",
    };
    for (const char *t : rejected) {
        double ole = -12345;
        EXPECT_FALSE(parseGermanDate(QString::fromUtf8(t), &ole)) << t;
        EXPECT_EQ(ole, -12345) << t;   // untouched
    }
}

TEST(DateText, EveryDayRoundTripsThroughItsText)
{
    for (double ole = oleFromDate(QDate(1900, 1, 1)); ole <= oleFromDate(QDate(2100, 12, 31)); ++ole) {
        const QString text = germanDateText(ole);
        double back = 0;
        ASSERT_TRUE(parseGermanDate(text, &back)) << text.toStdString();
        ASSERT_EQ(back, ole) << text.toStdString();
    }
}
