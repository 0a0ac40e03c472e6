#include <iterator>

#include "TestSupport.h"
#include "core/NumberTimeText.h"
#include "core/SharedState.h"
#include "platform/Printer.h"
#include "platform/Strings.h"

namespace {

using NumberTimeTextTest = DataDirTest;

TEST_F(NumberTimeTextTest, FormatDecimal_RightAlignsWithDecimalComma)
{
    struct Case {
        double value;
        const char *eight;
        const char *ten;
    } cases[] = {
        {65.32, "   65,32", "     65,32"},
        {0.5, "    0,50", "      0,50"},
        {0, "    0,00", "      0,00"},
        {123.456, "  123,46", "    123,46"},
        {-1.5, "   -1,50", "     -1,50"},
        {0.25, "    0,25", "      0,25"},
        {-0.5, "    -,50", "      -,50"},
        {99999.994, "99999,99", "  99999,99"},
        {123456.5, "23456,50", " 123456,50"},
        {12345678.25, "45678,25", "2345678,25"},
    };
    for (const Case &c : cases) {
        Work.CurrentSlot = c.value;
        FormatDecimal8();
        EXPECT_EQ(Work.WorkText, QString::fromLatin1(c.eight)) << c.value;
        FormatDecimal10();
        EXPECT_EQ(Work.WorkText, QString::fromLatin1(c.ten)) << c.value;
    }
}

TEST_F(NumberTimeTextTest, FormatDecimal10_KeepsTheLastTenCharacters)
{
    Work.CurrentSlot = 123456789.5;
    FormatDecimal10();
    EXPECT_EQ(Work.WorkText, QStringLiteral("3456789,50"));
}

TEST_F(NumberTimeTextTest, SecondsToHms_SplitsAndCutsToThousandths)
{
    struct Case {
        double input;
        double h, m, s;
    } cases[] = {
        {65.32, 0, 1, 5.32},
        {3725.5, 1, 2, 5.5},
        {59.9999, 0, 0, 59.999},
        {-1, -1, 59, 59},
        {0, 0, 0, 0},
        {5.32, 0, 0, 5.32},
        {36000, 10, 0, 0},
    };
    for (const Case &c : cases) {
        Work.HmsInput = c.input;
        SecondsToHms();
        EXPECT_EQ(Work.HmsHours, c.h) << c.input;
        EXPECT_EQ(Work.HmsMinutes, c.m) << c.input;
        EXPECT_DOUBLE_EQ(Work.HmsSeconds, c.s) << c.input;
    }
}

TEST_F(NumberTimeTextTest, FormatHms_DropsLeadingZerosAndPadsTo14mm)
{
    resetPrinter();
    printer().FontName = QStringLiteral("Arial");
    printer().FontSize = 10;
    struct Case {
        double seconds;
        const char *text;
    } cases[] = {
        {65.32, "1:05,32"},   {5.32, "5,32"},         {0.5, ",50"},
        {0, ",00"},           {600, "10:00,00"},      {3725.5, "1:02:05,50"},
        {59.996, "1:00,00"},  {3599.999, "1:00:00,00"}, {7.005, "7,01"},
    };
    for (const Case &c : cases) {
        Work.HmsInput = c.seconds;
        SecondsToHms();
        FormatHms();
        EXPECT_EQ(Work.WorkText.trimmed(), QString::fromLatin1(c.text)) << c.seconds;
        EXPECT_GE(printer().TextWidth(Work.WorkText), 14.0) << c.seconds;
        if (Work.WorkText.startsWith(u' ')) {
            EXPECT_LT(printer().TextWidth(Work.WorkText.mid(1)), 14.0) << c.seconds;
        }
    }
}

TEST_F(NumberTimeTextTest, FormatHms_PadsForTheFontItIsCalledIn)
{
    // The same times in turn in fonts that need more or fewer blanks, and
    // again: each padding is right for the font it is made in, none is one
    // remembered from another font.
    resetPrinter();
    Printer &p = printer();
    struct Font {
        const char *name;
        double size;
        bool bold;
    } fonts[] = {
        {"Arial", 10, false}, {"Arial", 8, false}, {"Arial", 11, false},
        {"Arial", 10, true},  {"Times", 10, false}, {"Arial", 10, false},
    };
    const double times[] = {65.32, 5.32, 0.5};
    QString first[std::size(fonts)][std::size(times)];
    for (int round = 0; round < 2; ++round) {
        for (std::size_t f = 0; f < std::size(fonts); ++f) {
            p.FontName = QString::fromLatin1(fonts[f].name);
            p.FontSize = fonts[f].size;
            p.FontBold = fonts[f].bold;
            for (std::size_t t = 0; t < std::size(times); ++t) {
                SCOPED_TRACE(testing::Message() << round << ' ' << fonts[f].name << ' '
                                                << fonts[f].size << ' ' << fonts[f].bold << ' '
                                                << times[t]);
                Work.HmsInput = times[t];
                SecondsToHms();
                FormatHms();
                const QString text = Work.WorkText;
                EXPECT_GE(p.TextWidth(text), 14.0);
                ASSERT_TRUE(text.startsWith(u' '));
                EXPECT_LT(p.TextWidth(text.mid(1)), 14.0);
                if (round == 0)
                    first[f][t] = text;
                else
                    EXPECT_EQ(text, first[f][t]);
            }
        }
    }
    // The fonts differ enough that the paddings differ.
    EXPECT_NE(first[1][0].size(), first[2][0].size());
    resetPrinter();
}

TEST_F(NumberTimeTextTest, FormatHms_ManyTimesInTwoFontsInTurn)
{
    // Thousands of times, each in two fonts in turn and then all again: each
    // text is the time's own and padded for its font.
    resetPrinter();
    Printer &p = printer();
    const double sizes[] = {10, 8};
    for (int round = 0; round < 2; ++round) {
        int wrong = 0;
        for (int n = 0; n < 360000; n += 71) {   // hundredths of a second, below 1 h
            const int minutes = n / 6000, seconds = n / 100 % 60, hundredths = n % 100;
            const QString expected = minutes > 0
                ? QString::asprintf("%d:%02d,%02d", minutes, seconds, hundredths)
                : seconds > 0 ? QString::asprintf("%d,%02d", seconds, hundredths)
                              : QString::asprintf(",%02d", hundredths);
            for (const double size : sizes) {
                p.FontSize = size;
                Work.HmsInput = n / 100.0;
                SecondsToHms();
                FormatHms();
                const QString &text = Work.WorkText;
                if (trimBlanks(text) != expected || !(p.TextWidth(text) >= 14)
                    || !text.startsWith(u' ') || !(p.TextWidth(text.mid(1)) < 14)) {
                    ADD_FAILURE() << round << ' ' << size << ' ' << n << " \""
                                  << text.toStdString() << '"';
                    if (++wrong > 5)
                        return;
                }
            }
        }
    }
    resetPrinter();
}

TEST_F(NumberTimeTextTest, FormatHms_AlwaysEnds)
{
    // A font so large that one character is wider than 14 mm, and a time with
    // hours far out of range: the padding neither loops nor breaks.
    resetPrinter();
    printer().FontSize = 200;
    Work.HmsHours = 1e9;
    Work.HmsMinutes = 0;
    Work.HmsSeconds = 0;
    FormatHms();
    EXPECT_FALSE(Work.WorkText.startsWith(u' '));
    resetPrinter();
}

TEST_F(NumberTimeTextTest, NormalizeDecimalText_TrimsAndMakesTheFirstPointAComma)
{
    struct Case {
        const char *in;
        const char *out;
    } cases[] = {
        {" 12.5 ", "12,5"}, {"", "0"},       {"   ", "0"},
        {"7", "7"},         {"1.234.5", "1,234.5"}, {"65,32", "65,32"},
    };
    for (const Case &c : cases) {
        Work.WorkText = QString::fromLatin1(c.in);
        NormalizeDecimalText();
        EXPECT_EQ(Work.WorkText, QString::fromLatin1(c.out)) << c.in;
    }
}

} // namespace
